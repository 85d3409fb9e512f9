// --scope: what a per-user setup program carries (its manifest, its scope
// resource, an uninstaller of the same scope), that a build without it is
// what it always was, the scopes a runtime cannot honour, the script lines a
// per-user program cannot carry out, and how list and winget name the scope.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>

#include "builder_test_support.h"
#include "mksetup/commands/cli.h"
#include "mksetup/commands/winget_manifest.h"
#include "mksetup/pe/pe_resources.h"
#include "mksetup/pe/program_scope.h"
#include "mksetup/payload/setup_payload.h"
#include "mksetup/script_checks/user_scope_check.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::MinimalScript;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;

constexpr const char* kManifest =
    "<assembly><trustInfo><security><requestedPrivileges>\n"
    "<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>\n"
    "</requestedPrivileges></security></trustInfo><dependency/></assembly>\n";

pe_test::SyntheticOptions ProgramOptions(const std::string& scopes) {
  pe_test::SyntheticOptions options;
  options.manifest = kManifest;
  options.scopes = scopes;
  return options;
}

// The product folder with its own uninstaller, a program with a manifest.
void WriteProduct(const ProductFolder& product, const std::string& scopes) {
  product.WriteScript(MinimalScript("0", {"app.exe|%InstallPath%\\app.exe"}));
  product.WriteFile("app.exe", "app");
  product.WriteFile("UnInstaller.exe", pe_test::MakeImage(ProgramOptions("")));
  product.WriteFile("Remove Uninstaller.exe", "remover");
  product.WriteStub(ProgramOptions(scopes));
}

std::string ScopeResource(std::span<const std::uint8_t> image) {
  std::vector<std::uint8_t> data;
  std::string error;
  const ResourceKey key = ScopeResourceKey();
  if (!ReadResource(image, key.type, key.name, data, error)) return "(none)";
  return {data.begin(), data.end()};
}

int RunMksetup(std::vector<std::string> arguments, RecordingConsole& console) {
  return RunCommandLine(arguments, console.console);
}

TEST(Scope, AUserBuildMarksTheProgramAndItsUninstallerAndAMachineBuildStaysAsItWas) {
  ProductFolder product;
  WriteProduct(product, "machine user");
  RecordingConsole machine;
  BuildOptions options = product.Options();
  ASSERT_EQ(RunBuild(options, machine.console), kExitOk) << machine.err;
  Bytes setup = builder_test::ReadFile(product.OutputPath());
  EXPECT_EQ(ExecutionLevel(setup), "requireAdministrator");
  EXPECT_EQ(ScopeResource(setup), "(none)");
  SetupPayload payload;
  std::string error;
  ASSERT_TRUE(ReadSetupPayload(product.OutputPath(), payload, error)) << error;
  // The carried uninstaller is the folder's file, byte for byte.
  const format::ArchiveEntry& machineUninstaller = payload.entries[payload.entries.size() - 2];
  EXPECT_EQ(Bytes(machineUninstaller.data, machineUninstaller.data + machineUninstaller.size),
            builder_test::ReadFile(product.FilePath("UnInstaller.exe")));

  RecordingConsole user;
  options.scope = format::InstallScope::User;
  ASSERT_EQ(RunBuild(options, user.console), kExitOk) << user.err;
  setup = builder_test::ReadFile(product.OutputPath());
  EXPECT_EQ(ExecutionLevel(setup), "asInvoker");
  EXPECT_EQ(ScopeResource(setup), "user");
  ASSERT_TRUE(ReadSetupPayload(product.OutputPath(), payload, error)) << error;
  const format::ArchiveEntry& uninstaller = payload.entries[payload.entries.size() - 2];
  ASSERT_EQ(uninstaller.name, "UnInstaller.exe");
  const std::span<const std::uint8_t> uninstallerBytes(uninstaller.data, uninstaller.size);
  EXPECT_EQ(ExecutionLevel(uninstallerBytes), "asInvoker");
  EXPECT_EQ(ScopeResource(uninstallerBytes), "user");
  // An uninstaller already of the scope (signed after extract) goes in as
  // it is.
  const Bytes userUninstaller(uninstallerBytes.begin(), uninstallerBytes.end());
  product.WriteFile("UnInstaller.exe", userUninstaller);
  RecordingConsole again;
  ASSERT_EQ(RunBuild(options, again.console), kExitOk) << again.err;
  SetupPayload rebuilt;
  ASSERT_TRUE(ReadSetupPayload(product.OutputPath(), rebuilt, error)) << error;
  const format::ArchiveEntry& kept = rebuilt.entries[rebuilt.entries.size() - 2];
  EXPECT_EQ(Bytes(kept.data, kept.data + kept.size), userUninstaller);
  // The rest of the manifest stays as it was.
  std::vector<std::uint8_t> manifest;
  ASSERT_TRUE(ReadResource(setup, ResourceId::Number(24), ResourceId::Number(1), manifest, error));
  EXPECT_NE(std::string(manifest.begin(), manifest.end()).find("uiAccess=\"false\"/>"),
            std::string::npos);

  RecordingConsole listed;
  EXPECT_EQ(RunMksetup({"list", product.OutputPath()}, listed), kExitOk) << listed.err;
  EXPECT_NE(listed.out.find("\nscope: user (never asks for administrator rights"),
            std::string::npos)
      << listed.out;
  RecordingConsole winget;
  const std::string out = product.root() + "/winget";
  ASSERT_EQ(RunMksetup({"winget", product.OutputPath(), "--id", "Acme.Tiny", "--url",
                        "https://example.com/Setup.exe", "--out", out, "--license", "MIT",
                        "--description", "A tiny product"},
                       winget),
            kExitOk)
      << winget.err;
  const Bytes installer = builder_test::ReadFile(out + "/Acme.Tiny.installer.yaml");
  const std::string text(installer.begin(), installer.end());
  EXPECT_NE(text.find("\nScope: \"user\"\nElevationRequirement: \"elevationProhibited\"\n"),
            std::string::npos)
      << text;
}

TEST(Scope, ScopesTheRuntimeCannotHonourAreRefusedBeforeAnythingIsWritten) {
  ProductFolder product;
  WriteProduct(product, "");
  RecordingConsole console;
  BuildOptions options = product.Options();
  options.scope = format::InstallScope::User;
  EXPECT_EQ(RunBuild(options, console.console), kExitFailure);
  EXPECT_NE(console.err.find("does not install for one user, which --scope user asks for"),
            std::string::npos)
      << console.err;
  product.WriteStub(ProgramOptions("machine user"));
  options.scope = format::InstallScope::Either;
  EXPECT_EQ(RunBuild(options, console.console), kExitFailure);
  EXPECT_NE(console.err.find("--scope either is not yet supported"), std::string::npos)
      << console.err;
  EXPECT_FALSE(std::filesystem::exists(product.OutputPath()));
  // A program whose manifest names no level cannot be made to ask for another.
  product.WriteFile("UnInstaller.exe", pe_test::MakeImage({}));
  options.scope = format::InstallScope::User;
  EXPECT_EQ(RunBuild(options, console.console), kExitFailure);
  EXPECT_NE(console.err.find("no manifest with a requestedExecutionLevel"), std::string::npos)
      << console.err;
  EXPECT_FALSE(std::filesystem::exists(product.OutputPath()));
  RecordingConsole usage;
  EXPECT_EQ(RunMksetup({"build", "--scope", "everyone"}, usage), kExitUsage);
  EXPECT_NE(usage.err.find("--scope takes machine, user or either, not 'everyone'"),
            std::string::npos);
}

TEST(Scope, APerUserScriptMayNotWriteTheMachinesRegistryOrFolders) {
  const ScriptText script = SplitScriptLines(builder_test::BytesOf(builder_test::ScriptOf({
      "Tiny", "Tiny Setup", "1.0", "Acme", "-N-A-",               // 1-5
      "[fls]", "0", "app.exe|%InstallPath%\\app.exe",             // 6-8
      "hook.dll|%SystemDir%\\hook.dll", "Dir|%WindowDir%\\Acme",  // 9-10
      "[/fls]", "[inst_path]", "%WindowDir%\\Tiny",               // 11-13
      "[regi]", "HKEY_CURRENT_USER|Software\\Acme|A|REG_SZ|x|",   // 14-15
      "HKEY_LOCAL_MACHINE|Software\\Acme|A|REG_SZ|x|",            // 16
      "HKEY_CLASSES_ROOT|.tiny||REG_SZ|Tiny|", "[/regi]",         // 17-18
  })));
  Diagnostics found;
  CheckUserScopeScript(script, found);
  std::vector<std::pair<std::size_t, std::string>> lines;
  for (const Diagnostic& d : found.Sorted()) {
    EXPECT_EQ(d.severity, Severity::Error);
    lines.emplace_back(d.line, d.text.substr(d.text.find(" below ") != std::string::npos
                                                 ? d.text.find(" below ")
                                                 : d.text.find(" under ")));
  }
  const std::string rights =
      ", which a setup program for one user (--scope user) cannot write: it runs without "
      "administrator rights";
  const std::vector<std::pair<std::size_t, std::string>> expected = {
      {9, " below %SystemDir%" + rights},
      {10, " below %WindowDir%" + rights},
      {13, " below %WindowDir%" + rights},
      {16, " under HKEY_LOCAL_MACHINE" + rights + "; write it under HKEY_CURRENT_USER"},
      {17, " under HKEY_CLASSES_ROOT" + rights +
               "; write it under HKEY_CURRENT_USER\\Software\\Classes"},
  };
  EXPECT_EQ(lines, expected);
}

TEST(Scope, AWingetManifestOfEitherScopeHasAnInstallerForEachWithItsSwitch) {
  WingetPackage package;
  package.id = "Acme.Tiny";
  package.version = "1.0";
  package.architecture = "x64";
  package.url = "https://example.com/Setup.exe";
  package.sha256 = std::string(64, 'A');
  package.scope = "either";
  const std::string installer = WingetManifestFiles(package)[2].text;
  EXPECT_EQ(installer.find("\nScope:"), std::string::npos) << installer;
  const std::string entries = installer.substr(installer.find("Installers:\n"));
  const std::string sha = "  InstallerSha256: \"" + std::string(64, 'A') + "\"\n";
  const std::string head =
      "- Architecture: \"x64\"\n  InstallerUrl: \"https://example.com/Setup.exe\"\n" + sha;
  EXPECT_EQ(entries, "Installers:\n" + head +
                         "  Scope: \"user\"\n  ElevationRequirement: \"elevationProhibited\"\n"
                         "  InstallerSwitches:\n    Custom: \"/CURRENTUSER\"\n" +
                         head +
                         "  Scope: \"machine\"\n  ElevationRequirement: \"elevatesSelf\"\n"
                         "  InstallerSwitches:\n    Custom: \"/ALLUSERS\"\n" +
                         installer.substr(installer.find("ManifestType:")));
}

}  // namespace
}  // namespace mksetup
#endif

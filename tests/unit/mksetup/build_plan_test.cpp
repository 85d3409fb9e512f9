// Collecting the archive's entries: their order, which of them are stored
// compressed, and what the folder of files lacks.
#include <gtest/gtest.h>

#include <filesystem>

#include "builder_test_support.h"
#include "mksetup/payload/build_plan.h"
#include "mksetup/host/host_files.h"
#include "mksetup/script_checks/script_check.h"

namespace mksetup {
namespace {

using builder_test::BytesOf;
using builder_test::JoinLines;
using builder_test::ProductFolder;
using builder_test::QuillWriterLines;

struct Planned {
  BuildPlan plan;
  std::vector<std::string> findings;
};

Planned Plan(const ProductFolder& product, const std::vector<std::string>& lines,
             const ToolkitUninstallers& toolkit = {}) {
  const std::vector<std::uint8_t> bytes = BytesOf(JoinLines(lines));
  const ScriptText script = SplitScriptLines(bytes);
  std::vector<std::string> names;
  std::string error;
  EXPECT_TRUE(ListFolderNames(product.FilesPath(), names, error)) << error;
  Diagnostics diagnostics;
  Planned planned;
  planned.plan =
      MakeBuildPlan(script, bytes.size(), product.FilesPath(), names, diagnostics, toolkit);
  for (const Diagnostic& d : diagnostics.Sorted()) {
    planned.findings.push_back(FormatDiagnostic(d, "s.txt", "FILES"));
  }
  return planned;
}

// "name" for plain entries, "name*" for compressed ones.
std::vector<std::string> Layout(const BuildPlan& plan) {
  std::vector<std::string> shown;
  for (const PlannedEntry& entry : plan.entries)
    shown.push_back(entry.name + (entry.compressed ? "*" : ""));
  return shown;
}

TEST(BuildPlan, QuillWriterOrderAndCompression) {
  ProductFolder product;
  product.WriteQuillWriter();
  const Planned planned = Plan(product, QuillWriterLines());
  EXPECT_TRUE(planned.findings.empty()) << ::testing::PrintToString(planned.findings);
  EXPECT_EQ(Layout(planned.plan),
            (std::vector<std::string>{"log_file.txt", "writer.exe*", "writer.cfg*", "top.bmp*",
                                      "side.bmp*", "UnInstaller.exe", "Remove Uninstaller.exe"}));
  EXPECT_TRUE(planned.plan.compressionFlag);

  std::vector<std::string> off = QuillWriterLines();
  off[6] = "0";
  EXPECT_EQ(Layout(Plan(product, off).plan),
            (std::vector<std::string>{"log_file.txt", "writer.exe", "writer.cfg", "top.bmp",
                                      "side.bmp", "UnInstaller.exe", "Remove Uninstaller.exe"}));
}

TEST(BuildPlan, LicenceDuplicatesAndMarkerNames) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteFile("terms.license.txt", "Use it well.\r\n");
  for (const char* name :
       {"UnInstaller.exe.config", "notes Remove Uninstaller.exe.txt", "plain.dat"}) {
    product.WriteFile(name, "x");
  }
  std::vector<std::string> lines = QuillWriterLines();
  // Listed: the licence itself, a file twice, an image among the files, and
  // names that hold a marker of the entries the setup program leaves plain.
  lines.insert(lines.begin() + 12,
               {"terms.license.txt|%InstallPath%\\licence.txt",
                "writer.exe|%InstallPath%\\again\\writer.exe", "side.bmp|%InstallPath%\\side.bmp",
                "UnInstaller.exe.config|%InstallPath%\\UnInstaller.exe.config",
                "notes Remove Uninstaller.exe.txt|%InstallPath%\\notes.txt",
                "plain.dat|%InstallPath%\\plain.dat"});
  const Planned planned = Plan(product, lines);
  EXPECT_TRUE(planned.findings.empty()) << ::testing::PrintToString(planned.findings);
  EXPECT_EQ(Layout(planned.plan),
            (std::vector<std::string>{"log_file.txt", "terms.license.txt", "writer.exe*",
                                      "writer.cfg*", "side.bmp*", "UnInstaller.exe.config",
                                      "notes Remove Uninstaller.exe.txt", "plain.dat*", "top.bmp*",
                                      "UnInstaller.exe", "Remove Uninstaller.exe"}));
}

TEST(BuildPlan, WhatTheFolderLacks) {
  ProductFolder product;
  product.WriteQuillWriter();
  std::filesystem::remove(product.FilePath("writer.cfg"));
  std::filesystem::remove(product.FilePath("side.bmp"));
  std::filesystem::remove(product.FilePath("UnInstaller.exe"));
  std::filesystem::remove(product.FilePath("writer.exe"));
  std::filesystem::create_directory(product.FilePath("writer.exe"));
  const Planned planned = Plan(product, QuillWriterLines());
  const std::string files = product.FilesPath();
  EXPECT_EQ(
      planned.findings,
      (std::vector<std::string>{
          "s.txt:9: error: \"writer.exe\" (a file of \"[fls]\") in " + files +
              " is a folder, not a file",
          "s.txt:10: error: \"writer.cfg\" (a file of \"[fls]\") is missing from " + files,
          "s.txt:11: error: \"UnInstaller.exe\" (the uninstall program) is missing from " + files,
          "s.txt:41: error: \"side.bmp\" (the [Header] image) is missing from " + files}));
}

TEST(BuildPlan, UninstallersNotInstalledByTheFileList) {
  ProductFolder product;
  product.WriteQuillWriter();
  std::filesystem::remove(product.FilePath("Remove Uninstaller.exe"));
  std::vector<std::string> lines = QuillWriterLines();
  lines.erase(lines.begin() + 10, lines.begin() + 12);  // lines 11 and 12
  const Planned planned = Plan(product, lines);
  EXPECT_EQ(
      planned.findings,
      (std::vector<std::string>{
          "s.txt:6: warning: \"[fls]\" does not install \"UnInstaller.exe\", but the setup program "
          "registers it as the uninstall command in the installation folder",
          "s.txt:6: warning: \"[fls]\" does not install \"Remove Uninstaller.exe\", but the uninstall log "
          "lists it in the installation folder",
          "FILES: error: \"Remove Uninstaller.exe\" (the uninstall program's remover) is missing from " +
              product.FilesPath()}));
  // Still carried: the setup program's uninstall registration needs them.
  EXPECT_EQ(planned.plan.entries.back().name, "UnInstaller.exe");
}

TEST(BuildPlan, TheToolkitsUninstallersFillInWhatTheFolderLacks) {
  ProductFolder product;
  product.WriteQuillWriter();
  std::filesystem::remove(product.FilePath("UnInstaller.exe"));
  product.WriteFile("toolkit-uninstaller.exe", "toolkit's");
  product.WriteFile("toolkit-remover.exe", "toolkit's");
  ToolkitUninstallers toolkit;
  toolkit.uninstaller = product.FilePath("toolkit-uninstaller.exe");
  toolkit.remover = product.FilePath("toolkit-remover.exe");
  const Planned planned = Plan(product, QuillWriterLines(), toolkit);
  // The folder's own remover wins, with a note; the missing uninstaller is the toolkit's.
  EXPECT_EQ(planned.findings,
            (std::vector<std::string>{
                "s.txt:12: note: carrying the folder's own \"Remove Uninstaller.exe\" "
                "instead of the toolkit's " +
                toolkit.remover}));
  const std::vector<PlannedEntry>& entries = planned.plan.entries;
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(entries[entries.size() - 2].name, "UnInstaller.exe");
  EXPECT_EQ(entries[entries.size() - 2].sourcePath, toolkit.uninstaller);
  EXPECT_EQ(entries.back().name, "Remove Uninstaller.exe");
  EXPECT_EQ(entries.back().sourcePath, JoinPath(product.FilesPath(), "Remove Uninstaller.exe"));

  // Without the toolkit's, a missing one is still an error.
  EXPECT_EQ(Plan(product, QuillWriterLines()).findings,
            (std::vector<std::string>{
                "s.txt:11: error: \"UnInstaller.exe\" (the uninstall program) is missing from " +
                product.FilesPath()}));
  // Looked for beside mksetup and not there: the message names that file.
  const ToolkitUninstallers absent = {"", "", "/opt/dist/bin/uninstaller64.exe",
                                      "/opt/dist/bin/remover64.exe"};
  EXPECT_EQ(Plan(product, QuillWriterLines(), absent).findings,
            (std::vector<std::string>{
                "s.txt:11: error: no uninstaller64.exe beside mksetup "
                "(/opt/dist/bin/uninstaller64.exe), which goes in as \"UnInstaller.exe\" when " +
                product.FilesPath() +
                " holds none: build the toolkit with scripts/build, or put your own "
                "\"UnInstaller.exe\" into " +
                product.FilesPath()}));
}

TEST(BuildPlan, LicenceTexts) {
  ProductFolder product;
  product.WriteQuillWriter();
  std::vector<std::string> lines = QuillWriterLines();
  lines[14] = "1";  // the licence page is on
  EXPECT_EQ(Plan(product, lines).findings,
            (std::vector<std::string>{
                "s.txt:15: warning: the licence page is on, but no file of " + product.FilesPath() +
                " holds \".lic\" in its name: the page would show an empty licence"}));

  product.WriteFile("a.lic", "A");
  product.WriteFile("b.licence", "B");
  EXPECT_EQ(Plan(product, lines).findings,
            (std::vector<std::string>{
                "s.txt:14: error: several files of " + product.FilesPath() +
                " hold \".lic\" in their names (\"a.lic\", \"b.licence\"): the setup "
                "program shows only one licence text; keep one"}));
}

TEST(BuildPlan, ImageNamesAreTheLastPathComponent) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteFile("logo.bmp", "L");
  std::vector<std::string> lines = QuillWriterLines();
  lines[37] = "%TempDir%\\art\\logo.bmp";
  lines[40] = "%TempDir%\\";
  const Planned planned = Plan(product, lines);
  EXPECT_EQ(planned.findings,
            (std::vector<std::string>{
                "s.txt:41: error: the [Header] image path \"%TempDir%\\\" names no file"}));
  EXPECT_EQ(planned.plan.entries[3].name, "logo.bmp");
}

}  // namespace
}  // namespace mksetup

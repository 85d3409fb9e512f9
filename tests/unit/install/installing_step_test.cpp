// The whole installing step on the Quill Writer payload, its progress
// display, and the short way through when the uninstall log cannot be made.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/previous_install.h"
#include "install/programs_list.h"
#include "format/uninstall_key.h"
#include "install_test_support.h"

namespace {

using install_test::InstallTest;
using install_test::Lines;
using platform::RegistryRoot;

const std::string kFolder = install_test::kInstallPath;

TEST_F(InstallTest, QuillWriterInstallsEverythingItsScriptNames) {
  StageQuillWriter();
  Install();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(sim.ReadFile(kFolder + "\\writer.exe"), "bytes of writer.exe");
  EXPECT_EQ(sim.ReadFile(kFolder + "\\Data\\writer.cfg"), "bytes of writer.cfg");
  EXPECT_EQ(sim.ReadFile(kFolder + "\\UnInstaller.exe"), "bytes of UnInstaller.exe");
  EXPECT_EQ(sim.ReadFile(kFolder + "\\Remove Uninstaller.exe"), "bytes of Remove Uninstaller.exe");

  const std::string target = kFolder + "\\writer.exe";
  EXPECT_EQ(sim.ReadFile(std::string(install_test::kDesktopFolder) + "\\Quill Writer.lnk"),
            target + "\n");
  EXPECT_EQ(
      sim.ReadFile(std::string(install_test::kProgramsFolder) + "\\Quill Writer\\Quill Writer.lnk"),
      target + "\n");
  EXPECT_EQ(programGroup, "Quill Writer");

  const auto installDir =
      Value(RegistryRoot::CurrentUser, "Software\\Acme\\Quill Writer", "InstallDir");
  ASSERT_TRUE(installDir.has_value());
  EXPECT_EQ(installDir->data, install_test::StringValue(kFolder));

  // Each path of the removal list is followed by the three fixed ones.
  std::string removalList;
  for (const char* path : {"\\writer.exe", "\\Data\\writer.cfg", "\\Data\\settings.ini",
                           "\\launched.txt", "\\Data\\"}) {
    removalList +=
        Lines({kFolder + path, kFolder + "\\UnInstaller.exe", kFolder + "\\Remove Uninstaller.exe",
               kFolder + "\\Uninstallerpathtn.ini"});
  }
  EXPECT_EQ(
      Log(),
      Lines({"Quill Writer", kFolder + "\\", "2.0", "Acme",
             "Uninstalling %ProductName% %ProductVersion% ...", "-NA-", "[files]"}) +
          removalList +
          Lines(
              {"[/files]", "[shrt]", "Desktop|Quill Writer", "Program Group|Quill Writer",
               // The folders the step made, deepest first.
               "[folders]", std::string(install_test::kProgramsFolder) + "\\Quill Writer\\",
               kFolder + "\\Data\\", kFolder + "\\", "C:\\Program Files\\Acme\\", "[/shrt]",
               "[regst]", "HKEY_CURRENT_USER|Software\\Acme\\Quill Writer|InstallDir|",
               // the keys the registry pass created, deepest first
               "HKEY_CURRENT_USER\\Software\\Acme\\Quill Writer\\",
               "HKEY_CURRENT_USER\\Software\\Acme\\",
               "HKEY_LOCAL_MACHINE|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill "
               "Writer|",
               "[/regst]"}) +
          "Quill Writer");
}

TEST_F(InstallTest, ProgressComesAfterTheFilesInSevenPausedSteps) {
  StageQuillWriter();
  bool filesThereFirst = false;
  page.onProgress = [&](int percent) {
    if (percent == 0) {
      filesThereFirst = sim.files.Exists(kFolder + "\\writer.exe") && sim.shell.links.empty() &&
                        sim.shell.sleptMilliseconds == 0 && page.backDisabled;
    }
  };
  Install();
  EXPECT_TRUE(filesThereFirst);
  EXPECT_EQ(page.progress, (std::vector<int>{0, 16, 33, 50, 66, 83, 100}));
  EXPECT_EQ(sim.shell.sleptMilliseconds, 7u * 200u);
}

// Outside the program files folders a folder the step makes takes their
// permissions; one that was there keeps its own, as do those inside.
TEST_F(InstallTest, OnlyAnInstallationFolderMadeOutsideProgramFilesIsProtected) {
  StageQuillWriter();
  Install();
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Mine"));
  Install("C:\\Mine");
  EXPECT_TRUE(sim.files.protectedFolders.empty());
  Install("C:\\Apps\\Quill Writer");
  EXPECT_EQ(sim.files.protectedFolders, std::vector<std::string>{"C:\\Apps\\Quill Writer"});
  EXPECT_EQ(sim.ReadFile("C:\\Apps\\Quill Writer\\writer.exe"), "bytes of writer.exe");
}

// A product of one user: its default folder below %LocalAppData%\Programs,
// made as any folder; its entry, digest and log record under
// HKEY_CURRENT_USER, found again by the upgrade; nothing under
// HKEY_LOCAL_MACHINE.
TEST_F(InstallTest, APerUserProductStaysInTheUsersFoldersAndHive) {
  StageQuillWriter();
  scope = format::InstallScope::User;
  EXPECT_EQ(Expander().ExpandPathVariables("%ProgramFiles%\\Acme|%CommonFiles%"),
            "C:\\users\\tester\\AppData\\Local\\Programs\\Acme|"
            "C:\\users\\tester\\AppData\\Local\\Programs\\Common");
  const std::string folder = "C:\\users\\tester\\AppData\\Local\\Programs\\Acme\\Quill Writer";
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer";
  Install(folder);
  EXPECT_EQ(sim.ReadFile(folder + "\\writer.exe"), "bytes of writer.exe");
  EXPECT_TRUE(sim.files.protectedFolders.empty());
  EXPECT_NE(Log().find("\r\nHKEY_CURRENT_USER|" + key + "|\r\n[/regst]"), std::string::npos)
      << Log();
  EXPECT_EQ(install::InstalledLocation(sim.registry, format::UninstallKey("Quill Writer"),
                                       RegistryRoot::CurrentUser),
            folder);
  // The upgrade's look-up finds the installed log vouched for there.
  const install::PreviousInstall previous = install::FindPreviousInstall(
      host, format::UninstallKey("Quill Writer"), "2.0", RegistryRoot::CurrentUser);
  EXPECT_EQ(previous.logText, Log());
  EXPECT_EQ(previous.note, "Repair of version 2.0");
  for (const char* name : {"UninstallString", "UninstallLogSHA256", "DisplayVersion"}) {
    EXPECT_TRUE(Value(RegistryRoot::CurrentUser, key, name).has_value()) << name;
    EXPECT_FALSE(Value(RegistryRoot::LocalMachine, key, name).has_value()) << name;
  }
}

TEST_F(InstallTest, WithoutALogOnlyTheFilesAreInstalled) {
  StageQuillWriter();
  install::CreateFolderPath(sim.files, kFolder + "\\Uninstallerpathtn.ini");  // in the log's way
  const std::size_t valuesBefore = sim.registry.ValueCount();
  Install();
  EXPECT_EQ(sim.ReadFile(kFolder + "\\writer.exe"), "bytes of writer.exe");
  EXPECT_FALSE(page.backDisabled);
  EXPECT_TRUE(page.progress.empty());
  EXPECT_EQ(sim.shell.sleptMilliseconds, 0u);
  EXPECT_TRUE(sim.shell.links.empty());
  EXPECT_EQ(programGroup, "");
  EXPECT_EQ(sim.registry.ValueCount(), valuesBefore);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
#endif

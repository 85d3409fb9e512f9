#include "unattended/unattended_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "wizard/quill_writer_script.h"

namespace {

using format::ExitCode;

constexpr const char* kDefaultFolder = "C:\\Program Files\\Acme\\Quill Writer";
constexpr const char* kLogPath = "C:\\setup.log";

class UnattendedInstallTest : public ::testing::Test {
 protected:
  std::string Staging() { return sim.files.TempFolder() + "$ddinstall\\"; }

  void Stage(const wizard_test::ScriptOptions& options = {}, const std::string& extraEntry = {}) {
    std::string script = wizard_test::QuillWriterScript(options);
    if (!extraEntry.empty()) {
      const std::string anchor = "[/fls]\r\n";
      script.insert(script.find(anchor), extraEntry + "\r\n");
    }
    sim.WriteFile(Staging() + "log_file.txt", script);
    for (const char* name : {"writer.exe", "writer.cfg", "top.bmp", "side.bmp", "UnInstaller.exe",
                             "Remove Uninstaller.exe"}) {
      sim.WriteFile(Staging() + name, std::string("bytes of ") + name);
    }
    sim.WriteFile(Staging() + "licence.lic", "Terms\r\n");
  }

  ExitCode Install(const std::string& folder = {}) {
    EXPECT_TRUE(log.Open(sim.files, kLogPath));
    host.BeQuiet(false);
    return unattended::InstallUnattended(host, log, {.installFolder = folder},
                                         {"%TempDir%\\top.bmp", "%TempDir%\\side.bmp"},
                                         [&](int percent) { progress.push_back(percent); });
  }

  std::string LogText() { return sim.ReadFile(kLogPath).value_or("<no log>"); }
  bool StagedFilesLeft() {
    for (const platform::FolderEntry& entry : sim.files.ListFolder(Staging())) {
      if (!entry.isFolder) return true;
    }
    return false;
  }

  sim::SimPlatform sim;
  unattended::RunLog log;
  unattended::LoggedPlatform host{sim.Get(), log};
  std::vector<int> progress;
};

TEST_F(UnattendedInstallTest, InstallsWhatTheWizardInstallsWithoutAWindowOrAWait) {
  Stage();
  EXPECT_EQ(Install(), ExitCode::Installed);
  const std::string folder = kDefaultFolder;
  EXPECT_EQ(sim.ReadFile(folder + "\\writer.exe"), "bytes of writer.exe");
  EXPECT_EQ(sim.ReadFile(folder + "\\Data\\writer.cfg"), "bytes of writer.cfg");
  EXPECT_TRUE(sim.ReadFile(folder + "\\Uninstallerpathtn.ini").has_value());
  const auto installDir = sim.registry.Find(platform::RegistryRoot::CurrentUser,
                                            "Software\\Acme\\Quill Writer", "InstallDir");
  ASSERT_TRUE(installDir.has_value());
  EXPECT_EQ(std::string(installDir->data.begin(), installDir->data.end() - 1), folder);
  EXPECT_EQ(sim.shell.links.size(), 2u);
  // Never launched, nothing asked, no pause for a progress bar no one sees;
  // the staged files are gone as after Finish.
  EXPECT_TRUE(sim.shell.launched.empty());
  EXPECT_TRUE(sim.messages.shown.empty());
  EXPECT_EQ(sim.shell.sleptMilliseconds, 0u);
  EXPECT_FALSE(StagedFilesLeft());
  EXPECT_EQ(progress.back(), 100);

  const std::string text = LogText();
  for (const std::string& line :
       {"Installation folder: " + folder, "Folder made: " + folder + "\\Data",
        "File copied: " + folder + "\\writer.exe",
        "File written: " + folder + "\\Uninstallerpathtn.ini",
        std::string("Registry value: HKEY_CURRENT_USER\\Software\\Acme\\Quill Writer | InstallDir"),
        std::string(
            "Registry value: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
            "Uninstall\\Quill Writer | UninstallString"),
        "Link: C:\\users\\tester\\Desktop\\Quill Writer.lnk -> " + folder + "\\writer.exe",
        std::string("Staged files deleted")}) {
    EXPECT_NE(text.find(line + "\r\n"), std::string::npos) << line << "\nin:\n" << text;
  }
  EXPECT_EQ(text.find("Message"), std::string::npos) << text;
}

TEST_F(UnattendedInstallTest, AcceptsTheLicenceAndInstallsIntoTheChosenFolder) {
  wizard_test::ScriptOptions options;
  options.licenceFlag = "1";
  Stage(options);
  sim.files.AddDrive('D', platform::DriveKind::Fixed);
  EXPECT_EQ(Install("D:\\My Apps\\Quill"), ExitCode::Installed);
  EXPECT_EQ(sim.ReadFile("D:\\My Apps\\Quill\\writer.exe"), "bytes of writer.exe");
  EXPECT_FALSE(sim.files.Exists(std::string(kDefaultFolder) + "\\writer.exe"));
  const auto installDir = sim.registry.Find(platform::RegistryRoot::CurrentUser,
                                            "Software\\Acme\\Quill Writer", "InstallDir");
  ASSERT_TRUE(installDir.has_value());
  EXPECT_EQ(std::string(installDir->data.begin(), installDir->data.end() - 1),
            "D:\\My Apps\\Quill");
  EXPECT_NE(LogText().find("Licence accepted by the silent run\r\n"), std::string::npos);
}

TEST_F(UnattendedInstallTest, ALockedFolderRefusesAChosenOneButNotItsOwn) {
  wizard_test::ScriptOptions options;
  options.lockFlag = "1";
  Stage(options);
  EXPECT_EQ(Install("C:\\Elsewhere"), ExitCode::BadCommandLine);
  EXPECT_FALSE(sim.files.Exists("C:\\Elsewhere"));
  EXPECT_FALSE(sim.files.Exists(kDefaultFolder));
  EXPECT_NE(LogText().find("Refused: the setup script locks the installation folder"),
            std::string::npos);
}

TEST_F(UnattendedInstallTest, LockedDefaultStillInstalls) {
  wizard_test::ScriptOptions options;
  options.lockFlag = "1";
  Stage(options);
  EXPECT_EQ(Install(), ExitCode::Installed);
  EXPECT_TRUE(sim.files.Exists(std::string(kDefaultFolder) + "\\writer.exe"));
}

TEST_F(UnattendedInstallTest, AFolderOnARefusedDriveIsRefusedWithoutABox) {
  sim.files.AddDrive('E', platform::DriveKind::CdRom);
  Stage();
  EXPECT_EQ(Install("E:\\Quill"), ExitCode::BadCommandLine);
  EXPECT_TRUE(sim.messages.shown.empty());
  EXPECT_FALSE(sim.files.Exists(kDefaultFolder));
  const std::string text = LogText();
  EXPECT_NE(text.find("Message: Destination Folder Path Error\r\n"), std::string::npos) << text;
  EXPECT_NE(
      text.find("Refused: the installation folder E:\\Quill is not on a fixed or removable drive"),
      std::string::npos)
      << text;
}

TEST_F(UnattendedInstallTest, AMessageOfTheInstallingStepIsLoggedAndMakesItAFailure) {
  Stage({}, "writer.cfg|Q:\\Quill Writer\\writer.cfg");  // a drive that does not exist
  EXPECT_EQ(Install(), ExitCode::InstalledWithErrors);
  EXPECT_TRUE(sim.messages.shown.empty());
  EXPECT_TRUE(sim.files.Exists(std::string(kDefaultFolder) + "\\writer.exe"));
  EXPECT_NE(
      LogText().find("Message: Invalid Installation Path for Q:\\Quill Writer\\writer.cfg\r\n"),
      std::string::npos);
}

TEST_F(UnattendedInstallTest, AScriptThatLeadsToNoFolderPageIsUnusable) {
  wizard_test::ScriptOptions options;
  options.licenceFlag.reset();
  Stage(options);
  EXPECT_EQ(Install(), ExitCode::DamagedSetup);
  EXPECT_FALSE(sim.files.Exists(kDefaultFolder));
}

TEST(OutcomeLine, NamesEveryCode) {
  EXPECT_EQ(unattended::OutcomeLine(ExitCode::Installed), "Outcome: 0 (installed)");
  EXPECT_EQ(unattended::OutcomeLine(ExitCode::NoStaging), "Outcome: 5 (no staging folder)");
}

}  // namespace

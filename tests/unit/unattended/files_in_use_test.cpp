// The silent run and files that other programs hold: /CLOSEAPPLICATIONS,
// /NOCLOSEAPPLICATIONS, /NORESTART and the exit code 3010.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_platform.h"
#include "unattended/command_line.h"
#include "unattended/unattended_install.h"
#include "wizard/quill_writer_script.h"

namespace {

using format::ExitCode;
using unattended::ParseCommandLine;

TEST(FilesInUseSwitches, AreAcceptedAndTheLastOfThePairWins) {
  EXPECT_TRUE(ParseCommandLine("setup.exe /S /closeapplications").closeApplications);
  EXPECT_FALSE(
      ParseCommandLine("setup.exe /CLOSEAPPLICATIONS /NOCLOSEAPPLICATIONS").closeApplications);
  const unattended::CommandLine line =
      ParseCommandLine("setup.exe /NORESTART /NOCLOSEAPPLICATIONS");
  EXPECT_TRUE(line.noRestart);
  EXPECT_FALSE(line.closeApplications);
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(unattended::OutcomeLine(ExitCode::RestartNeeded), "Outcome: 3010 (restart needed)");
}

class SilentFilesInUseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string staging = sim.files.TempFolder() + "$ddinstall\\";
    sim.WriteFile(staging + "log_file.txt", wizard_test::QuillWriterScript({}));
    for (const char* name :
         {"writer.exe", "writer.cfg", "UnInstaller.exe", "Remove Uninstaller.exe"})
      sim.WriteFile(staging + name, std::string("bytes of ") + name);
    sim.WriteFile(writer, "old writer");
    sim.filesInUse.busy.insert(writer);
    sim.filesInUse.closingFrees = true;
    ASSERT_TRUE(log.Open(sim.files, "C:\\setup.log"));
    host.BeQuiet(false);
  }
  ExitCode Install() { return unattended::InstallUnattended(host, log, {}, {}, nullptr); }
  std::string LogText() { return sim.ReadFile("C:\\setup.log").value_or(""); }

  const std::string writer = "C:\\Program Files\\Acme\\Quill Writer\\writer.exe";
  sim::SimPlatform sim;
  unattended::RunLog log;
  unattended::LoggedPlatform host{sim.Get(), log};
};

TEST_F(SilentFilesInUseTest, LeavesTheProgramsOpenAndEndsWith3010) {
  EXPECT_EQ(Install(), ExitCode::RestartNeeded);
  EXPECT_EQ(sim.filesInUse.closeRequests, 0u);
  EXPECT_TRUE(sim.filesInUse.questions.empty());
  EXPECT_EQ(sim.ReadFile(writer), "old writer");
  ASSERT_EQ(sim.filesInUse.pendingRenames.size(), 1u);
  const std::string text = LogText();
  EXPECT_NE(text.find("Question: These files that Setup must replace are in use:"),
            std::string::npos);
  EXPECT_NE(text.find("Replaced at restart: " + writer), std::string::npos) << text;
}

TEST_F(SilentFilesInUseTest, ClosesThemWithCloseApplications) {
  host.CloseApplicationsWhenQuiet(true);
  EXPECT_EQ(Install(), ExitCode::Installed);
  EXPECT_EQ(sim.filesInUse.closeRequests, 1u);
  EXPECT_EQ(sim.ReadFile(writer), "bytes of writer.exe");
  EXPECT_NE(LogText().find("Programs that hold files asked to close"), std::string::npos);
}

TEST_F(SilentFilesInUseTest, FailsTheFileWhereOthersCouldRepointItsFolders) {
  sim.filesInUse.exposedFolders = true;
  EXPECT_EQ(Install(), ExitCode::InstalledWithErrors);
  EXPECT_EQ(sim.ReadFile(writer), "old writer");
  EXPECT_FALSE(sim.ReadFile(writer + ".1.new"));
  EXPECT_TRUE(sim.filesInUse.pendingRenames.empty());
  EXPECT_NE(LogText().find("Unable to create file " + writer), std::string::npos);
}

// A run that may ask (not quiet) and is told Cancel ends cancelled, with
// nothing installed, rather than pressing Next on.
TEST_F(SilentFilesInUseTest, ACancelledQuestionEndsTheRunAsCancelled) {
  unattended::LoggedPlatform asking{sim.Get(), log};
  EXPECT_EQ(unattended::InstallUnattended(asking, log, {}, {}, nullptr), ExitCode::Cancelled);
  EXPECT_EQ(sim.filesInUse.questions.size(), 1u);
  EXPECT_EQ(sim.ReadFile(writer), "old writer");
  EXPECT_EQ(LogText().find("Staged files deleted"), std::string::npos) << LogText();
}

}  // namespace

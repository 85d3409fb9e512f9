// The end of the run: programs started at Finish and the staging clean-up.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install_test_support.h"

namespace {

using install_test::InstallTest;
using install_test::Lines;
using install_test::Script;
using Texts = std::vector<std::string>;

TEST_F(InstallTest, EveryTrueLaunchSectionStartsItsProgram) {
  StageScript(Script({Lines({"[launch]", "1", "%InstallPath%\\writer.exe", "[/launch]", "[launch]",
                             "1", "%WindowDir%\\notepad.exe", "[/launch]"})}));
  EXPECT_TRUE(install::LaunchPrograms(host, expander));
  EXPECT_EQ(sim.shell.launched, (Texts{std::string(install_test::kInstallPath) + "\\writer.exe",
                                       "C:\\Windows\\notepad.exe"}));
}

TEST_F(InstallTest, FalseLaunchFlagEndsTheLaunches) {
  StageScript(Script({Lines({"[launch]", "1", "C:\\first.exe", "[/launch]", "[launch]", "0",
                             "C:\\never.exe", "[launch]", "1", "C:\\after.exe"})}));
  EXPECT_FALSE(install::LaunchPrograms(host, expander));
  EXPECT_EQ(sim.shell.launched, (Texts{"C:\\first.exe"}));
}

TEST_F(InstallTest, WithoutLaunchSectionNothingStarts) {
  StageScript(Script({}));
  EXPECT_TRUE(install::LaunchPrograms(host, expander));
  EXPECT_TRUE(sim.shell.launched.empty());
}

TEST_F(InstallTest, StagingCleanUpDeletesTheFilesAndKeepsTheFolders) {
  StageQuillWriter();
  StageFile("images\\top.bmp", "staged in a folder of a tree");
  install::DeleteStagingFiles(sim.files);
  EXPECT_TRUE(sim.files.IsFolder(Staging()));
  EXPECT_FALSE(sim.files.Exists(Staging() + "log_file.txt"));
  EXPECT_FALSE(sim.files.Exists(Staging() + "writer.exe"));
  EXPECT_FALSE(sim.files.Exists(Staging() + "images\\top.bmp"));
  EXPECT_TRUE(sim.files.IsFolder(Staging() + "images"));
  const auto left = sim.files.ListFolder(Staging());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(left[0].isFolder);
}

TEST_F(InstallTest, StagingCleanUpWithoutAStagingFolderDoesNothing) {
  install::DeleteStagingFiles(sim.files);
  EXPECT_FALSE(sim.files.Exists(Staging()));
}

}  // namespace
#endif

// Runs natively only: it needs the simulated machine.
#ifndef _WIN32
// The staging folder before anything is unpacked: what is refused, what is
// made, and that the folder ends up held.
#include <gtest/gtest.h>

#include <filesystem>

#include "package/staging_folder.h"
#include "platform/sim/sim_platform.h"

namespace package {
namespace {

const std::string kTemp = "C:\\users\\tester\\Temp";
const std::string kStaging = kTemp + "\\$ddinstall";

class StagingFolder : public ::testing::Test {
 protected:
  StagingFolder() { sim.files.TempFolder(); }
  std::string Native(const std::string& path) { return sim.files.NativePath(path); }

  sim::SimPlatform sim;
};

TEST_F(StagingFolder, AMissingFolderIsMadeAndAnOldOneReusedBothHeld) {
  const StagingResult made = PrepareStagingFolder(sim.files, kStaging + "\\");
  EXPECT_EQ(made.status, StagingStatus::Ready);
  EXPECT_TRUE(sim.files.IsFolder(kStaging));
  EXPECT_TRUE(sim.files.IsHeld(kStaging));

  sim::SimPlatform again;
  ASSERT_TRUE(again.WriteFile(kStaging + "\\old.txt", "from an earlier run"));
  EXPECT_EQ(PrepareStagingFolder(again.files, kStaging + "\\").status, StagingStatus::Ready);
  EXPECT_TRUE(again.files.IsHeld(kStaging));
  EXPECT_EQ(again.ReadFile(kStaging + "\\old.txt"), "from an earlier run");
}

TEST_F(StagingFolder, ANameTakenByALinkOrAFileIsRefusedAndLeftAlone) {
  // A junction to a folder the user cannot write: unpacking through it would
  // let the elevated setup program write there.
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\win.ini", "[windows]"));
  std::filesystem::create_directory_symlink(Native("C:\\Windows"), Native(kStaging));
  const StagingResult link = PrepareStagingFolder(sim.files, kStaging + "\\");
  EXPECT_EQ(link.status, StagingStatus::IsLink);
  EXPECT_EQ(link.message,
            "Setup does not unpack into " + kStaging +
                ": it is a link, a junction or a file rather than a folder. Remove it and "
                "run setup again.");
  EXPECT_FALSE(sim.files.IsHeld(kStaging));
  EXPECT_TRUE(sim.files.IsReparsePoint(kStaging));

  // A dangling link counts the same: making the folder would follow it.
  std::filesystem::remove(Native(kStaging));
  std::filesystem::create_directory_symlink(Native("C:\\elsewhere"), Native(kStaging));
  EXPECT_EQ(PrepareStagingFolder(sim.files, kStaging).status, StagingStatus::IsLink);
  EXPECT_FALSE(sim.files.Exists("C:\\elsewhere"));

  std::filesystem::remove(Native(kStaging));
  ASSERT_TRUE(sim.WriteFile(kStaging, "a file"));
  EXPECT_EQ(PrepareStagingFolder(sim.files, kStaging + "\\").status, StagingStatus::IsLink);
  EXPECT_EQ(sim.ReadFile(kStaging), "a file");
}

TEST_F(StagingFolder, NoTemporaryFolderOrAnUnmakeableOneIsRefused) {
  const StagingResult none = PrepareStagingFolder(sim.files, "");
  EXPECT_EQ(none.status, StagingStatus::NoTemporaryFolder);
  EXPECT_NE(none.message.find("TEMP"), std::string::npos);

  const StagingResult unmade = PrepareStagingFolder(sim.files, "C:\\missing\\parent\\$ddinstall\\");
  EXPECT_EQ(unmade.status, StagingStatus::CannotMake);
  EXPECT_EQ(unmade.message,
            "Setup cannot create or lock the folder C:\\missing\\parent\\$ddinstall to "
            "unpack the installation files into.");
  EXPECT_FALSE(sim.files.Exists("C:\\missing"));
}

}  // namespace
}  // namespace package
#endif

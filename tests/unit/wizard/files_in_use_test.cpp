// Files that other programs hold when the installing step begins: the
// question about them, and the replacement at the next restart.
#include "wizard_fixture.h"

namespace wizard_test {
namespace {

using platform::InUseAnswer;

constexpr const char* kChoice =
    "\nClose them and click Try Again, or click Continue to have Setup close them. A file still "
    "in use is replaced when the computer restarts.";

class FilesInUseTest : public WizardTest {
 protected:
  void HoldWriter() {
    sim.WriteFile(writer, "old writer");
    sim.filesInUse.busy.insert(writer);
  }
  void Install() {
    Start();
    wizard->OnNext();
    wizard->OnNext();
  }

  const std::string writer = std::string(kDefaultFolder) + "\\writer.exe";
};

TEST_F(FilesInUseTest, NamesTheHoldersAndLeavesWhatStaysBusyToTheNextRestart) {
  HoldWriter();
  sim.filesInUse.holders = "Quill Writer\n";
  sim.filesInUse.answers = {InUseAnswer::Retry, InUseAnswer::CloseThem};
  Install();

  ASSERT_EQ(CurrentPage(), wizard::kFinishPage);
  ASSERT_EQ(sim.filesInUse.questions.size(), 2u);
  EXPECT_EQ(sim.filesInUse.questions[0],
            std::string("These programs hold files that Setup must replace:\n\nQuill Writer\n") +
                kChoice);
  EXPECT_EQ(sim.filesInUse.closeRequests, 1u);
  // The program stayed open: the new bytes wait beside the old file.
  EXPECT_EQ(sim.ReadFile(writer), "old writer");
  ASSERT_EQ(sim.filesInUse.pendingRenames.size(), 1u);
  EXPECT_EQ(sim.filesInUse.pendingRenames[0].to, writer);
  EXPECT_EQ(sim.ReadFile(sim.filesInUse.pendingRenames[0].from), "bytes of writer.exe");
  EXPECT_EQ(sim.ReadFile(std::string(kDefaultFolder) + "\\Data\\writer.cfg"),
            "bytes of writer.cfg");
  EXPECT_TRUE(sim.messages.shown.empty());
  EXPECT_EQ(surface[1030].text, "Restart the computer to complete the installation.");
}

TEST_F(FilesInUseTest, ClosedProgramsLetTheFileBeReplacedNow) {
  HoldWriter();
  sim.filesInUse.closingFrees = true;
  sim.filesInUse.answers = {InUseAnswer::CloseThem};
  Install();

  EXPECT_EQ(sim.ReadFile(writer), "bytes of writer.exe");
  EXPECT_TRUE(sim.filesInUse.pendingRenames.empty());
  EXPECT_EQ(surface[1030].text, "Click Finish to close this Wizard.");
}

TEST_F(FilesInUseTest, CancelEndsTheRunBeforeAnythingIsChanged) {
  HoldWriter();  // no program names: the question names the files
  Install();

  EXPECT_EQ(surface.endResult, wizard::DialogResult::Cancel);
  ASSERT_EQ(sim.filesInUse.questions.size(), 1u);
  EXPECT_EQ(sim.filesInUse.questions[0],
            "These files that Setup must replace are in use:\n\n" + writer + "\n" + kChoice);
  EXPECT_EQ(sim.ReadFile(writer), "old writer");
  EXPECT_FALSE(sim.files.Exists(std::string(kDefaultFolder) + "\\Data"));
  EXPECT_FALSE(sim.files.Exists(std::string(kDefaultFolder) + "\\Uninstallerpathtn.ini"));
  EXPECT_FALSE(StagedFilesLeft());
}

}  // namespace
}  // namespace wizard_test

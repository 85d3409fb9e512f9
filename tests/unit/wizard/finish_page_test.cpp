// The finish page: its texts, the launch offer, and the Finish click.
#include "wizard_fixture.h"

namespace wizard_test {
namespace {

class FinishPageTest : public WizardTest {
 protected:
  // Runs from the welcome page through the installing step.
  void RunToFinish(const ScriptOptions& options) {
    Start(options);
    wizard->OnNext();
    wizard->OnNext();
    ASSERT_EQ(CurrentPage(), wizard::kFinishPage);
  }
  void Finish() {
    wizard->OnNext();
    EXPECT_EQ(surface.endResult, wizard::DialogResult::Ok);
    EXPECT_FALSE(StagedFilesLeft());
    EXPECT_TRUE(sim.files.IsFolder(Staging()));
  }
};

TEST_F(FinishPageTest, OfferedLaunchIsCheckedAndStartsTheChosenFolderProgram) {
  Start({.launchFlag = "1"});
  sim.files.AddDrive('D', platform::DriveKind::Fixed);
  wizard->OnNext();
  sim.shell.browseAnswers.push_back("D:\\Apps");
  wizard->OnBrowse();
  wizard->OnNext();

  EXPECT_EQ(surface[1032].text, "Completing the Quill Writer Setup Wizard");
  EXPECT_EQ(surface[1031].text, "Quill Writer has been installed on your computer.");
  EXPECT_EQ(surface[1030].text, "Click Finish to close this Wizard.");
  EXPECT_TRUE(surface[1029].visible);
  EXPECT_TRUE(surface[1029].checked);
  EXPECT_EQ(surface[1029].text, "Launch Quill Writer");
  EXPECT_FALSE(surface[1033].visible);

  Finish();
  EXPECT_EQ(sim.shell.launched, std::vector<std::string>{"D:\\Apps\\Quill Writer\\writer.exe"});
}

TEST_F(FinishPageTest, ClearingTheOfferLaunchesNothing) {
  RunToFinish({.launchFlag = "1"});
  surface.ClickCheckBox(1029);
  Finish();
  EXPECT_TRUE(sim.shell.launched.empty());
}

TEST_F(FinishPageTest, AnyOtherLaunchFlagHidesTheOffer) {
  RunToFinish({.launchFlag = "0"});
  EXPECT_FALSE(surface[1029].visible);
  EXPECT_FALSE(surface[1029].checked);
  Finish();
  EXPECT_TRUE(sim.shell.launched.empty());
}

TEST_F(FinishPageTest, WithoutALaunchSectionTheBoxStaysEmptyAndStartsNothing) {
  RunToFinish({.launchFlag = std::nullopt});
  EXPECT_TRUE(surface[1029].visible);
  EXPECT_FALSE(surface[1029].checked);
  EXPECT_EQ(surface[1029].text, "");
  surface.ClickCheckBox(1029);
  Finish();
  EXPECT_TRUE(sim.shell.launched.empty());
}

TEST_F(FinishPageTest, TheTextsUseTheFirstLineAsWritten) {
  StagePayload({});
  std::string script = QuillWriterScript();
  script.replace(0, std::string("Quill Writer").size(), "Quill %CompanyName% Writer");
  sim.WriteFile(Staging() + "log_file.txt", script);
  Open();
  wizard->OnNext();
  wizard->OnNext();
  EXPECT_EQ(surface[1032].text, "Completing the Quill %CompanyName% Writer Setup Wizard");
  EXPECT_EQ(surface[1029].text, "Launch Quill %CompanyName% Writer");
}

}  // namespace
}  // namespace wizard_test

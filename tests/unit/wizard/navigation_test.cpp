// The page sequence: every transition of the Next and Back handlers, the
// notice refresh and the exit confirmation.
#include "wizard_fixture.h"

namespace wizard_test {
namespace {

using platform::MessageKind;

TEST_F(WizardTest, LicenceFlagOneShowsTheLicencePageWithoutRunningOn) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  // The caption was still "Next" when the click began.
  EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
  EXPECT_EQ(surface[1002].text, "Accept");
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(wizard->licensePass_, 1);

  Accept();
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kDestinationPage);
  EXPECT_EQ(wizard->licensePass_, 1);
}

TEST_F(WizardTest, OtherLicenceFlagsGoStraightToTheDestinationAndBackToWelcome) {
  for (const char* flag : {"0", "", "1 ", "yes"}) {
    SCOPED_TRACE(std::string("flag '") + flag + "'");
    Start({.licenceFlag = flag});
    wizard->OnNext();
    EXPECT_EQ(CurrentPage(), wizard::kDestinationPage);
    ExpectLayout(surface.Controls(), kDestination);

    wizard->OnBack();
    EXPECT_EQ(CurrentPage(), wizard::kWelcomePage);
    EXPECT_EQ(wizard->licensePass_, 0);
    ExpectLayout(surface.Controls(), kWelcome);
    surface = RecordingSurface();
  }
}

TEST_F(WizardTest, WithoutALicenceSectionNextStaysOnTheWelcomePage) {
  Start({.licenceFlag = std::nullopt});
  wizard->OnNext();
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kWelcomePage);
  EXPECT_EQ(wizard->licensePass_, 0);
  EXPECT_TRUE(surface[1033].visible);
  EXPECT_TRUE(surface[1023].visible);
  EXPECT_FALSE(surface[1009].visible);
}

TEST_F(WizardTest, BackFromTheLicencePageShowsTheWelcomePage) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  wizard->OnBack();
  EXPECT_EQ(CurrentPage(), wizard::kWelcomePage);
  EXPECT_EQ(wizard->licensePass_, 0);
  ExpectLayout(surface.Controls(), kWelcome);

  // The decision is open again: Next reads the flag anew.
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
}

TEST_F(WizardTest, BackFromTheDestinationFindsTheLicenceAccepted) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  Accept();
  wizard->OnNext();
  wizard->OnBack();

  EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
  EXPECT_TRUE(surface[1007].checked);
  EXPECT_TRUE(surface[1002].enabled);
  EXPECT_EQ(surface[1002].text, "Accept");
  EXPECT_EQ(surface[1033].text, "\n\n\tLicense Aggrement");
  EXPECT_TRUE(surface[1033].visible);
  for (const int id : {1008, 1009, 1001, 1011, 1012, 1013, 1015, 1016, 1017}) {
    EXPECT_FALSE(surface[id].visible) << id;
  }

  // Forward again without reading the flag a further time.
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kDestinationPage);
  EXPECT_EQ(wizard->licensePass_, 2);
  ExpectLayout(surface.Controls(), kDestination);

  // The title keeps the second spelling, also when reached from the welcome page.
  wizard->OnBack();
  wizard->OnBack();
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
  EXPECT_EQ(surface[1033].text, "\n\n\tLicense Aggrement");
  EXPECT_FALSE(surface[1007].checked);
}

TEST_F(WizardTest, NoticeIsEmptyForNoNoticeAndExpandedOnEveryNext) {
  Start({.notice = "-N-A-"});
  wizard->OnNext();
  EXPECT_EQ(surface[1039].text, "");

  surface = RecordingSurface();
  Start({.notice = "Installing to %InstallPath%"});
  // While the wizard opens, %InstallPath% is the default folder...
  EXPECT_EQ(surface[1039].text, std::string("Installing to ") + kDefaultFolder);
  sim.files.AddDrive('D', platform::DriveKind::Fixed);
  wizard->OnNext();
  // ...afterwards the path box, empty until the destination page fills it.
  EXPECT_EQ(surface[1039].text, "Installing to ");
  sim.shell.browseAnswers.push_back("D:\\Apps");
  wizard->OnBrowse();
  wizard->OnNext();
  EXPECT_EQ(surface[1039].text, "Installing to D:\\Apps\\Quill Writer");
  EXPECT_EQ(surface.fittedNotice.size(), 1u);
}

TEST_F(WizardTest, ConfirmedExitDeletesTheStagedFilesOnEveryPage) {
  for (const int clicks : {0, 1, 2}) {
    SCOPED_TRACE(clicks);
    Start({.licenceFlag = "1"});
    if (clicks > 0) wizard->OnNext();  // the licence page
    if (clicks > 1) {                  // the destination page
      Accept();
      wizard->OnNext();
    }

    wizard->OnCloseRequested();
    ASSERT_EQ(sim.messages.shown.size(), 1u);
    EXPECT_EQ(sim.messages.shown[0].kind, MessageKind::ExitQuestion);
    EXPECT_EQ(sim.messages.shown[0].text,
              "Setup Installation is not completed yet. If you exit now, the program will "
              "not be installed.\n\nYou may run Setup again at another time to complete "
              "the installation.\n\n Do you want to Exit Setup?");
    EXPECT_EQ(surface.endResult, wizard::DialogResult::Cancel);
    EXPECT_FALSE(StagedFilesLeft());
    EXPECT_TRUE(sim.files.IsFolder(Staging()));
    sim.messages.shown.clear();
    surface = RecordingSurface();
  }
}

TEST_F(WizardTest, DeclinedExitChangesNothing) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  const auto before = surface.Controls();
  sim.messages.answers.push_back(false);
  wizard->OnCloseRequested();

  EXPECT_EQ(sim.messages.shown.size(), 1u);
  EXPECT_FALSE(surface.endResult.has_value());
  EXPECT_TRUE(sim.files.Exists(Staging() + "log_file.txt"));
  EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
  for (const auto& [id, state] : before) {
    EXPECT_EQ(surface[id].visible, state.visible) << id;
    EXPECT_EQ(surface[id].enabled, state.enabled) << id;
    EXPECT_EQ(surface[id].text, state.text) << id;
  }
}

}  // namespace
}  // namespace wizard_test

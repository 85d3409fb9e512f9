// Opening the wizard, and the state of every control on each of its pages
// along the whole run: welcome, licence, destination, installing, finish.
#include <optional>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

TEST_F(WizardTest, OpensOnTheWelcomePageWithTheScriptsTexts) {
  Start();
  ExpectLayout(surface.Controls(), kWelcome);
  EXPECT_EQ(surface.caption, "Quill Writer 2.0 Installation Wizard");
  EXPECT_EQ(surface[1025].text, "Welcome to the Quill Writer Installation Wizard");
  EXPECT_EQ(surface[1024].text,
            "This wizard will guide you through the installation of Quill Writer.");
  // "-N-A-" stands as it is until the first Next; the label is fitted to it.
  EXPECT_EQ(surface[1039].text, "-N-A-");
  EXPECT_EQ(surface.fittedNotice, std::vector<std::string>{"-N-A-"});
  EXPECT_EQ(surface[1014].image, Staging() + "\\side.bmp");
  EXPECT_EQ(surface[1019].image, Staging() + "\\top.bmp");

  EXPECT_EQ(CurrentPage(), wizard::kWelcomePage);
  EXPECT_EQ(wizard->licensePass_, 0);
  EXPECT_EQ(wizard->dialogReady_, 1);
  EXPECT_STREQ(wizard->productName_, "Quill Writer");
  EXPECT_STREQ(wizard->productVersion_, "2.0");
  EXPECT_STREQ(wizard->companyName_, "Acme");
  EXPECT_STREQ(wizard->installPathTemplate_, "%ProgramFiles%\\%CompanyName%\\%ProductName%");
  EXPECT_EQ(wizard->installPath_, kDefaultFolder);
  // Once open, %InstallPath% is the path box, which the destination page fills.
  EXPECT_EQ(wizard->InstallPath(), "");
}

TEST_F(WizardTest, EveryPageOfAFullRunShowsItsLayout) {
  Start({.licenceFlag = "1"});

  wizard->OnNext();
  ExpectLayout(surface.Controls(), kLicence);
  EXPECT_FALSE(surface[1007].checked);
  EXPECT_EQ(surface[1006].backColor, wizard::Rgb(255, 255, 255));
  EXPECT_EQ(surface[1039].text, "");

  Accept();
  EXPECT_TRUE(surface[1002].enabled);
  wizard->OnNext();
  ExpectLayout(surface.Controls(), kDestination);
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
  EXPECT_EQ(surface[1009].backColor, wizard::Rgb(255, 255, 255));
  for (const int id : {1013, 1015, 1017}) {
    EXPECT_EQ(surface[id].backColor, wizard::Rgb(244, 245, 249)) << id;
  }
  // The title is blanked before each new text.
  const std::vector<std::string> titles = surface.textHistory[1033];
  ASSERT_GE(titles.size(), 2u);
  EXPECT_EQ(titles[titles.size() - 2], " ");

  std::optional<std::map<int, ControlState>> installing;
  surface.onProgress = [&](int) {
    if (!installing) installing = surface.Controls();
  };
  wizard->OnNext();
  ASSERT_TRUE(installing.has_value()) << "the installing step showed no progress";
  ExpectLayout(*installing, kInstalling);
  EXPECT_EQ(installing->at(1020).text, "0%");

  ExpectLayout(surface.Controls(), kFinish);
  EXPECT_EQ(surface[1020].progress, 100);
  EXPECT_EQ(surface[1020].text, "100%");
  EXPECT_TRUE(surface.closeGreyed);
  EXPECT_EQ(CurrentPage(), wizard::kFinishPage);
  EXPECT_FALSE(surface.endResult.has_value());

  // Back is hidden there; a stray Back changes nothing.
  const auto finish = surface.Controls();
  wizard->OnBack();
  EXPECT_EQ(CurrentPage(), wizard::kFinishPage);
  EXPECT_EQ(surface[1014].visible, finish.at(1014).visible);
  EXPECT_FALSE(surface[1023].visible);
}

}  // namespace
}  // namespace wizard_test

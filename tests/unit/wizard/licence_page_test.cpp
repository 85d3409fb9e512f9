// The licence page: how the staged licence text is composed, and the accept
// box that gates "Accept".
#include "wizard_fixture.h"

namespace wizard_test {
namespace {

class LicencePageTest : public WizardTest {
 protected:
  // Stages the payload with the given licence entries, then shows the page.
  std::string LicenceBoxFor(const std::map<std::string, std::string>& licences) {
    StagePayload({.licenceFlag = "1"});
    sim.files.RemoveFile(Staging() + "licence.lic");
    for (const auto& [name, text] : licences) sim.WriteFile(Staging() + name, text);
    Open();
    wizard->OnNext();
    EXPECT_EQ(CurrentPage(), wizard::kLicencePage);
    return surface[1006].text;
  }
};

TEST_F(LicencePageTest, LinesJoinAndEveryEmptyLineBecomesAParagraphBreak) {
  EXPECT_EQ(LicenceBoxFor({{"terms.lic", "alpha\r\nbeta\r\n\r\ngamma\r\n"}}),
            "alphabeta\r\n\r\ngamma");
  surface = RecordingSurface();
  EXPECT_EQ(LicenceBoxFor({{"terms.lic", "one\n\n\ntwo"}}), "one\r\n\r\n\r\n\r\ntwo");
}

TEST_F(LicencePageTest, ANameThatMerelyContainsTheMarkCounts) {
  EXPECT_EQ(LicenceBoxFor({{"Quill.license", "Terms"}}), "Terms");
}

TEST_F(LicencePageTest, WithoutALicenceEntryTheBoxIsEmptyAndAcceptanceWorks) {
  EXPECT_EQ(LicenceBoxFor({}), "");
  Accept();
  EXPECT_TRUE(surface[1002].enabled);
}

TEST_F(LicencePageTest, TheAcceptBoxGatesAccept) {
  LicenceBoxFor({{"terms.lic", "Terms"}});
  EXPECT_FALSE(surface[1002].enabled);
  Accept();
  EXPECT_EQ(wizard->accept_, 1);
  EXPECT_TRUE(surface[1002].enabled);
  Accept();
  EXPECT_EQ(wizard->accept_, 0);
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(surface[1002].text, "Accept");
}

}  // namespace
}  // namespace wizard_test

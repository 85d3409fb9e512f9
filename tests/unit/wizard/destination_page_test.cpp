// The destination page: the default folder, the lock, Browse, the drive
// check and the three space figures.
#include <filesystem>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

using platform::DiskSpace;
using platform::DriveKind;

class DestinationPageTest : public WizardTest {
 protected:
  void SetUp() override {
    sim.files.AddDrive('D', DriveKind::Fixed,
                       DiskSpace{1234567890ull, 987654321987ull, 1234567890ull});
    sim.files.AddDrive('N', DriveKind::Remote);
    sim.files.AddDrive('R', DriveKind::CdRom);
  }
  void Browse(std::optional<std::string> answer) {
    sim.shell.browseAnswers.push_back(std::move(answer));
    wizard->OnBrowse();
  }
  std::size_t Messages() const { return sim.messages.shown.size(); }
};

TEST_F(DestinationPageTest, FirstVisitShowsTheDefaultFolderAndItsDrive) {
  Start();
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
  EXPECT_EQ(surface[1015].text, "100.000000 GB");
  EXPECT_EQ(surface[1017].text, "40.000000 GB");
  EXPECT_TRUE(surface[1001].enabled);
  EXPECT_TRUE(surface[1002].enabled);
  EXPECT_EQ(wizard->InstallPath(), kDefaultFolder);
}

TEST_F(DestinationPageTest, TheCommandLineFolderReplacesTheDefault) {
  Start();
  runOptions.installFolder = "D:\\Tools\\Quill";
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "D:\\Tools\\Quill");
  EXPECT_EQ(surface[1015].text, "919.824766 GB");
  EXPECT_TRUE(surface[1001].enabled);
  EXPECT_EQ(wizard->InstallPath(), "D:\\Tools\\Quill");
  // Going Back and coming again keeps it, as it keeps a browsed folder.
  wizard->OnBack();
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "D:\\Tools\\Quill");
}

TEST_F(DestinationPageTest, ALockedScriptKeepsItsFolderOverTheCommandLine) {
  Start({.lockFlag = "1"});
  runOptions.installFolder = "D:\\Tools\\Quill";
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
  EXPECT_FALSE(surface[1009].enabled);
}

TEST_F(DestinationPageTest, AnInstalledVersionsFolderComesBeforeTheDefaultButNotTheCommandLine) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer";
  sim.registry.SetValue(platform::RegistryRoot::LocalMachine, key, "InstallLocation",
                        platform::kRegSz, {'D', ':', '\\', 'Q', 0});
  Start();
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "D:\\Q");
  EXPECT_TRUE(surface[1001].enabled);
  Start();
  runOptions.installFolder = "D:\\Tools\\Quill";
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "D:\\Tools\\Quill");
  Start({.lockFlag = "1"});
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
}

TEST_F(DestinationPageTest, RequiredSpaceOfALoneScriptIsShownInMegabytes) {
  std::string script = QuillWriterScript();
  script += std::string(3268 - script.size() - 2, 'x') + "\r\n";
  ASSERT_EQ(script.size(), 3268u);
  sim.WriteFile(Staging() + "log_file.txt", script);
  Open();
  wizard->OnNext();
  EXPECT_EQ(surface[1013].text, "0.003117 MB");
}

TEST_F(DestinationPageTest, RequiredSpaceCountsTheUninstallProgramsTwiceAndTheStagedTree) {
  sim.WriteFile(Staging() + "Uninstall.exe", std::string(1000, 'u'));
  sim.WriteFile(Staging() + "UnInstaller.exe", std::string(100, 'i'));
  sim.WriteFile(Staging() + "RemoveUninstaller.exe", std::string(10, 'r'));
  sim.WriteFile(Staging() + "SetUp Wizard.exe", "s");
  sim.WriteFile(Staging() + "uninstall.exe.bak", std::string(7, 'b'));
  // A tree product's files, once each whatever their names; nothing
  // through a link to a folder elsewhere.
  sim.WriteFile(Staging() + "sub\\big.bin", std::string(5000, 'f'));
  sim.WriteFile(Staging() + "sub\\deeper\\Uninstall.exe", std::string(300, 'd'));
  sim.WriteFile("C:\\Elsewhere\\huge.bin", std::string(70000, 'h'));
  std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\Elsewhere"),
                                            sim.files.NativePath(Staging() + "link"));
  Open();
  EXPECT_DOUBLE_EQ(wizard->GetRequiredSpace(), (2000 + 100 + 20 + 2 + 7 + 5000 + 300) / 1048576.0);
}

TEST_F(DestinationPageTest, BrowseKeepsTheLastPartOfTheOldFolder) {
  Start();
  wizard->OnNext();

  Browse(std::nullopt);  // cancelled
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
  EXPECT_EQ(surface[1015].text, "100.000000 GB");

  Browse("D:\\");
  EXPECT_EQ(surface[1009].text, "D:\\Quill Writer");
  EXPECT_EQ(surface[1015].text, "919.824766 GB");
  EXPECT_EQ(surface[1017].text, "1.149781 GB");

  Browse("D:\\Apps");
  EXPECT_EQ(surface[1009].text, "D:\\Apps\\Quill Writer");
  EXPECT_EQ(wizard->InstallPath(), "D:\\Apps\\Quill Writer");
  EXPECT_TRUE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 0u);
  // Each browser opened at the folder above the path box's last part.
  const auto& asked = sim.shell.browseRequests;
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].startFolder, "C:\\Program Files\\Acme\\");
  EXPECT_EQ(asked[2].startFolder, "D:\\");
  EXPECT_EQ(asked[2].title, "Choose the folder to install Quill Writer into");
}

TEST_F(DestinationPageTest, BrowsingToAnUnacceptedDriveWarnsAndBlocksNext) {
  Start();
  wizard->OnNext();
  for (const char* refused : {"N:\\Share", "R:\\"}) {
    Browse(refused);
    EXPECT_FALSE(surface[1002].enabled) << refused;
    ASSERT_FALSE(sim.messages.shown.empty());
    EXPECT_EQ(sim.messages.shown.back().kind, platform::MessageKind::Warning);
    EXPECT_EQ(sim.messages.shown.back().text, "Destination Folder Path Error");
  }
  EXPECT_EQ(Messages(), 2u);
  EXPECT_EQ(surface[1009].text, "R:\\Quill Writer");

  Browse("D:\\");
  EXPECT_TRUE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 2u);
}

TEST_F(DestinationPageTest, AFolderWithoutADriveLetterShowsNoSpace) {
  Start();
  wizard->OnNext();
  Browse("\\\\server\\share");
  EXPECT_EQ(surface[1009].text, "\\\\server\\share\\Quill Writer");
  EXPECT_EQ(surface[1015].text, "0.000000 GB");
  EXPECT_EQ(surface[1017].text, "0.000000 GB");
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 1u);
}

TEST_F(DestinationPageTest, AnUnacceptedDefaultBlocksNextWithoutAMessage) {
  Start({.installPath = "N:\\%ProductName%"});
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "N:\\Quill Writer");
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(DestinationPageTest, ChangedPathTextIsCheckedWithAMessage) {
  Start();
  wizard->OnNext();
  surface.SetText(1009, "N:\\Typed");
  wizard->OnPathChanged();
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 1u);
  surface.SetText(1009, "C:\\Typed");
  wizard->OnPathChanged();
  EXPECT_TRUE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 1u);
}

TEST_F(DestinationPageTest, ALockedFolderStaysLockedAfterBackAndNext) {
  Start({.lockFlag = "1"});
  wizard->OnNext();
  EXPECT_TRUE(surface[1001].visible);
  EXPECT_FALSE(surface[1001].enabled);
  EXPECT_FALSE(surface[1009].enabled);

  wizard->OnBack();
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kDestinationPage);
  EXPECT_TRUE(surface[1001].visible);
  EXPECT_FALSE(surface[1001].enabled);
  EXPECT_EQ(surface[1009].text, kDefaultFolder);
  EXPECT_TRUE(wizard->InstallFolderLocked());
}

// What a run without a window asks and does is what the controls show.
TEST_F(DestinationPageTest, TheMovesOfARunWithoutAWindowAgreeWithTheControls) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  wizard->AcceptLicence();
  EXPECT_TRUE(surface[1007].checked);
  EXPECT_TRUE(surface[1002].enabled);
  wizard->OnNext();
  EXPECT_FALSE(wizard->InstallFolderLocked());
  EXPECT_TRUE(wizard->DriveAccepted());

  wizard->EnterInstallFolder("N:\\Typed");
  EXPECT_EQ(wizard->InstallPath(), "N:\\Typed");
  EXPECT_FALSE(wizard->DriveAccepted());
  EXPECT_FALSE(surface[1002].enabled);
  EXPECT_EQ(Messages(), 1u);
  wizard->EnterInstallFolder("D:\\Typed");
  EXPECT_EQ(surface[1015].text, "919.824766 GB");
  EXPECT_TRUE(wizard->DriveAccepted());
  EXPECT_TRUE(surface[1002].enabled);
}

TEST_F(DestinationPageTest, TheChosenFolderSurvivesBackAndNext) {
  Start({.licenceFlag = "1"});
  wizard->OnNext();
  Accept();
  wizard->OnNext();
  Browse("D:\\Apps");

  wizard->OnBack();  // to the licence page, already accepted
  wizard->OnNext();
  EXPECT_EQ(surface[1009].text, "D:\\Apps\\Quill Writer");
  EXPECT_EQ(surface[1015].text, "919.824766 GB");

  wizard->OnBack();
  wizard->OnBack();  // to the welcome page
  wizard->OnNext();
  Accept();
  wizard->OnNext();
  EXPECT_EQ(CurrentPage(), wizard::kDestinationPage);
  EXPECT_EQ(surface[1009].text, "D:\\Apps\\Quill Writer");
}

}  // namespace
}  // namespace wizard_test

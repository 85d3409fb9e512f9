// The folders the installing step creates: recorded in the uninstall log
// inside its shortcut list, read back, and removed again once empty.
#include <gtest/gtest.h>

#include <filesystem>

#include "format/uninstall_log_format.h"
#include "uninstall/created_folders.h"
#include "uninstall/own_files.h"
#include "uninstall/uninstall_texts.h"
#include "uninstall_test_support.h"

namespace {

using install_test::Lines;
using uninstall_test::UninstallTest;

const std::string kCompany = "C:\\Program Files\\Northwind";
const std::string kFolder = kCompany + "\\Mapleleaf Viewer";
const std::string kPrograms = install_test::kProgramsFolder;

class CreatedFoldersTest : public UninstallTest {
 protected:
  // Mapleleaf Viewer: a plugins folder, a nested program group and, when
  // listed, removal lines for its files and the given folders.
  void InstallMapleleaf(std::initializer_list<std::string> listedFolders = {}) {
    StageFile("viewer.exe", "viewer");
    StageFile("UnInstaller.exe", "uninstaller");
    StageFile("Remove Uninstaller.exe", "remover");
    std::string removal = Lines({"[uninst_gene]", "-NA-", "-NA-", "[/uninst_gene]", "[uninst_fls]",
                                 "%InstallPath%\\viewer.exe", "%InstallPath%\\plugins\\"});
    for (const std::string& folder : listedFolders) removal += folder + "\r\n";
    StageScript(install_test::Script(
        {Lines({"[fls]", "1", "Dir|%InstallPath%\\plugins", "viewer.exe|%InstallPath%\\viewer.exe",
                "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
                "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe", "[/fls]",
                "[menu_grp]", "Northwind Labs\\Mapleleaf Viewer", "0", "[/menu_grp]", "[shrt]",
                "Program Group|%InstallPath%\\viewer.exe|Mapleleaf Viewer", "[/shrt]"}),
         removal + Lines({"[/uninst_fls]"})}));
    Install(kFolder);
  }
  int UninstallMapleleaf() {
    return uninstall::RunUninstaller(uninstallerHost, prompts, remover, {kFolder, true});
  }
  std::optional<uninstall::UninstallRecords> ParsedLog(const std::string& text) {
    std::string why;
    std::optional<uninstall::UninstallRecords> log = uninstall::ParseUninstallLog(text, why);
    EXPECT_TRUE(log.has_value()) << why;
    return log;
  }
};

TEST_F(CreatedFoldersTest, LogRecordsThemDeepestFirstWhereAnOlderReaderPassesOver) {
  InstallMapleleaf();
  const std::string folders = Lines(
      {"[folders]", kPrograms + "\\Northwind Labs\\Mapleleaf Viewer\\",
       kPrograms + "\\Northwind Labs\\", kFolder + "\\plugins\\", kFolder + "\\", kCompany + "\\"});
  const std::string shortcuts = "[shrt]\r\nProgram Group|Mapleleaf Viewer\r\n";
  const std::string log = Log();
  ASSERT_NE(log.find(shortcuts + folders + "[/shrt]\r\n"), std::string::npos) << log;

  const auto extended = ParsedLog(log);
  ASSERT_TRUE(extended.has_value());
  EXPECT_EQ(extended->createdFolders,
            (std::vector<std::string>{kPrograms + "\\Northwind Labs\\Mapleleaf Viewer\\",
                                      kPrograms + "\\Northwind Labs\\", kFolder + "\\plugins\\",
                                      kFolder + "\\", kCompany + "\\"}));
  // What a reader without the extension takes from the log is what the
  // same log without it gives: the records have no location, so they are
  // no shortcut of any kind.
  std::string plain = log;
  plain.erase(plain.find(folders), folders.size());
  const auto older = ParsedLog(plain);
  ASSERT_TRUE(older.has_value());
  EXPECT_TRUE(older->createdFolders.empty());
  ASSERT_EQ(extended->shortcuts.size(), 1u);
  EXPECT_EQ(extended->shortcuts[0].location, older->shortcuts[0].location);
  EXPECT_EQ(extended->shortcuts[0].name, older->shortcuts[0].name);
  EXPECT_EQ(extended->files, older->files);
  EXPECT_EQ(extended->registry.size(), older->registry.size());
  EXPECT_EQ(extended->programGroup, older->programGroup);
}

// An upgrade carries the installed version's links in after the new log's
// created folders: a record with a '|' is a link wherever it stands.
TEST_F(CreatedFoldersTest, LinksCarriedInAfterTheFoldersStayLinks) {
  InstallMapleleaf();
  std::string log = Log();
  log.insert(log.find("[/shrt]"), "Desktop|Mapleleaf Viewer 1.0\r\n");
  const auto upgraded = ParsedLog(log);
  ASSERT_TRUE(upgraded.has_value());
  ASSERT_EQ(upgraded->shortcuts.size(), 2u);
  EXPECT_EQ(upgraded->shortcuts[1].name, "Mapleleaf Viewer 1.0");
  EXPECT_EQ(upgraded->createdFolders.size(), 5u);
}

TEST_F(CreatedFoldersTest, EmptiedOnesGoAndTheRemoverTakesThoseAboveItsFolder) {
  // Listing created folders no longer leaves them "holding" each other.
  InstallMapleleaf({kPrograms + "\\Northwind Labs\\", kCompany + "\\"});
  EXPECT_EQ(UninstallMapleleaf(), uninstall::kRemoved);
  EXPECT_FALSE(sim.files.Exists(kPrograms + "\\Northwind Labs"));
  EXPECT_FALSE(sim.files.Exists(kFolder + "\\plugins"));
  EXPECT_TRUE(sim.files.Exists(kPrograms));
  // The installation folder holds the uninstaller's own files; the remover
  // removes it and then the company folder above it.
  EXPECT_EQ(remover.createdAboveStarted, std::vector<unsigned>{1});
  EXPECT_TRUE(sim.files.Exists(kCompany));
  std::vector<uninstall::Leftover> leftovers;
  const uninstall::RemovalGuard guard(sim.files, sim.machine, kFolder);
  for (const std::string& path : uninstall::OwnFilePaths(kFolder)) sim.files.RemoveFile(path);
  sim.files.RemoveFolder(kFolder);
  uninstall::RemoveCreatedFoldersAbove(sim.files, sim.removal, guard, kFolder, 1, leftovers);
  EXPECT_TRUE(leftovers.empty());
  EXPECT_FALSE(sim.files.Exists(kCompany));
  EXPECT_TRUE(sim.files.Exists("C:\\Program Files"));
}

TEST_F(CreatedFoldersTest, FoldersThatWereThereOrHoldAnythingStay) {
  ASSERT_TRUE(sim.files.MakeFolder(kCompany));
  ASSERT_TRUE(sim.WriteFile(kCompany + "\\other.txt", "another product's"));
  InstallMapleleaf();
  ASSERT_TRUE(sim.WriteFile(kPrograms + "\\Northwind Labs\\Other.lnk", "another link"));

  EXPECT_EQ(UninstallMapleleaf(), uninstall::kRemoved);
  EXPECT_FALSE(sim.files.Exists(kPrograms + "\\Northwind Labs\\Mapleleaf Viewer"));
  EXPECT_EQ(sim.ReadFile(kPrograms + "\\Northwind Labs\\Other.lnk"), "another link");
  EXPECT_EQ(remover.createdAboveStarted, std::vector<unsigned>{0});
  EXPECT_EQ(sim.ReadFile(kCompany + "\\other.txt"), "another product's");
}

TEST_F(CreatedFoldersTest, ASystemFolderSetupHadToMakeStaysWithoutAWord) {
  std::filesystem::remove_all(sim.files.NativePath("C:\\Program Files"));
  InstallMapleleaf();
  ASSERT_NE(Log().find("C:\\Program Files\\\r\n"), std::string::npos);
  EXPECT_EQ(UninstallMapleleaf(), uninstall::kRemoved);
  EXPECT_EQ(remover.createdAboveStarted, std::vector<unsigned>{2});
  for (const std::string& path : uninstall::OwnFilePaths(kFolder)) sim.files.RemoveFile(path);
  sim.files.RemoveFolder(kFolder);
  std::vector<uninstall::Leftover> leftovers;
  const uninstall::RemovalGuard guard(sim.files, sim.machine, kFolder);
  uninstall::RemoveCreatedFoldersAbove(sim.files, sim.removal, guard, kFolder, 2, leftovers);
  EXPECT_TRUE(leftovers.empty());
  EXPECT_FALSE(sim.files.Exists(kCompany));
  EXPECT_TRUE(sim.files.IsFolder("C:\\Program Files"));
}

TEST_F(CreatedFoldersTest, AJunctionInPlaceOfACreatedFolderIsNeverFollowed) {
  InstallMapleleaf();
  // A program of the user swaps the program group for a junction to an
  // empty folder of its choosing.
  const std::string group = kPrograms + "\\Northwind Labs\\Mapleleaf Viewer";
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Target"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Target\\Empty"));
  std::filesystem::remove_all(sim.files.NativePath(group));
  std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\Target\\Empty"),
                                            sim.files.NativePath(group));

  EXPECT_EQ(UninstallMapleleaf(), uninstall::kLeftovers);
  EXPECT_TRUE(sim.files.IsFolder("C:\\Target\\Empty"));
  EXPECT_TRUE(sim.files.Exists(kPrograms + "\\Northwind Labs"));
}

}  // namespace

// The "[fls]" pass: what lands where, which message each failure shows, and
// that no entry stops the pass. Also the folder maker's ends.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/file_pass.h"
#include "install_test_support.h"

namespace {

using install_test::InstallTest;
using install_test::Lines;
using install_test::Script;
using platform::DriveKind;
using Texts = std::vector<std::string>;

const std::string kFolder = install_test::kInstallPath;

class FilePassTest : public InstallTest {
 protected:
  void RunPass(std::initializer_list<std::string> entries) {
    std::string section = Lines({"[fls]", "1"});
    for (const std::string& entry : entries) section += entry + "\r\n";
    StageScript(Script({section, Lines({"[/fls]"})}));
    install::RunFilePass(host, expander);
  }
  std::string Installed(const std::string& path) {
    return sim.ReadFile(path).value_or("<missing>");
  }
};

TEST_F(FilePassTest, FolderEntryMakesEveryMissingLevel) {
  RunPass({"Dir|%InstallPath%\\Data\\Cache"});
  EXPECT_TRUE(sim.files.IsFolder(kFolder + "\\Data\\Cache"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FilePassTest, FileIsCopiedIntoNewFoldersAndOverwritesWithoutAsking) {
  StageFile("writer.exe", "new writer");
  StageFile("%ProductName%.txt", "literal name");
  ASSERT_TRUE(sim.WriteFile(kFolder + "\\writer.exe", "old writer"));
  RunPass({"writer.exe|%InstallPath%\\writer.exe", "writer.exe|%InstallPath%\\Bin\\x64\\w.exe",
           "%ProductName%.txt|%InstallPath%\\readme.txt"});
  EXPECT_EQ(Installed(kFolder + "\\writer.exe"), "new writer");
  EXPECT_EQ(Installed(kFolder + "\\Bin\\x64\\w.exe"), "new writer");
  EXPECT_EQ(Installed(kFolder + "\\readme.txt"), "literal name");  // the source is never expanded
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FilePassTest, RefusedDrivesAreReportedAndTheNextEntryIsStillInstalled) {
  StageFile("a.txt", "a");
  sim.files.AddDrive('N', DriveKind::Remote);
  sim.files.AddDrive('R', DriveKind::CdRom);
  sim.files.AddDrive('M', DriveKind::RamDisk);
  sim.files.AddDrive('U', DriveKind::Unknown);
  sim.files.AddDrive('E', DriveKind::Removable);
  RunPass({"a.txt|N:\\share\\a.txt", "a.txt|\\\\server\\share\\a.txt", "a.txt|R:\\a.txt",
           "a.txt|M:\\a.txt", "a.txt|U:\\a.txt", "a.txt|Q:\\a.txt", "a.txt|E:\\stick\\a.txt",
           "a.txt|%InstallPath%\\a.txt"});
  EXPECT_EQ(Messages(), (Texts{"Invalid Installation Path for N:\\share\\a.txt",
                               "Invalid Installation Path for \\\\server\\share\\a.txt",
                               "Invalid Installation Path for R:\\a.txt",
                               "Invalid Installation Path for M:\\a.txt",
                               "Invalid Installation Path for U:\\a.txt",
                               "Invalid Installation Path for Q:\\a.txt"}));
  EXPECT_FALSE(sim.files.Exists("N:\\share"));
  EXPECT_EQ(Installed("E:\\stick\\a.txt"), "a");
  EXPECT_EQ(Installed(kFolder + "\\a.txt"), "a");
}

TEST_F(FilePassTest, FailuresAfterTheDriveCheckShowTheirMessages) {
  StageFile("a.txt", "a");
  ASSERT_TRUE(sim.WriteFile(kFolder + "\\Blocker", "a file where a folder should be"));
  RunPass({"a.txt|%InstallPath%\\Blocker\\a.txt",  // the file counts as the folder
           "missing.txt|%InstallPath%\\missing.txt",
           "%InstallPath%\\nobar.txt",  // no "|": the bare staging folder is the source
           "a.txt|C:a.txt",             // no "\": no folder to put it in
           "no bar and no drive", "a.txt|%InstallPath%\\after.txt"});
  EXPECT_EQ(Messages(), (Texts{"Unable to create file " + kFolder + "\\Blocker\\a.txt",
                               "Unable to create file " + kFolder + "\\missing.txt",
                               "Unable to create file " + kFolder + "\\nobar.txt",
                               "Invalid Installation Path for C:a.txt",
                               "Invalid Installation Path for no bar and no drive"}));
  EXPECT_EQ(Installed(kFolder + "\\Blocker"), "a file where a folder should be");
  EXPECT_EQ(Installed(kFolder + "\\after.txt"), "a");
}

TEST_F(FilePassTest, FlagLineIsNeverAnEntry) {
  StageFile("a.txt", "a");
  StageScript(Script(
      {Lines({"[fls]", "a.txt|%InstallPath%\\flag.txt", "a.txt|%InstallPath%\\a.txt", "[/fls]"})}));
  install::RunFilePass(host, expander);
  EXPECT_FALSE(sim.files.Exists(kFolder + "\\flag.txt"));
  EXPECT_EQ(Installed(kFolder + "\\a.txt"), "a");
}

TEST_F(FilePassTest, EmptyLineEndsThePassButNotTheStep) {
  StageFile("a.txt", "a");
  StageScript(Script({Lines({"[fls]", "1", "a.txt|%InstallPath%\\one.txt", "",
                             "a.txt|%InstallPath%\\two.txt", "[/fls]"}),
                      install_test::UninstallSections()}));
  Install();
  EXPECT_TRUE(sim.files.Exists(kFolder + "\\one.txt"));
  EXPECT_FALSE(sim.files.Exists(kFolder + "\\two.txt"));
  EXPECT_TRUE(Log().starts_with("Quill Writer\r\n"));
}

TEST_F(FilePassTest, EmptyHeaderLineEndsThePassBeforeTheSection) {
  StageFile("a.txt", "a");
  StageScript(Lines({"Quill Writer", "title", "2.0", "Acme", "", "[fls]", "1",
                     "a.txt|%InstallPath%\\a.txt", "[/fls]"}));
  install::RunFilePass(host, expander);
  EXPECT_FALSE(sim.files.Exists(kFolder + "\\a.txt"));
}

TEST(CreateFolderPath, EndsAtEveryTextWithoutParent) {
  sim::SimPlatform sim;
  for (const std::string text :
       {"", "\\", "C:", "C:\\", "relative", "\\\\server\\share\\x", "Q:\\no\\drive", "C:\\\\\\"}) {
    install::CreateFolderPath(sim.files, text);
  }
  EXPECT_FALSE(sim.files.Exists("Q:\\no"));
  install::CreateFolderPath(sim.files, "C:\\made\\with\\slash\\");
  EXPECT_TRUE(sim.files.IsFolder("C:\\made\\with\\slash"));
}

TEST(CreateFolderPath, TextLongerThanAPathMakesNothing) {
  sim::SimPlatform sim;
  std::string deep = "C:\\deep";
  while (deep.size() < 100000) deep += "\\x";
  install::CreateFolderPath(sim.files, deep);
  EXPECT_FALSE(sim.files.Exists("C:\\deep"));
  const std::string longest = "C:\\" + std::string(128, 'n') + "\\" + std::string(127, 'n');
  ASSERT_EQ(longest.size(), 259u);
  install::CreateFolderPath(sim.files, longest);
  EXPECT_TRUE(sim.files.IsFolder(longest));
}

}  // namespace
#endif

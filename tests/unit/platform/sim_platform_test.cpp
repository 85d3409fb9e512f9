// The stand-in machine must behave like the Windows calls it replaces, or
// every native test above it checks the wrong thing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/sim_platform.h"

namespace {

using platform::DriveKind;
using platform::RegistryRoot;

TEST(SimFileSystem, MapsWindowsPathsUnderTheTestRoot) {
  sim::SimPlatform machine;
  EXPECT_EQ(machine.files.NativePath("C:\\a\\\\b\\"), machine.Root() + "/C/a/b");
  EXPECT_EQ(machine.files.NativePath("c:/a/b"), machine.Root() + "/C/a/b");
  EXPECT_EQ(machine.files.NativePath("Q:\\x"), "");
  EXPECT_EQ(machine.files.NativePath("\\\\server\\share"), "");
  EXPECT_EQ(machine.files.NativePath("relative"), "");
}

TEST(SimFileSystem, FolderCreationIsOneLevelLikeCreateDirectory) {
  sim::SimPlatform machine;
  EXPECT_FALSE(machine.files.MakeFolder("C:\\one\\two"));
  EXPECT_TRUE(machine.files.MakeFolder("C:\\one"));
  EXPECT_TRUE(machine.files.MakeFolder("C:\\one\\two"));
  EXPECT_TRUE(machine.files.IsFolder("C:\\one\\two"));
  EXPECT_FALSE(machine.files.MakeFolder("C:\\one\\two"));
}

TEST(SimFileSystem, CopyOverwritesListSortsAndRemoveTakesFilesOnly) {
  sim::SimPlatform machine;
  ASSERT_TRUE(machine.WriteFile("C:\\src\\b.txt", "new"));
  ASSERT_TRUE(machine.WriteFile("C:\\src\\a.txt", "old"));
  ASSERT_TRUE(machine.files.MakeFolder("C:\\src\\sub"));
  EXPECT_TRUE(machine.files.CopyOver("C:\\src\\b.txt", "C:\\src\\a.txt"));
  EXPECT_EQ(machine.ReadFile("C:\\src\\a.txt"), "new");
  EXPECT_FALSE(machine.files.CopyOver("C:\\src\\missing", "C:\\src\\c.txt"));

  const auto entries = machine.files.ListFolder("C:\\src\\");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "a.txt");
  EXPECT_EQ(entries[0].size, 3u);
  EXPECT_TRUE(entries[2].isFolder);

  EXPECT_FALSE(machine.files.RemoveFile("C:\\src\\sub"));
  EXPECT_TRUE(machine.files.RemoveFile("C:\\src\\a.txt"));
  EXPECT_FALSE(machine.files.Exists("C:\\src\\a.txt"));
}

TEST(SimFileSystem, HostSymlinksAreReparsePointsWhereverTheyPoint) {
  sim::SimPlatform machine;
  ASSERT_TRUE(machine.WriteFile("C:\\outside\\keep.txt", "x"));
  ASSERT_TRUE(machine.files.MakeFolder("C:\\app"));
  std::filesystem::create_directory_symlink(machine.files.NativePath("C:\\outside"),
                                            machine.files.NativePath("C:\\app\\link"));
  std::filesystem::create_symlink(machine.files.NativePath("C:\\outside\\keep.txt"),
                                  machine.files.NativePath("C:\\app\\file.lnk"));
  std::filesystem::create_symlink(machine.files.NativePath("C:\\nowhere"),
                                  machine.files.NativePath("C:\\app\\dangling"));

  EXPECT_TRUE(machine.files.IsReparsePoint("C:\\app\\link"));
  EXPECT_TRUE(machine.files.IsReparsePoint("C:\\app\\file.lnk"));
  EXPECT_TRUE(machine.files.IsReparsePoint("C:\\app\\dangling"));
  EXPECT_FALSE(machine.files.IsReparsePoint("C:\\app"));
  EXPECT_FALSE(machine.files.IsReparsePoint("C:\\outside\\keep.txt"));
  EXPECT_FALSE(machine.files.IsReparsePoint("C:\\app\\missing"));

  const auto entries = machine.files.ListFolder("C:\\app");
  ASSERT_EQ(entries.size(), 3u);
  for (const auto& entry : entries) EXPECT_TRUE(entry.isReparsePoint) << entry.name;
  EXPECT_TRUE(entries[2].isFolder);  // "link", a folder link, as a junction lists
}

TEST(SimFileSystem, DrivesHaveKindsAndSpace) {
  sim::SimPlatform machine;
  machine.files.AddDrive('n', DriveKind::Remote);
  EXPECT_EQ(machine.files.DriveKindOf("C:\\"), DriveKind::Fixed);
  EXPECT_EQ(machine.files.DriveKindOf("N:\\"), DriveKind::Remote);
  EXPECT_EQ(machine.files.DriveKindOf("Q:\\"), DriveKind::NoRoot);
  EXPECT_EQ(machine.files.DriveKindOf("\\\\s"), DriveKind::NoRoot);
  platform::DiskSpace space;
  EXPECT_TRUE(machine.files.QueryDiskSpace("C:", space));
  EXPECT_EQ(space.totalBytes, 100ull << 30);
  EXPECT_FALSE(machine.files.QueryDiskSpace("%:", space));
  EXPECT_EQ(machine.files.TempFolder(), "C:\\users\\tester\\Temp\\");
  EXPECT_TRUE(machine.files.IsFolder(machine.files.TempFolder()));
}

TEST(SimRegistry, CreatesThePathAndFoldsCase) {
  sim::SimRegistry registry;
  ASSERT_TRUE(registry.SetValue(RegistryRoot::CurrentUser, "Software\\A\\B", "Name",
                                platform::kRegSz, {'x', 0}));
  EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "software\\a"));
  EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, "software\\a"));
  std::string value;
  EXPECT_TRUE(registry.QueryString(RegistryRoot::CurrentUser, "SOFTWARE\\a\\b", "name", value));
  EXPECT_EQ(value, "x");
  registry.DenyWrites(RegistryRoot::LocalMachine);
  EXPECT_FALSE(registry.SetValue(RegistryRoot::LocalMachine, "K", "", platform::kRegDword, {1, 0, 0, 0}));
}

TEST(SimPlatform, HoldsTheProgramFilesValueAndAnswersFromQueues) {
  sim::SimPlatform machine;
  std::string value;
  ASSERT_TRUE(machine.registry.QueryString(RegistryRoot::LocalMachine,
                                           "Software\\Microsoft\\Windows\\CurrentVersion",
                                           "ProgramFilesPath", value));
  EXPECT_EQ(machine.machine.ExpandEnvironment(value), "C:\\Program Files");
  EXPECT_TRUE(machine.files.IsFolder("C:\\Program Files"));

  machine.messages.answers = {false};
  EXPECT_FALSE(machine.messages.Show(platform::MessageKind::ExitQuestion, "q"));
  EXPECT_TRUE(machine.messages.Show(platform::MessageKind::Warning, "w"));
  ASSERT_EQ(machine.messages.shown.size(), 2u);

  machine.shell.browseAnswers = {std::nullopt, std::string("D:\\")};
  std::string chosen;
  EXPECT_FALSE(machine.shell.BrowseForFolder(chosen));
  EXPECT_TRUE(machine.shell.BrowseForFolder(chosen));
  EXPECT_EQ(chosen, "D:\\");
  EXPECT_FALSE(machine.shell.BrowseForFolder(chosen));

  EXPECT_FALSE(machine.shell.CreateLink("C:\\no\\such\\x.lnk", "C:\\t.exe"));
  EXPECT_TRUE(machine.shell.CreateLink("C:\\x.lnk", "C:\\t.exe"));
  EXPECT_EQ(machine.ReadFile("C:\\x.lnk"), "C:\\t.exe\n");
}

}  // namespace

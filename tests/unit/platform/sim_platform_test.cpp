// The stand-in machine must behave like the Windows calls it replaces, or
// every native test above it checks the wrong thing.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/sim_platform.h"

namespace {

using platform::DriveKind;
using platform::RegistryRoot;

TEST(SimFileSystem, MapsWindowsPathsUnderTheTestRoot) {
  sim::SimPlatform sim;
  EXPECT_EQ(sim.files.NativePath("C:\\a\\\\b\\"), sim.Root() + "/C/a/b");
  EXPECT_EQ(sim.files.NativePath("c:/a/b"), sim.Root() + "/C/a/b");
  EXPECT_EQ(sim.files.NativePath("Q:\\x"), "");
  EXPECT_EQ(sim.files.NativePath("\\\\server\\share"), "");
  EXPECT_EQ(sim.files.NativePath("relative"), "");
}

TEST(SimFileSystem, FolderCreationIsOneLevelLikeCreateDirectory) {
  sim::SimPlatform sim;
  EXPECT_FALSE(sim.files.MakeFolder("C:\\one\\two"));
  EXPECT_TRUE(sim.files.MakeFolder("C:\\one"));
  EXPECT_TRUE(sim.files.MakeFolder("C:\\one\\two"));
  EXPECT_TRUE(sim.files.IsFolder("C:\\one\\two"));
  EXPECT_FALSE(sim.files.MakeFolder("C:\\one\\two"));
}

TEST(SimFileSystem, CopyOverwritesListSortsAndRemoveTakesFilesOnly) {
  sim::SimPlatform sim;
  ASSERT_TRUE(sim.WriteFile("C:\\src\\b.txt", "new"));
  ASSERT_TRUE(sim.WriteFile("C:\\src\\a.txt", "old"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\src\\sub"));
  EXPECT_TRUE(sim.files.CopyOver("C:\\src\\b.txt", "C:\\src\\a.txt"));
  EXPECT_EQ(sim.ReadFile("C:\\src\\a.txt"), "new");
  EXPECT_FALSE(sim.files.CopyOver("C:\\src\\missing", "C:\\src\\c.txt"));

  const auto entries = sim.files.ListFolder("C:\\src\\");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "a.txt");
  EXPECT_EQ(entries[0].size, 3u);
  EXPECT_TRUE(entries[2].isFolder);

  EXPECT_FALSE(sim.files.RemoveFile("C:\\src\\sub"));
  EXPECT_TRUE(sim.files.RemoveFile("C:\\src\\a.txt"));
  EXPECT_FALSE(sim.files.Exists("C:\\src\\a.txt"));
}

TEST(SimFileSystem, HostSymlinksAreReparsePointsWhereverTheyPoint) {
  sim::SimPlatform sim;
  ASSERT_TRUE(sim.WriteFile("C:\\outside\\keep.txt", "x"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\app"));
  std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\outside"),
                                            sim.files.NativePath("C:\\app\\link"));
  std::filesystem::create_symlink(sim.files.NativePath("C:\\outside\\keep.txt"),
                                  sim.files.NativePath("C:\\app\\file.lnk"));
  std::filesystem::create_symlink(sim.files.NativePath("C:\\nowhere"),
                                  sim.files.NativePath("C:\\app\\dangling"));

  EXPECT_TRUE(sim.files.IsReparsePoint("C:\\app\\link"));
  EXPECT_TRUE(sim.files.IsReparsePoint("C:\\app\\file.lnk"));
  EXPECT_TRUE(sim.files.IsReparsePoint("C:\\app\\dangling"));
  EXPECT_FALSE(sim.files.IsReparsePoint("C:\\app"));
  EXPECT_FALSE(sim.files.IsReparsePoint("C:\\outside\\keep.txt"));
  EXPECT_FALSE(sim.files.IsReparsePoint("C:\\app\\missing"));

  const auto entries = sim.files.ListFolder("C:\\app");
  ASSERT_EQ(entries.size(), 3u);
  for (const auto& entry : entries) EXPECT_TRUE(entry.isReparsePoint) << entry.name;
  EXPECT_TRUE(entries[2].isFolder);  // "link", a folder link, as a junction lists
}

TEST(SimFileSystem, DrivesHaveKindsAndSpace) {
  sim::SimPlatform sim;
  sim.files.AddDrive('n', DriveKind::Remote);
  EXPECT_EQ(sim.files.DriveKindOf("C:\\"), DriveKind::Fixed);
  EXPECT_EQ(sim.files.DriveKindOf("N:\\"), DriveKind::Remote);
  EXPECT_EQ(sim.files.DriveKindOf("Q:\\"), DriveKind::NoRoot);
  EXPECT_EQ(sim.files.DriveKindOf("\\\\s"), DriveKind::NoRoot);
  platform::DiskSpace space;
  EXPECT_TRUE(sim.files.QueryDiskSpace("C:", space));
  EXPECT_EQ(space.totalBytes, 100ull << 30);
  EXPECT_FALSE(sim.files.QueryDiskSpace("%:", space));
  EXPECT_EQ(sim.files.TempFolder(), "C:\\users\\tester\\Temp\\");
  EXPECT_TRUE(sim.files.IsFolder(sim.files.TempFolder()));
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
  EXPECT_FALSE(
      registry.SetValue(RegistryRoot::LocalMachine, "K", "", platform::kRegDword, {1, 0, 0, 0}));
}

TEST(SimPlatform, HoldsTheProgramFilesValueAndAnswersFromQueues) {
  sim::SimPlatform sim;
  std::string value;
  ASSERT_TRUE(sim.registry.QueryString(RegistryRoot::LocalMachine,
                                       "Software\\Microsoft\\Windows\\CurrentVersion",
                                       "ProgramFilesPath", value));
  EXPECT_EQ(sim.machine.ExpandMachineVariables(value), "C:\\Program Files");
  EXPECT_TRUE(sim.files.IsFolder("C:\\Program Files"));

  sim.messages.answers = {false};
  EXPECT_FALSE(sim.messages.Show(platform::MessageKind::ExitQuestion, "q"));
  EXPECT_TRUE(sim.messages.Show(platform::MessageKind::Warning, "w"));
  ASSERT_EQ(sim.messages.shown.size(), 2u);

  sim.shell.browseAnswers = {std::nullopt, std::string("D:\\")};
  std::string chosen;
  EXPECT_FALSE(sim.shell.BrowseForFolder("t", "C:\\", chosen));
  EXPECT_TRUE(sim.shell.BrowseForFolder("t", "C:\\", chosen));
  EXPECT_EQ(chosen, "D:\\");
  EXPECT_FALSE(sim.shell.BrowseForFolder("t", "D:\\", chosen));
  ASSERT_EQ(sim.shell.browseRequests.size(), 3u);
  EXPECT_EQ(sim.shell.browseRequests[2].startFolder, "D:\\");

  EXPECT_FALSE(sim.shell.CreateLink("C:\\no\\such\\x.lnk", "C:\\t.exe"));
  EXPECT_TRUE(sim.shell.CreateLink("C:\\x.lnk", "C:\\t.exe"));
  EXPECT_EQ(sim.ReadFile("C:\\x.lnk"), "C:\\t.exe\n");
}

}  // namespace

// What the uninstaller refuses to remove whatever its log says.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/sim_platform.h"
#include "uninstall/own_files.h"
#include "uninstall/removal_guard.h"

namespace {

using uninstall::RemovalGuard;

TEST(RemovalGuard, DriveRootsSystemFoldersAndOddPathsAreRefused) {
  sim::SimPlatform sim;
  const RemovalGuard guard(sim.files, sim.machine);
  for (const char* path :
       {"C:", "C:\\", "c:/", "\\\\server\\share", "\\\\server\\share\\", "C:\\Windows",
        "c:\\windows\\", "C:\\Windows\\System32", "C:\\Program Files", "C:\\Program Files (x86)\\",
        "C:\\users", "C:\\users\\tester", "C:\\users\\tester\\Desktop", "C:\\users\\tester\\Temp\\",
        "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\",
        "relative\\file", "\\rooted\\on\\no\\drive", "C:\\Acme\\..\\Windows", "C:\\Acme\\.\\x"}) {
    EXPECT_FALSE(guard.RefusalReason(path).empty()) << path;
  }
  for (const char* path :
       {"C:\\Program Files\\Acme", "C:\\Windows\\system32\\acme.dll",
        "C:\\users\\tester\\Desktop\\Quill Writer.lnk", "\\\\server\\share\\acme"}) {
    EXPECT_EQ(guard.RefusalReason(path), "") << path;
  }
}

TEST(RemovalGuard, NothingIsReachedThroughALink) {
  sim::SimPlatform sim;
  ASSERT_TRUE(sim.WriteFile("C:\\Elsewhere\\precious.txt", "keep"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Acme"));
  std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\Elsewhere"),
                                            sim.files.NativePath("C:\\Acme\\Linked"));
  const RemovalGuard guard(sim.files, sim.machine);
  EXPECT_FALSE(guard.RefusalReason("C:\\Acme\\Linked\\precious.txt").empty());
  EXPECT_FALSE(guard.RefusalReason("C:\\Acme\\Linked\\").empty());
  EXPECT_EQ(guard.RefusalReason("C:\\Acme\\Other.txt"), "");

  std::vector<uninstall::Leftover> leftovers;
  uninstall::RemoveListedFiles(
      sim.files, guard, {"C:\\Acme\\Linked\\precious.txt", "C:\\Acme\\Linked\\"}, {}, leftovers);
  EXPECT_EQ(sim.ReadFile("C:\\Elsewhere\\precious.txt"), "keep");
  EXPECT_EQ(leftovers.size(), 2u);
}

TEST(OwnFiles, TheRemoverTakesTheThreeFilesThenTheEmptyFolder) {
  sim::SimPlatform sim;
  const std::string folder = "C:\\Program Files\\Acme";
  for (const std::string& path : uninstall::OwnFilePaths(folder))
    ASSERT_TRUE(sim.WriteFile(path, "x"));
  const RemovalGuard guard(sim.files, sim.machine);
  EXPECT_TRUE(uninstall::RemoveOwnFiles(sim.files, sim.shell, guard, folder).empty());
  EXPECT_FALSE(sim.files.Exists(folder));
  EXPECT_TRUE(sim.files.Exists("C:\\Program Files"));

  // A file of the user's keeps the folder; a system folder is never taken.
  for (const std::string& path : uninstall::OwnFilePaths(folder))
    ASSERT_TRUE(sim.WriteFile(path, "x"));
  ASSERT_TRUE(sim.WriteFile(folder + "\\mine.txt", "mine"));
  const auto leftovers = uninstall::RemoveOwnFiles(sim.files, sim.shell, guard, folder);
  ASSERT_EQ(leftovers.size(), 1u);
  EXPECT_EQ(leftovers[0].item, folder);
  EXPECT_EQ(sim.files.ListFolder(folder).size(), 1u);
  EXPECT_FALSE(uninstall::RemoveOwnFiles(sim.files, sim.shell, guard, "C:\\Program Files").empty());
}

}  // namespace

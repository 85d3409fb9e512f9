// What the uninstaller refuses to remove whatever its log says.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/sim_platform.h"
#include "uninstall/own_files.h"
#include "uninstall/removal_guard.h"

namespace {

using uninstall::RemovalGuard;

constexpr const char* kOwnFolder = "C:\\Program Files\\Acme";

TEST(RemovalGuard, DriveRootsSystemFoldersAndOddPathsAreRefused) {
  sim::SimPlatform sim;
  const RemovalGuard guard(sim.files, sim.machine, kOwnFolder);
  for (const char* path :
       {"C:", "C:\\", "c:/", "\\\\server\\share", "\\\\server\\share\\", "C:\\Windows",
        "c:\\windows\\", "C:\\Windows\\System32", "C:\\Program Files", "C:\\Program Files (x86)\\",
        "C:\\users", "C:\\users\\tester", "C:\\users\\tester\\Desktop", "C:\\users\\tester\\Temp\\",
        "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\",
        "relative\\file", "\\rooted\\on\\no\\drive", "C:\\Acme\\..\\Windows", "C:\\Acme\\.\\x"}) {
    EXPECT_FALSE(guard.RefusalReason(path).empty()) << path;
  }
  for (const char* path : {"C:\\Program Files\\Acme", "C:\\Program Files\\Acme\\bin\\acme.dll",
                           "C:\\users\\tester\\Desktop\\Quill Writer.lnk",
                           "\\\\server\\share\\acme", "C:\\Apps\\Acme\\acme.exe"}) {
    EXPECT_EQ(guard.RefusalReason(path), "") << path;
  }
  // Nothing in the Windows folder, whatever the product put there.
  EXPECT_FALSE(guard.RefusalReason("C:\\Windows\\system32\\acme.dll").empty());
}

TEST(RemovalGuard, NoSpellingOfAProtectedFolderGetsThrough) {
  sim::SimPlatform sim;
  const RemovalGuard guard(sim.files, sim.machine, kOwnFolder);
  for (const char* path : {
           "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Templates.\\",
           "C:\\users\\tester\\Documents. .",
           "C:\\users\\tester\\Desktop::$INDEX_ALLOCATION",
           "C:\\Program Files\\Acme\\x.dat::$DATA",
           "\\\\?\\C:\\Program Files\\Acme\\x.dat",
           "\\\\.\\C:\\Program Files\\Acme\\x.dat",
           "\\\\?\\UNC\\localhost\\C$\\Windows\\win.ini",
           "\\\\127.0.0.1\\c$\\Windows\\win.ini",
           "C:\\Windows\\system32\\drivers\\etc\\hosts",
           "C:\\Program Files\\Other\\other.exe",
           "C:\\Program Files (x86)\\Other\\other.exe",
           "C:\\Program Files\\Common Files\\shared.dll",
           "C:\\Program Files\\Acme2\\x.dat",
           "C:\\ProgramData\\Other\\settings.ini",
           "C:\\PROGRA~1\\Other\\other.exe",
       }) {
    EXPECT_FALSE(guard.RefusalReason(path).empty()) << path;
  }
  // Without a folder of its own, nothing in Program Files is the product's;
  // nor is all of it when the log names Program Files as that folder.
  for (const char* own : {"", "C:\\Program Files", "C:\\Windows\\Acme", "relative"}) {
    const RemovalGuard without(sim.files, sim.machine, own);
    EXPECT_FALSE(without.RefusalReason("C:\\Program Files\\Acme\\x.dat").empty()) << own;
  }
}

TEST(RemovalGuard, RegistryKeysTheSystemStartsFromAreRefused) {
  using platform::RegistryRoot;
  for (const char* key :
       {"SYSTEM\\CurrentControlSet\\Services\\Acme", "\\system\\\\ControlSet001\\Services",
        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\a.exe",
        "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution "
        "Options"}) {
    EXPECT_FALSE(uninstall::RegistryRefusalReason(RegistryRoot::LocalMachine, key).empty()) << key;
  }
  EXPECT_FALSE(uninstall::RegistryRefusalReason(RegistryRoot::CurrentConfig, "Software").empty());
  EXPECT_EQ(uninstall::RegistryRefusalReason(RegistryRoot::LocalMachine, "SOFTWARE\\Acme"), "");
  EXPECT_EQ(uninstall::RegistryRefusalReason(RegistryRoot::CurrentUser, "SYSTEM\\Acme"), "");
}

TEST(RemovalGuard, NothingIsReachedThroughALink) {
  sim::SimPlatform sim;
  ASSERT_TRUE(sim.WriteFile("C:\\Elsewhere\\precious.txt", "keep"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Acme"));
  std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\Elsewhere"),
                                            sim.files.NativePath("C:\\Acme\\Linked"));
  const RemovalGuard guard(sim.files, sim.machine, "C:\\Acme");
  EXPECT_FALSE(guard.RefusalReason("C:\\Acme\\Linked\\precious.txt").empty());
  EXPECT_FALSE(guard.RefusalReason("C:\\Acme\\Linked\\").empty());
  EXPECT_EQ(guard.RefusalReason("C:\\Acme\\Other.txt"), "");

  std::vector<uninstall::Leftover> leftovers;
  uninstall::RemoveListedFiles(sim.files, sim.removal, guard,
                               {"C:\\Acme\\Linked\\precious.txt", "C:\\Acme\\Linked\\"}, {},
                               leftovers);
  EXPECT_EQ(sim.ReadFile("C:\\Elsewhere\\precious.txt"), "keep");
  EXPECT_EQ(leftovers.size(), 2u);
}

TEST(OwnFiles, TheRemoverTakesTheThreeFilesThenTheEmptyFolder) {
  sim::SimPlatform sim;
  const std::string folder = "C:\\Program Files\\Acme";
  for (const std::string& path : uninstall::OwnFilePaths(folder))
    ASSERT_TRUE(sim.WriteFile(path, "x"));
  const RemovalGuard guard(sim.files, sim.machine, folder);
  EXPECT_TRUE(uninstall::RemoveOwnFiles(sim.files, sim.removal, sim.shell, guard, folder).empty());
  EXPECT_FALSE(sim.files.Exists(folder));
  EXPECT_TRUE(sim.files.Exists("C:\\Program Files"));

  // A file of the user's keeps the folder; a system folder is never taken.
  for (const std::string& path : uninstall::OwnFilePaths(folder))
    ASSERT_TRUE(sim.WriteFile(path, "x"));
  ASSERT_TRUE(sim.WriteFile(folder + "\\mine.txt", "mine"));
  const auto leftovers =
      uninstall::RemoveOwnFiles(sim.files, sim.removal, sim.shell, guard, folder);
  ASSERT_EQ(leftovers.size(), 1u);
  EXPECT_EQ(leftovers[0].item, folder);
  EXPECT_EQ(sim.files.ListFolder(folder).size(), 1u);
  EXPECT_FALSE(
      uninstall::RemoveOwnFiles(sim.files, sim.removal, sim.shell, guard, "C:\\Program Files")
          .empty());
}

}  // namespace

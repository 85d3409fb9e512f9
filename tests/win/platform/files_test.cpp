#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/win32_removal.h"
#include "scratch_folder.h"

namespace {

using platform::DriveKind;
using platform_tests::ReadBytes;
using platform_tests::ScratchFolder;
using platform_tests::WriteBytes;

class FilesTest : public ::testing::Test {
 protected:
  platform::FileSystem& files = win32::Win32Platform().files;
  platform::Removal& removal = win32::Win32UninstallerPlatform().removal;
  ScratchFolder scratch{files};
};

TEST_F(FilesTest, TempFolderIsAnExistingFolderEndingInABackslash) {
  const std::string temp = files.TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(files.IsFolder(temp));
  EXPECT_TRUE(files.IsFolder(scratch.Path()));
}

TEST_F(FilesTest, MakeFolderMakesOneLevelWhoseParentExists) {
  EXPECT_TRUE(files.MakeFolder(scratch / "a"));
  EXPECT_TRUE(files.IsFolder(scratch / "a"));
  EXPECT_FALSE(files.MakeFolder(scratch / "a"));  // already there
  EXPECT_FALSE(files.MakeFolder(scratch / "missing\\b"));
  EXPECT_FALSE(files.Exists(scratch / "missing"));
}

TEST_F(FilesTest, OpenedFileIsWrittenAndFoundAsAFile) {
  std::FILE* file = files.OpenFile(scratch / "note.txt", "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("hello", file);
  std::fclose(file);
  EXPECT_TRUE(files.Exists(scratch / "note.txt"));
  EXPECT_FALSE(files.IsFolder(scratch / "note.txt"));
  EXPECT_EQ(ReadBytes(scratch / "note.txt"), "hello");
  EXPECT_EQ(files.OpenFile(scratch / "missing\\note.txt", "wb"), nullptr);
  EXPECT_FALSE(files.Exists(scratch / "nothing.txt"));
  EXPECT_FALSE(files.IsFolder(scratch / "nothing.txt"));
}

TEST_F(FilesTest, CopyOverCreatesAndReplacesTheDestination) {
  ASSERT_TRUE(WriteBytes(scratch / "from.txt", "first"));
  EXPECT_TRUE(files.CopyOver(scratch / "from.txt", scratch / "to.txt"));
  EXPECT_EQ(ReadBytes(scratch / "to.txt"), "first");
  ASSERT_TRUE(WriteBytes(scratch / "from.txt", "second, longer"));
  EXPECT_TRUE(files.CopyOver(scratch / "from.txt", scratch / "to.txt"));
  EXPECT_EQ(ReadBytes(scratch / "to.txt"), "second, longer");
  EXPECT_FALSE(files.CopyOver(scratch / "none.txt", scratch / "to2.txt"));
  EXPECT_FALSE(files.Exists(scratch / "to2.txt"));
}

TEST_F(FilesTest, ListFolderGivesNamesKindsAndSizesWithoutDotEntries) {
  ASSERT_TRUE(WriteBytes(scratch / "one.txt", "abc"));
  ASSERT_TRUE(WriteBytes(scratch / "two.bin", std::string(5000, 'x')));
  ASSERT_TRUE(files.MakeFolder(scratch / "sub"));
  ASSERT_TRUE(WriteBytes(scratch / "sub\\inner.txt", "not listed"));

  std::vector<platform::FolderEntry> entries = files.ListFolder(scratch.Path());
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "one.txt");
  EXPECT_FALSE(entries[0].isFolder);
  EXPECT_EQ(entries[0].size, 3u);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].isFolder);
  EXPECT_EQ(entries[2].name, "two.bin");
  EXPECT_EQ(entries[2].size, 5000u);

  // A trailing backslash lists the same folder.
  EXPECT_EQ(files.ListFolder(scratch.Path() + "\\").size(), 3u);
  EXPECT_TRUE(files.ListFolder(scratch / "missing").empty());
  EXPECT_TRUE(files.ListFolder("").empty());
}

TEST_F(FilesTest, RemoveFileDeletesFilesButNotFolders) {
  ASSERT_TRUE(WriteBytes(scratch / "gone.txt", "x"));
  ASSERT_TRUE(files.MakeFolder(scratch / "kept"));
  EXPECT_TRUE(files.RemoveFile(scratch / "gone.txt"));
  EXPECT_FALSE(files.Exists(scratch / "gone.txt"));
  EXPECT_FALSE(files.RemoveFile(scratch / "gone.txt"));
  EXPECT_FALSE(files.RemoveFile(scratch / "kept"));
  EXPECT_TRUE(files.IsFolder(scratch / "kept"));
}

TEST_F(FilesTest, RemoveFolderTakesEmptyFoldersOnly) {
  ASSERT_TRUE(files.MakeFolder(scratch / "full"));
  ASSERT_TRUE(WriteBytes(scratch / "full\\inside.txt", "x"));
  ASSERT_TRUE(files.MakeFolder(scratch / "empty"));
  EXPECT_FALSE(removal.RemoveFolder(scratch / "full"));
  EXPECT_TRUE(files.Exists(scratch / "full\\inside.txt"));
  EXPECT_TRUE(removal.RemoveFolder(scratch / "empty"));
  EXPECT_FALSE(files.Exists(scratch / "empty"));
  // Plain files and folders are no reparse points.
  EXPECT_FALSE(files.IsReparsePoint(scratch / "full"));
  EXPECT_FALSE(files.IsReparsePoint(scratch / "full\\inside.txt"));
}

// The uninstaller's checks of a folder's path come before the removal; a
// program of the user may re-point a folder on the way to a junction in
// between, so that the same name leads to an empty folder elsewhere. Wine 8
// answers CreateSymbolicLinkA without making a link, so scripts/test-win-units
// plants one from the host's side: FOLDER\menu leading to FOLDER\elsewhere,
// which holds the empty folder Group.
TEST_F(FilesTest, RemovalNeverGoesThroughALinkPlantedAfterTheChecks) {
  const char* planted = std::getenv("SETUPKIT_PLANTED_LINK");
  const std::string top = planted != nullptr ? planted : scratch.Path();
  if (planted == nullptr) {
    ASSERT_TRUE(files.MakeFolder(top + "\\elsewhere"));
    ASSERT_TRUE(files.MakeFolder(top + "\\elsewhere\\Group"));
    ASSERT_TRUE(WriteBytes(top + "\\elsewhere\\kept.txt", "kept"));
    CreateSymbolicLinkA((top + "\\menu").c_str(), (top + "\\elsewhere").c_str(),
                        SYMBOLIC_LINK_FLAG_DIRECTORY);
  }
  if (!files.IsReparsePoint(top + "\\menu")) GTEST_SKIP() << "no folder link could be made here";
  ASSERT_TRUE(files.IsFolder(top + "\\menu\\Group"));
  EXPECT_FALSE(removal.RemoveFolder(top + "\\menu\\Group"));
  EXPECT_TRUE(files.IsFolder(top + "\\elsewhere\\Group"));
  EXPECT_TRUE(removal.RemoveFolder(top + "\\elsewhere\\Group"));
  // A file is removed through a handle as well.
  EXPECT_FALSE(files.RemoveFile(top + "\\menu\\kept.txt"));
  EXPECT_TRUE(files.RemoveFile(top + "\\elsewhere\\kept.txt"));
  // Nor the link itself, nor the empty folder it leads to.
  EXPECT_FALSE(removal.RemoveFolder(top + "\\menu"));
  EXPECT_TRUE(files.IsReparsePoint(top + "\\menu"));
  EXPECT_TRUE(files.IsFolder(top + "\\elsewhere"));
  if (planted == nullptr) RemoveDirectoryA((top + "\\menu").c_str());
}

TEST_F(FilesTest, AStagedFileStaysLockedAgainstWritesDeletesAndRenamesButReads) {
  const std::string staged = scratch / "writer.exe";
  ASSERT_TRUE(WriteBytes(staged, "an older, longer file of that name"));
  std::FILE* stream = files.CreateStagedFile(staged);
  ASSERT_NE(stream, nullptr);
  ASSERT_GE(std::fputs("payload bytes", stream), 0);
  ASSERT_EQ(std::fclose(stream), 0);

  // What another program of the user would try; the share modes hold
  // within one process as they do across processes.
  const HANDLE writer = CreateFileA(staged.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(DeleteFileA(staged.c_str()));
  EXPECT_FALSE(MoveFileA(staged.c_str(), (scratch / "moved.exe").c_str()));
  ASSERT_TRUE(WriteBytes(scratch / "own.exe", "another program's bytes"));
  EXPECT_FALSE(CopyFileA((scratch / "own.exe").c_str(), staged.c_str(), FALSE));

  // The setup program itself still reads and copies it.
  EXPECT_EQ(ReadBytes(staged), "payload bytes");
  EXPECT_TRUE(files.CopyOver(staged, scratch / "installed.exe"));
  EXPECT_EQ(ReadBytes(scratch / "installed.exe"), "payload bytes");
  // Its own clean-up ends the lock.
  EXPECT_TRUE(files.RemoveFile(staged));
  EXPECT_FALSE(files.Exists(staged));
  // A folder of the name cannot be replaced.
  ASSERT_TRUE(files.MakeFolder(scratch / "dir.cfg"));
  EXPECT_EQ(files.CreateStagedFile(scratch / "dir.cfg"), nullptr);
}

// Staged in an elevated run's private folder, a file moves into place through
// its held handle. The move replaces the name at the destination: a hard link
// planted there to another file (a system file in a real attack) is replaced,
// and that file keeps its bytes. The installed file is no longer held.
TEST_F(FilesTest, AStagedFileMovesIntoPlaceReplacingAHardLinkPlantedThere) {
  win32::Win32FileSystem setup;
  ASSERT_TRUE(setup.UsePrivateTempFolder());
  const std::string staged = setup.TempFolder() + "writer.exe";
  std::FILE* stream = setup.CreateStagedFile(staged);
  ASSERT_NE(stream, nullptr);
  ASSERT_GE(std::fputs("payload bytes", stream), 0);
  ASSERT_EQ(std::fclose(stream), 0);
  EXPECT_EQ(ReadBytes(staged), "payload bytes");  // still readable by others
  ASSERT_TRUE(files.MakeFolder(scratch / "App"));
  const std::string installed = scratch / "App\\writer.exe";
  ASSERT_TRUE(WriteBytes(scratch / "victim.dll", "victim bytes"));
  ASSERT_TRUE(CreateHardLinkA(installed.c_str(), (scratch / "victim.dll").c_str(), nullptr));

  EXPECT_FALSE(setup.MoveStagedFile(setup.TempFolder() + "not-staged.exe", installed));
  ASSERT_TRUE(setup.MoveStagedFile(staged, installed));
  EXPECT_EQ(ReadBytes(installed), "payload bytes");
  EXPECT_EQ(ReadBytes(scratch / "victim.dll"), "victim bytes");
  EXPECT_FALSE(files.Exists(staged));
  EXPECT_TRUE(DeleteFileA(installed.c_str()));
  // The clean-up deletes another staged file through its held handle, found
  // under any spelling of its letters' case.
  std::FILE* other = setup.CreateStagedFile(setup.TempFolder() + "Other.DLL");
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(std::fclose(other), 0);
  EXPECT_TRUE(setup.RemoveFile(setup.TempFolder() + "other.dll"));
  EXPECT_FALSE(files.Exists(setup.TempFolder() + "Other.DLL"));
  EXPECT_FALSE(setup.MoveStagedFile(setup.TempFolder() + "Other.DLL", installed));
  EXPECT_TRUE(setup.RemovePrivateTempFolder());
}

TEST_F(FilesTest, TwoThreadsStageFilesAtOnceAndEachStaysHeld) {
  // The extraction's pattern: both threads make staged files in one folder
  // while the list of held files grows; afterwards every file is whole,
  // locked against others, and released by the program's own clean-up.
  win32::Win32Threads threads;
  constexpr int kPerThread = 40;
  DWORD besideThread = 0;
  bool allMade[2] = {true, true};
  const auto stage = [&](int side) {
    for (int i = 0; i < kPerThread; ++i) {
      const std::string name = scratch / ("t" + std::to_string(side) + "_" + std::to_string(i));
      std::FILE* stream = files.CreateStagedFile(name);
      if (stream == nullptr) {
        allMade[side] = false;
        continue;
      }
      const std::string text(static_cast<std::size_t>(1000 + i), static_cast<char>('a' + side));
      std::fwrite(text.data(), 1, text.size(), stream);
      if (std::fclose(stream) != 0) allMade[side] = false;
    }
  };
  threads.RunBeside(
      [&] {
        besideThread = GetCurrentThreadId();
        stage(1);
      },
      [&] { stage(0); });
  EXPECT_NE(besideThread, 0u);
  EXPECT_NE(besideThread, GetCurrentThreadId());
  EXPECT_TRUE(allMade[0]);
  EXPECT_TRUE(allMade[1]);
  for (int side = 0; side < 2; ++side) {
    for (int i = 0; i < kPerThread; ++i) {
      const std::string name = scratch / ("t" + std::to_string(side) + "_" + std::to_string(i));
      EXPECT_EQ(ReadBytes(name),
                std::string(static_cast<std::size_t>(1000 + i), static_cast<char>('a' + side)));
      EXPECT_FALSE(DeleteFileA(name.c_str())) << name << " is not held";
      EXPECT_TRUE(files.RemoveFile(name)) << name;
    }
  }
}

TEST_F(FilesTest, AHeldFolderCannotBeRenamedAway) {
  // Held to the end of the test program, so it outlives the scratch folder.
  const std::string folder = scratch / "$ddinstall";
  ASSERT_TRUE(files.MakeFolder(folder));
  ASSERT_TRUE(files.HoldFolder(folder));
  EXPECT_FALSE(MoveFileA(folder.c_str(), (scratch / "elsewhere").c_str()));
  EXPECT_TRUE(files.IsFolder(folder));
  EXPECT_FALSE(files.IsReparsePoint(folder));
  EXPECT_FALSE(files.HoldFolder(scratch / "missing"));
  ASSERT_TRUE(WriteBytes(scratch / "plain.txt", "x"));
  EXPECT_FALSE(files.HoldFolder(scratch / "plain.txt"));
}

// A file with a second hard link (the link elsewhere in real attacks) is
// refused as a log and left as it was; a plain one is emptied and written.
TEST_F(FilesTest, ALogFileIsNeverAFileWithOtherHardLinksOrAFolder) {
  ASSERT_TRUE(WriteBytes(scratch / "target.ini", "[fonts]"));
  ASSERT_TRUE(
      CreateHardLinkA((scratch / "hard.log").c_str(), (scratch / "target.ini").c_str(), nullptr));
  EXPECT_EQ(files.CreateLogFile(scratch / "hard.log"), nullptr);
  EXPECT_EQ(ReadBytes(scratch / "target.ini"), "[fonts]");
  ASSERT_TRUE(files.MakeFolder(scratch / "folder.log"));
  EXPECT_EQ(files.CreateLogFile(scratch / "folder.log"), nullptr);
  ASSERT_TRUE(WriteBytes(scratch / "plain.log", "an older run"));
  std::FILE* log = files.CreateLogFile(scratch / "plain.log");
  ASSERT_NE(log, nullptr);
  std::fputs("new", log);
  std::fclose(log);
  EXPECT_EQ(ReadBytes(scratch / "plain.log"), "new");
}

// Wine does not enforce the permissions; they are read back instead.
TEST_F(FilesTest, AProtectedFolderLetsOnlyAdministratorsAndSystemChangeItAndInheritsNothing) {
  const std::string folder = scratch / "protected";
  ASSERT_TRUE(files.MakeProtectedFolder(folder));
  EXPECT_FALSE(files.MakeProtectedFolder(folder));
  PACL access = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, &access, nullptr, &descriptor),
            ERROR_SUCCESS);
  char* text = nullptr;
  ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorA(
      descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
  const std::string shown = text;
  LocalFree(text);
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr) {
    // Wine keeps no DACL of a file: it shows one made from the Unix
    // permissions, which it sets from the DACL. Nobody but the owner and
    // SYSTEM may write.
    EXPECT_EQ(shown.find("FA;;;WD"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("FA;;;BU"), std::string::npos) << shown;
  } else {
    EXPECT_EQ(shown, "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)");
  }
  LocalFree(descriptor);
}

TEST(DrivesTest, KindsOfRoots) {
  platform::FileSystem& files = win32::Win32Platform().files;
  EXPECT_EQ(files.DriveKindOf("C:\\"), DriveKind::Fixed);
  EXPECT_EQ(files.DriveKindOf("Q:\\"), DriveKind::NoRoot);
  // A network root is never a drive the setup program accepts.
  const DriveKind unc = files.DriveKindOf("\\\\server\\share\\");
  EXPECT_NE(unc, DriveKind::Fixed);
  EXPECT_NE(unc, DriveKind::Removable);
  std::printf("drive kinds: C:\\ %u, Q:\\ %u, UNC %u, Z:\\ %u\n",
              static_cast<unsigned>(files.DriveKindOf("C:\\")),
              static_cast<unsigned>(files.DriveKindOf("Q:\\")), static_cast<unsigned>(unc),
              static_cast<unsigned>(files.DriveKindOf("Z:\\")));
}

TEST(DrivesTest, DiskSpaceOfTheSystemDrive) {
  platform::FileSystem& files = win32::Win32Platform().files;
  platform::DiskSpace space;
  ASSERT_TRUE(files.QueryDiskSpace("C:", space));
  EXPECT_GT(space.totalBytes, 0u);
  EXPECT_GT(space.totalFreeBytes, 0u);
  EXPECT_LE(space.totalFreeBytes, space.totalBytes);
  EXPECT_LE(space.freeBytesAvailable, space.totalFreeBytes);

  platform::DiskSpace untouched;
  untouched.totalBytes = 7;
  EXPECT_FALSE(files.QueryDiskSpace("Q:", untouched));
  EXPECT_EQ(untouched.totalBytes, 7u);
}

}  // namespace

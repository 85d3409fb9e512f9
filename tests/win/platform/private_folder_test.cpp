#include "platform/win32/private_folder.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unguessable_name.h"
#include "scratch_folder.h"

namespace {

using platform_tests::ReadBytes;
using platform_tests::ScratchFolder;
using platform_tests::WriteBytes;

// The folder's DACL as SDDL text, read back as anyone would read it.
std::string DaclOf(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return "(unreadable)";
  }
  char* text = nullptr;
  std::string dacl = "(not convertible)";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(
          descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
    dacl = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return dacl;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Whether the ACE allows everything to the well-known SID, for the folder
// and everything made inside it.
bool AllowsAll(const void* ace, WELL_KNOWN_SID_TYPE who) {
  const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
  BYTE sid[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof sid;
  return CreateWellKnownSid(who, nullptr, sid, &size) &&
         allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
         allowed->Header.AceFlags == (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE) &&
         allowed->Mask == FILE_ALL_ACCESS && EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid);
}

TEST(PrivateFolderTest, TheDaclIsProtectedAndGrantsOnlySystemAndAdministrators) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      win32::kPrivateFolderDacl, SDDL_REVISION_1, &descriptor, nullptr));
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
  EXPECT_NE(control & SE_DACL_PROTECTED, 0);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
  ASSERT_TRUE(present && dacl != nullptr);
  ASSERT_EQ(dacl->AceCount, 2);
  void* ace = nullptr;
  ASSERT_TRUE(GetAce(dacl, 0, &ace));
  EXPECT_TRUE(AllowsAll(ace, WinLocalSystemSid));
  ASSERT_TRUE(GetAce(dacl, 1, &ace));
  EXPECT_TRUE(AllowsAll(ace, WinBuiltinAdministratorsSid));
  LocalFree(descriptor);
}

TEST(PrivateFolderTest, IsNewInTheSystemsTemporaryFolderWithTheAdministratorsOnlyDacl) {
  platform::FileSystem& files = win32::Win32Platform().files;
  const std::string systemTemp = win32::SystemTempFolder();
  const std::string windows = win32::Win32Platform().machine.WindowsFolder();
  EXPECT_TRUE(systemTemp == windows + "\\Temp" || systemTemp == windows + "\\SystemTemp")
      << systemTemp;

  char made[MAX_PATH];
  ASSERT_TRUE(win32::MakePrivateFolder("setupkit-test-", made));
  const std::string folder = made;
  EXPECT_EQ(folder.rfind(systemTemp + "\\setupkit-test-", 0), 0u) << folder;
  EXPECT_NE(folder.rfind(files.TempFolder(), 0), 0u) << "below the user's temporary folder";
  EXPECT_TRUE(files.IsFolder(folder));
  // Wine keeps no descriptor on files: it answers one made from the Unix
  // permissions, whatever was set.
  const std::string dacl = DaclOf(folder);
  if (UnderWine()) {
    std::printf("under Wine the folder's DACL reads back as %s\n", dacl.c_str());
  } else {
    EXPECT_EQ(dacl, win32::kPrivateFolderDacl);
  }
  ASSERT_TRUE(win32::MakePrivateFolder("setupkit-test-", made));
  const std::string second = made;
  EXPECT_NE(second, folder);

  ASSERT_TRUE(files.MakeFolder(folder + "\\inner"));
  ASSERT_TRUE(WriteBytes(folder + "\\inner\\staged.txt", "x"));
  ASSERT_TRUE(WriteBytes(folder + "\\top.txt", "y"));
  EXPECT_TRUE(win32::RemoveFolderTree(folder.c_str()));
  EXPECT_FALSE(files.Exists(folder));
  EXPECT_TRUE(win32::RemoveFolderTree(second.c_str()));
}

TEST(PrivateFolderTest, NamesMadeAheadByAnotherProgramCannotKeepItFromAFolder) {
  // Another program makes every name that the tick count would give for the
  // next three seconds.
  const std::string squat = win32::SystemTempFolder() + "\\setupkit-test-";
  std::vector<std::string> taken;
  const DWORD now = GetTickCount();
  for (DWORD tick = now; tick != now + 3000; ++tick) {
    const std::string name = squat + std::to_string(tick);
    if (CreateDirectoryA(name.c_str(), nullptr)) taken.push_back(name);
  }
  char made[MAX_PATH];
  const bool fresh = win32::MakePrivateFolder("setupkit-test-", made);
  for (const std::string& name : taken) RemoveDirectoryA(name.c_str());
  ASSERT_TRUE(fresh);
  const std::string name = std::string(made).substr(squat.size());
  EXPECT_EQ(name.size(), win32::kUnguessableNameLength) << made;
  EXPECT_EQ(name.find_first_not_of("0123456789abcdef"), std::string::npos) << made;
  EXPECT_TRUE(win32::RemoveFolderTree(made));
}

TEST(PrivateFolderTest, AHeldCopyCannotBeChangedButCanBeReadAndGoesWithItsHandle) {
  platform::FileSystem& files = win32::Win32Platform().files;
  ScratchFolder scratch{files};
  const std::string source = scratch / "remover.exe";
  const std::string copy = scratch / "copy.exe";
  ASSERT_TRUE(WriteBytes(source, "the remover's bytes"));
  const HANDLE held = win32::CopyHeld(source, copy, false);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  // What a watcher waiting for the copy would try.
  const HANDLE writer = CreateFileA(copy.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(MoveFileA(copy.c_str(), (scratch / "moved.exe").c_str()));
  ASSERT_TRUE(WriteBytes(scratch / "mine.exe", "the watcher's program"));
  EXPECT_FALSE(
      MoveFileExA((scratch / "mine.exe").c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING));
  // The loader opens a program to start it like this.
  const HANDLE loader =
      CreateFileA(copy.c_str(), GENERIC_READ | GENERIC_EXECUTE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(loader, INVALID_HANDLE_VALUE);
  char bytes[64] = {};
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(loader, bytes, sizeof bytes, &got, nullptr));
  EXPECT_EQ(std::string(bytes, got), "the remover's bytes");
  CloseHandle(loader);

  CloseHandle(held);
  EXPECT_FALSE(files.Exists(copy));
  // A name already taken is never written over.
  ASSERT_TRUE(WriteBytes(copy, "someone's file"));
  EXPECT_EQ(win32::CopyHeld(source, copy, false), INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadBytes(copy), "someone's file");
}

}  // namespace

#include "platform/win32/private_folder.h"

#include <sddl.h>
#include <shellapi.h>

#include <cstring>

#include "platform/win32/file_attributes.h"
#include "platform/win32/this_process.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/unguessable_name.h"

namespace win32 {

namespace {

// A random name is taken only by chance or by a crashed run's leftover:
// more tries are for a generator that keeps failing.
constexpr unsigned kFolderTries = 100;

bool IsPlainFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool read = GetFileInformationByHandle(file, &info) && info.nFileSizeHigh == 0 &&
              info.nFileSizeLow != INVALID_FILE_SIZE;
  const DWORD size = info.nFileSizeLow;
  DWORD got = 0;
  if (read) {
    bytes.resize(size);
    read = size == 0 || (ReadFile(file, &bytes[0], size, &got, nullptr) && got == size);
  }
  CloseHandle(file);
  return read;
}

// Whether the file behind the handle holds exactly these bytes, read from
// its start.
bool Holds(HANDLE file, const std::string& bytes) {
  static char chunk[1 << 14];
  std::size_t at = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return false;
    if (got == 0) return at == bytes.size();
    if (got > bytes.size() - at || bytes.compare(at, got, chunk, got) != 0) return false;
    at += got;
  }
}

}  // namespace

bool RunsElevated() {
#if defined(SETUPKIT_TEST_HOOKS)
  // Wine starts every program elevated; the end-to-end tests take the
  // unelevated way through this.
  if (GetEnvironmentVariableA("SETUPKIT_TEST_UNELEVATED", nullptr, 0) != 0) return false;
#endif
  HANDLE token = nullptr;
  if (!OpenProcessToken(ThisProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const bool elevated =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
      elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

namespace {

// The system's temporary folder into folder (MAX_PATH characters), its
// length returned; 0 when the Windows folder is unknown. Written without
// std::string: the 32-bit setup runtime has little room for code.
std::size_t SystemTempInto(char* folder) {
  constexpr UINT kRoom = MAX_PATH - 48;  // for "\SystemTemp" and a private folder's name
  std::size_t length = GetSystemWindowsDirectoryA(folder, kRoom);
  if (length == 0 || length >= kRoom) return 0;
  if (folder[length - 1] == '\\') --length;
  std::memcpy(folder + length, "\\SystemTemp", 12);
  if (IsPlainFolder(folder)) return length + 11;
  std::memcpy(folder + length, "\\Temp", 6);
  return length + 5;
}

}  // namespace

std::string SystemTempFolder() {
  char folder[MAX_PATH];
  return SystemTempInto(folder) != 0 ? folder : std::string();
}

std::string MachineLogFolder() {
  const std::string folder = SystemTempFolder() + "\\setupkit-logs\\";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (folder.size() == 15 || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                                 kPrivateFolderDacl, SDDL_REVISION_1, &descriptor, nullptr)) {
    return std::string();
  }
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  // One made before, by anyone, is taken only as the check below finds it.
  CreateDirectoryA(folder.c_str(), &attributes);
  LocalFree(descriptor);
  return Win32Platform().filesInUse.FoldersOnlyAdministratorsChange(folder + "setup.log")
             ? folder
             : std::string();
}

bool MakePrivateFolder(const char* prefix, char* folder) {
  std::size_t length = SystemTempInto(folder);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (length == 0 || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                         kPrivateFolderDacl, SDDL_REVISION_1, &descriptor, nullptr)) {
    return false;
  }
  folder[length++] = '\\';
  while (*prefix != '\0' && length < MAX_PATH - 1 - kUnguessableNameLength)
    folder[length++] = *prefix++;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  bool made = false;
  for (unsigned i = 0; i < kFolderTries && !made; ++i) {
    if (!UnguessableName(folder + length)) break;
    made = CreateDirectoryA(folder, &attributes) != 0;
    // A name taken before is never reused: its DACL is not ours.
    if (!made && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  LocalFree(descriptor);
  if (!made) folder[0] = '\0';
  return made;
}

bool RemoveFolderTree(const char* folder) {
  // The shell's recursive delete; it takes a list ended by an empty name.
  char list[MAX_PATH + 1];
  const std::size_t length = std::strlen(folder);
  if (length == 0 || length >= MAX_PATH) return false;
  std::memcpy(list, folder, length + 1);
  list[length + 1] = '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list;
  operation.fFlags = FOF_NO_UI;
  return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

HANDLE CopyHeld(const std::string& from, const std::string& to, bool inheritable) {
  std::string bytes;
  if (!ReadWhole(from, bytes)) return INVALID_HANDLE_VALUE;
  // Written through a handle of its own, closed before the hold: nobody can
  // start a program that someone holds open for writing.
  const HANDLE writer = CreateFileA(to.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (writer == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(bytes.size());
  const bool complete =
      size == 0 || (WriteFile(writer, bytes.data(), size, &written, nullptr) && written == size);
  CloseHandle(writer);
  // Without write or delete sharing this open succeeds only while nobody
  // else holds the file for writing or deleting, and from now on nobody can.
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, inheritable ? TRUE : FALSE};
  const HANDLE held = complete
                          ? CreateFileA(to.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ,
                                        &inherit, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr)
                          : INVALID_HANDLE_VALUE;
  if (held == INVALID_HANDLE_VALUE) {
    DeleteFileA(to.c_str());
    return INVALID_HANDLE_VALUE;
  }
  // Between the writer's close and the hold someone may have written to it.
  if (!Holds(held, bytes)) {
    CloseHandle(held);
    return INVALID_HANDLE_VALUE;
  }
  return held;
}

}  // namespace win32

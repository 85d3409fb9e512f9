#include "platform/win32/private_folder.h"

#include <sddl.h>

namespace win32 {

namespace {

constexpr int kFolderTries = 100;

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool IsPlainFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  DWORD got = 0;
  bool read = size != INVALID_FILE_SIZE && high == 0;
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
  // Wine starts every program that asks for administrators' rights elevated;
  // the end-to-end tests take the unelevated way through this.
  if (GetEnvironmentVariableA("SETUPKIT_TEST_UNELEVATED", nullptr, 0) != 0) return false;
#endif
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const bool elevated =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
      elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

std::string SystemTempFolder() {
  // The system's Windows folder: GetWindowsDirectoryA gives a private one
  // per user on a terminal server.
  char windows[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryA(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string folder(windows, length);
  if (folder.back() != '\\') folder += '\\';
  const std::string systemTemp = folder + "SystemTemp";
  return IsPlainFolder(systemTemp) ? systemTemp : folder + "Temp";
}

std::string MakePrivateFolder(const char* prefix) {
  const std::string parent = SystemTempFolder();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (parent.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                            kPrivateFolderDacl, SDDL_REVISION_1, &descriptor, nullptr)) {
    return {};
  }
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  std::string made;
  for (int i = 0; i < kFolderTries && made.empty(); ++i) {
    // A name taken before is never reused: its DACL is not ours.
    std::string folder = parent + "\\" + prefix + std::to_string(seed + static_cast<DWORD>(i));
    if (CreateDirectoryA(folder.c_str(), &attributes)) {
      made = std::move(folder);
    } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
      break;
    }
  }
  LocalFree(descriptor);
  return made;
}

bool RemoveFolderTree(const std::string& folder) {
  bool removed = true;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      data.cFileName[MAX_PATH - 1] = '\0';
      if (IsDotEntry(data.cFileName)) continue;
      const std::string path = folder + "\\" + data.cFileName;
      const DWORD attributes = data.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        removed = DeleteFileA(path.c_str()) && removed;
      } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        removed = RemoveDirectoryA(path.c_str()) && removed;
      } else {
        removed = RemoveFolderTree(path) && removed;
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  return RemoveDirectoryA(folder.c_str()) && removed;
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

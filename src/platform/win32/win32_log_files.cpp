// Log files, written by an elevated program into folders the user can
// change: a link or a second hard link planted under the log's name would
// turn the log into a write over another file.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

std::string FinalPath(HANDLE handle) {
  char path[MAX_PATH * 2];
  const DWORD length = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED);
  return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

// Whether the open file is the entry of that name in its folder, not what a
// link leads to. Wine shows a host symbolic link to a file as a plain file
// with one link, but the final path of its handle is the link's target.
bool OpenedUnderItsName(HANDLE file, const std::string& path) {
  char full[MAX_PATH];
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
  if (length == 0 || length >= sizeof full || name == nullptr) return false;
  const std::string fileName = name;
  *name = '\0';
  const HANDLE folder = CreateFileA(full, FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  std::string expected = FinalPath(folder);
  CloseHandle(folder);
  if (expected.empty()) return false;
  if (expected.back() != '\\') expected += '\\';
  expected += fileName;
  return lstrcmpiA(FinalPath(file).c_str(), expected.c_str()) == 0;
}

}  // namespace

std::FILE* Win32FileSystem::CreateLogFile(const std::string& path) {
  // The name itself, never what a link or junction leads to.
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  BY_HANDLE_FILE_INFORMATION info;
  const bool plainFile =
      GetFileInformationByHandle(file, &info) &&
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
      info.nNumberOfLinks == 1 && OpenedUnderItsName(file, path);
  if (!plainFile || !SetEndOfFile(file)) {
    CloseHandle(file);
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  if (descriptor == -1) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, "wb");
  if (stream == nullptr) _close(descriptor);
  return stream;
}

}  // namespace win32

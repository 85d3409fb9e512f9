// Log files, written by an elevated program into folders the user can
// change: a link or a second hard link planted under the log's name would
// turn the log into a write over another file.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/win32/final_path.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// Far more than any log holds.
constexpr DWORD kLargestPlainFile = 64u << 20;

const char* NamePart(const char* path) {
  const char* name = path;
  for (const char* at = path; *at != '\0'; ++at) {
    if (*at == '\\' || *at == '/' || *at == ':') name = at + 1;
  }
  return name;
}

// Whether the open file bears the name it was opened by, not that of what a
// link leads to: Wine shows a host symbolic link to a file as a plain file
// with one link, but the final path of its handle is the link's target.
bool OpenedUnderItsName(HANDLE file, const std::string& path) {
  const std::string final = FinalPath(file);
  return !final.empty() && lstrcmpiA(NamePart(final.c_str()), NamePart(path.c_str())) == 0;
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
  // Emptied as SetEndOfFile at the position of a new handle would.
  FILE_END_OF_FILE_INFO empty = {};
  if (!plainFile || !SetFileInformationByHandle(file, FileEndOfFileInfo, &empty, sizeof empty)) {
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

bool Win32FileSystem::ReadPlainFile(const std::string& path, std::string& text) {
  // Shared for reading only: nobody changes the file while it is read.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  DWORD got = 0;
  bool read = GetFileInformationByHandle(file, &info) &&
              (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
              info.nFileSizeHigh == 0 && info.nFileSizeLow <= kLargestPlainFile &&
              OpenedUnderItsName(file, path);
  if (read) {
    text = std::string(info.nFileSizeLow, '\0');
    read = ReadFile(file, text.data(), info.nFileSizeLow, &got, nullptr) && got == text.size();
  }
  CloseHandle(file);
  return read;
}

}  // namespace win32

// Files that other programs hold: found through the sharing CreateFileA
// refuses, named and closed by Restart Manager, replaced at the next restart
// by MoveFileExA.
#include "platform/win32/win32_platform.h"
// After windows.h, whose types it uses.
#include <restartmanager.h>

#include "format/windows_path.h"
#include "platform/win32/final_path.h"
#include "platform/win32/library_exports.h"

namespace win32 {

namespace {

using RmStartSessionCall = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RmRegisterResourcesCall = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*,
                                               UINT, LPCWSTR*);
using RmGetListCall = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, DWORD*);
using RmShutdownCall = DWORD(WINAPI*)(DWORD, ULONG, RM_WRITE_STATUS_CALLBACK);
using RmEndSessionCall = DWORD(WINAPI*)(DWORD);

// One text rather than a table of pointers, each of which the loader relocates.
constexpr char kExports[] =
    "RmStartSession\0RmRegisterResources\0RmGetList\0RmShutdown\0RmEndSession";

template <typename Call>
Call As(FARPROC entry) {
  return reinterpret_cast<Call>(reinterpret_cast<void*>(entry));
}

// The file, opened for nothing but its attributes, where the system finds it
// under the very name asked for; INVALID_HANDLE_VALUE where a link or
// junction on the way leads elsewhere (a folder of the installation that a
// user re-pointed at a service's files), or where there is no such file.
HANDLE OpenAsNamed(const char* path) {
  const HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return file;
  const std::string final = FinalPath(file);
  if (final.compare(0, 4, "\\\\?\\") == 0 && format::SamePath(final.substr(4), path)) return file;
  CloseHandle(file);
  return INVALID_HANDLE_VALUE;
}

// One Restart Manager session over the files (paths one a line): the names
// of the programs that hold them, or, with close, their shutdown. Nothing
// where the system has no Restart Manager (before Vista). The installing
// step's one thread is the only caller of the static buffers.
std::string WithRestartManager(const std::string& paths, bool close) {
  FARPROC entries[5];
  if (!LoadExports("rstrtmgr.dll", true, kExports, 5, entries)) return {};
  std::string names;
  DWORD session = 0;
  WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
  static char asked[1 << 15];
  static WCHAR wide[1 << 15];
  static LPCWSTR files[1024];
  static HANDLE held[1024];
  static RM_PROCESS_INFO holders[32];
  UINT count = 0;
  // Only the files reached under their own names are asked about, each held
  // open while Restart Manager resolves the same name: a folder on the way
  // cannot be renamed or re-pointed while a file in it is open.
  std::size_t length = 0;
  UINT heldCount = 0;
  for (std::size_t start = 0; start < paths.size() && heldCount < 1024;) {
    std::size_t end = paths.find('\n', start);
    if (end == std::string::npos) end = paths.size();
    const std::string path = paths.substr(start, end - start);
    start = end + 1;
    if (length + path.size() + 2 > sizeof asked) break;
    const HANDLE file = OpenAsNamed(path.c_str());
    if (file == INVALID_HANDLE_VALUE) continue;
    held[heldCount++] = file;
    path.copy(asked + length, path.size());
    length += path.size();
    asked[length++] = '\n';
  }
  asked[length] = '\0';
  if (length > 0 && MultiByteToWideChar(CP_ACP, 0, asked, -1, wide, 1 << 15) > 0 &&
      As<RmStartSessionCall>(entries[0])(&session, 0, key) == ERROR_SUCCESS) {
    // One name a line becomes one string each.
    for (WCHAR* at = wide; *at != 0 && count < 1024; ++at) {
      if (at == wide || at[-1] == 0) files[count++] = at;
      if (*at == L'\n') *at = 0;
    }
    if (As<RmRegisterResourcesCall>(entries[1])(session, count, files, 0, nullptr, 0, nullptr) ==
        ERROR_SUCCESS) {
      UINT needed = 0;
      count = 32;
      DWORD reasons = 0;
      // Asked, not forced: a program that will not close keeps its data,
      // and its files are replaced at the next restart instead.
      if (close) {
        As<RmShutdownCall>(entries[3])(session, 0, nullptr);
      } else if (As<RmGetListCall>(entries[2])(session, &needed, &count, holders, &reasons) ==
                 ERROR_SUCCESS) {
        for (UINT i = 0; i < count; ++i) {
          char name[2 * CCH_RM_MAX_APP_NAME + 2];
          if (WideCharToMultiByte(CP_ACP, 0, holders[i].strAppName, -1, name, sizeof name, nullptr,
                                  nullptr) > 1) {
            names += name;
            names += '\n';
          }
        }
      }
    }
    As<RmEndSessionCall>(entries[4])(session);
  }
  while (heldCount > 0) CloseHandle(held[--heldCount]);
  return names;
}

}  // namespace

bool Win32FilesInUse::InUse(const std::string& path) {
  // A file reached through a link is none of the installation's to close.
  const HANDLE named = OpenAsNamed(path.c_str());
  if (named == INVALID_HANDLE_VALUE) return false;
  CloseHandle(named);
  // Every sharing granted: only another program's refusal makes this fail.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_USER_MAPPED_FILE;
}

std::string Win32FilesInUse::Holders(const std::string& paths, bool close) {
  return WithRestartManager(paths, close);
}

bool Win32FilesInUse::ReplaceAtRestart(const std::string& from, const std::string& to) {
  if (to.size() + 16 >= MAX_PATH) return false;
  // The staged file is open for writing under our lock; reading it needs
  // write sharing.
  const HANDLE source = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (source == INVALID_HANDLE_VALUE) return false;
  char beside[MAX_PATH];
  HANDLE target;
  unsigned number = 0;
  // CREATE_NEW: a file or link that someone put under a name is never
  // written through; the next number is tried instead.
  do {
    // msvcrt's, imported already; the length check above leaves room.
    _snprintf(beside, sizeof beside, "%s.%u.new", to.c_str(), ++number);
    target =
        CreateFileA(beside, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  } while (target == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS && number < 1000);
  bool replaced = target != INVALID_HANDLE_VALUE;
  if (replaced) {
    // The installing step's one thread is the only caller.
    static char buffer[1 << 16];
    DWORD got = 0;
    BOOL copied;
    // Ends at the source's end (read, nothing got) or at a failure. A
    // write to a disk file writes everything or fails.
    while ((copied = ReadFile(source, buffer, sizeof buffer, &got, nullptr)) && got != 0 &&
           (copied = WriteFile(target, buffer, got, &got, nullptr))) {
    }
    replaced =
        CloseHandle(target) && copied &&
        MoveFileExA(beside, to.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING);
    if (!replaced) DeleteFileA(beside);
  }
  CloseHandle(source);
  restartNeeded_ = restartNeeded_ || replaced;
  return replaced;
}

}  // namespace win32

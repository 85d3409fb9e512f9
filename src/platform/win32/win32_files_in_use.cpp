// Files that other programs hold: found through the sharing CreateFileA
// refuses, named and closed by Restart Manager, replaced at the next restart
// by MoveFileExA.
#include "platform/win32/win32_platform.h"
// After windows.h, whose types it uses.
#include <restartmanager.h>

#include <cstring>

namespace win32 {

namespace {

using RmStartSessionCall = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RmRegisterResourcesCall = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*,
                                               UINT, LPCWSTR*);
using RmGetListCall = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, DWORD*);
using RmShutdownCall = DWORD(WINAPI*)(DWORD, ULONG, RM_WRITE_STATUS_CALLBACK);
using RmEndSessionCall = DWORD(WINAPI*)(DWORD);

constexpr const char* kExports[] = {"RmStartSession", "RmRegisterResources", "RmGetList",
                                    "RmShutdown", "RmEndSession"};

template <typename Call>
Call As(FARPROC entry) {
  return reinterpret_cast<Call>(reinterpret_cast<void*>(entry));
}

std::string NamesOfHolders(RmGetListCall getList, DWORD session) {
  std::vector<RM_PROCESS_INFO> found;
  UINT needed = 0;
  UINT count = 0;
  DWORD reasons = 0;
  DWORD result = getList(session, &needed, &count, nullptr, &reasons);
  // The list may grow between the two calls; one more try is enough.
  for (int tries = 0; result == ERROR_MORE_DATA && tries < 2; ++tries) {
    found.resize(needed);
    count = needed;
    result = getList(session, &needed, &count, found.data(), &reasons);
  }
  std::string names;
  if (result != ERROR_SUCCESS) return names;
  for (UINT i = 0; i < count && i < found.size(); ++i) {
    char name[2 * CCH_RM_MAX_APP_NAME + 2];
    if (WideCharToMultiByte(CP_ACP, 0, found[i].strAppName, -1, name, sizeof name, nullptr,
                            nullptr) > 1) {
      names += name;
      names += '\n';
    }
  }
  return names;
}

// One Restart Manager session over the files: the names of the programs
// that hold them, or, with close, their shutdown. Nothing where the system
// has no Restart Manager (before Vista).
std::string WithRestartManager(const std::vector<std::string>& paths, bool close) {
  char path[MAX_PATH];
  constexpr char kName[] = "\\rstrtmgr.dll";
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length + sizeof kName > MAX_PATH) return {};
  std::memcpy(path + length, kName, sizeof kName);
  // A full path: the loader looks nowhere else, and the library's own
  // dependencies are searched for from its folder.
  const HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) return {};
  FARPROC entries[5];
  std::string names;
  bool found = true;
  for (int i = 0; i < 5; ++i) found = found && (entries[i] = GetProcAddress(library, kExports[i]));
  DWORD session = 0;
  WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
  if (found && As<RmStartSessionCall>(entries[0])(&session, 0, key) == ERROR_SUCCESS) {
    std::vector<WCHAR> wide(paths.size() * MAX_PATH);
    std::vector<LPCWSTR> files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      WCHAR* file = wide.data() + i * MAX_PATH;
      if (MultiByteToWideChar(CP_ACP, 0, paths[i].c_str(), -1, file, MAX_PATH) > 0)
        files.push_back(file);
    }
    if (As<RmRegisterResourcesCall>(entries[1])(session, files.size(), files.data(), 0, nullptr, 0,
                                                nullptr) == ERROR_SUCCESS) {
      // Asked, not forced: a program that will not close keeps its data,
      // and its files are replaced at the next restart instead.
      if (close) {
        As<RmShutdownCall>(entries[3])(session, 0, nullptr);
      } else {
        names = NamesOfHolders(As<RmGetListCall>(entries[2]), session);
      }
    }
    As<RmEndSessionCall>(entries[4])(session);
  }
  FreeLibrary(library);
  return names;
}

}  // namespace

bool Win32FilesInUse::InUse(const std::string& path) {
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

std::string Win32FilesInUse::Holders(const std::vector<std::string>& paths) {
  return WithRestartManager(paths, false);
}

void Win32FilesInUse::CloseHolders(const std::vector<std::string>& paths) {
  WithRestartManager(paths, true);
}

bool Win32FilesInUse::ReplaceAtRestart(const std::string& from, const std::string& to) {
  // The staged file is open for writing under our lock; reading it needs
  // write sharing.
  const HANDLE source = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (source == INVALID_HANDLE_VALUE) return false;
  char beside[MAX_PATH];
  HANDLE target = INVALID_HANDLE_VALUE;
  // CREATE_NEW: a file or link that someone put under a name is never
  // written through; the next number is tried instead.
  for (unsigned number = 1; to.size() + 16 < MAX_PATH && number < 1000; ++number) {
    wsprintfA(beside, "%s.%u.new", to.c_str(), number);
    target =
        CreateFileA(beside, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) break;
  }
  bool replaced = target != INVALID_HANDLE_VALUE;
  if (replaced) {
    // The installing step's one thread is the only caller.
    static char buffer[1 << 16];
    DWORD got = 0;
    DWORD put = 0;
    while ((replaced = ReadFile(source, buffer, sizeof buffer, &got, nullptr) != 0) && got != 0) {
      replaced = WriteFile(target, buffer, got, &put, nullptr) != 0 && put == got;
      if (!replaced) break;
    }
    replaced = CloseHandle(target) != 0 && replaced;
    replaced =
        replaced && MoveFileExA(beside, to.c_str(),
                                MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != 0;
    if (!replaced) DeleteFileA(beside);
  }
  CloseHandle(source);
  if (replaced) restartNeeded_ = true;
  return replaced;
}

}  // namespace win32

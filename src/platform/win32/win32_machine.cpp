// Names and folders of the machine and the user. Every call asks the system
// anew; nothing is cached.
#include <lmcons.h>
#include <shlobj.h>
#include <winver.h>

#include "platform/win32/item_list.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// The length of the text in a buffer that the system filled, never reading
// past its end.
std::size_t BoundedLength(const char* buffer, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && buffer[length] != '\0') ++length;
  return length;
}

std::string BoundedText(const char* buffer, std::size_t capacity) {
  return std::string(buffer, BoundedLength(buffer, capacity));
}

// For the calls that return the length written, or the size needed when the
// buffer is too small, and 0 on failure.
// One body for both callers: a template would make one per call.
std::string FolderFromCall(UINT(WINAPI* call)(LPSTR, UINT)) {
  char buffer[MAX_PATH];
  const UINT length = call(buffer, static_cast<UINT>(MAX_PATH));
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(buffer, length);
}

}  // namespace

bool Win32Machine::UserName(std::string& name) {
  char buffer[UNLEN + 1];
  DWORD size = sizeof buffer;
  if (!GetUserNameA(buffer, &size)) return false;
  name.assign(buffer, BoundedLength(buffer, sizeof buffer));
  return true;
}

bool Win32Machine::ComputerName(std::string& name) {
  char buffer[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return false;
  name.assign(buffer, BoundedLength(buffer, sizeof buffer));
  return true;
}

bool Win32Machine::LanguageName(std::string& name) {
  char buffer[MAX_PATH];
  const DWORD length = VerLanguageNameA(GetSystemDefaultLangID(), buffer, MAX_PATH);
  // The length returned does not count the terminator: MAX_PATH or more means
  // the name was cut.
  if (length >= MAX_PATH) return false;
  name.assign(buffer, BoundedLength(buffer, length));
  return true;
}

std::string Win32Machine::MachineVariable(const std::string& name) {
  // CompareStringA's answer for equal texts, ignoring case as the
  // environment's names do.
  const auto is = [&name](const char* known) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), -1, known, -1) ==
           CSTR_EQUAL;
  };
  if (is("ProgramFiles")) return FolderPath(CSIDL_PROGRAM_FILES);
  if (is("ProgramFiles(x86)")) return FolderPath(CSIDL_PROGRAM_FILESX86);
  if (is("CommonProgramFiles")) return FolderPath(CSIDL_PROGRAM_FILES_COMMON);
  if (is("ProgramData") || is("ALLUSERSPROFILE")) return FolderPath(CSIDL_COMMON_APPDATA);
  if (is("SystemRoot") || is("windir")) return FolderFromCall(GetSystemWindowsDirectoryA);
  if (is("SystemDrive")) return FolderFromCall(GetSystemWindowsDirectoryA).substr(0, 2);
  if (is("PUBLIC")) {
    // The shared documents' folder is "Documents" in it.
    const std::string documents = FolderPath(CSIDL_COMMON_DOCUMENTS);
    return documents.substr(0, documents.find_last_of('\\'));
  }
  if (!is("ProgramW6432")) return {};
  // A 32-bit program's shell names only its own program files folder; the
  // 64-bit one is the 64-bit registry view's ProgramFilesDir, a plain
  // string (the only one on a 32-bit system).
  HKEY key = nullptr;
  char buffer[MAX_PATH] = {};
  DWORD type = 0;
  DWORD size = sizeof buffer - 1;
  const bool read =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS &&
      RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                       &size) == ERROR_SUCCESS &&
      type == REG_SZ;
  if (key != nullptr) RegCloseKey(key);
  return read ? BoundedText(buffer, sizeof buffer) : std::string();
}

std::string Win32Machine::ExpandMachineVariables(const std::string& text) {
  std::string expanded;
  std::size_t start = 0;
  for (std::size_t open = text.find('%'); open != std::string::npos; open = text.find('%', start)) {
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    const std::string value = MachineVariable(text.substr(open + 1, close - open - 1));
    // An unknown name stays as it is written, its closing sign free to
    // open the next reference, as the system's expansion leaves it.
    expanded.append(text, start, open - start);
    if (value.empty()) {
      expanded += '%';
      start = open + 1;
      continue;
    }
    expanded += value;
    start = close + 1;
  }
  expanded.append(text, start, std::string::npos);
  if (expanded.size() >= MAX_PATH) return {};
  return expanded;
}

std::string Win32Machine::WindowsFolder() { return FolderFromCall(GetWindowsDirectoryA); }

std::string Win32Machine::SystemFolder() { return FolderFromCall(GetSystemDirectoryA); }

std::string Win32Machine::FolderPath(int csidl) {
  char buffer[MAX_PATH] = {};
  // S_FALSE says the folder does not exist (without the create flag); the
  // buffer is not filled then.
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return BoundedText(buffer, sizeof buffer);
}

std::string Win32Machine::SpecialFolderLocation(int csidl) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) return {};
  std::string path = ItemListPath(items);
  FreeItemList(items);
  return path;
}

}  // namespace win32

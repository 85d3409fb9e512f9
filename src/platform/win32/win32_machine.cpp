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

std::string Win32Machine::ExpandEnvironment(const std::string& text) {
  // The ANSI call may count one character more than it writes; the spare
  // byte keeps a full buffer terminated.
  char buffer[MAX_PATH + 1] = {};
  const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer, MAX_PATH);
  if (needed == 0 || needed > MAX_PATH) return {};
  return BoundedText(buffer, MAX_PATH);
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

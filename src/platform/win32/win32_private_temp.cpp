#include <windows.h>

#include "platform/win32/private_folder.h"
#include "platform/win32/private_temp.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

constexpr const char* kPrefix = "setupkit-setup-";

// An environment variable as it was, set or not.
struct Variable {
  bool set = false;
  std::string value;
};

Variable Read(const char* name) {
  const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return {};
  std::string value(needed, '\0');
  const DWORD length = GetEnvironmentVariableA(name, &value[0], needed);
  if (length >= needed) return {};
  value.resize(length);
  return {true, value};
}

void Put(const char* name, const Variable& variable) {
  SetEnvironmentVariableA(name, variable.set ? variable.value.c_str() : nullptr);
}

struct Moved {
  std::string folder;  // the private folder; empty while not moved
  std::string userTemp;
  Variable tmp;
  Variable temp;
};

Moved& TheMove() {
  static Moved moved;
  return moved;
}

void PointAt(const Variable& tmp, const Variable& temp) {
  Put("TMP", tmp);
  Put("TEMP", temp);
}

}  // namespace

bool UsePrivateTempFolder() {
  Moved& moved = TheMove();
  if (!moved.folder.empty() || !RunsElevated()) return true;
  const std::string folder = MakePrivateFolder(kPrefix);
  if (folder.empty()) return false;
  moved.userTemp = UserTempFolder();
  moved.tmp = Read("TMP");
  moved.temp = Read("TEMP");
  moved.folder = folder;
  const Variable mine{true, folder};
  PointAt(mine, mine);
  return true;
}

std::string UserTempFolder() {
  const Moved& moved = TheMove();
  return moved.folder.empty() ? Win32Platform().files.TempFolder() : moved.userTemp;
}

void WithUserTempVariables(base::FunctionRef<void()> work) {
  const Moved& moved = TheMove();
  if (moved.folder.empty()) return work();
  PointAt(moved.tmp, moved.temp);
  work();
  const Variable mine{true, moved.folder};
  PointAt(mine, mine);
}

bool RemovePrivateTempFolder() {
  Moved& moved = TheMove();
  if (moved.folder.empty()) return true;
  PointAt(moved.tmp, moved.temp);
  ReleaseHeldFiles();
  const bool removed = RemoveFolderTree(moved.folder);
  moved.folder.clear();
  return removed;
}

}  // namespace win32

// Folders, registry values and keys removed, for the uninstaller.
#include "platform/win32/win32_removal.h"

#include <windows.h>

#include "format/windows_path.h"
#include "platform/win32/delete_through_handle.h"
#include "platform/win32/predefined_key.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

bool Win32Removal::RemoveFolder(const std::string& path) {
  return DeleteThroughHandle(path, FILE_ATTRIBUTE_DIRECTORY);
}

platform::Removal::KeyContent Win32Removal::ContentOf(platform::RegistryRoot root,
                                                      const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(PredefinedKey(root), key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return KeyContent::Missing;
  }
  DWORD subkeys = 0;
  DWORD values = 0;
  const LONG result = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                       nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(opened);
  // A key that cannot be read counts as holding something: it stays.
  if (result != ERROR_SUCCESS || subkeys != 0 || values != 0) return KeyContent::NotEmpty;
  return KeyContent::Empty;
}

bool Win32Removal::DeleteValue(platform::RegistryRoot root, const std::string& key,
                               const std::string& name) {
  HKEY opened = nullptr;
  const LONG open = RegOpenKeyExA(PredefinedKey(root), key.c_str(), 0, KEY_SET_VALUE, &opened);
  if (open == ERROR_FILE_NOT_FOUND) return true;
  if (open != ERROR_SUCCESS) return false;
  const LONG result = RegDeleteValueA(opened, name.c_str());
  RegCloseKey(opened);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool Win32Removal::DeleteKey(platform::RegistryRoot root, const std::string& key) {
  // An empty path would name the predefined key itself.
  if (format::IsRootKeyPath(key)) return false;
  const LONG result = RegDeleteKeyA(PredefinedKey(root), key.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

platform::UninstallerPlatform& Win32UninstallerPlatform() {
  // Never destroyed, as the platform it joins.
  static platform::UninstallerPlatform& host =
      *new platform::UninstallerPlatform{Win32Platform(), *new Win32Removal};
  return host;
}

}  // namespace win32

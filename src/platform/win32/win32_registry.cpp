// Registry values through the ANSI registry calls.
#include "platform/win32/predefined_key.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

HKEY PredefinedKey(platform::RegistryRoot root) {
  switch (root) {
    case platform::RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case platform::RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case platform::RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case platform::RegistryRoot::Users:
      return HKEY_USERS;
    case platform::RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

bool Win32Registry::SetValue(platform::RegistryRoot root, const std::string& key,
                             const std::string& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data) {
  HKEY opened = nullptr;
  if (RegCreateKeyExA(PredefinedKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result =
      RegSetValueExA(opened, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

bool Win32Registry::QueryString(platform::RegistryRoot root, const std::string& key,
                                const std::string& name, std::string& value) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(PredefinedKey(root), key.c_str(), 0, MAXIMUM_ALLOWED, &opened) != ERROR_SUCCESS)
    return false;
  BYTE buffer[MAX_PATH];
  DWORD type = REG_NONE;
  DWORD size = sizeof buffer;
  const LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type, buffer, &size);
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  // A stored string need not end with a zero byte: the text ends at the first
  // zero or at the size read, whichever comes first.
  if (size > sizeof buffer) size = sizeof buffer;
  DWORD length = 0;
  while (length < size && buffer[length] != 0) ++length;
  value.assign(reinterpret_cast<const char*>(buffer), length);
  return true;
}

bool Win32Registry::QueryValue(platform::RegistryRoot root, const std::string& key,
                               const std::string& name, format::RegistryData& value) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(PredefinedKey(root), key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls: ask again with its new size.
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    value.bytes.resize(size);
    result = RegQueryValueExA(opened, name.c_str(), nullptr, &type,
                              size == 0 ? nullptr : value.bytes.data(), &size);
    if (result == ERROR_SUCCESS) break;
  }
  RegCloseKey(opened);
  if (result != ERROR_SUCCESS) return false;
  value.type = type;
  value.bytes.resize(size);
  return true;
}

bool Win32Registry::KeyExists(platform::RegistryRoot root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(PredefinedKey(root), key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

}  // namespace win32

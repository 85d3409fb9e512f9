#include "app/product_mutex.h"

#include <windows.h>

#include <cstring>

#include "format/windows_path.h"
#include "install/uninstall_registration.h"

namespace app {

std::string ProductMutexName(const std::string& productName) {
  const std::string key = install::UninstallKey(productName);
  if (key.empty()) return key;
  std::string name =
      format::AsciiUppered(key.substr(std::strlen(install::texts::kUninstallKeyPrefix)));
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return "Global\\setupkit-setup-" + name;
}

bool TakeProductMutex(const std::string& productName) {
  const std::string name = ProductMutexName(productName);
  if (name.empty()) return true;
  // Never closed: the process's end lets it go.
  const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
  return mutex != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace app

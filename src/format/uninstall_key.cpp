#include "format/uninstall_key.h"

#include "format/windows_path.h"

namespace format {

namespace {

// The system's key buffer: 260 bytes with the terminating zero.
constexpr std::size_t kLongestKey = 259;

}  // namespace

std::string UninstallKey(const std::string& productName) {
  // Writing the values into the list's own key, and leaving that key in the
  // log for the uninstaller to remove, would take every other program's
  // entry with it.
  if (IsRootKeyPath(productName)) return {};
  const std::string key = kUninstallKeyPrefix + productName;
  return key.size() <= kLongestKey ? key : key.substr(0, kLongestKey);
}

}  // namespace format

// The registry's removal calls in the setup runtimes, which never remove a
// registry value or key (only the uninstaller does): each answer leaves the
// registry as it is, so that the removal calls and their imports stay out
// of the runtimes. The uninstaller links win32_registry_removal.cpp.
#include "platform/win32/win32_platform.h"

namespace win32 {

platform::Registry::KeyContent Win32Registry::ContentOf(platform::RegistryRoot,
                                                        const std::string&) {
  return KeyContent::NotEmpty;
}

bool Win32Registry::DeleteValue(platform::RegistryRoot, const std::string&, const std::string&) {
  return false;
}

bool Win32Registry::DeleteKey(platform::RegistryRoot, const std::string&) { return false; }

}  // namespace win32

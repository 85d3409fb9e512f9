// The removal calls in the setup runtimes, which never remove a folder, a
// registry value or a key (only the uninstaller does): each answer leaves
// things as they are, so that the removal code and its imports stay out of
// the runtimes. The uninstaller links win32_removal.cpp.
#include "platform/win32/win32_platform.h"

namespace win32 {

bool Win32FileSystem::RemoveFolder(const std::string&) { return false; }

platform::Registry::KeyContent Win32Registry::ContentOf(platform::RegistryRoot,
                                                        const std::string&) {
  return KeyContent::NotEmpty;
}

bool Win32Registry::DeleteValue(platform::RegistryRoot, const std::string&, const std::string&) {
  return false;
}

bool Win32Registry::DeleteKey(platform::RegistryRoot, const std::string&) { return false; }

}  // namespace win32

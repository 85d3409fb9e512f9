// The removal calls on the Win32 API, and the uninstaller's platform made of
// them and the process's one platform. Only the uninstaller's programs and
// their tests use them: the setup runtimes never refer to this code, so none
// of it is linked into them.
#pragma once

#include <string>

#include "platform/removal.h"

namespace win32 {

class Win32Removal final : public platform::Removal {
 public:
  bool RemoveFolder(const std::string& path) override;
  // A key that cannot be read counts as holding something.
  KeyContent ContentOf(platform::RegistryRoot root, const std::string& key) override;
  bool DeleteValue(platform::RegistryRoot root, const std::string& key,
                   const std::string& name) override;
  // Never the predefined key itself (an empty path).
  bool DeleteKey(platform::RegistryRoot root, const std::string& key) override;
};

// The uninstaller's one platform, made on first use: Win32Platform() and
// one Win32Removal.
platform::UninstallerPlatform& Win32UninstallerPlatform();

}  // namespace win32

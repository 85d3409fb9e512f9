// The removal calls, which only the uninstaller makes, and the machine as
// the uninstaller sees it. The setup program's platform (platform.h) has
// none of them: no code of the setup program can remove a folder, a
// registry value or a key, and its runtimes carry no removal code.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class Removal {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~Removal() = default;

 public:
  // An empty folder only, deleted through a handle to the folder itself:
  // never a link or junction (itself or what it leads to), nor a folder the
  // name reaches through one, since a folder on the way may be re-pointed
  // after the caller's checks.
  virtual bool RemoveFolder(const std::string& path) = 0;

  enum class KeyContent { Missing, Empty, NotEmpty };
  // Whether the key exists and holds any value or subkey.
  virtual KeyContent ContentOf(RegistryRoot root, const std::string& key) = 0;
  // RegDeleteValueA; true when the value is gone afterwards (also when it was
  // never there).
  virtual bool DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) = 0;
  // RegDeleteKeyA of a key without subkeys; true when the key is gone.
  virtual bool DeleteKey(RegistryRoot root, const std::string& key) = 0;
};

// The whole machine for the uninstaller: the setup program's platform and
// the removal calls.
struct UninstallerPlatform : Platform {
  Removal& removal;
};

}  // namespace platform

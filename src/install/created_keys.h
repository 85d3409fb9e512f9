// The registry keys that the installing step created, which the uninstall
// log records so that the uninstaller removes each once it is empty, as it
// does the folders the step created. A key that was there before is never
// among them.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace install {

struct CreatedKey {
  platform::RegistryRoot root;
  std::string key;  // as the script's line spelled it, without "\" at either end
};

// The keys along key (each level from the top) that do not exist yet: those
// that writing a value at key will create, outermost first.
std::vector<CreatedKey> KeysMissingAlong(platform::Registry& registry, platform::RegistryRoot root,
                                         const std::string& key);

// The log's record of a created key: "ROOT\key\". Empty for a key whose
// path holds a "|", which the log cannot record (such a key stays).
std::string CreatedKeyRecord(const CreatedKey& created);

}  // namespace install

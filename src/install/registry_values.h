// Registry values named by the "[regi]" section of the script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "install/created_keys.h"
#include "platform/platform.h"
#include "format/registry_data.h"
#include "script/path_variables.h"

namespace install {

// The predefined key that a root name stands for; nothing for any other text.
std::optional<platform::RegistryRoot> RegistryRootNamed(const std::string& name);
// The name of a predefined key, as the script and the uninstall log write it.
const char* RegistryRootName(platform::RegistryRoot root);

// Whether the key is one of file types and associations: below
// HKEY_CLASSES_ROOT, or Software\Classes of the machine or of a user.
bool IsClassesKey(platform::RegistryRoot root, const std::string& key);

// Creates the key as needed and sets the value; true when it was set. An
// unknown root or type, or data that does not fit the type, writes nothing.
// The user is told nothing. The keys that the write created are added to
// created, when given, outermost first.
bool WriteRegistryValue(platform::Registry& registry, const std::string& rootName,
                        const std::string& key, const std::string& valueName,
                        const std::string& typeName, const std::string& data,
                        std::vector<CreatedKey>* created = nullptr);

// Every registry line of the script, in file order; the shell is told when
// a file association was written. created gets the keys the pass created.
void RunRegistryPass(platform::Platform& host, script::PathExpander& expander,
                     std::vector<CreatedKey>& created);

}  // namespace install

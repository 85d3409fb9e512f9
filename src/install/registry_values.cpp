#include "install/registry_values.h"

#include <iterator>

#include "base/text_trim.h"
#include "format/field_values.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

struct RootName {
  const char* name;
  platform::RegistryRoot root;
};
constexpr RootName kRoots[] = {
    {format::kClassesRoot, platform::RegistryRoot::ClassesRoot},
    {format::kCurrentUser, platform::RegistryRoot::CurrentUser},
    {format::kLocalMachine, platform::RegistryRoot::LocalMachine},
    {format::kUsers, platform::RegistryRoot::Users},
    {format::kCurrentConfig, platform::RegistryRoot::CurrentConfig},
};
// mksetup checks scripts against the lists of names: they must be what
// this table and RegistryDataOf accept.
static_assert(std::size(kRoots) == std::size(format::kRegistryRoots));
static_assert(std::size(format::kRegistryTypes) == 3);

}  // namespace

std::optional<platform::RegistryRoot> RegistryRootNamed(const std::string& name) {
  for (const RootName& root : kRoots) {
    if (name == root.name) return root.root;
  }
  return std::nullopt;
}

const char* RegistryRootName(platform::RegistryRoot root) {
  for (const RootName& known : kRoots) {
    if (known.root == root) return known.name;
  }
  return "";
}

void WriteRegistryValue(platform::Registry& registry, const std::string& rootName,
                        const std::string& key, const std::string& valueName,
                        const std::string& typeName, const std::string& data) {
  const std::optional<platform::RegistryRoot> root = RegistryRootNamed(rootName);
  if (!root) return;
  const std::optional<format::RegistryData> value = format::RegistryDataOf(typeName, data);
  if (!value) return;
  registry.SetValue(*root, key, valueName, value->type, value->bytes);
}

void RunRegistryPass(platform::Platform& host, script::PathExpander& expander) {
  script::ForEachRegistryLine(
      host.files, script::ScriptPath(host.files),
      [&](const std::string& root, const std::string& key, const std::string& name,
          const std::string& type, const std::string& data) {
        // Expanded in this order: key, value name, data.
        const std::string expandedKey = expander.ExpandPathVariables(key);
        const std::string expandedName = expander.ExpandPathVariables(name);
        const std::string expandedData = expander.ExpandPathVariables(data);
        WriteRegistryValue(host.registry, root, expandedKey, expandedName, type, expandedData);
      });
}

}  // namespace install

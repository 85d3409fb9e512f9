#include "install/registry_values.h"

#include <iterator>
#include <string_view>

#include "base/text_trim.h"
#include "format/field_values.h"
#include "format/windows_path.h"
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
static_assert(std::size(format::kRegistryTypes) == 5);

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

bool IsClassesKey(platform::RegistryRoot root, const std::string& key) {
  if (root == platform::RegistryRoot::ClassesRoot) return true;
  std::string path = format::ComparableKeyPath(key);
  // Below HKEY_USERS each user's hive comes first.
  if (root == platform::RegistryRoot::Users) {
    const std::size_t hive = path.find('\\');
    path = hive == std::string::npos ? std::string() : path.substr(hive + 1);
  } else if (root != platform::RegistryRoot::CurrentUser &&
             root != platform::RegistryRoot::LocalMachine) {
    return false;
  }
  constexpr std::string_view kClasses = "software\\classes";
  return path.rfind(kClasses, 0) == 0 &&
         (path.size() == kClasses.size() || path[kClasses.size()] == '\\');
}

bool WriteRegistryValue(platform::Registry& registry, const std::string& rootName,
                        const std::string& key, const std::string& valueName,
                        const std::string& typeName, const std::string& data,
                        std::vector<CreatedKey>* created) {
  const std::optional<platform::RegistryRoot> root = RegistryRootNamed(rootName);
  if (!root) return false;
  const std::optional<format::RegistryData> value = format::RegistryDataOf(typeName, data);
  if (!value) return false;
  std::vector<CreatedKey> missing;
  if (created != nullptr) missing = KeysMissingAlong(registry, *root, key);
  if (!registry.SetValue(*root, key, valueName, value->type, value->bytes)) return false;
  if (created != nullptr) created->insert(created->end(), missing.begin(), missing.end());
  return true;
}

void RunRegistryPass(platform::Platform& host, script::PathExpander& expander,
                     std::vector<CreatedKey>& created) {
  bool associationsWritten = false;
  script::ForEachRegistryLine(
      host.files, script::ScriptPath(host.files),
      [&](const std::string& root, const std::string& key, const std::string& name,
          const std::string& type, const std::string& data) {
        // Expanded in this order: key, value name, data.
        const std::string expandedKey = expander.ExpandPathVariables(key);
        const std::string expandedName = expander.ExpandPathVariables(name);
        const std::string expandedData = expander.ExpandPathVariables(data);
        if (WriteRegistryValue(host.registry, root, expandedKey, expandedName, type, expandedData,
                               &created)) {
          const std::optional<platform::RegistryRoot> known = RegistryRootNamed(root);
          associationsWritten = associationsWritten || IsClassesKey(*known, expandedKey);
        }
      });
  // Explorer keeps the associations it has read until it is told.
  if (associationsWritten) host.shell.NotifyAssociationsChanged();
}

}  // namespace install

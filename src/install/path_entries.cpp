#include "install/path_entries.h"

#include "base/text_trim.h"
#include "format/field_values.h"
#include "format/joined_text.h"
#include "format/registry_data.h"
#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/registry_values.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

std::string WithoutFinalBackslash(std::string path) {
  // "C:\" keeps it: "C:" is another folder, the drive's current one.
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// A folder that a PATH entry can hold: no ";" (it would make two entries),
// no quotes, something at all.
bool CanBeAnEntry(const std::string& folder) {
  return !base::Trimmed(folder).empty() && folder.find_first_of(";\"") == std::string::npos;
}

}  // namespace

std::optional<platform::RegistryRoot> PathRootNamed(const std::string& name) {
  if (name == format::kLocalMachine) return platform::RegistryRoot::LocalMachine;
  if (name == format::kCurrentUser) return platform::RegistryRoot::CurrentUser;
  return std::nullopt;
}

const char* PathKeyOf(platform::RegistryRoot root) {
  return root == platform::RegistryRoot::LocalMachine
             ? "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment"
             : "Environment";
}

std::vector<std::string> PathEntries(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (std::size_t end = text.find(format::log::kPathEntrySeparator);;
       end = text.find(format::log::kPathEntrySeparator, start)) {
    entries.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return entries;
    start = end + 1;
  }
}

std::string StringOf(const std::vector<std::uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  const std::size_t zero = text.find('\0');
  if (zero != std::string::npos) text.erase(zero);
  return text;
}

bool NamesFolder(platform::Machine& machine, const std::string& entry, const std::string& folder) {
  const std::string wanted = WithoutFinalBackslash(base::Trimmed(folder));
  const std::string written = WithoutFinalBackslash(base::Trimmed(entry));
  if (written.empty()) return false;
  if (format::SamePath(written, wanted)) return true;
  if (written.find('%') == std::string::npos) return false;
  const std::string expanded = WithoutFinalBackslash(machine.ExpandMachineVariables(written));
  return !expanded.empty() && format::SamePath(expanded, wanted);
}

bool AppendPathEntry(platform::Platform& host, platform::RegistryRoot root,
                     const std::string& folder) {
  if (!CanBeAnEntry(folder)) return false;
  format::RegistryData value;
  std::string text;
  if (host.registry.QueryValue(root, PathKeyOf(root), kPathValueName, value)) {
    // Another type is no list of folders: it is left as it is.
    if (value.type != format::kRegExpandSz && value.type != format::kRegSz) return false;
    text = StringOf(value.bytes);
  } else {
    value.type = format::kRegExpandSz;
  }
  for (const std::string& entry : PathEntries(text)) {
    if (NamesFolder(host.machine, entry, folder)) return false;
  }
  if (!text.empty() && text.back() != format::log::kPathEntrySeparator)
    text += format::log::kPathEntrySeparator;
  text += folder;
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return host.registry.SetValue(root, PathKeyOf(root), kPathValueName, value.type, bytes);
}

void RunPathPass(platform::Platform& host, script::PathExpander& expander,
                 format::InstallScope scope, UninstallLog& log) {
  bool changed = false;
  script::ForEachPathLine(
      host.files, script::ScriptPath(host.files),
      [&](const std::string& rootName, const std::string& folderTemplate) {
        const std::optional<platform::RegistryRoot> root = PathRootNamed(rootName);
        if (!root) return;
        // One user's installation has no right to the machine's PATH.
        if (scope == format::InstallScope::User && *root != platform::RegistryRoot::CurrentUser)
          return;
        const std::string folder =
            WithoutFinalBackslash(expander.ExpandPathVariables(folderTemplate));
        if (!AppendPathEntry(host, *root, folder)) return;
        // Only what this run added is the product's to remove.
        log.WriteLine(format::Joined({rootName, ";", folder}));
        changed = true;
      });
  if (changed) host.shell.NotifyEnvironmentChanged();
}

}  // namespace install

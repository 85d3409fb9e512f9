#include "install/shortcuts.h"

#include <iterator>

#include "format/joined_text.h"
#include "base/text_trim.h"
#include "format/field_values.h"
#include "format/uninstall_log_format.h"
#include "install/install_texts.h"
#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#include "format/shortcut_links.h"

namespace install {

namespace {

struct ShortcutLocation {
  const char* name;
  int folderNumber;
  int allUsersFolderNumber;
};

// Matched exactly, letter case included; any other location is ignored.
constexpr ShortcutLocation kLocations[] = {
    {format::kDesktop, platform::kCsidlDesktop, platform::kCsidlCommonDesktop},
    {format::kProgramGroupLocation, platform::kCsidlPrograms, platform::kCsidlCommonPrograms},
    {format::kQuickLaunch, platform::kCsidlAppData, platform::kCsidlAppData},
    {format::kStartMenu, platform::kCsidlStartMenu, platform::kCsidlCommonStartMenu},
    {format::kStartup, platform::kCsidlStartup, platform::kCsidlCommonStartup},
};
// mksetup checks scripts against the list of names: it must be this table's.
static_assert(std::size(kLocations) == std::size(format::kShortcutLocations));

}  // namespace

std::optional<int> ShortcutFolderNumber(const std::string& location) {
  for (const ShortcutLocation& known : kLocations) {
    if (location == known.name) return known.folderNumber;
  }
  return std::nullopt;
}

int AllUsersFolderNumber(int folderNumber) {
  for (const ShortcutLocation& known : kLocations) {
    if (folderNumber == known.folderNumber) return known.allUsersFolderNumber;
  }
  return folderNumber;
}

std::optional<int> RecordedFolderNumber(const std::string& location) {
  const std::string_view prefix = format::log::kAllUsersPrefix;
  if (!location.starts_with(prefix)) return ShortcutFolderNumber(location);
  const std::optional<int> folderNumber = ShortcutFolderNumber(location.substr(prefix.size()));
  if (!folderNumber || AllUsersFolderNumber(*folderNumber) == *folderNumber) return std::nullopt;
  return AllUsersFolderNumber(*folderNumber);
}

bool IsProgramsMenu(int folderNumber) {
  return folderNumber == platform::kCsidlPrograms || folderNumber == platform::kCsidlCommonPrograms;
}

std::string ProgramGroupFolder(const std::string& programsMenu, const std::string& programGroup) {
  // An empty group leaves a doubled "\", which puts the link straight
  // into the Programs menu.
  return format::Joined({programsMenu, "\\", base::TrimmedEnd(programGroup)});
}

std::string LinkFolder(platform::Machine& machine, const std::string& programGroup,
                       int folderNumber) {
  const std::string folder = machine.SpecialFolderLocation(folderNumber);
  if (folder.empty()) return folder;
  if (IsProgramsMenu(folderNumber)) return ProgramGroupFolder(folder, programGroup);
  if (folderNumber == platform::kCsidlAppData) return folder + format::kQuickLaunchFolder;
  return folder;
}

void CreateShortcut(platform::Platform& host, const std::string& programGroup, int folderNumber,
                    const std::string& name, const std::string& target) {
  if (name.empty() || target.empty()) {
    host.messages.Show(platform::MessageKind::Warning, format::kEnterMenuItemCorrectly);
    return;
  }
  const std::string folder = LinkFolder(host.machine, programGroup, folderNumber);
  if (folder.empty()) return;
  // Quick Launch is not created: no Quick Launch, no link.
  if (IsProgramsMenu(folderNumber) && !host.files.Exists(folder)) {
    CreateFolderPath(host.files, folder);
  }
  // The result is not checked: a link that cannot be saved is simply missing.
  host.shell.CreateLink(format::Joined({folder, "\\", name, format::kLinkExtension}), target);
}

void RunShortcutPass(platform::Platform& host, script::PathExpander& expander, UninstallLog& log,
                     std::string& programGroup, bool forAllUsers) {
  const auto onProgramGroup = [&](const std::string& groupTemplate) {
    programGroup = expander.ExpandPathVariables(groupTemplate);
  };
  const auto onShortcut = [&](const std::string& location, const std::string& target,
                              const std::string& name) {
    const std::string expandedTarget = expander.ExpandPathVariables(target);
    const std::string expandedName = expander.ExpandPathVariables(name);
    const std::optional<int> folderNumber = ShortcutFolderNumber(location);
    if (!folderNumber) return;
    const int folder = forAllUsers ? AllUsersFolderNumber(*folderNumber) : *folderNumber;
    // Recorded even when the link then fails, so the uninstaller looks for it.
    WriteShortcutRecord(log, location, expandedName, folder != *folderNumber);
    CreateShortcut(host, programGroup, folder, expandedName, expandedTarget);
  };
  script::ForEachShortcutLine(host.files, script::ScriptPath(host.files), onProgramGroup,
                              onShortcut);
}

}  // namespace install

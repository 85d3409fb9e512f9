#include "install/shortcuts.h"

#include "install/install_texts.h"
#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

struct ShortcutLocation {
  const char* name;
  int folderNumber;
};

// Matched exactly, letter case included; any other location is ignored.
constexpr ShortcutLocation kLocations[] = {
    {texts::kDesktop, platform::kCsidlDesktop},
    {texts::kProgramGroup, platform::kCsidlPrograms},
    {texts::kQuickLaunch, platform::kCsidlAppData},
    {texts::kStartMenu, platform::kCsidlStartMenu},
};

const ShortcutLocation* FindLocation(const std::string& name) {
  for (const ShortcutLocation& location : kLocations) {
    if (name == location.name) return &location;
  }
  return nullptr;
}

std::string WithoutTrailingSpace(const std::string& text) {
  const std::size_t last = text.find_last_not_of(" \t\r\n\v\f");
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

}  // namespace

void CreateShortcut(platform::Platform& machine, const std::string& programGroup,
                    int folderNumber, const std::string& name,
                    const std::string& target) {
  if (name.empty() || target.empty()) {
    machine.messages.Show(platform::MessageKind::Warning, texts::kEnterMenuItemCorrectly);
    return;
  }
  std::string folder = machine.machine.SpecialFolderLocation(folderNumber);
  if (folder.empty()) return;
  if (folderNumber == platform::kCsidlPrograms) {
    // An empty group leaves a doubled "\", which puts the link straight
    // into the Programs menu.
    folder += "\\" + WithoutTrailingSpace(programGroup);
    if (!machine.files.Exists(folder)) CreateFolderPath(machine.files, folder);
  } else if (folderNumber == platform::kCsidlAppData) {
    folder += texts::kQuickLaunchFolder;  // not created: no Quick Launch, no link
  }
  // The result is not checked: a link that cannot be saved is simply missing.
  machine.shell.CreateLink(folder + "\\" + name + texts::kLinkExtension, target);
}

void RunShortcutPass(platform::Platform& machine, script::PathExpander& expander,
                     UninstallLog& log, std::string& programGroup) {
  const auto onProgramGroup = [&](const std::string& groupTemplate) {
    programGroup = expander.ExpandPathVariables(groupTemplate);
  };
  const auto onShortcut = [&](const std::string& location, const std::string& target,
                              const std::string& name) {
    const std::string expandedTarget = expander.ExpandPathVariables(target);
    const std::string expandedName = expander.ExpandPathVariables(name);
    const ShortcutLocation* const known = FindLocation(location);
    if (known == nullptr) return;
    // Recorded even when the link then fails, so the uninstaller looks for it.
    WriteShortcutRecord(log, location, expandedName);
    CreateShortcut(machine, programGroup, known->folderNumber, expandedName, expandedTarget);
  };
  script::ForEachShortcutLine(machine.files, script::ScriptPath(machine.files), onProgramGroup,
                              onShortcut);
}

}  // namespace install

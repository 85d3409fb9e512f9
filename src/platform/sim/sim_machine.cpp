#include <filesystem>
#include <system_error>

#include "platform/sim/sim_platform.h"

namespace sim {

bool SimMachine::UserName(std::string& name) {
  name = userName;
  return true;
}

bool SimMachine::ComputerName(std::string& name) {
  if (computerName.size() > 15) return false;
  name = computerName;
  return true;
}

bool SimMachine::LanguageName(std::string& name) {
  if (!languageFits) return false;
  name = languageName;
  return true;
}

std::string SimMachine::ExpandMachineVariables(const std::string& text) {
  // The one environment reference the registry's program files value holds.
  const std::string reference = "%ProgramFiles%";
  std::string expanded = text;
  for (std::size_t at = expanded.find(reference); at != std::string::npos;
       at = expanded.find(reference, at)) {
    expanded.replace(at, reference.size(), "C:\\Program Files");
  }
  return expanded;
}

std::string SimMachine::KnownFolder(int csidl) {
  const std::string profile = "C:\\users\\tester\\";
  switch (csidl & 0xFF) {
    case platform::kCsidlDesktop:
    case platform::kCsidlDesktopDirectory:
      return profile + "Desktop";
    case platform::kCsidlAppData:
      return profile + "AppData\\Roaming";
    case platform::kCsidlStartMenu:
      return profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
    case platform::kCsidlPrograms:
      return profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    case platform::kCsidlStartup:
      return profile + "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    case platform::kCsidlFavorites:
      return profile + "Favorites";
    case platform::kCsidlTemplates:
      return profile + "AppData\\Roaming\\Microsoft\\Windows\\Templates";
    case platform::kCsidlPersonal:
      return profile + "Documents";
    case platform::kCsidlLocalAppData:
      return profile + "AppData\\Local";
    case platform::kCsidlProfile:
      return "C:\\users\\tester";
    case platform::kCsidlProgramFiles:
      return "C:\\Program Files";
    case platform::kCsidlProgramFilesX86:
      return "C:\\Program Files (x86)";
    case platform::kCsidlProgramFilesCommon:
      return "C:\\Program Files\\Common Files";
    case platform::kCsidlCommonAppData:
      return "C:\\ProgramData";
    case platform::kCsidlCommonDesktop:
      return "C:\\users\\Public\\Desktop";
    case platform::kCsidlCommonStartMenu:
      return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
    case platform::kCsidlCommonPrograms:
      return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    case platform::kCsidlCommonStartup:
      return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    default:
      return {};
  }
}

std::string SimMachine::FolderPath(int csidl) {
  const std::string folder = KnownFolder(csidl);
  if (!folder.empty() && (csidl & platform::kCsidlFlagCreate) != 0) {
    std::error_code ignored;
    std::filesystem::create_directories(files_.NativePath(folder), ignored);
  }
  return folder;
}

std::string SimMachine::SpecialFolderLocation(int csidl) {
  // The shell's special folders exist on a real machine.
  return FolderPath(csidl | platform::kCsidlFlagCreate);
}

}  // namespace sim

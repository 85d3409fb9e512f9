#include "script/path_variables.h"

#include "format/path_variable_names.h"
#include "format/template_parts.h"
#include "script/scope_folders.h"
#include "script/script_reader.h"

namespace script {

namespace {

constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProgramFilesValue = "ProgramFilesPath";

// Appends the parts of a template to result: pieces and names are looked
// up, "%%" gives "%"; the returned rest is what follows the last "%".
template <typename Lookup>
std::string ExpandPieces(const std::string& text, std::string& result, Lookup lookup) {
  std::string rest;
  format::ForEachTemplatePart(text, [&](format::TemplatePart part, std::string_view partText) {
    const std::string piece(partText);
    switch (part) {
      case format::TemplatePart::Piece:
      case format::TemplatePart::Name:
        result += lookup(piece);
        break;
      case format::TemplatePart::Text:
        result += piece;
        break;
      case format::TemplatePart::Percent:
        result += '%';
        break;
      case format::TemplatePart::Lone:
        break;
      case format::TemplatePart::Rest:
        rest = piece;
        break;
    }
  });
  return rest;
}

}  // namespace

std::string ReadProgramFilesPath(platform::Registry& registry, platform::Machine& machine) {
  std::string value;
  if (!registry.QueryString(platform::RegistryRoot::LocalMachine, kCurrentVersionKey,
                            kProgramFilesValue, value)) {
    return {};
  }
  return machine.ExpandMachineVariables(value);
}

std::string PathExpander::ExpandPathVariables(const std::string& text) {
  std::string result;
  // Values go straight into the result: a "%" inside one is never looked at.
  const std::string rest = ExpandPieces(
      text, result, [this](const std::string& piece) { return GetPathVariable(piece); });
  return result + rest;
}

std::string PathExpander::ExpandImagePath(const std::string& text) {
  std::string result;
  const std::string rest = ExpandPieces(
      text, result, [this](const std::string& piece) { return GetPathVariable(piece); });
  // The images were extracted into the staging folder.
  if (!rest.empty()) result.append(kStagingFolderName).append("\\").append(rest);
  return result;
}

std::string PathExpander::GetPathVariable(const std::string& piece) {
  // Every value is fetched anew.
  const std::optional<format::PathVariable> variable = format::PathVariableNamed(piece);
  if (!variable) return piece;
  // The shell folders are asked for with the create flag, so that a missing
  // folder is made.
  const auto shellFolder = [this](int csidl) {
    return machine_.FolderPath(csidl | platform::kCsidlFlagCreate);
  };
  // No default: a variable of the list without its case here does not compile.
  using enum format::PathVariable;
  switch (*variable) {
    case ProductName:
      return wizard_.ProductName();
    case ProductVersion:
      return wizard_.ProductVersion();
    case CompanyName:
      return wizard_.CompanyName();
    case InstallPath:
      return wizard_.InstallPath();
    case UserName: {
      std::string user;
      return machine_.UserName(user) ? user : std::string();
    }
    case ComputerName: {
      std::string computer;
      return machine_.ComputerName(computer) ? computer : std::string();
    }
    case Language: {
      // A language name that does not fit counts as an unknown variable.
      std::string language;
      return machine_.LanguageName(language) ? language : piece;
    }
    case ProgramFiles:
      return ProgramFilesFolder(scope_, registry_, machine_);
    case WindowDir:
      return machine_.WindowsFolder();
    case SystemDir:
      return machine_.SystemFolder();
    case CommonFiles:
      return CommonFilesFolder(scope_, registry_, machine_);
    case TempDir:
      return files_.TempFolder();
    case Desktop:
      return shellFolder(platform::kCsidlDesktopDirectory);
    case ProgramDir:
      return shellFolder(platform::kCsidlPrograms);
    case StartMenu:
      return shellFolder(platform::kCsidlStartMenu);
    case Favorites:
      return shellFolder(platform::kCsidlFavorites);
    case Templates:
      return shellFolder(platform::kCsidlTemplates);
    case Startup:
      return shellFolder(platform::kCsidlStartup);
    case AppData:
      return shellFolder(platform::kCsidlAppData);
  }
  return piece;
}

}  // namespace script

#include "script/path_variables.h"

#include "script/scope_folders.h"
#include "script/script_reader.h"

namespace script {

namespace {

constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProgramFilesValue = "ProgramFilesPath";

// The shell folders: the folder number of each, asked for with the create
// flag so that a missing folder is made.
struct ShellFolderVariable {
  const char* name;
  int csidl;
};
constexpr ShellFolderVariable kShellFolders[] = {
    {"Desktop", platform::kCsidlDesktopDirectory}, {"ProgramDir", platform::kCsidlPrograms},
    {"StartMenu", platform::kCsidlStartMenu},      {"Favorites", platform::kCsidlFavorites},
    {"Startup", platform::kCsidlStartup},          {"Templates", platform::kCsidlTemplates},
    {"AppData", platform::kCsidlAppData},
};

// Appends the pieces of a template to result: each piece before a "%" is
// looked up, and the returned rest is what follows the last "%".
template <typename Lookup>
std::string ExpandPieces(const std::string& text, std::string& result, Lookup lookup) {
  std::size_t start = 0;
  for (std::size_t sign = text.find('%'); sign != std::string::npos; sign = text.find('%', start)) {
    result += lookup(text.substr(start, sign - start));
    start = sign + 1;
  }
  return text.substr(start);
}

}  // namespace

std::string ReadProgramFilesPath(platform::Registry& registry, platform::Machine& machine) {
  std::string value;
  if (!registry.QueryString(platform::RegistryRoot::LocalMachine, kCurrentVersionKey,
                            kProgramFilesValue, value)) {
    return {};
  }
  return machine.ExpandEnvironment(value);
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
  // Compared in this order, by the name between the two "%"; every value is
  // fetched anew.
  if (piece == "ProductName") return wizard_.ProductName();
  if (piece == "ProductVersion") return wizard_.ProductVersion();
  if (piece == "CompanyName") return wizard_.CompanyName();
  if (piece == "InstallPath") return wizard_.InstallPath();
  if (piece == "UserName") {
    std::string user;
    return machine_.UserName(user) ? user : std::string();
  }
  if (piece == "ComputerName") {
    std::string computer;
    return machine_.ComputerName(computer) ? computer : std::string();
  }
  if (piece == "Language") {
    // A language name that does not fit counts as an unknown variable.
    std::string language;
    return machine_.LanguageName(language) ? language : piece;
  }
  if (piece == "ProgramFiles") return ProgramFilesFolder(scope_, registry_, machine_);
  if (piece == "WindowDir") return machine_.WindowsFolder();
  if (piece == "SystemDir") return machine_.SystemFolder();
  if (piece == "CommonFiles") return CommonFilesFolder(scope_, registry_, machine_);
  if (piece == "TempDir") return files_.TempFolder();
  for (const ShellFolderVariable& folder : kShellFolders) {
    if (piece == folder.name) return machine_.FolderPath(folder.csidl | platform::kCsidlFlagCreate);
  }
  return piece;
}

}  // namespace script

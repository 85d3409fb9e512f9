#include "script/scope_folders.h"

#include "script/path_variables.h"

namespace script {

namespace {

std::string UserProgramsFolder(platform::Machine& machine) {
  const std::string local =
      machine.FolderPath(platform::kCsidlLocalAppData | platform::kCsidlFlagCreate);
  // A failed call names no folder: nothing rather than "\Programs" at a root.
  return local.empty() ? std::string() : local + "\\Programs";
}

}  // namespace

std::string ProgramFilesFolder(format::InstallScope scope, platform::Registry& registry,
                               platform::Machine& machine) {
  if (scope == format::InstallScope::User) return UserProgramsFolder(machine);
  return ReadProgramFilesPath(registry, machine);
}

std::string CommonFilesFolder(format::InstallScope scope, platform::Registry& registry,
                              platform::Machine& machine) {
  if (scope == format::InstallScope::User) {
    const std::string programs = UserProgramsFolder(machine);
    return programs.empty() ? std::string() : programs + "\\Common";
  }
  return ReadProgramFilesPath(registry, machine) + "\\Common Files";
}

}  // namespace script

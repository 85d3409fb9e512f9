// STAND-IN for the installing step, so that the wizard's page logic links and
// its tests run before the real step exists. Delete this file when
// installing_step.cpp lands: it installs nothing, it only drives the page the
// way the step does and does the two completion jobs the wizard relies on.
#include "install/installing_step.h"

#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

void RunInstallingStep(platform::Platform& /*machine*/, script::PathExpander& /*expander*/,
                       InstallingPage& page, const InstallRequest& /*request*/,
                       std::string& /*programGroup*/) {
  page.DisableBack();
  for (int step = 0; step <= 6; ++step) page.ShowProgress(100 * step / 6);
}

void CreateFolderPath(platform::FileSystem& files, const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  if (folder.empty() || files.Exists(folder)) return;
  const std::size_t slash = folder.rfind('\\');
  if (slash != std::string::npos) CreateFolderPath(files, folder.substr(0, slash));
  files.MakeFolder(folder);
}

bool LaunchPrograms(platform::Platform& machine, script::PathExpander& expander) {
  return script::ForEachLaunchProgram(
      machine.files, script::ScriptPath(machine.files),
      [&](const std::string& program) {
        machine.shell.Launch(expander.ExpandPathVariables(program));
      });
}

void DeleteStagingFiles(platform::FileSystem& files) {
  const std::string staging = script::StagingFolder(files);
  if (!files.Exists(staging)) return;
  for (const platform::FolderEntry& entry : files.ListFolder(staging)) {
    files.RemoveFile(staging + entry.name);
  }
}

}  // namespace install

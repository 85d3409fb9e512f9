// The end of the run: the programs to start at Finish and the clean-up of
// the staging folder.
#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

bool LaunchPrograms(platform::Platform& host, script::PathExpander& expander) {
  return script::ForEachLaunchProgram(host.files, script::ScriptPath(host.files),
                                      [&](const std::string& program) {
                                        // A program that does not start gives no message.
                                        host.shell.Launch(expander.ExpandPathVariables(program));
                                      });
}

void DeleteStagingFiles(platform::FileSystem& files, const std::string& folder) {
  const std::string staging = folder.empty() ? script::StagingFolder(files) : folder;
  if (!files.Exists(staging)) return;
  // The files, also those of the entries' folders; the folders stay, and a
  // link or junction is never entered.
  for (const platform::FolderEntry& entry : files.ListFolder(staging)) {
    if (!entry.isFolder)
      files.RemoveFile(staging + entry.name);
    else if (!entry.isReparsePoint)
      DeleteStagingFiles(files, staging + entry.name + "\\");
  }
}

}  // namespace install

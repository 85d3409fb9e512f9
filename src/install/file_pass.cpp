#include "install/file_pass.h"

#include "platform/accepted_drive.h"
#include "format/windows_path.h"
#include "format/script_format.h"
#include "install/busy_files.h"
#include "install/install_texts.h"
#include "install/installing_step.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

void InstallFile(platform::Platform& host, const std::string& source,
                 const std::string& destination) {
  const std::string invalid = std::string(texts::kInvalidInstallationPath) + destination;
  if (!platform::IsAcceptedDrive(host.files.DriveKindOf(format::DriveRootText(destination)))) {
    host.messages.Show(platform::MessageKind::Warning, invalid);
    return;
  }
  // A destination without "\" has no folder to put the file in.
  const std::size_t slash = destination.rfind('\\');
  const std::string folder =
      slash == std::string::npos ? std::string() : destination.substr(0, slash);
  CreateFolderPath(host.files, folder);
  if (folder.empty() || !host.files.Exists(folder)) {
    host.messages.Show(platform::MessageKind::Warning, invalid);
    return;
  }
  if (ReplaceBusyFile(host, source, destination)) return;
  if (!host.files.CopyOver(source, destination)) {
    host.messages.Show(platform::MessageKind::Warning,
                       std::string(texts::kUnableToCreateFile) + destination);
  }
}

void RunFilePass(platform::Platform& host, script::PathExpander& expander) {
  const std::string staging = script::StagingFolder(host.files);
  script::ForEachFileEntry(host.files, script::ScriptPath(host.files),
                           [&](const std::string& kind, const std::string& rest) {
                             if (kind == script::format::kFolderEntryKind) {
                               CreateFolderPath(host.files, expander.ExpandPathVariables(rest));
                               return;
                             }
                             // The source name is the staged entry's own name, never expanded.
                             InstallFile(host, staging + kind, expander.ExpandPathVariables(rest));
                           });
}

}  // namespace install

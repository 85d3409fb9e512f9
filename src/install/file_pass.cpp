#include "install/file_pass.h"

#include "platform/accepted_drive.h"
#include "format/windows_path.h"
#include "format/script_format.h"
#include "install/busy_files.h"
#include "install/install_texts.h"
#include "install/installing_step.h"
#include "install/staged_file_placement.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

// GetDriveType asks the system's mount manager each time, which under Wine
// is a call into another process; a pass asks once for each drive root in
// a row, as its files mostly share one.
class DriveVerdicts {
 public:
  bool Accepted(platform::FileSystem& files, const std::string& root) {
    if (root != root_) {
      root_ = root;
      accepted_ = platform::IsAcceptedDrive(files.DriveKindOf(root));
    }
    return accepted_;
  }

 private:
  // Longer than any root (a path's first three characters): asked first.
  std::string root_ = "none";
  bool accepted_ = false;
};

// Copies one staged file to its destination, making the destination folder
// first; with mayMove, moves it there where it can (PlaceStagedFile).
// Refused drives, a folder that cannot be made and a failed copy each show
// their message; nothing stops the caller. True when the file is installed
// or left to the next restart.
bool InstallFile(platform::Platform& host, DriveVerdicts& drives, const std::string& source,
                 const std::string& destination, bool mayMove) {
  // One warning for each way it fails, its text saying which.
  const char* failure = texts::kInvalidInstallationPath;
  if (drives.Accepted(host.files, format::DriveRootText(destination))) {
    // A destination without "\" has no folder to put the file in.
    const std::size_t slash = destination.rfind('\\');
    const std::string folder =
        slash == std::string::npos ? std::string() : destination.substr(0, slash);
    CreateFolderPath(host.files, folder);
    if (!folder.empty() && host.files.Exists(folder)) {
      // A file that another program holds cannot be copied over: it is left
      // to the next restart or fails.
      if (host.filesInUse.InUse(destination)
              ? ReplaceBusyFile(host, source, destination)
              : PlaceStagedFile(host.files, source, destination, mayMove)) {
        return true;
      }
      failure = texts::kUnableToCreateFile;
    }
  }
  host.messages.Show(platform::MessageKind::Warning, failure + destination);
  return false;
}

}  // namespace

std::vector<std::string> RunFilePass(platform::Platform& host, script::PathExpander& expander) {
  const std::string staging = script::StagingFolder(host.files);
  const std::string scriptPath = script::ScriptPath(host.files);
  // Which entry is the last to install each staged file, which may then be
  // moved rather than copied.
  StagedFileUses uses;
  DriveVerdicts drives;
  std::vector<std::string> installed;
  script::ForEachFileEntry(host.files, scriptPath,
                           [&](const std::string& kind, const std::string&) {
                             if (kind != format::kFolderEntryKind) uses.Add(staging + kind);
                           });
  script::ForEachFileEntry(
      host.files, scriptPath, [&](const std::string& kind, const std::string& rest) {
        if (kind == format::kFolderEntryKind) {
          CreateFolderPath(host.files, expander.ExpandPathVariables(rest));
          return;
        }
        // The source name is the staged entry's own name, never expanded.
        const std::string source = staging + kind;
        const std::string destination = expander.ExpandPathVariables(rest);
        if (InstallFile(host, drives, source, destination, uses.MayMove(source, scriptPath))) {
          installed.push_back(destination);
        }
      });
  return installed;
}

}  // namespace install

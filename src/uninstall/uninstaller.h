// The uninstaller's run: read the log in its own folder, ask, remove what the
// log names, hand its own files to the remover and report.
#pragma once

#include <string>
#include <vector>

#include "format/payload_contract.h"
#include "platform/removal.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall_log_reader.h"

namespace uninstall {

// The exit codes.
enum ExitCode : int {
  kRemoved = 0,
  kCancelled = 1,
  kLeftovers = 2,
  kNoLog = 3,  // no log, or one that cannot be read or believed
};

// The boxes the uninstaller shows; none in silent mode.
class Prompts {
 public:
  virtual ~Prompts() = default;
  // A Yes/No question; true for Yes.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
  virtual void Inform(const std::string& caption, const std::string& text) = 0;
  virtual void Fail(const std::string& caption, const std::string& text) = 0;
};

// Starts the remover of the uninstaller's own files in folder, to run once
// the uninstaller has ended; it then also removes the createdAbove folders
// right above folder that the installing step created, once empty. False
// when it could not be started.
class RemoverStart {
 public:
  virtual ~RemoverStart() = default;
  virtual bool Start(const std::string& folder, unsigned createdAbove) = 0;
};

struct UninstallOptions {
  std::string ownFolder;  // the folder of UnInstaller.exe and its log
  bool silent = false;    // no question, no box
  // Whom the product was installed for: where its uninstall key is.
  format::InstallScope scope = format::InstallScope::Machine;
};

// The log's general line with %ProductName%, %ProductVersion% and
// %CompanyName% replaced from the log's own lines; "-NA-" reads as empty.
std::string ExpandGeneralLine(const std::string& line, const UninstallRecords& log);

// The confirmation's text: the general lines, then the question that names
// the product and its version.
std::string ConfirmationText(const UninstallRecords& log);

// The whole run; returns the exit code.
int RunUninstaller(platform::UninstallerPlatform& host, Prompts& prompts, RemoverStart& remover,
                   const UninstallOptions& options);

}  // namespace uninstall

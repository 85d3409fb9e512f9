// SetupRun: what the setup program keeps for the whole of its one run: the
// command line, the log, the machine as the run sees it, the picture paths
// the extraction hands to the wizard, and the end of the process with the
// run's exit code. InitInstance owns the one run and hands it down.
#pragma once

#include <string>

#include "install/run_options.h"
#include "platform/platform.h"
#include "unattended/command_line.h"
#include "format/exit_codes.h"
#include "unattended/headless_surface.h"
#include "unattended/logged_platform.h"
#include "unattended/run_log.h"

namespace app {

class SetupRun {
 public:
  // Parses the command line into the run's options.
  SetupRun();
  SetupRun(const SetupRun&) = delete;
  SetupRun& operator=(const SetupRun&) = delete;

  // Acts on the command line and opens the log. Ends the process itself after
  // /? and after a bad command line.
  void Start();
  // The run's options, as the command line gives them and the account
  // completes them; they last to the end of the process.
  const install::RunOptions& Options() const { return commandLine_; }
  // The machine as the run sees it: logging, and quiet in a silent run.
  platform::Platform Host() { return host_.Get(); }
  // A line of the log, when there is one.
  bool Logging() const { return log_.IsOpen(); }
  void LogLine(const std::string& text) { log_.Line(text); }
  void LogLine(const char* label, const std::string& text) { log_.Line(label, text); }

  // The silent run's installation from the staged files, with the run's
  // options and the picture paths.
  format::ExitCode InstallSilently(unattended::HeadlessSurface::ProgressListener progress);

  // Shows (or, silent, logs) the failure with the application's name as
  // caption and ends the process with the code.
  [[noreturn]] void Fail(const std::string& message, format::ExitCode code);
  // Writes the outcome to the log and ends the process with its code. A
  // silent run deletes the staged files first, as Finish does.
  [[noreturn]] void End(format::ExitCode code);
  // The end of an installation: Installed becomes InstalledWithErrors when
  // something was not written or a message was shown, else RestartNeeded
  // when a file in use is replaced at the next restart.
  [[noreturn]] void EndWithInstallation(format::ExitCode code);

  // The raw lines after "[logo]" and "[Header]" in the setup script, as the
  // extraction read them; the wizard expands and loads them.
  std::string logoPath;
  std::string headerPath;

 private:
  // Whether the program's scope resource named a scope (ReadCommandLine
  // reads it); Start refuses a damaged one. Before commandLine_, whose
  // initialisation sets it.
  bool scopeKnown_ = true;
  unattended::CommandLine commandLine_;
  unattended::RunLog log_;
  unattended::LoggedPlatform host_;
};

}  // namespace app

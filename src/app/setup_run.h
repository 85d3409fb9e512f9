// The one run of the setup program: its command line, its log, the machine
// as the run sees it, and the end of the process with the run's exit code.
#pragma once

#include <string>

#include "platform/platform.h"
#include "unattended/command_line.h"
#include "unattended/exit_codes.h"
#include "unattended/headless_surface.h"

namespace app {

// Reads the command line and opens the log. Ends the process itself after
// /? and after a bad command line.
void StartRun();
unattended::Display RunDisplay();
// The machine as the run sees it: logging, and quiet in a silent run.
platform::Platform RunPlatform();
// The folder of /D= or /DIR=; empty without either.
const std::string& CommandLineFolder();
// A line of the log, when there is one.
bool Logging();
void LogLine(const std::string& text);

// The silent run's installation from the staged files (the picture paths of
// the extraction), with the command line's folder.
unattended::ExitCode InstallSilently(const std::string& logoPath, const std::string& headerPath,
                                     unattended::HeadlessSurface::ProgressListener progress);

// Writes the outcome to the log and ends the process with its code. A silent
// run deletes the staged files first, as Finish does.
[[noreturn]] void EndRun(unattended::ExitCode code);
// The end of an installation: Installed becomes InstalledWithErrors when
// something was not written or a message was shown.
[[noreturn]] void EndWithInstallation(unattended::ExitCode code);

}  // namespace app

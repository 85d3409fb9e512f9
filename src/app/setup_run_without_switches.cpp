// The run of the 32-bit runtime: no switches, no log, the plain machine.
// Only the exit codes of the table remain: Installed after Finish (the
// messages of the installing step are not counted), Cancelled, DamagedSetup
// and NoStaging, and BadCommandLine for any argument at all, so that a
// deployment script that passes switches is told at once rather than left
// waiting for a wizard.
#include <windows.h>

#include "app/setup_run.h"
#include "platform/win32/win32_platform.h"

namespace app {

using unattended::ExitCode;

void StartRun() {
  const char* line = ::GetCommandLineA();
  // The program's own name first, in quotes or up to the first blank.
  const bool quoted = *line == '"';
  line += quoted ? 1 : 0;
  while (*line != '\0' && *line != (quoted ? '"' : ' ')) ++line;
  if (*line != '\0') ++line;
  while (*line == ' ' || *line == '\t') ++line;
  if (*line != '\0') EndRun(ExitCode::BadCommandLine);
}

unattended::Display RunDisplay() { return unattended::Display::Full; }
platform::Platform RunPlatform() { return win32::Win32Platform(); }
bool Logging() { return false; }
void LogLine(const std::string&) {}

ExitCode InstallSilently(const std::string&, const std::string&,
                         unattended::HeadlessSurface::ProgressListener) {
  return ExitCode::DamagedSetup;  // never called: no run is silent
}

void EndRun(ExitCode code) { ::ExitProcess(static_cast<UINT>(code)); }
void EndWithInstallation(ExitCode code) { EndRun(code); }

}  // namespace app

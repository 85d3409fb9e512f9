#include "app/setup_run.h"

#include <windows.h>

#include "app/app_texts.h"
#include "install/installing_step.h"
#include "platform/win32/win32_platform.h"
#include "unattended/logged_platform.h"
#include "unattended/run_log.h"
#include "unattended/unattended_install.h"

namespace app {

using unattended::ExitCode;

namespace {

struct SetupRun {
  std::string rawCommandLine;
  unattended::CommandLine commandLine;
  unattended::RunLog log;
  unattended::LoggedPlatform host;
};

SetupRun& TheRun() {
  static SetupRun run{{}, {}, {}, {win32::Win32Platform(), run.log}};
  return run;
}

}  // namespace

void StartRun() {
  SetupRun& run = TheRun();
  run.rawCommandLine = ::GetCommandLineA();
  run.commandLine = unattended::ParseCommandLine(run.rawCommandLine);
  const unattended::CommandLine& line = run.commandLine;
  if (line.Silent()) run.host.BeQuiet(line.display == unattended::Display::ProgressOnly);
  platform::FileSystem& files = win32::Win32Platform().files;
  if (line.logWanted) {
    // The user's temporary folder even when staging goes elsewhere.
    const std::string path = line.logPath.empty()
                                 ? unattended::DefaultLogPath(
                                       win32::Win32FileSystem::UserTempFolder(), run.rawCommandLine)
                                 : line.logPath;
    if (!run.log.Open(files, path)) {
      run.host.Show(platform::MessageKind::Warning, "Cannot create the log file " + path);
      EndRun(ExitCode::BadCommandLine);
    }
  }
  run.log.Line("Command line: " + run.rawCommandLine);
  if (line.showHelp) {
    ::MessageBoxA(nullptr, unattended::kUsageText, "Setup", MB_OK | MB_ICONINFORMATION);
    EndRun(ExitCode::Installed);
  }
  if (!line.error.empty()) {
    run.host.Show(platform::MessageKind::Warning,
                  line.error + "\n\nRun the setup program with /? for its switches.");
    EndRun(ExitCode::BadCommandLine);
  }
  if (!win32::Win32Files().UsePrivateTempFolder()) {
    run.host.Show(platform::MessageKind::Warning, kNoPrivateFolder);
    EndRun(ExitCode::NoStaging);
  }
}

unattended::Display RunDisplay() { return TheRun().commandLine.display; }
platform::Platform RunPlatform() { return TheRun().host.Get(); }
const std::string& CommandLineFolder() { return TheRun().commandLine.installFolder; }
bool Logging() { return TheRun().log.IsOpen(); }
void LogLine(const std::string& text) { TheRun().log.Line(text); }

ExitCode InstallSilently(const std::string& logoPath, const std::string& headerPath,
                         unattended::HeadlessSurface::ProgressListener progress) {
  SetupRun& run = TheRun();
  return unattended::InstallUnattended(
      run.host, run.log, {run.commandLine.installFolder, logoPath, headerPath}, progress);
}

void EndRun(ExitCode code) {
  SetupRun& run = TheRun();
  if (run.commandLine.Silent()) install::DeleteStagingFiles(win32::Win32Platform().files);
  win32::Win32Files().RemovePrivateTempFolder();
  run.log.Line(unattended::OutcomeLine(code));
  ::ExitProcess(static_cast<UINT>(code));
}

void EndWithInstallation(ExitCode code) {
  if (code == ExitCode::Installed && TheRun().host.Failures() != 0) {
    code = ExitCode::InstalledWithErrors;
  }
  EndRun(code);
}

}  // namespace app

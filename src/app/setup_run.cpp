#include "app/setup_run.h"

#include <windows.h>

#include "app/app_texts.h"
#include "app/payload_resource.h"
#include "app/product_mutex.h"
#include "install/installing_step.h"
#include "platform/win32/own_scope.h"
#include "platform/win32/private_folder.h"
#include "platform/win32/win32_platform.h"
#include "unattended/switches.h"
#include "unattended/unattended_install.h"

namespace app {

using format::ExitCode;

namespace {

// The process runs as the SYSTEM account (S-1-5-18), as device management
// runs setup programs: its own folders are no user's.
bool RunsAsLocalSystem() {
  SID system = {SID_REVISION, 1, SECURITY_NT_AUTHORITY, {SECURITY_LOCAL_SYSTEM_RID}};
  BOOL member = FALSE;
  return ::CheckTokenMembership(nullptr, &system, &member) && member;
}

// The run's options: the command line's, with the scope the program was
// built for (its scope resource; scopeKnown is false when that is damaged),
// and a run as SYSTEM puts the links into the all-users folders, as
// /ALLUSERS does. A per-user program never puts links where every user sees
// them: Start refuses its /ALLUSERS.
unattended::CommandLine ReadCommandLine(bool& scopeKnown) {
  unattended::CommandLine line = unattended::ParseCommandLine(::GetCommandLineA());
  scopeKnown = win32::ReadOwnScope(line.scope);
  if (line.scope == format::InstallScope::Machine && RunsAsLocalSystem()) line.allUsers = true;
  return line;
}

}  // namespace

SetupRun::SetupRun()
    : commandLine_(ReadCommandLine(scopeKnown_)), host_(win32::Win32Platform(), log_) {}

void SetupRun::Start() {
  const std::string rawCommandLine = ::GetCommandLineA();
  const unattended::CommandLine& line = commandLine_;
  if (line.Silent()) host_.BeQuiet(line.display == install::Display::ProgressOnly);
  // Before anything is written, the log included (the first run's may have
  // the same name), and without End(), whose clean-up is the first run's.
  if (!line.showHelp && !TakeProductMutex(PayloadResource().Block(), line.scope)) {
    host_.Show(platform::MessageKind::Warning, kSetupRunsAlready);
    ::ExitProcess(static_cast<UINT>(ExitCode::InstallInProgress));
  }
  host_.CloseApplicationsWhenQuiet(line.closeApplications);
  platform::FileSystem& files = win32::Win32Platform().files;
  if (line.logWanted) {
    std::string path = line.logPath;
    // Elevated, never the user's temporary folder, which every program of
    // the user can re-point: a folder only the administrators can change.
    if (path.empty()) {
      const std::string folder = win32::RunsElevated() ? win32::MachineLogFolder()
                                                       : win32::Win32FileSystem::UserTempFolder();
      path = folder.empty() ? win32::SystemTempFolder() + "\\setupkit-logs\\"
                            : unattended::DefaultLogPath(folder, rawCommandLine);
    }
    if (path.back() == '\\' || !log_.Open(files, path)) {
      host_.Show(platform::MessageKind::Warning, "Cannot create the log file " + path);
      End(ExitCode::BadCommandLine);
    }
  }
  log_.Line("Command line: ", rawCommandLine);
  if (!line.accepted.empty()) log_.Line("Accepted:", line.accepted);
  if (line.noRestart) log_.Line("/NORESTART accepted");
  if (line.showHelp) {
    ::MessageBoxA(nullptr, unattended::UsageText().c_str(), "Setup", MB_OK | MB_ICONINFORMATION);
    End(ExitCode::Installed);
  }
  if (!line.error.empty()) {
    host_.Show(platform::MessageKind::Warning,
               line.error + "\n\nRun the setup program with /? for its switches.");
    End(ExitCode::BadCommandLine);
  }
  if (!scopeKnown_) Fail(kUnknownScope, ExitCode::DamagedSetup);
  if (line.scope == format::InstallScope::User && line.allUsers) {
    host_.Show(platform::MessageKind::Warning, kAllUsersRefused);
    End(ExitCode::BadCommandLine);
  }
  if (line.scope == format::InstallScope::User) log_.Line("Scope: user");
  if (!win32::Win32Files().UsePrivateTempFolder()) {
    host_.Show(platform::MessageKind::Warning, kNoPrivateFolder);
    End(ExitCode::NoStaging);
  }
}

ExitCode SetupRun::InstallSilently(unattended::HeadlessSurface::ProgressListener progress) {
  return unattended::InstallUnattended(host_, log_, commandLine_, {logoPath, headerPath}, progress);
}

void SetupRun::Fail(const std::string& message, ExitCode code) {
  host_.Show(platform::MessageKind::Warning, message);
  End(code);
}

void SetupRun::End(ExitCode code) {
  if (commandLine_.Silent()) install::DeleteStagingFiles(win32::Win32Platform().files);
  win32::Win32Files().RemovePrivateTempFolder();
  log_.Line(unattended::OutcomeLine(code));
  ::ExitProcess(static_cast<UINT>(code));
}

void SetupRun::EndWithInstallation(ExitCode code) {
  if (code == ExitCode::Installed && host_.Failures() != 0) code = ExitCode::InstalledWithErrors;
  if (code == ExitCode::Installed && host_.RestartNeeded()) code = ExitCode::RestartNeeded;
  End(code);
}

}  // namespace app

#include "app/setup_run.h"

#include <windows.h>

#include "app/app_texts.h"
#include "app/payload_resource.h"
#include "app/product_mutex.h"
#include "format/payload_script_head.h"
#include "install/installing_step.h"
#include "platform/win32/win32_platform.h"
#include "unattended/unattended_install.h"
#include "wizard/header_field.h"

namespace app {

using unattended::ExitCode;

namespace {

// Line 1 of the payload's setup script, as the wizard keeps it; empty when
// the payload has none.
std::string PayloadProductName() {
  PayloadResource payload;
  std::vector<package::ArchiveEntry> entries;
  std::string ignored;
  package::ReadArchiveIndex(payload.Block(), entries, ignored);
  const std::vector<std::string> head = package::ScriptHeadLines(entries, 1);
  return head.empty() ? std::string() : head[0].substr(0, wizard::kFieldSize - 1);
}

// The process runs as the SYSTEM account (S-1-5-18), as device management
// runs setup programs: its own folders are no user's.
bool RunsAsLocalSystem() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  union {
    TOKEN_USER user;
    BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  } info;
  DWORD size = 0;
  const bool system = ::GetTokenInformation(token, TokenUser, &info, sizeof info, &size) &&
                      ::IsWellKnownSid(info.user.User.Sid, WinLocalSystemSid);
  ::CloseHandle(token);
  return system;
}

}  // namespace

SetupRun::SetupRun() : host_(win32::Win32Platform(), log_) {}

void SetupRun::Start() {
  const std::string rawCommandLine = ::GetCommandLineA();
  commandLine_ = unattended::ParseCommandLine(rawCommandLine);
  const unattended::CommandLine& line = commandLine_;
  if (line.Silent()) host_.BeQuiet(line.display == unattended::Display::ProgressOnly);
  // Before anything is written, the log included (the first run's may have
  // the same name), and without End(), whose clean-up is the first run's.
  if (!line.showHelp) {
    const std::string product = PayloadProductName();
    if (!TakeProductMutex(product)) {
      host_.Show(platform::MessageKind::Warning, kSetupRunsAlready + product + ".");
      ::ExitProcess(static_cast<UINT>(ExitCode::InstallInProgress));
    }
  }
  platform::FileSystem& files = win32::Win32Platform().files;
  if (line.logWanted) {
    // The user's temporary folder even when staging goes elsewhere.
    const std::string path =
        line.logPath.empty()
            ? unattended::DefaultLogPath(win32::Win32FileSystem::UserTempFolder(), rawCommandLine)
            : line.logPath;
    if (!log_.Open(files, path)) {
      host_.Show(platform::MessageKind::Warning, "Cannot create the log file " + path);
      End(ExitCode::BadCommandLine);
    }
  }
  log_.Line("Command line: " + rawCommandLine);
  for (const unattended::FlagSwitch& known : unattended::kFlagSwitches) {
    if (line.*known.flag) log_.Line(std::string("Switch ") + known.logNote);
  }
  linksForAllUsers_ = line.allUsers || RunsAsLocalSystem();
  if (linksForAllUsers_ && !line.allUsers) log_.Line("Run as SYSTEM: links for all users");
  if (line.showHelp) {
    ::MessageBoxA(nullptr, unattended::kUsageText, "Setup", MB_OK | MB_ICONINFORMATION);
    End(ExitCode::Installed);
  }
  if (!line.error.empty()) {
    host_.Show(platform::MessageKind::Warning,
               line.error + "\n\nRun the setup program with /? for its switches.");
    End(ExitCode::BadCommandLine);
  }
  if (!win32::Win32Files().UsePrivateTempFolder()) {
    host_.Show(platform::MessageKind::Warning, kNoPrivateFolder);
    End(ExitCode::NoStaging);
  }
}

ExitCode SetupRun::InstallSilently(unattended::HeadlessSurface::ProgressListener progress) {
  return unattended::InstallUnattended(
      host_, log_, {commandLine_.installFolder, logoPath, headerPath, linksForAllUsers_}, progress);
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
  End(code);
}

}  // namespace app

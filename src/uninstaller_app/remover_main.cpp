// "Remove Uninstaller.exe", run as a copy in a fresh temporary folder:
// waits for the uninstaller to end, then deletes its files, the emptied
// installation folder and the emptied folders above it that setup created.
// The copy goes when the handle to it that it inherited closes at its end;
// its folder, which it cannot remove while it runs, is left to the system's
// next start.
#include <windows.h>

#include "platform/win32/win32_removal.h"
#include "uninstall/created_folders.h"
#include "uninstall/own_files.h"
#include "uninstall/uninstaller.h"
#include "uninstaller_app/command_line.h"
#include "uninstaller_app/dll_search.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  uninstaller_app::RestrictDllSearchToSystemFolder();
  uninstaller_app::RemoverArguments arguments;
  if (!uninstaller_app::ParseRemoverArguments(
          uninstaller_app::CommandLineArguments(GetCommandLineA()), arguments)) {
    return uninstall::ExitCode::kNoLog;
  }
  const HANDLE uninstaller = reinterpret_cast<HANDLE>(arguments.processHandle);
  WaitForSingleObject(uninstaller, INFINITE);
  CloseHandle(uninstaller);

  platform::UninstallerPlatform& host = win32::Win32UninstallerPlatform();
  const uninstall::RemovalGuard guard(host.files, host.machine, arguments.folder);
  std::vector<uninstall::Leftover> leftovers =
      uninstall::RemoveOwnFiles(host.files, host.removal, host.shell, guard, arguments.folder);
  if (leftovers.empty()) {
    uninstall::RemoveCreatedFoldersAbove(host.files, host.removal, guard, arguments.folder,
                                         arguments.createdAbove, leftovers);
  }

  MoveFileExA(uninstaller_app::OwnFolder().c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return leftovers.empty() ? uninstall::ExitCode::kRemoved : uninstall::ExitCode::kLeftovers;
}

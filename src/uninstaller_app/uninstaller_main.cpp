// UnInstaller.exe: removes the product its log in its own folder names.
// "/S": without any question or box. Exit codes as uninstall::ExitCode.
#include <windows.h>

#include "platform/win32/own_scope.h"
#include "platform/win32/win32_removal.h"
#include "uninstall/uninstaller.h"
#include "uninstaller_app/command_line.h"
#include "uninstaller_app/dll_search.h"
#include "uninstaller_app/message_box_prompts.h"
#include "uninstaller_app/remover_handover.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  uninstaller_app::RestrictDllSearchToSystemFolder();
  uninstall::UninstallOptions options;
  // mksetup gives the uninstaller of a per-user setup program its scope.
  if (!win32::ReadOwnScope(options.scope)) return uninstall::ExitCode::kNoLog;
  options.ownFolder = uninstaller_app::OwnFolder();
  options.silent =
      uninstaller_app::HasSilentSwitch(uninstaller_app::CommandLineArguments(GetCommandLineA()));
  uninstaller_app::MessageBoxPrompts prompts;
  uninstaller_app::RemoverHandover remover;
  return uninstall::RunUninstaller(win32::Win32UninstallerPlatform(), prompts, remover, options);
}

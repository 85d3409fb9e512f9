#include "uninstaller_app/remover_handover.h"

#include <windows.h>

#include "format/uninstall_log_format.h"
#include "platform/win32/file_attributes.h"
#include "platform/win32/private_folder.h"
#include "platform/win32/this_process.h"
#include "platform/win32/unguessable_name.h"
#include "uninstall/own_files.h"
#include "uninstaller_app/command_line.h"

namespace uninstaller_app {

namespace {

constexpr const char* kFolderPrefix = "setupkit-uninstall-";
constexpr int kFolderTries = 100;

// A folder that did not exist before, in the user's temporary folder: one
// that someone else made beforehand could hold a DLL waiting for the remover.
// Only for an unelevated uninstaller, which has nothing to guard there.
std::string MakeFreshUserFolder() {
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return {};
  for (int i = 0; i < kFolderTries; ++i) {
    char name[win32::kUnguessableNameLength + 1];
    if (!win32::UnguessableName(name)) return {};
    const std::string folder = std::string(temp, length) + kFolderPrefix + name;
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
  }
  return {};
}

// Elevated, the copy goes where only administrators can change it: the
// user's temporary folder is the user's other programs' too.
std::string MakeFolderForTheCopy() {
  if (!win32::RunsElevated()) return MakeFreshUserFolder();
  char folder[MAX_PATH];
  return win32::MakePrivateFolder(kFolderPrefix, folder) ? folder : std::string();
}

}  // namespace

bool RemoverHandover::Start(const std::string& folder, unsigned createdAbove) {
  const std::string source = uninstall::OwnFilePath(folder, format::log::kRemoverName);
  if (win32::AttributesOf(source.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const std::string privateFolder = MakeFolderForTheCopy();
  if (privateFolder.empty()) return false;
  const std::string copy = uninstall::OwnFilePath(privateFolder, format::log::kRemoverName);
  // Held from its writing until the remover has started, and deleted once
  // the last handle closes: the remover inherits this one, and its end is
  // the copy's end.
  const HANDLE held = win32::CopyHeld(source, copy, true);
  if (held == INVALID_HANDLE_VALUE) {
    RemoveDirectoryA(privateFolder.c_str());
    return false;
  }

  HANDLE self = nullptr;
  if (!DuplicateHandle(win32::ThisProcess(), win32::ThisProcess(), win32::ThisProcess(), &self,
                       SYNCHRONIZE, TRUE, 0)) {
    self = nullptr;
  }
  RemoverArguments arguments;
  arguments.processHandle = reinterpret_cast<std::uintptr_t>(self);
  arguments.folder = folder;
  arguments.createdAbove = createdAbove;
  std::string commandLine = RemoverCommandLine(copy, arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // Started in its own folder, so that it holds no other folder open.
  const bool started =
      self != nullptr && CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, privateFolder.c_str(), &startup, &process) != 0;
  if (started) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (self != nullptr) CloseHandle(self);
  CloseHandle(held);
  if (!started) RemoveDirectoryA(privateFolder.c_str());
  return started;
}

}  // namespace uninstaller_app

#include "uninstaller_app/remover_handover.h"

#include <windows.h>

#include "format/uninstall_log_format.h"
#include "uninstall/own_files.h"
#include "uninstaller_app/command_line.h"

namespace uninstaller_app {

namespace {

constexpr const char* kFolderPrefix = "setupkit-uninstall-";
constexpr int kFolderTries = 100;

// A folder that did not exist before: one that someone else made beforehand
// could hold a DLL waiting for the remover.
std::string MakeFreshFolder() {
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return {};
  const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (int i = 0; i < kFolderTries; ++i) {
    const std::string folder =
        std::string(temp, length) + kFolderPrefix + std::to_string(seed + static_cast<DWORD>(i));
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
  }
  return {};
}

// The copy, opened so that it is deleted once the last handle to it closes:
// the remover inherits this handle, and its end is the copy's end.
HANDLE OpenForDeletionOnClose(const std::string& path) {
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  return CreateFileA(path.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                     &inherited, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

}  // namespace

bool RemoverHandover::Start(const std::string& folder) {
  const std::string source = uninstall::OwnFilePath(folder, install::log_format::kRemoverName);
  if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const std::string privateFolder = MakeFreshFolder();
  if (privateFolder.empty()) return false;
  const std::string copy = uninstall::OwnFilePath(privateFolder, install::log_format::kRemoverName);
  if (!CopyFileA(source.c_str(), copy.c_str(), TRUE)) {
    RemoveDirectoryA(privateFolder.c_str());
    return false;
  }
  const HANDLE deleteOnClose = OpenForDeletionOnClose(copy);

  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0)) {
    self = nullptr;
  }
  RemoverArguments arguments;
  arguments.processHandle = reinterpret_cast<std::uintptr_t>(self);
  arguments.folder = folder;
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
  if (deleteOnClose != INVALID_HANDLE_VALUE) CloseHandle(deleteOnClose);
  if (!started) {
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(privateFolder.c_str());
  }
  return started;
}

}  // namespace uninstaller_app

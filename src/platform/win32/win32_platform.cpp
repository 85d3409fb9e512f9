// The process's one platform, made on first use and kept to the end.
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

struct Parts {
  Win32FileSystem files;
  Win32Registry registry;
  Win32Machine machine;
  Win32Shell shell;
  Win32MessageBoxes messages;
  Win32FilesInUse filesInUse{messages};
  platform::Platform host{files, registry, machine, shell, messages, filesInUse};
};

// Never destroyed: the programs end through ExitProcess, which runs no
// destructors, so a clean-up function for it would only take room.
Parts& TheParts() {
  static Parts& parts = *new Parts;
  return parts;
}

}  // namespace

platform::Platform& Win32Platform() { return TheParts().host; }

Win32FileSystem& Win32Files() { return TheParts().files; }

void SetMessageBoxOwner(HWND owner) { TheParts().messages.SetOwner(owner); }

void SetBrowserOwner(HWND owner) { TheParts().shell.SetBrowserOwner(owner); }

}  // namespace win32

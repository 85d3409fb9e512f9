// The machine as the real Windows calls see it: the platform interfaces
// implemented on the ANSI Win32 API, the shell and COM. Paths are passed
// through unchanged.
//
// Only the Windows edge (src/ui, src/app, Windows-only test programs)
// includes this header.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace win32 {

class Win32FileSystem final : public platform::FileSystem {
 public:
  Win32FileSystem() = default;
  Win32FileSystem(const Win32FileSystem&) = delete;
  Win32FileSystem& operator=(const Win32FileSystem&) = delete;

  std::FILE* OpenFile(const std::string& path, const char* mode) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  bool IsReparsePoint(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  bool HoldFolder(const std::string& path) override;
  std::FILE* CreateStagedFile(const std::string& path) override;
  std::FILE* CreateLogFile(const std::string& path) override;
  bool ReadPlainFile(const std::string& path, std::string& text) override;
  bool MakeProtectedFolder(const std::string& path) override;
  bool CopyOver(const std::string& from, const std::string& to) override;
  bool MoveStagedFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<platform::FolderEntry> ListFolder(const std::string& folder) override;
  platform::DriveKind DriveKindOf(const std::string& root) override;
  bool QueryDiskSpace(const std::string& directory, platform::DiskSpace& space) override;
  // The private folder once UsePrivateTempFolder has made one, otherwise
  // the user's temporary folder.
  std::string TempFolder() override;

  // GetTempPathA: the user's temporary folder, ending with a backslash,
  // whatever TempFolder answers. Files meant for the user go there.
  static std::string UserTempFolder();
  // Elevated, makes a private folder (private_folder.h) that TempFolder
  // answers from now on, so that the staging folder and %TempDir% lead
  // there; the process's TMP and TEMP, and so a program it starts, keep the
  // user's. Nothing when not elevated. False when elevated and no private
  // folder could be made.
  bool UsePrivateTempFolder();
  // Lets go of every held folder and staged file and deletes the private
  // folder with everything in it. True when there was none or it is gone.
  bool RemovePrivateTempFolder();

 private:
  // A staged file and the handle that keeps it locked; closed only by
  // RemoveFile, otherwise when the process ends.
  struct HeldFile {
    std::string path;
    HANDLE handle;
  };
  // The list's three uses, each under the lock: staged files are made on
  // two threads at once (the extraction's). Null when the path is not held.
  HANDLE FindHeld(const std::string& path);
  HANDLE ReleaseHeld(const std::string& path);
  void AddHeld(const std::string& path, HANDLE handle);
  static bool CopyFromHeld(HANDLE source, const std::string& to);
  // Renames file (opened with delete and permission rights) from from to to
  // and gives it to's inherited permissions; back at from when that fails.
  static bool MoveOpenFile(HANDLE file, const std::string& from, const std::string& to);

  // Slim: a plain lock, never taken twice by one thread, needs no set-up.
  SRWLOCK heldFilesLock_ = SRWLOCK_INIT;
  std::vector<HeldFile> heldFiles_;  // and the held folders, under an empty path
  char privateTemp_[MAX_PATH] = {};  // with its trailing backslash; empty without
};

class Win32Threads final : public platform::Threads {
 public:
  bool RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) override;
  void Pause() override;
};

class Win32Registry final : public platform::Registry {
 public:
  bool SetValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  // Accepts REG_SZ and REG_EXPAND_SZ values of at most 260 bytes.
  bool QueryString(platform::RegistryRoot root, const std::string& key, const std::string& name,
                   std::string& value) override;
  bool QueryValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                  format::RegistryData& value) override;
  bool KeyExists(platform::RegistryRoot root, const std::string& key) override;
};

class Win32Machine final : public platform::Machine {
 public:
  // Unlike the 16-character buffer of the computer name, the user name gets
  // the system's full limit (UNLEN), so long user names come back whole.
  bool UserName(std::string& name) override;
  bool ComputerName(std::string& name) override;
  bool LanguageName(std::string& name) override;
  // Empty when the expansion does not fit in 260 characters.
  std::string ExpandMachineVariables(const std::string& text) override;
  std::string WindowsFolder() override;
  std::string SystemFolder() override;
  std::string FolderPath(int csidl) override;
  std::string SpecialFolderLocation(int csidl) override;

 private:
  // One machine variable's value from the system's calls; empty for a
  // name it does not know.
  std::string MachineVariable(const std::string& name);
};

class Win32Shell final : public platform::Shell {
 public:
  bool CreateLink(const std::string& linkPath, const std::string& target) override;
  void Launch(const std::string& program) override;
  bool BrowseForFolder(const std::string& title, const std::string& startFolder,
                       std::string& chosen) override;
  void Sleep(unsigned milliseconds) override;
  void NotifyAssociationsChanged() override;
  void NotifyEnvironmentChanged() override;

  void SetBrowserOwner(HWND owner) { browserOwner_ = owner; }

 private:
  HWND browserOwner_ = nullptr;
};

class Win32MessageBoxes final : public platform::MessageBoxes {
 public:
  bool Show(platform::MessageKind kind, const std::string& text) override;
  // The box about programs that hold files: Try Again, Continue, Cancel.
  platform::InUseAnswer AskAboutFilesInUse(const std::string& text);

  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_ = nullptr;
};

// Busy files through CreateFileA's sharing, Restart Manager (rstrtmgr.dll
// from the system folder, where the system has it) and MoveFileExA.
class Win32FilesInUse final : public platform::FilesInUse {
 public:
  explicit Win32FilesInUse(Win32MessageBoxes& boxes) : boxes_(boxes) {}

  bool InUse(const std::string& path) override;
  std::string Holders(const std::string& paths, bool close) override;
  platform::InUseAnswer Ask(const std::string& text) override {
    return boxes_.AskAboutFilesInUse(text);
  }
  bool ReplaceAtRestart(const std::string& from, const std::string& to) override;
  bool RestartNeeded() override { return restartNeeded_; }
  bool FoldersOnlyAdministratorsChange(const std::string& path) override;

 private:
  Win32MessageBoxes& boxes_;
  bool restartNeeded_ = false;
};

// The one platform of the process, made on first use, and its file system.
platform::Platform& Win32Platform();
Win32FileSystem& Win32Files();
// The window that owns the message boxes, and the one that owns the folder
// browser (normally both the wizard). No owner until set.
void SetMessageBoxOwner(HWND owner);
void SetBrowserOwner(HWND owner);

}  // namespace win32

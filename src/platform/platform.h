// The machine as the setup program sees it. Everything that touches files,
// the registry, the shell or the screen goes through these interfaces, so the
// layers above run unchanged on Windows (win32/) and in native tests (sim/).
// It removes no folder, registry value or key: those calls are the
// uninstaller's (removal.h).
//
// All paths are Windows paths ("C:\Program Files\Acme\..."), 8-bit ANSI text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/function_ref.h"
#include "format/registry_data.h"
#include "platform/files_in_use.h"

namespace platform {

// GetDriveTypeA's answers; the numbers are the system's.
enum class DriveKind : unsigned {
  Unknown = 0,
  NoRoot = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

struct FolderEntry {
  std::string name;  // bare name, never "." or ".."
  bool isFolder = false;
  // A symbolic link, junction or other reparse point: what it names may lie
  // anywhere, so walks that must stay inside a folder do not enter it.
  bool isReparsePoint = false;
  std::uint64_t size = 0;
};

struct DiskSpace {
  std::uint64_t freeBytesAvailable = 0;
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;
};

class FileSystem {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~FileSystem() = default;

 public:
  // C stdio open ("rb", "wb", ...); nullptr on failure. The caller closes it.
  virtual std::FILE* OpenFile(const std::string& path, const char* mode) = 0;
  // GetFileAttributesA succeeds: a file or folder of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // The path itself (not what it points at) is a reparse point: a symbolic
  // link or a junction. False when it does not exist.
  virtual bool IsReparsePoint(const std::string& path) = 0;
  // CreateDirectoryA: one level, the parent must exist.
  virtual bool MakeFolder(const std::string& path) = 0;
  // Keeps the folder itself (never what a link names) from being renamed,
  // moved or deleted until the process ends. False when the path is a link
  // or junction, is not a folder, or cannot be opened.
  virtual bool HoldFolder(const std::string& path) = 0;
  // A new file for writing ("wb") in a held staging folder. An old file of
  // that name is deleted first, so a link planted under the name is removed
  // rather than written through; nullptr when it cannot be (a folder, or a
  // file another program has open). The file stays locked against other
  // programs' writes, deletes and renames until the process ends or
  // RemoveFile removes it; reads and CopyOver from it still work, and the
  // caller closes the stream as usual.
  virtual std::FILE* CreateStagedFile(const std::string& path) = 0;
  // A log file for writing ("wb"): made new, or an existing plain file of
  // the name emptied. Never a symbolic link, junction or other reparse
  // point, nor a file with other hard links, so a log cannot be turned into
  // a write elsewhere: nullptr then, as when it cannot be opened. Others may
  // read it while it is open, not change, rename or delete it.
  virtual std::FILE* CreateLogFile(const std::string& path) = 0;
  // Reads a whole plain file by its own name, through one handle: false for
  // a symbolic link, junction or other reparse point (never followed), a
  // folder or device, a file over 64 MB, or one that cannot be read. Others
  // cannot change it while it is read.
  virtual bool ReadPlainFile(const std::string& path, std::string& text) = 0;
  // A new folder (the parent must exist) that only Administrators and
  // SYSTEM may change and Users may read, passed on to everything made
  // below it and inheriting nothing, as the program files folders are; a
  // plain MakeFolder when the process does not run elevated. False when the
  // name exists already or the folder cannot be made.
  virtual bool MakeProtectedFolder(const std::string& path) = 0;
  // CopyFileA with fail-if-exists FALSE.
  virtual bool CopyOver(const std::string& from, const std::string& to) = 0;
  // Moves a staged file (CreateStagedFile) to `to` through the handle that
  // has held it since it was written, replacing what is there (a link under
  // the name is replaced, never written through), and gives it the
  // permissions of a file made there. False when that cannot be done (not a
  // staged file, another volume): the file is then still staged, for
  // CopyOver. The default never moves.
  virtual bool MoveStagedFile(const std::string& /*from*/, const std::string& /*to*/) {
    return false;
  }
  // DeleteFileA: files only.
  virtual bool RemoveFile(const std::string& path) = 0;
  // The entries of a folder in the file system's order, without "." and "..".
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) = 0;
  // GetDriveTypeA of a root such as "C:\".
  virtual DriveKind DriveKindOf(const std::string& root) = 0;
  // GetDiskFreeSpaceExA; false when the call fails.
  virtual bool QueryDiskSpace(const std::string& directory, DiskSpace& space) = 0;
  // The temporary folder, ending with a backslash: GetTempPathA's, the
  // user's, unless an elevated setup program made its own private one.
  virtual std::string TempFolder() = 0;
};

// A second thread for work that can run beside the calling one.
class Threads {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~Threads() = default;

 public:
  // Runs beside() on a thread of its own while the calling thread runs
  // here(), and returns true once both have returned. When no thread can be
  // started it runs neither and returns false.
  virtual bool RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) = 0;
  // As RunBoth, for work that does not wait on the other thread: when no
  // thread can be started, the calling thread runs here() and then beside().
  void RunBeside(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) {
    if (RunBoth(beside, here)) return;
    here();
    beside();
  }
  // Lets the other thread run for a moment (about a millisecond): for a
  // thread waiting on the other's progress.
  virtual void Pause() = 0;
};

enum class RegistryRoot {
  ClassesRoot,
  CurrentUser,
  LocalMachine,
  Users,
  CurrentConfig,
};

// Value types, numbered as the system numbers them.
using format::kRegBinary;
using format::kRegDword;
using format::kRegSz;

class Registry {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~Registry() = default;

 public:
  // RegCreateKeyExA (creating missing keys), RegSetValueExA, RegCloseKey.
  // An empty value name sets the key's default value. False when the key
  // could not be created or opened or the value not set.
  virtual bool SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                        std::uint32_t type, const std::vector<std::uint8_t>& data) = 0;
  // RegOpenKeyExA (with RegOpenKeyA's MAXIMUM_ALLOWED) and RegQueryValueExA of
  // a string value; false when missing.
  virtual bool QueryString(RegistryRoot root, const std::string& key, const std::string& name,
                           std::string& value) = 0;
  // RegQueryValueExA of a value of any type and length; false when missing.
  virtual bool QueryValue(RegistryRoot root, const std::string& key, const std::string& name,
                          format::RegistryData& value) = 0;
  // Whether the key exists (RegOpenKeyExA).
  virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;
};

// CSIDL numbers the setup program uses.
constexpr int kCsidlDesktop = 0x0000;
constexpr int kCsidlPrograms = 0x0002;
constexpr int kCsidlFavorites = 0x0006;
constexpr int kCsidlStartup = 0x0007;
constexpr int kCsidlStartMenu = 0x000B;
constexpr int kCsidlDesktopDirectory = 0x0010;
constexpr int kCsidlTemplates = 0x0015;
constexpr int kCsidlAppData = 0x001A;
constexpr int kCsidlProgramFiles = 0x0026;
constexpr int kCsidlProfile = 0x0028;
constexpr int kCsidlProgramFilesX86 = 0x002A;
constexpr int kCsidlFlagCreate = 0x8000;
// Folders that the uninstaller never removes, whatever its log says.
constexpr int kCsidlPersonal = 0x0005;
constexpr int kCsidlLocalAppData = 0x001C;
constexpr int kCsidlCommonAppData = 0x0023;
constexpr int kCsidlProgramFilesCommon = 0x002B;
constexpr int kCsidlCommonPrograms = 0x0017;
constexpr int kCsidlCommonStartMenu = 0x0016;
constexpr int kCsidlCommonDesktop = 0x0019;
constexpr int kCsidlCommonStartup = 0x0018;

// Values of the machine and the user, fetched anew at every call.
class Machine {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~Machine() = default;

 public:
  // GetUserNameA; false when it fails.
  virtual bool UserName(std::string& name) = 0;
  // GetComputerNameA into 16 characters; false when it fails.
  virtual bool ComputerName(std::string& name) = 0;
  // VerLanguageNameA of GetSystemDefaultLangID() into 260 characters; false
  // when the name does not fit.
  virtual bool LanguageName(std::string& name) = 0;
  // The text with its references to the machine's folders expanded:
  // %ProgramFiles%, %ProgramFiles(x86)%, %ProgramW6432% (the 64-bit program
  // files folder, also for a 32-bit program), %CommonProgramFiles%,
  // %ProgramData%, %ALLUSERSPROFILE%, %PUBLIC%, %SystemRoot%, %windir% and
  // %SystemDrive%, each from the system's own calls and raw registry
  // values, never from the environment, which a user's HKCU\Environment
  // can redefine for the elevated programs too. Other references stay as
  // written.
  virtual std::string ExpandMachineVariables(const std::string& text) = 0;
  virtual std::string WindowsFolder() = 0;
  virtual std::string SystemFolder() = 0;
  // SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT); empty on failure.
  virtual std::string FolderPath(int csidl) = 0;
  // SHGetSpecialFolderLocation + SHGetPathFromIDListA; empty on failure.
  virtual std::string SpecialFolderLocation(int csidl) = 0;
};

class Shell {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~Shell() = default;

 public:
  // Writes a shell link at linkPath pointing at target, replacing an existing
  // one. False when no link could be made.
  virtual bool CreateLink(const std::string& linkPath, const std::string& target) = 0;
  // ShellExecuteA(NULL, "open", program, NULL, NULL, SW_SHOW).
  virtual void Launch(const std::string& program) = 0;
  // The folder browser (file-system folders only), with title above its
  // tree, opened at startFolder or the nearest folder above it that exists.
  // False when the user cancels or the item has no file-system path.
  virtual bool BrowseForFolder(const std::string& title, const std::string& startFolder,
                               std::string& chosen) = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // SHChangeNotify(SHCNE_ASSOCCHANGED): the shell reads the file
  // associations again.
  virtual void NotifyAssociationsChanged() = 0;
  // WM_SETTINGCHANGE "Environment" to every top-level window, each given a
  // short time and none that hangs waited for: running programs read the
  // environment's values again.
  virtual void NotifyEnvironmentChanged() = 0;
};

enum class MessageKind {
  // OK button, exclamation icon, the application's name as caption.
  Warning,
  // The wizard's exit question: caption "Setup Wizard", OK and Cancel, no icon.
  ExitQuestion,
};

class MessageBoxes {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~MessageBoxes() = default;

 public:
  // Shows the box and waits; true when the user answered OK.
  virtual bool Show(MessageKind kind, const std::string& text) = 0;
};

// The whole machine, handed down as one value.
struct Platform {
  FileSystem& files;
  Registry& registry;
  Machine& machine;
  Shell& shell;
  MessageBoxes& messages;
  FilesInUse& filesInUse;
};

}  // namespace platform

// An in-process stand-in for the machine, for native tests on Linux.
//
// Drive letters map to folders under a throwaway test root ("C:\x" is
// <root>/C/x), so file operations write real bytes on a real disk. The
// registry lives in memory; links, launches and message boxes are recorded,
// and the boxes and the folder browser are answered from queues.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/removal.h"

namespace sim {

class SimFileSystem : public platform::FileSystem {
 public:
  explicit SimFileSystem(std::string root);

  // Makes a drive letter exist with the given kind and space figures. C: is a
  // fixed drive from the start; other letters have no root until added.
  void AddDrive(char letter, platform::DriveKind kind, platform::DiskSpace space = DefaultSpace());
  static platform::DiskSpace DefaultSpace();

  // The native path behind a Windows path; empty when it maps to no drive.
  std::string NativePath(const std::string& windowsPath) const;

  std::FILE* OpenFile(const std::string& path, const char* mode) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  // Symbolic links on the host stand for Windows' links and junctions.
  bool IsReparsePoint(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  bool HoldFolder(const std::string& path) override;
  std::FILE* CreateStagedFile(const std::string& path) override;
  // A host symbolic link or a file with other hard links is refused.
  std::FILE* CreateLogFile(const std::string& path) override;
  bool ReadPlainFile(const std::string& path, std::string& text) override;
  // A plain folder, its path added to protectedFolders.
  bool MakeProtectedFolder(const std::string& path) override;
  bool CopyOver(const std::string& from, const std::string& to) override;
  // A rename of a held staged file; each drive is a volume of its own.
  bool MoveStagedFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<platform::FolderEntry> ListFolder(const std::string& folder) override;
  platform::DriveKind DriveKindOf(const std::string& root) override;
  bool QueryDiskSpace(const std::string& directory, platform::DiskSpace& space) override;
  std::string TempFolder() override;

  // The removal call (SimRemoval's), for the uninstaller: a host symbolic
  // link stands for a link or junction.
  bool RemoveFolder(const std::string& path);

  // Whether a staged file or a folder is held (by CreateStagedFile or
  // HoldFolder). The stand-in cannot tell programs apart: it refuses every
  // write open of a held file and every copy onto it, as Windows refuses
  // them to other programs; RemoveFile, the setup program's own clean-up,
  // ends the hold.
  bool IsHeld(const std::string& path) const;

  // The folders MakeProtectedFolder made, as their Windows paths.
  std::vector<std::string> protectedFolders;

 private:
  struct Drive {
    platform::DriveKind kind;
    platform::DiskSpace space;
  };
  const Drive* DriveOf(const std::string& windowsPath) const;
  // The held set under its lock: the extraction stages files on two threads.
  void Hold(const std::string& native);
  void Release(const std::string& native);
  bool Holds(const std::string& native) const;

  std::string root_;
  std::map<char, Drive> drives_;
  mutable std::mutex heldLock_;
  std::set<std::string> held_;  // native paths
};

// Real threads, as on Windows.
class SimThreads : public platform::Threads {
 public:
  bool RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) override;
  void Pause() override;
};

struct RegistryValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

class SimRegistry : public platform::Registry {
 public:
  // The keys every Windows machine has, empty.
  SimRegistry();

  bool SetValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  bool QueryString(platform::RegistryRoot root, const std::string& key, const std::string& name,
                   std::string& value) override;
  bool QueryValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                  format::RegistryData& value) override;
  bool KeyExists(platform::RegistryRoot root, const std::string& key) override;

  // The removal calls (SimRemoval's), for the uninstaller.
  platform::Removal::KeyContent ContentOf(platform::RegistryRoot root, const std::string& key);
  bool DeleteValue(platform::RegistryRoot root, const std::string& key, const std::string& name);
  bool DeleteKey(platform::RegistryRoot root, const std::string& key);

  // Refuses every write under a root, as a user without the rights sees it.
  void DenyWrites(platform::RegistryRoot root) { denied_.push_back(root); }
  // The value, or nothing. Key paths and names compare case-insensitively.
  std::optional<RegistryValue> Find(platform::RegistryRoot root, const std::string& key,
                                    const std::string& name) const;
  std::size_t ValueCount() const;
  // Makes an empty key (and the keys along its path).
  void AddKey(platform::RegistryRoot root, const std::string& key);

 private:
  using KeyId = std::pair<platform::RegistryRoot, std::string>;
  bool HasSubkey(platform::RegistryRoot root, const std::string& foldedKey) const;
  std::map<KeyId, std::map<std::string, RegistryValue>> keys_;
  std::vector<platform::RegistryRoot> denied_;
};

class SimMachine : public platform::Machine {
 public:
  explicit SimMachine(SimFileSystem& files) : files_(files) {}

  std::string userName = "tester";
  std::string computerName = "SIMBOX";
  std::string languageName = "English (United States)";
  bool languageFits = true;

  bool UserName(std::string& name) override;
  bool ComputerName(std::string& name) override;
  bool LanguageName(std::string& name) override;
  std::string ExpandMachineVariables(const std::string& text) override;
  std::string WindowsFolder() override { return "C:\\Windows"; }
  std::string SystemFolder() override { return "C:\\Windows\\system32"; }
  std::string FolderPath(int csidl) override;
  std::string SpecialFolderLocation(int csidl) override;

  // The folder behind a CSIDL number (without the create flag); empty when
  // the stand-in knows none.
  static std::string KnownFolder(int csidl);

 private:
  SimFileSystem& files_;
};

struct RecordedLink {
  std::string linkPath;
  std::string target;
};

class SimShell : public platform::Shell {
 public:
  explicit SimShell(SimFileSystem& files) : files_(files) {}

  // A link is a file at linkPath holding "target\n"; it needs the folder.
  bool CreateLink(const std::string& linkPath, const std::string& target) override;
  void Launch(const std::string& program) override { launched.push_back(program); }
  bool BrowseForFolder(const std::string& title, const std::string& startFolder,
                       std::string& chosen) override;
  void Sleep(unsigned milliseconds) override { sleptMilliseconds += milliseconds; }
  void NotifyAssociationsChanged() override { ++associationNotices; }
  void NotifyEnvironmentChanged() override { ++environmentNotices; }

  std::vector<RecordedLink> links;
  std::vector<std::string> launched;
  unsigned associationNotices = 0;
  unsigned environmentNotices = 0;
  // Each Browse takes the front answer; nothing (or an empty queue) cancels.
  std::deque<std::optional<std::string>> browseAnswers;
  // What each Browse was asked: its title and starting folder.
  struct BrowseRequest {
    std::string title;
    std::string startFolder;
  };
  std::vector<BrowseRequest> browseRequests;
  unsigned long sleptMilliseconds = 0;

 private:
  SimFileSystem& files_;
};

struct RecordedMessage {
  platform::MessageKind kind;
  std::string text;
};

class SimMessageBoxes : public platform::MessageBoxes {
 public:
  bool Show(platform::MessageKind kind, const std::string& text) override;

  std::vector<RecordedMessage> shown;
  // Answers for the boxes in turn; OK when the queue is empty.
  std::deque<bool> answers;
};

// Busy files are the ones a test names; nothing else holds a file.
class SimFilesInUse : public platform::FilesInUse {
 public:
  explicit SimFilesInUse(SimFileSystem& files) : files_(files) {}

  // An existing file named in busy.
  bool InUse(const std::string& path) override;
  // Closing is counted; with closingFrees the programs close and every
  // file is free.
  std::string Holders(const std::string& paths, bool close) override;
  // Records the text; answers from the queue, Cancel when it is empty.
  platform::InUseAnswer Ask(const std::string& text) override;
  // Copies from into to + ".1.new" and records the rename.
  bool ReplaceAtRestart(const std::string& from, const std::string& to) override;
  bool RestartNeeded() override { return !pendingRenames.empty(); }
  bool FoldersOnlyAdministratorsChange(const std::string&) override { return !exposedFolders; }

  std::set<std::string> busy;  // Windows paths as written
  std::string holders;
  bool closingFrees = false;
  // Every destination has a folder on the way that other accounts can change.
  bool exposedFolders = false;
  unsigned closeRequests = 0;
  std::vector<std::string> questions;
  std::deque<platform::InUseAnswer> answers;
  struct PendingRename {
    std::string from;
    std::string to;
  };
  std::vector<PendingRename> pendingRenames;

 private:
  SimFileSystem& files_;
};

// The removal calls of the stand-in's file system and registry.
class SimRemoval : public platform::Removal {
 public:
  SimRemoval(SimFileSystem& files, SimRegistry& registry) : files_(files), registry_(registry) {}

  bool RemoveFolder(const std::string& path) override { return files_.RemoveFolder(path); }
  KeyContent ContentOf(platform::RegistryRoot root, const std::string& key) override {
    return registry_.ContentOf(root, key);
  }
  bool DeleteValue(platform::RegistryRoot root, const std::string& key,
                   const std::string& name) override {
    return registry_.DeleteValue(root, key, name);
  }
  bool DeleteKey(platform::RegistryRoot root, const std::string& key) override {
    return registry_.DeleteKey(root, key);
  }

 private:
  SimFileSystem& files_;
  SimRegistry& registry_;
};

// The whole stand-in, rooted in a fresh folder under the system's temporary
// folder that is removed again with the object.
class SimPlatform {
 public:
  SimPlatform();
  ~SimPlatform();
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  platform::Platform Get() {
    return platform::Platform{files, registry, machine, shell, messages, filesInUse};
  }
  // The uninstaller's: the same machine with the removal calls.
  platform::UninstallerPlatform ForUninstaller() { return {Get(), removal}; }
  const std::string& Root() const { return root_; }

  // Test conveniences on Windows paths.
  bool WriteFile(const std::string& windowsPath, const std::string& bytes);
  std::optional<std::string> ReadFile(const std::string& windowsPath);

 private:
  std::string root_;

 public:
  SimFileSystem files;
  SimRegistry registry;
  SimMachine machine;
  SimShell shell;
  SimMessageBoxes messages;
  SimFilesInUse filesInUse;
  SimRemoval removal{files, registry};
};

}  // namespace sim

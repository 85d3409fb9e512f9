// The machine as a run with a log sees it: every folder made, file copied or
// written, registry value and link goes to the log as it happens, with the
// text of every message box. Failures are counted, so that the run can end
// with "installed with errors". In a silent run the boxes are not shown:
// their text goes to the log and counts as a failure, and the waits of the
// progress display are skipped when there is nothing to watch.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "unattended/run_log.h"

namespace unattended {

class LoggedPlatform final : public platform::FileSystem,
                             public platform::Registry,
                             public platform::Shell,
                             public platform::MessageBoxes,
                             public platform::FilesInUse {
 public:
  LoggedPlatform(platform::Platform inner, RunLog& log) : inner_(inner), log_(log) {}

  // No box is shown; with waits, the progress display still paces itself.
  void BeQuiet(bool withWaits) {
    quiet_ = true;
    waits_ = withWaits;
  }
  // /CLOSEAPPLICATIONS: a quiet run closes the programs that hold files
  // instead of leaving their files to the next restart.
  void CloseApplicationsWhenQuiet(bool close) { closeApplications_ = close; }
  unsigned Failures() const { return failures_; }
  void CountFailure(const std::string& why) {
    ++failures_;
    log_.Line(why);
  }
  platform::Platform Get() { return {*this, *this, inner_.machine, *this, *this, *this}; }

  // --- platform::FileSystem ----------------------------------------------
  std::FILE* OpenFile(const std::string& path, const char* mode) override;
  bool Exists(const std::string& path) override { return inner_.files.Exists(path); }
  bool IsFolder(const std::string& path) override { return inner_.files.IsFolder(path); }
  bool IsReparsePoint(const std::string& path) override {
    return inner_.files.IsReparsePoint(path);
  }
  bool MakeFolder(const std::string& path) override;
  bool HoldFolder(const std::string& path) override { return inner_.files.HoldFolder(path); }
  std::FILE* CreateStagedFile(const std::string& path) override {
    return inner_.files.CreateStagedFile(path);
  }
  std::FILE* CreateLogFile(const std::string& path) override {
    return inner_.files.CreateLogFile(path);
  }
  bool ReadPlainFile(const std::string& path, std::string& text) override {
    return inner_.files.ReadPlainFile(path, text);
  }
  bool MakeProtectedFolder(const std::string& path) override;
  bool CopyOver(const std::string& from, const std::string& to) override;
  bool MoveStagedFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override { return inner_.files.RemoveFile(path); }
  std::vector<platform::FolderEntry> ListFolder(const std::string& folder) override {
    return inner_.files.ListFolder(folder);
  }
  platform::DriveKind DriveKindOf(const std::string& root) override {
    return inner_.files.DriveKindOf(root);
  }
  bool QueryDiskSpace(const std::string& directory, platform::DiskSpace& space) override {
    return inner_.files.QueryDiskSpace(directory, space);
  }
  std::string TempFolder() override { return inner_.files.TempFolder(); }

  // --- platform::Registry ------------------------------------------------
  bool SetValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                std::uint32_t type, const std::vector<std::uint8_t>& data) override;
  bool QueryString(platform::RegistryRoot root, const std::string& key, const std::string& name,
                   std::string& value) override {
    return inner_.registry.QueryString(root, key, name, value);
  }
  bool QueryValue(platform::RegistryRoot root, const std::string& key, const std::string& name,
                  format::RegistryData& value) override {
    return inner_.registry.QueryValue(root, key, name, value);
  }
  bool KeyExists(platform::RegistryRoot root, const std::string& key) override {
    return inner_.registry.KeyExists(root, key);
  }

  // --- platform::Shell ---------------------------------------------------
  bool CreateLink(const std::string& linkPath, const std::string& target) override;
  void Launch(const std::string& program) override;
  bool BrowseForFolder(const std::string& title, const std::string& startFolder,
                       std::string& chosen) override {
    return inner_.shell.BrowseForFolder(title, startFolder, chosen);
  }
  void Sleep(unsigned milliseconds) override {
    if (waits_) inner_.shell.Sleep(milliseconds);
  }
  void NotifyAssociationsChanged() override { inner_.shell.NotifyAssociationsChanged(); }
  void NotifyEnvironmentChanged() override { inner_.shell.NotifyEnvironmentChanged(); }

  // --- platform::MessageBoxes --------------------------------------------
  bool Show(platform::MessageKind kind, const std::string& text) override;

  // --- platform::FilesInUse ----------------------------------------------
  bool InUse(const std::string& path) override { return inner_.filesInUse.InUse(path); }
  std::string Holders(const std::string& paths, bool close) override;
  // Quiet, answers for the user: close them with /CLOSEAPPLICATIONS, else go on.
  platform::InUseAnswer Ask(const std::string& text) override;
  bool ReplaceAtRestart(const std::string& from, const std::string& to) override;
  bool RestartNeeded() override { return inner_.filesInUse.RestartNeeded(); }
  bool FoldersOnlyAdministratorsChange(const std::string& path) override {
    return inner_.filesInUse.FoldersOnlyAdministratorsChange(path);
  }

 private:
  // Logs "what: subject" when it worked, or counts "Failed: what: subject".
  bool Note(bool worked, const char* what, const std::string& subject);

  platform::Platform inner_;
  RunLog& log_;
  bool quiet_ = false;
  bool waits_ = true;
  bool closeApplications_ = false;
  unsigned failures_ = 0;
};

}  // namespace unattended

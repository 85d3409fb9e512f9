// The uninstall log "Uninstallerpathtn.ini": what the uninstaller removes.
// Its records are written at four points of the installing step, in file
// order; each "\n" of a record is stored as CR LF.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "install/created_keys.h"
#include "install/installing_step.h"
#include "install/prior_contents.h"
#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

class UninstallLog {
 public:
  // Creates the log, or empties an existing one.
  UninstallLog(platform::FileSystem& files, const std::string& path);
  ~UninstallLog();
  UninstallLog(const UninstallLog&) = delete;
  UninstallLog& operator=(const UninstallLog&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // Writes the text as it stands, with every "\n" stored as CR LF, so the
  // bytes are the same whatever the C library's text mode does.
  void Write(const std::string& text) { Write(text.data(), text.size()); }
  void Write(const char* text, std::size_t length);
  // A record on a line of its own: "\n" + text. Out of line, with one for
  // the fixed records, so that each call is only the call.
  void WriteLine(const std::string& text);
  void WriteLine(const char* text);
  // Every byte written so far.
  const std::string& Written() const { return written_; }
  // Writes the log anew as text, CR LF and all, when text is longer than
  // what was written (it holds all of that and more).
  void Rewrite(const std::string& text);
  // Closes the file; the SHA-256 of every byte written, in lowercase hex.
  std::string Close();

 private:
  std::FILE* file_;
  std::string written_;  // every byte, for the digest
};

// Records 1 to 10: product name, installation folder, version, company, the
// two general lines, and the file list between "[files]" and "[/files]",
// then the opening of the shortcut list. before is what the installation
// folder held before the step: its "%InstallPath%" listing leaves that out.
void WriteLogHead(platform::Platform& host, script::PathExpander& expander, UninstallLog& log,
                  const InstallRequest& request, const PriorContents& before);

// Every file and folder below folder that before does not hold, depth first,
// each folder after its contents and ending in "\", so that removing in log
// order empties every folder before it is reached. A link or junction is
// recorded as itself (a folder one with its "\") and never entered.
void ListFolderToLog(platform::FileSystem& files, UninstallLog& log, const std::string& folder,
                     const PriorContents& before);

// Record 11: one shortcut the uninstaller removes; for a link in an
// all-users folder, the location after format::log::kAllUsersPrefix.
void WriteShortcutRecord(UninstallLog& log, const std::string& location, const std::string& name,
                         bool allUsers = false);

// Record 12: the folders the step created (CreatedFolders), deepest first,
// after "[folders]" when there are any; closes the shortcut list and opens
// the registry list.
void CloseShortcutList(UninstallLog& log);

// Record 13: every line of "[uninst_reg]" as root|key|value name|.
void WriteRemovalRegistryList(platform::FileSystem& files, script::PathExpander& expander,
                              UninstallLog& log);

// After record 13: the keys the registry pass created (CreatedKeyRecord),
// deepest first.
void WriteCreatedKeys(UninstallLog& log, const std::vector<CreatedKey>& created);

// Records 14 to 16: the uninstall key under its root, the end of the
// registry list and the program group. With an empty uninstallKey (nothing
// was registered) the key's record is left out.
void WriteLogEnd(UninstallLog& log, const std::string& uninstallKey,
                 const std::string& programGroup,
                 platform::RegistryRoot root = platform::RegistryRoot::LocalMachine);

}  // namespace install

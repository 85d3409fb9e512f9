#include "install/uninstall_log.h"

#include <cstring>
#include <vector>

#include "format/joined_text.h"
#include "base/text_trim.h"
#include "format/windows_path.h"
#include "install/folder_walk.h"
#include "install/install_texts.h"
#include "install/registry_values.h"
#include "format/field_values.h"
#include "format/uninstall_log_format.h"
#include "install/shared_folders.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

void WriteFixedRemovalPaths(script::PathExpander& expander, UninstallLog& log) {
  for (const char* path : format::log::kFixedRemovalPaths) {
    log.WriteLine(expander.ExpandPathVariables(path));
  }
}

}  // namespace

UninstallLog::UninstallLog(platform::FileSystem& files, const std::string& path)
    : file_(files.OpenFile(path, "w+b")) {}

UninstallLog::~UninstallLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void UninstallLog::Write(const char* text, std::size_t length) {
  if (file_ == nullptr) return;
  const std::size_t start = written_.size();
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == '\n') written_ += '\r';
    written_ += text[i];
  }
  std::fwrite(written_.data() + start, 1, written_.size() - start, file_);
}

void UninstallLog::WriteLine(const std::string& text) {
  Write("\n", 1);
  Write(text);
}

void UninstallLog::WriteLine(const char* text) {
  Write("\n", 1);
  Write(text, std::strlen(text));
}

void UninstallLog::Rewrite(const std::string& text) {
  if (file_ == nullptr || text.size() <= written_.size()) return;
  written_ = text;
  std::fseek(file_, 0, SEEK_SET);
  std::fwrite(written_.data(), 1, written_.size(), file_);
}

std::string UninstallLog::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  // Of the bytes meant for the file, never read back from a folder that
  // others may be able to write.
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(written_.data());
  return package::DigestText(package::Sha256Of({bytes, written_.size()}));
}

void WriteLogHead(platform::Platform& host, script::PathExpander& expander, UninstallLog& log,
                  const InstallRequest& request, const PriorContents& before) {
  platform::FileSystem& files = host.files;
  log.Write(request.productName);
  log.WriteLine(request.installPath);
  log.Write("\\", 1);
  // The removal paths come out of the same read as the lines above them, so
  // they are kept until those lines are written.
  std::vector<std::string> removalPaths;
  const script::UninstallSource source =
      script::ReadUninstallSource(files, script::ScriptPath(files),
                                  [&](const std::string& path) { removalPaths.push_back(path); });
  // Version, company and the general lines go in raw, variables and all.
  log.WriteLine(source.productVersion);
  log.WriteLine(source.companyName);
  log.WriteLine(source.generalLine1);
  log.WriteLine(source.generalLine2);
  log.WriteLine(format::log::kFilesStart);
  if (removalPaths.empty()) WriteFixedRemovalPaths(expander, log);
  // The uninstaller expects the three fixed paths after every listed one.
  for (const std::string& path : removalPaths) {
    if (path == format::log::kWholeInstallFolder) {
      // Installed into a drive root or a folder of the system or the user,
      // the folder's contents are not the product's: nothing is recorded.
      if (!IsSharedFolder(host, request.installPath))
        ListFolderToLog(files, log, request.installPath, before);
    } else {
      log.WriteLine(expander.ExpandPathVariables(path));
    }
    WriteFixedRemovalPaths(expander, log);
  }
  log.WriteLine(format::log::kFilesEnd);
  log.WriteLine(format::log::kShortcutsStart);
}

void ListFolderToLog(platform::FileSystem& files, UninstallLog& log, const std::string& folder,
                     const PriorContents& before) {
  WalkFolder(files, folder, [&](const std::string& path, bool isFolder) {
    // The user's own, or another product's: never this product's to remove.
    if (before.Held(path)) return;
    log.WriteLine(path);
    if (isFolder) log.Write("\\", 1);  // a folder's record ends in a backslash
  });
}

void WriteShortcutRecord(UninstallLog& log, const std::string& location, const std::string& name,
                         bool allUsers) {
  log.WriteLine((allUsers ? format::log::kAllUsersPrefix : "") + location +
                format::log::kFieldSeparator + name);
}

void CloseShortcutList(UninstallLog& log) {
  // Every folder is made by now: the shortcut pass is the last to make any.
  const std::vector<std::string>& created = CreatedFolders();
  if (!created.empty()) log.WriteLine(format::log::kCreatedFoldersStart);
  // A folder was made after the one above it, so the reverse order puts
  // each before its parent.
  for (auto folder = created.rbegin(); folder != created.rend(); ++folder) {
    log.WriteLine(*folder);
    log.Write("\\", 1);
  }
  log.WriteLine(format::log::kShortcutsEnd);
  log.WriteLine(format::log::kRegistryStart);
}

void WriteRemovalRegistryList(platform::FileSystem& files, script::PathExpander& expander,
                              UninstallLog& log) {
  script::ForEachRemovalRegistryLine(
      files, script::ScriptPath(files),
      [&](const std::string& root, const std::string& key, const std::string& name) {
        // The uninstaller gets trimmed names; the root is never expanded.
        log.WriteLine(format::Joined({base::Trimmed(root), "|",
                                      base::Trimmed(expander.ExpandPathVariables(key)), "|",
                                      base::Trimmed(expander.ExpandPathVariables(name)), "|"}));
      });
}

void WriteCreatedKeys(UninstallLog& log, const std::vector<CreatedKey>& created) {
  // A key was made after the one above it, so the reverse order puts each
  // before its parent.
  for (auto key = created.rbegin(); key != created.rend(); ++key) {
    const std::string record = CreatedKeyRecord(*key);
    if (!record.empty()) log.WriteLine(record);
  }
}

void WriteLogEnd(UninstallLog& log, const std::string& uninstallKey,
                 const std::string& programGroup, platform::RegistryRoot root) {
  if (!uninstallKey.empty()) {
    log.WriteLine(::format::Joined({RegistryRootName(root), "|", uninstallKey, "|"}));
  }
  log.WriteLine(format::log::kRegistryEnd);
  log.Write("\n");
  log.Write(programGroup);  // untrimmed, and no line break after it
}

}  // namespace install

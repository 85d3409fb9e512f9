#include "uninstall/uninstaller.h"

#include <cstdio>

#include "format/windows_path.h"
#include "format/uninstall_log_format.h"
#include "install/uninstall_root.h"
#include "uninstall/created_folders.h"
#include "uninstall/log_trust.h"
#include "uninstall/own_files.h"
#include "uninstall/path_entry_removal.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string Caption(const std::string& productName) {
  return productName.empty() ? texts::kCaptionWithoutProduct : productName + texts::kCaptionSuffix;
}

std::string ProductAndVersion(const UninstallRecords& log) {
  const std::string version = ExpandGeneralLine(log.version, log);
  return log.productName + (version.empty() ? "" : " " + version);
}

// A file name for the product in the temporary folder: characters that no
// file name may hold become "_".
std::string FileNameFor(const std::string& productName) {
  std::string name = productName.empty() ? "Product" : productName;
  for (char& c : name) {
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos ||
        static_cast<unsigned char>(c) < 32)
      c = '_';
  }
  return name + texts::kLeftoversFileSuffix;
}

// Writes the leftovers, one a line, into the temporary folder; the file's
// path, or empty when there is no temporary folder. written says whether
// the list is in the file: never through a link or into a file with other
// hard links planted under its name.
std::string WriteLeftovers(platform::FileSystem& files, const std::string& productName,
                           const std::vector<Leftover>& leftovers, bool& written) {
  written = false;
  const std::string temp = files.TempFolder();
  if (temp.empty()) return {};
  const std::string path = format::JoinPath(temp, FileNameFor(productName));
  std::FILE* file = files.CreateLogFile(path);
  if (file == nullptr) return path;
  written = true;
  for (const Leftover& leftover : leftovers) {
    const std::string line = leftover.item + ": " + leftover.reason + "\r\n";
    written = std::fwrite(line.data(), 1, line.size(), file) == line.size() && written;
  }
  written = std::fclose(file) == 0 && written;
  return path;
}

std::string LeftoversText(const UninstallRecords& log, const std::vector<Leftover>& leftovers,
                          const std::string& listPath, bool listed) {
  std::string text = ProductAndVersion(log) + texts::kLeftoversStart + "\n";
  for (const Leftover& leftover : leftovers)
    text += "\n" + leftover.item + " (" + leftover.reason + ")";
  if (!listPath.empty()) {
    text += std::string("\n\n") +
            (listed ? texts::kLeftoversListedIn : texts::kLeftoversNotListed) + listPath +
            (listed ? "" : ".");
  }
  return text;
}

}  // namespace

std::string ExpandGeneralLine(const std::string& line, const UninstallRecords& log) {
  if (line == format::log::kNoText) return {};
  std::string text = line;
  ReplaceAll(text, "%ProductName%", log.productName);
  ReplaceAll(text, "%ProductVersion%", log.version);
  ReplaceAll(text, "%CompanyName%", log.company);
  return text;
}

std::string ConfirmationText(const UninstallRecords& log) {
  std::string text;
  for (const std::string* line : {&log.generalLine1, &log.generalLine2}) {
    const std::string expanded = ExpandGeneralLine(*line, log);
    if (!expanded.empty()) text += expanded + "\n";
  }
  if (!text.empty()) text += "\n";
  return text + texts::kConfirmStart + ProductAndVersion(log) + texts::kConfirmEnd;
}

int RunUninstaller(platform::UninstallerPlatform& host, Prompts& prompts, RemoverStart& remover,
                   const UninstallOptions& options) {
  const std::string logPath = OwnFilePath(options.ownFolder, format::log::kFileName);
  std::string why;
  // One read: the digest is checked on the very text that is parsed.
  std::string text;
  std::optional<UninstallRecords> log;
  if (ReadUninstallLogText(host.files, logPath, text, why)) log = ParseUninstallLog(text, why);
  if (log) {
    why = LogTrustProblem(host.registry, *log, text,
                          OwnFilePath(options.ownFolder, format::log::kUninstallerName),
                          install::UninstallRoot(options.scope));
    if (!why.empty()) log.reset();
  }
  if (!log) {
    if (!options.silent) {
      prompts.Fail(Caption({}), texts::kNoLogStart + logPath + ": " + why + texts::kNoLogEnd);
    }
    return kNoLog;
  }
  if (!options.silent && !prompts.Confirm(Caption(log->productName), ConfirmationText(*log))) {
    return kCancelled;
  }

  const RemovalGuard guard(host.files, host.machine, options.ownFolder);
  std::vector<Leftover> leftovers;
  // Listed folders that are or hold created ones wait until the links in
  // the created ones are gone.
  std::vector<std::string> keep = OwnFilesToKeep(options.ownFolder);
  for (std::string& folder : ListedFoldersLeftForLater(*log)) keep.push_back(std::move(folder));
  RemoveListedFiles(host.files, host.removal, guard, log->files, keep, leftovers);
  RemoveShortcuts(host, guard, log->shortcuts, log->programGroup, leftovers);
  RemoveRegistryValues(host.removal, log->registry, leftovers);
  RemoveCreatedKeys(host.removal, log->createdKeys, leftovers);
  RemovePathEntries(host, log->pathEntries, leftovers);
  // Explorer keeps the associations it has read until it is told.
  if (NamesAssociations(*log)) host.shell.NotifyAssociationsChanged();
  RemoveCreatedFolders(host.files, host.removal, guard, *log, options.ownFolder, leftovers);
  // The installation folder goes when it is empty; its own files go with the
  // remover, which then takes the folder too.
  const bool ownFolderIsInstallFolder = format::SamePath(log->installPath, options.ownFolder);
  if (!ownFolderIsInstallFolder) {
    RemoveFolderWhenEmpty(host.files, host.removal, guard, log->installPath, leftovers);
  } else if (HoldsMoreThanOwnFiles(host.files, options.ownFolder) &&
             guard.RefusalReason(options.ownFolder).empty()) {
    leftovers.push_back({options.ownFolder, texts::kNotEmpty});
  }
  if (!remover.Start(options.ownFolder, CreatedFoldersAbove(*log, options.ownFolder))) {
    for (const std::string& path : OwnFilePaths(options.ownFolder)) {
      if (host.files.Exists(path)) leftovers.push_back({path, texts::kNotRemoved});
    }
  }

  if (leftovers.empty()) {
    if (!options.silent)
      prompts.Inform(Caption(log->productName), ProductAndVersion(*log) + texts::kRemovedEnd);
    return kRemoved;
  }
  bool listed = false;
  const std::string listPath = WriteLeftovers(host.files, log->productName, leftovers, listed);
  if (!options.silent)
    prompts.Inform(Caption(log->productName), LeftoversText(*log, leftovers, listPath, listed));
  return kLeftovers;
}

}  // namespace uninstall

// The installing step in its order. Each part goes on past the failures of
// the one before; only a log that cannot be created cuts the step short.
#include "install/installing_step.h"

#include "format/windows_path.h"
#include "install/file_pass.h"
#include "install/log_merge.h"
#include "install/path_entries.h"
#include "install/previous_install.h"
#include "install/prior_contents.h"
#include "install/programs_list.h"
#include "format/uninstall_log_format.h"
#include "install/registry_values.h"
#include "install/shortcuts.h"
#include "install/uninstall_log.h"
#include "install/uninstall_registration.h"
#include "format/uninstall_key.h"
#include "install/uninstall_root.h"

namespace install {

namespace {

// The bar fills in seven steps after the files are copied; it shows that the
// step is working, not how far the copying got.
constexpr int kProgressSteps = 6;
constexpr unsigned kProgressPauseMilliseconds = 200;

void ShowProgressAnimation(InstallingPage& page, platform::Shell& shell) {
  page.DisableBack();
  for (int step = 0; step <= kProgressSteps; ++step) {
    page.ShowProgress(100 * step / kProgressSteps);
    shell.Sleep(kProgressPauseMilliseconds);
  }
}

}  // namespace

std::string RunInstallingStep(platform::Platform& host, script::PathExpander& expander,
                              InstallingPage& page, const RunOptions& options,
                              const InstallRequest& request, std::string& programGroup) {
  ForgetCreatedFolders();
  const std::string uninstallKey = format::UninstallKey(request.productName);
  const platform::RegistryRoot root = UninstallRoot(options.scope);
  const std::string version = expander.GetPathVariable("ProductVersion");
  // Before anything is written: the installed version's log may lie where
  // the new one goes.
  const PreviousInstall previous = FindPreviousInstall(host, uninstallKey, version, root);
  // What the folder holds now is not the product's, but for the files that
  // the pass puts in place of some.
  PriorContents before(host, request.installPath);
  CreateInstallFolder(host, request.installPath, options.scope == format::InstallScope::Machine);
  before.Replaced(RunFilePass(host, expander));

  UninstallLog log(host.files, format::JoinPath(request.installPath, format::log::kFileName));
  // Without a log there is nothing to uninstall with, so nothing else is
  // made that the uninstaller would not know of.
  if (!log.IsOpen()) return previous.note;
  WriteLogHead(host, expander, log, request, before);

  ShowProgressAnimation(page, host.shell);

  RunShortcutPass(host, expander, log, programGroup, options.allUsers);
  CloseShortcutList(log);

  std::vector<CreatedKey> createdKeys;
  RunRegistryPass(host, expander, createdKeys);

  WriteRemovalRegistryList(host.files, expander, log);
  WriteCreatedKeys(log, createdKeys);
  RunPathPass(host, expander, options.scope, log);
  // The path box's text, read again as the installation folder.
  const std::string installPath = expander.GetPathVariable("InstallPath");
  RegisterUninstaller(host.registry, uninstallKey, request.productName, installPath, root);
  WriteLogEnd(log, uninstallKey, programGroup, root);
  // The new log names what the installed version left too, so that one
  // uninstall removes both: each file and folder that is still there, and
  // every link and registry record (the uninstaller passes over those that
  // are gone).
  if (!previous.logText.empty()) {
    log.Rewrite(MergeUninstallLogs(log.Written(), previous.logText,
                                   [&](const std::string& section, const std::string& record) {
                                     // The registry list's records are all kept: the created keys
                                     // too, which this run found in place and did not record again.
                                     return section == format::log::kRegistryStart ||
                                            record.find(format::log::kFieldSeparator) !=
                                                std::string::npos ||
                                            record == format::log::kCreatedFoldersStart ||
                                            host.files.Exists(record);
                                   }));
  }
  // Written once the log is whole: the uninstaller refuses a log that no
  // longer matches it.
  const std::string digest = log.Close();
  if (!uninstallKey.empty())
    WriteStringValue(host.registry, uninstallKey, format::kUninstallLogDigest, digest, root);
  WriteProgramsListValues(host.registry, uninstallKey, version,
                          expander.GetPathVariable("CompanyName"), installPath,
                          request.estimatedKib, root);
  return previous.note;
}

}  // namespace install

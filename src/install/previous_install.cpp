#include "install/previous_install.h"

#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/install_texts.h"
#include "install/log_digest.h"
#include "install/programs_list.h"

namespace install {

PreviousInstall FindPreviousInstall(platform::Platform& host, const std::string& uninstallKey,
                                    const std::string& version) {
  PreviousInstall previous;
  const std::string location = InstalledLocation(host.registry, uninstallKey);
  if (location.empty()) {
    previous.note = texts::kFreshInstall;
    return previous;
  }
  std::string installed;
  host.registry.QueryString(platform::RegistryRoot::LocalMachine, uninstallKey,
                            texts::kDisplayVersion, installed);
  previous.note = (installed == version ? texts::kRepairOf : texts::kUpgradeFrom) + installed;
  // The folder may be one its user can change: only a log that is byte for
  // byte the one this key's installation wrote is believed.
  const std::string logPath = format::JoinPath(location, log_format::kFileName);
  std::string text;
  const char* refusal = !host.files.ReadPlainFile(logPath, text) ? texts::kLogNotPlainFile
                        : CheckLogDigest(host.registry, uninstallKey, text) != LogDigest::Matches
                            ? texts::kLogDigestDiffers
                            : nullptr;
  if (refusal != nullptr) {
    previous.note += texts::kLogNotTakenOverStart + logPath + texts::kLogNotTakenOverEnd + refusal;
  } else {
    previous.logText = std::move(text);
  }
  return previous;
}

}  // namespace install

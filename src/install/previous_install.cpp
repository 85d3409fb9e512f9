#include "install/previous_install.h"

#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/install_texts.h"
#include "install/log_digest.h"
#include "install/programs_list.h"
#include "format/uninstall_key.h"

namespace install {

PreviousInstall FindPreviousInstall(platform::Platform& host, const std::string& uninstallKey,
                                    const std::string& version, platform::RegistryRoot root) {
  PreviousInstall previous;
  const std::string location = InstalledLocation(host.registry, uninstallKey, root);
  if (location.empty()) {
    previous.note = texts::kFreshInstall;
    return previous;
  }
  std::string& note = previous.note;
  host.registry.QueryString(root, uninstallKey, format::kDisplayVersion, note);
  note.insert(0, note == version ? texts::kRepairOf : texts::kUpgradeFrom);
  // The folder may be one its user can change: only a log that is byte for
  // byte the one this key's installation wrote is believed.
  const std::string logPath = format::JoinPath(location, format::log::kFileName);
  if (std::string text;
      host.files.ReadPlainFile(logPath, text) &&
      CheckLogDigest(host.registry, uninstallKey, text, root) == LogDigest::Matches) {
    previous.logText = std::move(text);
  } else {
    note.append(texts::kLogNotTakenOverStart).append(logPath).append(texts::kLogNotTakenOverEnd);
  }
  return previous;
}

}  // namespace install

#include "install/uninstall_registration.h"

#include <vector>

#include "format/windows_path.h"
#include "format/uninstall_log_format.h"
#include "install/install_texts.h"
#include "install/registry_values.h"
#include "format/registry_data.h"
#include "format/uninstall_key.h"

namespace install {

void WriteStringValue(platform::Registry& registry, const std::string& key, const char* name,
                      const std::string& text, platform::RegistryRoot root) {
  // The terminating zero is c_str()'s own.
  const std::vector<std::uint8_t> bytes(text.c_str(), text.c_str() + text.size() + 1);
  registry.SetValue(root, key, name, platform::kRegSz, bytes);
}

void WriteDwordValue(platform::Registry& registry, const std::string& key, const char* name,
                     std::uint32_t number, platform::RegistryRoot root) {
  registry.SetValue(root, key, name, platform::kRegDword, format::DwordBytes(number));
}

void RegisterUninstaller(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& productName, const std::string& installPath,
                         platform::RegistryRoot root) {
  if (uninstallKey.empty()) return;
  const std::string uninstaller = installPath + "\\" + format::log::kUninstallerName;
  WriteStringValue(registry, uninstallKey, format::kDisplayIcon, uninstaller, root);
  WriteStringValue(registry, uninstallKey, format::kDisplayName, productName, root);
  WriteDwordValue(registry, uninstallKey, format::kNoModify, 1, root);
  WriteDwordValue(registry, uninstallKey, format::kNoRepair, 1, root);
  // Quoted: the system runs this as a command line, and an unquoted path
  // with spaces ("C:\Program Files\...") could start C:\Program.exe.
  const std::string command = "\"" + uninstaller + "\"";
  WriteStringValue(registry, uninstallKey, format::kUninstallString, command, root);
  WriteStringValue(registry, uninstallKey, format::kQuietUninstallString,
                   command + " " + texts::kSilentSwitch, root);
}

}  // namespace install

#include "install/uninstall_registration.h"

#include <vector>

#include "format/windows_path.h"
#include "format/uninstall_log_format.h"
#include "install/install_texts.h"
#include "install/registry_values.h"

namespace install {

namespace {

// The system's key buffer: 260 bytes with the terminating zero.
constexpr std::size_t kLongestKey = 259;

}  // namespace

std::string UninstallKey(const std::string& productName) {
  // Writing the values into the list's own key, and leaving that key in the
  // log for the uninstaller to remove, would take every other program's
  // entry with it.
  if (format::IsRootKeyPath(productName)) return {};
  const std::string key = texts::kUninstallKeyPrefix + productName;
  return key.size() <= kLongestKey ? key : key.substr(0, kLongestKey);
}

void WriteStringValue(platform::Registry& registry, const std::string& key, const char* name,
                      const std::string& text, platform::RegistryRoot root) {
  // The terminating zero is c_str()'s own.
  const std::vector<std::uint8_t> bytes(text.c_str(), text.c_str() + text.size() + 1);
  registry.SetValue(root, key, name, platform::kRegSz, bytes);
}

void WriteDwordValue(platform::Registry& registry, const std::string& key, const char* name,
                     std::uint32_t number, platform::RegistryRoot root) {
  registry.SetValue(root, key, name, platform::kRegDword, DwordBytes(number));
}

void RegisterUninstaller(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& productName, const std::string& installPath,
                         platform::RegistryRoot root) {
  if (uninstallKey.empty()) return;
  const std::string uninstaller = installPath + "\\" + log_format::kUninstallerName;
  WriteStringValue(registry, uninstallKey, texts::kDisplayIcon, uninstaller, root);
  WriteStringValue(registry, uninstallKey, texts::kDisplayName, productName, root);
  WriteDwordValue(registry, uninstallKey, texts::kNoModify, 1, root);
  WriteDwordValue(registry, uninstallKey, texts::kNoRepair, 1, root);
  // Quoted: the system runs this as a command line, and an unquoted path
  // with spaces ("C:\Program Files\...") could start C:\Program.exe.
  const std::string command = "\"" + uninstaller + "\"";
  WriteStringValue(registry, uninstallKey, texts::kUninstallString, command, root);
  WriteStringValue(registry, uninstallKey, texts::kQuietUninstallString,
                   command + " " + texts::kSilentSwitch, root);
}

}  // namespace install

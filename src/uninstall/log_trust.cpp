#include "uninstall/log_trust.h"

#include "format/windows_path.h"
#include "install/log_digest.h"
#include "uninstall/removal_guard.h"
#include "uninstall/uninstall_texts.h"
#include "format/uninstall_key.h"

namespace uninstall {

namespace {

std::string Unquoted(const std::string& command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
    return command.substr(1, command.size() - 2);
  return command;
}

}  // namespace

std::string LogTrustProblem(platform::Registry& registry, const UninstallRecords& log,
                            const std::string& logText, const std::string& uninstallerPath,
                            platform::RegistryRoot root) {
  const std::string key = format::UninstallKey(log.productName);
  std::string command;
  if (key.empty() || !registry.QueryString(root, key, format::kUninstallString, command) ||
      !::format::SamePath(Unquoted(command), uninstallerPath)) {
    return texts::kLogNotRegistered;
  }
  return install::CheckLogDigest(registry, key, logText, root) == install::LogDigest::Differs
             ? texts::kLogChanged
             : std::string();
}

}  // namespace uninstall

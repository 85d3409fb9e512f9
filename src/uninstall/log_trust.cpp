#include "uninstall/log_trust.h"

#include "format/windows_path.h"
#include "install/install_texts.h"
#include "install/uninstall_log.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"
#include "install/uninstall_registration.h"
#include "uninstall/removal_guard.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

namespace {

std::string Unquoted(const std::string& command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
    return command.substr(1, command.size() - 2);
  return command;
}

}  // namespace

std::string LogTrustProblem(platform::Registry& registry, const UninstallRecords& log,
                            const std::string& logText, const std::string& uninstallerPath) {
  constexpr platform::RegistryRoot kMachine = platform::RegistryRoot::LocalMachine;
  const std::string key = install::UninstallKey(log.productName);
  std::string command;
  if (key.empty() ||
      !registry.QueryString(kMachine, key, install::texts::kUninstallString, command) ||
      !::format::SamePath(Unquoted(command), uninstallerPath)) {
    return texts::kLogNotRegistered;
  }
  std::string recorded;
  if (!registry.QueryString(kMachine, key, install::texts::kUninstallLogDigest, recorded))
    return {};
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(logText.data());
  const std::string actual = package::DigestText(package::Sha256Of({bytes, logText.size()}));
  return ::format::AsciiLowered(recorded) == actual ? std::string() : texts::kLogChanged;
}

}  // namespace uninstall

#include "install/log_digest.h"

#include <cstdint>

#include "format/windows_path.h"
#include "install/install_texts.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"
#include "format/uninstall_key.h"

namespace install {

LogDigest CheckLogDigest(platform::Registry& registry, const std::string& uninstallKey,
                         const std::string& logText, platform::RegistryRoot root) {
  std::string recorded;
  if (uninstallKey.empty() ||
      !registry.QueryString(root, uninstallKey, format::kUninstallLogDigest, recorded)) {
    return LogDigest::Missing;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(logText.data());
  const std::string actual = package::DigestText(package::Sha256Of({bytes, logText.size()}));
  return format::AsciiLowered(recorded) == actual ? LogDigest::Matches : LogDigest::Differs;
}

}  // namespace install

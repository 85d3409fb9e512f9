#include "install/programs_list.h"

#include <ctime>

#include "format/windows_path.h"
#include "install/install_texts.h"
#include "install/shared_folders.h"
#include "install/uninstall_registration.h"

namespace install {

namespace {

// A folder path of 260 bytes cannot hold more levels than this.
constexpr int kDeepestFolder = 130;

std::uint64_t BytesBelow(platform::FileSystem& files, const std::string& folder, int depth) {
  std::uint64_t bytes = 0;
  if (depth > kDeepestFolder) return bytes;
  for (const platform::FolderEntry& entry : files.ListFolder(folder)) {
    // What a link or junction leads to is not the product's.
    if (entry.isReparsePoint) continue;
    bytes += entry.isFolder ? BytesBelow(files, folder + "\\" + entry.name, depth + 1) : entry.size;
  }
  return bytes;
}

void WriteTextWhenGiven(platform::Registry& registry, const std::string& key, const char* name,
                        const std::string& text) {
  if (!text.empty()) WriteStringValue(registry, key, name, text);
}

}  // namespace

std::optional<VersionNumbers> VersionNumbersOf(const std::string& version) {
  VersionNumbers numbers;
  std::uint32_t* const parts[] = {&numbers.major, &numbers.minor};
  std::size_t at = 0;
  for (std::uint32_t* part : parts) {
    const std::size_t start = at;
    std::uint64_t value = 0;
    for (; at < version.size() && version[at] >= '0' && version[at] <= '9'; ++at) {
      value = value * 10 + static_cast<unsigned>(version[at] - '0');
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    if (at == start) return part == parts[0] ? std::nullopt : std::optional(numbers);
    *part = static_cast<std::uint32_t>(value);
    if (at >= version.size() || version[at] != '.') break;
    ++at;
  }
  return numbers;
}

void WriteProgramsListValues(platform::Platform& host, const std::string& uninstallKey,
                             const ProductListing& product) {
  if (uninstallKey.empty()) return;
  platform::Registry& registry = host.registry;
  WriteTextWhenGiven(registry, uninstallKey, texts::kDisplayVersion, product.version);
  WriteTextWhenGiven(registry, uninstallKey, texts::kPublisher, product.publisher);
  WriteTextWhenGiven(registry, uninstallKey, texts::kInstallLocation, product.installPath);
  // A folder shared with the system or other programs holds far more than
  // the product.
  if (!IsSharedFolder(host, product.installPath)) {
    const std::uint64_t kib = (BytesBelow(host.files, product.installPath, 0) + 1023) / 1024;
    WriteDwordValue(registry, uninstallKey, texts::kEstimatedSize,
                    kib > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kib));
  }
  const std::time_t now = std::time(nullptr);
  char date[16];
  if (const std::tm* local = std::localtime(&now);
      local != nullptr && std::strftime(date, sizeof date, "%Y%m%d", local) == 8) {
    WriteStringValue(registry, uninstallKey, texts::kInstallDate, date);
  }
  if (const std::optional<VersionNumbers> numbers = VersionNumbersOf(product.version)) {
    WriteDwordValue(registry, uninstallKey, texts::kVersionMajor, numbers->major);
    WriteDwordValue(registry, uninstallKey, texts::kVersionMinor, numbers->minor);
  }
}

std::string InstalledLocation(platform::Registry& registry, const std::string& uninstallKey) {
  std::string location;
  if (uninstallKey.empty() ||
      !registry.QueryString(platform::RegistryRoot::LocalMachine, uninstallKey,
                            texts::kInstallLocation, location)) {
    return {};
  }
  location = format::WithoutTrailingSeparators(location);
  // Anything else would not be a folder the installing step can use; a
  // drive's root is refused as the command line refuses it.
  const bool fullPath = location.size() > 3 && location[1] == ':' && location[2] == '\\' &&
                        format::AsciiLower(location[0]) >= 'a' &&
                        format::AsciiLower(location[0]) <= 'z';
  return fullPath ? location : std::string();
}

}  // namespace install

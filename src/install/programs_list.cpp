#include "install/programs_list.h"

#include <algorithm>
#include <ctime>

#include "format/decimal_text.h"
#include "install/install_texts.h"
#include "install/uninstall_registration.h"
#include "format/uninstall_key.h"

namespace install {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal number text starts with, 0xFFFFFFFF when larger; end is set
// past its last digit.
std::uint32_t LeadingNumber(const char* text, const char** end) {
  std::uint64_t number = 0;
  for (; IsDigit(*text); ++text)
    number = std::min<std::uint64_t>(number * 10 + static_cast<unsigned>(*text - '0'), 0xFFFFFFFFu);
  *end = text;
  return static_cast<std::uint32_t>(number);
}

}  // namespace

std::optional<VersionNumbers> VersionNumbersOf(const std::string& version) {
  if (!IsDigit(version[0])) return std::nullopt;
  const char* end = nullptr;
  VersionNumbers numbers;
  numbers.major = LeadingNumber(version.c_str(), &end);
  if (end[0] == '.' && IsDigit(end[1])) numbers.minor = LeadingNumber(end + 1, &end);
  return numbers;
}

void WriteProgramsListValues(platform::Registry& registry, const std::string& uninstallKey,
                             const std::string& version, const std::string& publisher,
                             const std::string& installPath, std::uint32_t estimatedKib,
                             platform::RegistryRoot root) {
  if (uninstallKey.empty()) return;
  const char* const textNames[] = {format::kDisplayVersion, format::kPublisher,
                                   format::kInstallLocation};
  const std::string* const textValues[] = {&version, &publisher, &installPath};
  for (int i = 0; i < 3; ++i) {
    if (!textValues[i]->empty())
      WriteStringValue(registry, uninstallKey, textNames[i], *textValues[i], root);
  }
  const std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) {
    WriteStringValue(
        registry, uninstallKey, format::kInstallDate,
        format::DecimalText(static_cast<std::uint32_t>((local->tm_year + 1900) * 10000 +
                                                       (local->tm_mon + 1) * 100 + local->tm_mday)),
        root);
  }
  const char* const numberNames[] = {format::kEstimatedSize, format::kVersionMajor,
                                     format::kVersionMinor};
  const std::optional<VersionNumbers> parsed = VersionNumbersOf(version);
  const std::uint32_t numbers[] = {estimatedKib, parsed ? parsed->major : 0,
                                   parsed ? parsed->minor : 0};
  for (int i = 0; i < (parsed ? 3 : 1); ++i) {
    WriteDwordValue(registry, uninstallKey, numberNames[i], numbers[i], root);
  }
}

std::string InstalledLocation(platform::Registry& registry, const std::string& uninstallKey,
                              platform::RegistryRoot root) {
  std::string location;
  // Anything else is no folder to install into; a drive's root is refused
  // as the command line refuses it.
  if (registry.QueryString(root, uninstallKey, format::kInstallLocation, location) &&
      location.size() > 3 && location[1] == ':' && location[2] == '\\' && location.back() != '\\') {
    return location;
  }
  return {};
}

}  // namespace install

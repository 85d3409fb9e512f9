#include "install/log_merge.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "format/uninstall_log_format.h"
#include "format/windows_path.h"
#include "install/install_texts.h"
#include "install/registry_values.h"
#include "install/shortcuts.h"

namespace install {

namespace {

std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> records;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(log_format::kRecordBreak, start);
    records.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return records;
    start = end + 2;
  }
}

bool IsOpening(const std::string& record) {
  return record.size() > 2 && record.front() == '[' && record.back() == ']' && record[1] != '/';
}

std::string ClosingOf(const std::string& opening) { return "[/" + opening.substr(1); }

// Calls take(section, record) for every record inside a section of the log,
// after its head records.
template <typename Take>
void ForEachSectionRecord(const std::vector<std::string>& records, Take take) {
  std::string section;  // the open section's opening marker
  for (std::size_t at = log_format::kHeadRecords; at < records.size(); ++at) {
    const std::string& record = records[at];
    if (section.empty()) {
      if (IsOpening(record)) section = record;
    } else if (record == ClosingOf(section)) {
      section.clear();
    } else {
      take(section, record);
    }
  }
}

}  // namespace

std::string MergeUninstallLogs(
    const std::string& fresh, const std::string& previous,
    base::FunctionRef<bool(const std::string& section, const std::string& record)> stillThere) {
  const std::vector<std::string> records = Records(fresh);
  const std::vector<std::string> old = Records(previous);
  std::string merged;
  std::string section;
  std::vector<std::string> named;  // the open section's records, lowered
  for (std::size_t at = 0; at < records.size(); ++at) {
    const std::string& record = records[at];
    if (at < log_format::kHeadRecords) {
    } else if (section.empty()) {
      if (IsOpening(record)) section = record;
      named.clear();
    } else if (record == ClosingOf(section)) {
      ForEachSectionRecord(old, [&](const std::string& oldSection, const std::string& oldRecord) {
        std::string lowered = format::AsciiLowered(oldRecord);
        if (oldSection != section ||
            std::find(named.begin(), named.end(), lowered) != named.end() ||
            !stillThere(section, oldRecord)) {
          return;
        }
        named.push_back(std::move(lowered));
        merged += oldRecord + log_format::kRecordBreak;
      });
      section.clear();
    } else {
      named.push_back(format::AsciiLowered(record));
    }
    merged += record;
    if (at + 1 < records.size()) merged += log_format::kRecordBreak;
  }
  return merged;
}

bool RecordTargetExists(platform::Platform& host, const std::string& programGroup,
                        const std::string& section, const std::string& record) {
  const std::size_t bar = record.find(log_format::kFieldSeparator);
  const std::string first = record.substr(0, bar);
  const std::string rest = bar == std::string::npos ? std::string() : record.substr(bar + 1);
  if (section == log_format::kShortcutsStart) {
    const std::optional<int> number = ShortcutFolderNumber(first);
    const std::string folder =
        number ? LinkFolder(host.machine, programGroup, *number) : std::string();
    return !folder.empty() &&
           host.files.Exists(format::JoinPath(folder, rest + texts::kLinkExtension));
  }
  if (section == log_format::kRegistryStart) {
    const std::optional<platform::RegistryRoot> root = RegistryRootNamed(first);
    return root &&
           host.registry.ContentOf(*root, rest.substr(0, rest.find(log_format::kFieldSeparator))) !=
               platform::Registry::KeyContent::Missing;
  }
  return host.files.Exists(format::WithoutTrailingSeparators(record));
}

}  // namespace install

#include "uninstall/uninstall_log_reader.h"

#include <cstdio>

#include "format/field_values.h"
#include "format/uninstall_log_format.h"

namespace uninstall {

namespace {

// Far more than any product lists; a bigger file is not a log.
constexpr long kLargestLog = 64L << 20;

std::vector<std::string> SplitRecords(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string record =
        text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!record.empty() && record.back() == '\r') record.pop_back();
    records.push_back(record);
    if (end == std::string::npos) return records;
    start = end + 1;
  }
}

// The fields of "a|b|c|": a, b, c (the last separator ends the record).
std::vector<std::string> SplitFields(const std::string& record) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start <= record.size()) {
    const std::size_t end = record.find(format::log::kFieldSeparator, start);
    if (end == std::string::npos) {
      if (start < record.size()) fields.push_back(record.substr(start));
      break;
    }
    fields.push_back(record.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

// A PATH entry's record, "ROOT;folder", of the two roots a PATH has.
std::optional<PathEntryRecord> PathEntryOf(const std::string& record) {
  if (record.find(format::log::kFieldSeparator) != std::string::npos) return std::nullopt;
  for (const char* root : {format::kLocalMachine, format::kCurrentUser}) {
    const std::string prefix = std::string(root) + format::log::kPathEntrySeparator;
    if (record.size() > prefix.size() && record.rfind(prefix, 0) == 0)
      return PathEntryRecord{root, record.substr(prefix.size())};
  }
  return std::nullopt;
}

// A created key's record, "ROOT\key\": no "|", a root and a key.
std::optional<RegistryRecord> CreatedKeyOf(const std::string& record) {
  const std::size_t root = record.find('\\');
  if (record.find(format::log::kFieldSeparator) != std::string::npos || record.size() < 2 ||
      record.back() != '\\' || root == std::string::npos || root + 1 >= record.size() - 1) {
    return std::nullopt;
  }
  return RegistryRecord{
      record.substr(0, root), record.substr(root + 1, record.size() - root - 2), {}};
}

// Walks the records in order, expecting each marker in turn.
class RecordWalk {
 public:
  explicit RecordWalk(std::vector<std::string> records) : records_(std::move(records)) {}

  bool AtEnd() const { return next_ >= records_.size(); }
  const std::string& Take() { return records_[next_++]; }
  bool TakeMarker(const char* marker) {
    if (AtEnd() || records_[next_] != marker) return false;
    ++next_;
    return true;
  }
  // The records up to the closing marker, which is taken too; false when the
  // marker never comes.
  bool TakeUntil(const char* marker, std::vector<std::string>& section) {
    while (!AtEnd()) {
      const std::string& record = Take();
      if (record == marker) return true;
      section.push_back(record);
    }
    return false;
  }
  std::size_t Left() const { return records_.size() - next_; }

 private:
  std::vector<std::string> records_;
  std::size_t next_ = 0;
};

}  // namespace

std::optional<UninstallRecords> ParseUninstallLog(const std::string& text, std::string& why) {
  if (text.empty()) {
    why = "it is empty";
    return std::nullopt;
  }
  RecordWalk walk(SplitRecords(text));
  UninstallRecords log;
  std::string* const head[format::log::kHeadRecords] = {&log.productName,  &log.installPath,
                                                        &log.version,      &log.company,
                                                        &log.generalLine1, &log.generalLine2};
  for (std::string* record : head) {
    if (walk.AtEnd()) {
      why = "it ends before its list of files";
      return std::nullopt;
    }
    *record = walk.Take();
  }
  std::vector<std::string> shortcuts;
  std::vector<std::string> registry;
  const auto section = [&](const char* start, const char* end, std::vector<std::string>& records) {
    if (!walk.TakeMarker(start)) {
      why = std::string("\"") + start + "\" is missing where it belongs";
      return false;
    }
    if (!walk.TakeUntil(end, records)) {
      why = std::string("it ends before \"") + end + "\"";
      return false;
    }
    return true;
  };
  if (!section(format::log::kFilesStart, format::log::kFilesEnd, log.files) ||
      !section(format::log::kShortcutsStart, format::log::kShortcutsEnd, shortcuts) ||
      !section(format::log::kRegistryStart, format::log::kRegistryEnd, registry)) {
    return std::nullopt;
  }
  // The program group follows the last marker's line break; an editor may
  // have added empty lines after it.
  if (walk.AtEnd()) {
    why = std::string("it ends right after \"") + format::log::kRegistryEnd + "\"";
    return std::nullopt;
  }
  log.programGroup = walk.Take();
  while (!walk.AtEnd()) {
    if (!walk.Take().empty()) {
      why = "it holds more after the program group's name";
      return std::nullopt;
    }
  }
  // A link record always holds a '|', which no folder path can; an upgrade
  // carries the installed version's links in after the created folders.
  bool inCreatedFolders = false;
  for (const std::string& record : shortcuts) {
    const std::size_t bar = record.find(format::log::kFieldSeparator);
    if (bar != std::string::npos) {
      log.shortcuts.push_back({record.substr(0, bar), record.substr(bar + 1)});
    } else if (record == format::log::kCreatedFoldersStart) {
      inCreatedFolders = true;
    } else if (inCreatedFolders && !record.empty()) {
      log.createdFolders.push_back(record);
    }
  }
  for (const std::string& record : registry) {
    if (std::optional<PathEntryRecord> entry = PathEntryOf(record)) {
      log.pathEntries.push_back(std::move(*entry));
      continue;
    }
    if (std::optional<RegistryRecord> created = CreatedKeyOf(record)) {
      log.createdKeys.push_back(std::move(*created));
      continue;
    }
    const std::vector<std::string> fields = SplitFields(record);
    if (fields.size() < 2) continue;
    log.registry.push_back({fields[0], fields[1], fields.size() > 2 ? fields[2] : std::string()});
  }
  return log;
}

bool ReadUninstallLogText(platform::FileSystem& files, const std::string& path, std::string& text,
                          std::string& why) {
  if (!files.Exists(path)) {
    why = "it does not exist";
    return false;
  }
  std::FILE* file = files.OpenFile(path, "rb");
  if (file == nullptr) {
    why = "it cannot be opened";
    return false;
  }
  text.clear();
  // Less than a page: the 32-bit programs have no stack probes, so a
  // frame of 4 KB or more does not build.
  char buffer[2048];
  std::size_t got = 0;
  bool tooLong = false;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, got);
    if (static_cast<long>(text.size()) > kLargestLog) {
      tooLong = true;
      break;
    }
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || tooLong) {
    why = failed ? "it cannot be read" : "it is far too long for an uninstall log";
    return false;
  }
  return true;
}

std::optional<UninstallRecords> ReadUninstallLog(platform::FileSystem& files,
                                                 const std::string& path, std::string& why) {
  std::string text;
  if (!ReadUninstallLogText(files, path, text, why)) return std::nullopt;
  return ParseUninstallLog(text, why);
}

}  // namespace uninstall

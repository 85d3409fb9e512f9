#include "install/log_merge.h"

#include "format/uninstall_log_format.h"

namespace install {

namespace {

constexpr const char* kBreak = format::log::kRecordBreak;

// Where the first record after the head records starts.
std::size_t AfterHead(const std::string& text) {
  std::size_t at = 0;
  for (std::size_t record = 0; record < format::log::kHeadRecords && at < text.size(); ++record) {
    at = text.find(kBreak, at);
    at = at == std::string::npos ? text.size() : at + 2;
  }
  return at;
}

}  // namespace

std::string MergeUninstallLogs(
    const std::string& fresh, const std::string& previous,
    base::FunctionRef<bool(const std::string& section, const std::string& record)> stillThere) {
  std::string merged = fresh;
  // The line break before the new log's first section.
  const std::size_t body = AfterHead(fresh) - 1;
  std::string section;  // the previous log's open section, by its opening marker
  std::string closing;  // its closing marker with the line break before it
  // The same section in the new log: from the line break before its opening
  // marker to the one before its closing marker. A record it holds is
  // "\r\n" + record + "\r" in there.
  std::size_t open = 0;
  std::size_t close = std::string::npos;
  for (std::size_t at = AfterHead(previous); at < previous.size();) {
    std::size_t end = previous.find(kBreak, at);
    if (end == std::string::npos) end = previous.size();
    const std::string line = kBreak + previous.substr(at, end - at);
    at = end + 2;
    if (closing.empty()) {
      if (line.size() > 4 && line[2] == '[' && line[3] != '/' && line.back() == ']') {
        section.assign(line, 2);
        closing.assign("\r\n[/").append(line, 3);
        open = merged.find(line + "\r", body - 1);
        close = merged.find(closing, open);
      }
    } else if (line == closing) {
      closing.clear();
    } else if (close != std::string::npos && merged.find(line + "\r", open) > close &&
               stillThere(section, line.substr(2))) {
      merged.insert(close, line);
      close += line.size();
    }
  }
  return merged;
}

}  // namespace install

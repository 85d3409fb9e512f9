#include "mksetup/script_checks/script_text.h"

#include <algorithm>

#include "format/script_lines.h"
#include "format/script_passes.h"

namespace mksetup {

std::optional<std::size_t> ScriptText::Find(const char* marker, std::size_t from) const {
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (lines[i] == marker) return i;
  }
  return std::nullopt;
}

const std::string& ScriptText::LineOrEmpty(std::size_t index) const {
  static const std::string kEmpty;
  return index < lines.size() ? lines[index] : kEmpty;
}

namespace {

// The script's lines handed out one by one, as the setup program's passes
// read them from the staged file. Current() is the index of the line read
// last, lines.size() once the end has been reached.
class LineCursor {
 public:
  explicit LineCursor(const ScriptText& script) : lines_(script.lines) {}

  bool ReadLine(std::string& line) {
    current_ = next_;
    if (next_ == lines_.size()) {
      line.clear();
      return false;
    }
    line = lines_[next_++];
    return true;
  }
  std::size_t Current() const { return current_; }

 private:
  const std::vector<std::string>& lines_;
  std::size_t next_ = 0;
  std::size_t current_ = 0;
};

}  // namespace

ScriptText SplitScriptLines(std::span<const std::uint8_t> bytes) {
  ScriptText script;
  std::size_t next = 0;
  const auto nextByte = [&]() -> int { return next < bytes.size() ? bytes[next++] : -1; };
  std::string line;
  while (format::ReadScriptLine(nextByte, line)) script.lines.push_back(line);
  return script;
}

bool ReaderCompressionFlag(const ScriptText& script) {
  LineCursor lines(script);
  return format::ReadCompressionFlag(lines);
}

std::vector<std::size_t> FilePassEntryLines(const ScriptText& script) {
  std::vector<std::size_t> entries;
  LineCursor lines(script);
  format::ForEachFileEntryLine(lines,
                               [&](const std::string&) { entries.push_back(lines.Current()); });
  return entries;
}

std::vector<std::size_t> FileSectionLines(const ScriptText& script) {
  std::vector<std::size_t> entries;
  const auto fls = script.Find(format::kFiles);
  if (!fls) return entries;
  const auto end = script.Find(format::kFilesEnd, *fls + 2);
  if (!end || script.Find(format::kFilesEnd).value() < *fls) return entries;
  for (std::size_t i = *fls + 2; i < *end; ++i) {
    if (!script.lines[i].empty()) entries.push_back(i);
  }
  return entries;
}

std::size_t SeparatorCount(const std::string& line) {
  return static_cast<std::size_t>(std::count(line.begin(), line.end(), format::kFieldSeparator));
}

SectionScan ScanSection(const ScriptText& script, const char* opening, const char* closing) {
  SectionScan scan;
  LineCursor lines(script);
  std::size_t openedAt = 0;
  const bool unclosed = format::ForEachSectionLine(
      lines, opening, closing, [&] { openedAt = lines.Current(); },
      [&](const std::string&) { scan.lines.push_back(lines.Current()); });
  if (unclosed) scan.unclosedAt = openedAt;
  return scan;
}

SectionScan ScanShortcutSection(const ScriptText& script) {
  SectionScan scan;
  LineCursor lines(script);
  std::size_t openedAt = 0;
  const bool unclosed = format::ForEachShortcutSectionLine(
      lines, [](const std::string&) {}, [&] { openedAt = lines.Current(); },
      [&](const std::string&) {
        // The empty line a "[menu_grp]" at the end hands on is no line of
        // the script; its section is unclosed, which is reported instead.
        if (lines.Current() < script.lines.size()) scan.lines.push_back(lines.Current());
      });
  if (unclosed) scan.unclosedAt = openedAt;
  return scan;
}

std::string ImageFileName(const std::string& imageLine) {
  const std::size_t slash = imageLine.rfind('\\');
  return slash == std::string::npos ? imageLine : imageLine.substr(slash + 1);
}

}  // namespace mksetup

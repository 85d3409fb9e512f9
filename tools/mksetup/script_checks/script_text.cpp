#include "mksetup/script_checks/script_text.h"

#include <algorithm>

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

ScriptText SplitScriptLines(std::span<const std::uint8_t> bytes) {
  ScriptText script;
  std::string line;
  bool pending = false;  // bytes seen since the last line end
  for (const std::uint8_t byte : bytes) {
    if (byte == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      script.lines.push_back(std::move(line));
      line.clear();
      pending = false;
    } else {
      line += static_cast<char>(byte);
      pending = true;
    }
  }
  if (pending) script.lines.push_back(std::move(line));
  return script;
}

bool ReaderCompressionFlag(const ScriptText& script) {
  const auto fls = script.Find(format::kFiles);
  return fls && script.LineOrEmpty(*fls + 1) == format::kTrueFlag;
}

std::vector<std::size_t> FilePassEntryLines(const ScriptText& script) {
  std::vector<std::size_t> entries;
  bool inside = false;
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    const std::string& line = script.lines[i];
    if (line.empty() || line == format::kFilesEnd) break;
    if (inside) entries.push_back(i);
    if (line == format::kFiles) {
      inside = true;
      ++i;  // the compression flag
    }
  }
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

namespace {

SectionScan Scan(const ScriptText& script, const char* opening, const char* closing,
                 const char* takesNextLine) {
  SectionScan scan;
  bool inside = false;
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    if (takesNextLine && script.lines[i] == takesNextLine && ++i == script.lines.size()) break;
    const std::string& line = script.lines[i];
    if (line == closing) {
      inside = false;
    } else if (line == opening) {
      if (!inside) scan.unclosedAt = i;
      inside = true;
    } else if (inside) {
      scan.lines.push_back(i);
    }
  }
  if (!inside) scan.unclosedAt.reset();
  return scan;
}

}  // namespace

SectionScan ScanSection(const ScriptText& script, const char* opening, const char* closing) {
  return Scan(script, opening, closing, nullptr);
}

SectionScan ScanShortcutSection(const ScriptText& script) {
  return Scan(script, format::kShortcuts, format::kShortcutsEnd, format::kProgramGroup);
}

std::string ImageFileName(const std::string& imageLine) {
  const std::size_t slash = imageLine.rfind('\\');
  return slash == std::string::npos ? imageLine : imageLine.substr(slash + 1);
}

}  // namespace mksetup

#include "mksetup/script_checks/path_variable_check.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "mksetup/script_checks/name_match.h"
#include "format/path_variable_names.h"

namespace mksetup {
namespace {

bool IsNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Each "%name%" of text (line, or the part of it that is expanded), paired
// from the left as an author writes them. A text between two "%" that is not
// a name (a stray "%" before a folder) is left to the manual's rule: the
// setup program drops every "%".
void CheckText(const std::string& text, const std::string& line, std::size_t number,
               Diagnostics& out) {
  for (std::size_t open = text.find('%'); open != std::string::npos;) {
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) return;
    const std::string piece = text.substr(open + 1, close - open - 1);
    const std::string name = "%" + piece + "%";
    const bool isName = !piece.empty() && std::all_of(piece.begin(), piece.end(), IsNameCharacter);
    if (!isName) {
      open = close;  // the closing "%" may open the next name
      continue;
    }
    open = text.find('%', close + 1);
    if (IsOneOf(name, format::kPathVariableNames)) continue;
    const std::string result = ", so it writes " + Quoted(piece) + " in its place";
    if (const auto near = NearName(name, format::kPathVariableNames)) {
      out.Warning(number, "path variable " + Quoted(name) + " in " + Quoted(line) + " is not \"" +
                              *near + "\": the setup program matches names with their exact case" +
                              result);
    } else {
      out.Warning(number, "unknown path variable " + Quoted(name) + " in " + Quoted(line) +
                              ": the setup program knows no such name" + result);
    }
  }
}

}  // namespace

void CheckPathVariables(const ScriptText& script, Diagnostics& out) {
  // The lines, or parts of lines, that the setup program expands.
  std::set<std::size_t> lines = {1, format::kHeaderLines - 1};  // wizard title, notice line
  const auto after = [&](const char* marker, std::size_t distance) {
    for (auto at = script.Find(marker); at; at = script.Find(marker, *at + 1)) {
      if (*at + distance < script.lines.size()) lines.insert(*at + distance);
    }
  };
  after(format::kInstallPath, 1);
  after(format::kProgramGroup, 1);
  after(format::kLaunch, 2);
  after(format::kLogo, 1);
  after(format::kHeaderImage, 1);
  const std::pair<const char*, const char*> sections[] = {
      {format::kShortcuts, format::kShortcutsEnd},
      {format::kRegistry, format::kRegistryEnd},
      {format::kUninstallRegistry, format::kUninstallRegistryEnd},
  };
  for (const auto& [opening, closing] : sections) {
    for (const std::size_t i : ScanSection(script, opening, closing).lines) lines.insert(i);
  }
  // The removal list, read by position after "[uninst_gene]" and its lines.
  if (const auto general = script.Find(format::kUninstallGeneral)) {
    const auto end = script.Find(format::kUninstallFilesEnd, *general + 5);
    for (std::size_t i = *general + 5; end && i < *end; ++i) lines.insert(i);
  }
  for (const std::size_t i : lines) {
    if (i < script.lines.size()) CheckText(script.lines[i], script.lines[i], i + 1, out);
  }
  // "[fls]" expands only the destination, after the first "|".
  for (const std::size_t i : FileSectionLines(script)) {
    const std::string& line = script.lines[i];
    const std::size_t bar = line.find(format::kFieldSeparator);
    if (bar != std::string::npos) CheckText(line.substr(bar + 1), line, i + 1, out);
  }
}

}  // namespace mksetup

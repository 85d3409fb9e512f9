#include "mksetup/script_checks/path_variable_check.h"

#include <set>
#include <string_view>

#include "mksetup/script_checks/name_match.h"
#include "format/path_variable_names.h"
#include "format/template_parts.h"

namespace mksetup {
namespace {

// Each "%NAME%" of text (line, or the part of it that is expanded), and each
// lone "%", found as the setup program's expansion finds them.
void CheckText(const std::string& text, const std::string& line, std::size_t number,
               Diagnostics& out) {
  bool loneSign = false;
  format::ForEachTemplatePart(text, [&](format::TemplatePart part, std::string_view partText) {
    if (part == format::TemplatePart::Lone) loneSign = true;
    if (part != format::TemplatePart::Name) return;
    const std::string piece(partText);
    const std::string name = "%" + piece + "%";
    if (IsOneOf(name, format::kPathVariableNames)) return;
    const std::string result = ", so it writes " + Quoted(piece) + " in its place";
    if (const auto near = NearName(name, format::kPathVariableNames)) {
      out.Warning(number, "path variable " + Quoted(name) + " in " + Quoted(line) + " is not \"" +
                              *near + "\": the setup program matches names with their exact case" +
                              result);
    } else {
      out.Warning(number, "unknown path variable " + Quoted(name) + " in " + Quoted(line) +
                              ": the setup program knows no such name" + result);
    }
  });
  if (loneSign) {
    out.Warning(number, "a \"%\" in " + Quoted(line) +
                            " starts no path variable: the setup program drops it; write \"%%\" "
                            "for a \"%\"");
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
  // "[path]" expands only the folder, after the first "|".
  for (const std::size_t i :
       ScanSection(script, format::kPathEntries, format::kPathEntriesEnd).lines) {
    const std::string& line = script.lines[i];
    const std::size_t bar = line.find(format::kFieldSeparator);
    if (bar != std::string::npos) CheckText(line.substr(bar + 1), line, i + 1, out);
  }
  // "[fls]" expands only the destination, after the first "|".
  for (const std::size_t i : FileSectionLines(script)) {
    const std::string& line = script.lines[i];
    const std::size_t bar = line.find(format::kFieldSeparator);
    if (bar != std::string::npos) CheckText(line.substr(bar + 1), line, i + 1, out);
  }
}

}  // namespace mksetup

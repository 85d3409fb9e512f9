#include "mksetup/script_checks/shortcut_line_check.h"

#include "base/text_trim.h"
#include "format/windows_path.h"
#include "format/shortcut_links.h"
#include "mksetup/script_checks/name_match.h"
#include "mksetup/script_checks/section_lines.h"
#include "format/field_values.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

// Characters no Windows file name holds: a link named with one is never
// saved. "\" and "/" are left out: they name a sub-folder, which may exist.
constexpr const char* kNotInFileNames = ":*?\"<>|";

void CheckLocation(const std::string& line, const std::string& location, std::size_t number,
                   Diagnostics& out) {
  if (const auto near = NearName(location, format::kShortcutLocations)) {
    out.Error(number, "shortcut location " + Quoted(location) + " is not \"" + *near +
                          "\": locations are matched exactly, letter case and spaces included, so "
                          "the setup program makes no shortcut for " +
                          Quoted(line));
    return;
  }
  out.Error(number, "unknown shortcut location " + Quoted(location) + " in " + Quoted(line) +
                        ": the setup program knows only " + NameList(format::kShortcutLocations) +
                        " and makes no shortcut for it");
}

void CheckName(const std::string& name, std::size_t number, Diagnostics& out) {
  const std::size_t bad = name.find_first_of(kNotInFileNames);
  if (bad != std::string::npos) {
    out.Error(number, "shortcut name " + Quoted(name) + " holds \"" + name[bad] +
                          "\", which no file name may hold: the setup program's link is never "
                          "saved");
    return;
  }
  const std::size_t slash = name.find_last_of("\\/");
  // Windows opens "COM1.lnk" as the port, whatever follows the dot.
  const std::string linkName = slash == std::string::npos ? name : name.substr(slash + 1);
  if (::format::IsDeviceName(linkName)) {
    out.Error(number, "shortcut name " + Quoted(name) +
                          " is a device name: Windows opens it as the device, so the setup "
                          "program's link is never saved");
    return;
  }
  if (slash == std::string::npos) return;
  out.Warning(number, "shortcut name " + Quoted(name) + " puts the link into the folder " +
                          Quoted(name.substr(0, slash)) +
                          ", which the setup program does not create: the link is missing unless "
                          "that folder exists");
}

void CheckShortcutLine(const std::string& line, std::size_t number, Diagnostics& out) {
  // A blank line has no location, which the pass skips, as meant.
  if (base::Trimmed(line).empty()) return;
  const std::size_t bars = SeparatorCount(line);
  if (bars == 0) {
    out.Error(number, "shortcut line " + Quoted(line) +
                          " has no \"|\": expected LOCATION|TARGET|NAME; the setup program makes "
                          "no shortcut for it");
    return;
  }
  std::string rest = line;
  const std::string location = format::TakeField(rest);
  const std::string target = format::TakeField(rest);
  const std::string& name = rest;  // the Name keeps any further "|"
  if (!IsOneOf(location, format::kShortcutLocations)) {
    CheckLocation(line, location, number, out);
    return;
  }
  const std::string noLink = std::string(": the setup program shows \"") +
                             format::kEnterMenuItemCorrectly +
                             "\" and makes no shortcut (the uninstall log still lists it)";
  if (bars == 1) {
    out.Error(number, "shortcut line " + Quoted(line) +
                          " has one \"|\" of two: expected LOCATION|TARGET|NAME; it gives no "
                          "target" +
                          noLink);
  } else if (target.empty()) {
    out.Error(number, "shortcut line " + Quoted(line) + " has an empty target" + noLink);
  } else if (name.empty()) {
    out.Error(number, "shortcut line " + Quoted(line) + " has an empty name" + noLink);
  } else {
    CheckName(name, number, out);
  }
}

}  // namespace

void CheckShortcutLines(const ScriptText& script, Diagnostics& out) {
  CheckSectionLines(script, ScanShortcutSection(script), format::kShortcuts, format::kShortcutsEnd,
                    "a shortcut line", CheckShortcutLine, out);
}

}  // namespace mksetup

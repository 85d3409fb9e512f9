// How the setup program's passes over the script take its lines: the
// compression flag, the file pass, the sections read through the whole
// script and the shortcut pass. The setup program runs them over the staged
// file, mksetup over the script's bytes to find the lines it checks, so both
// take the same lines by one grammar.
//
// Lines is anything with bool ReadLine(std::string& line) that reads as
// ReadScriptLine does (script_lines.h): false with an empty line at the end.
#pragma once

#include <string>

#include "format/script_format.h"

namespace format {

// One further read, taken whatever it holds: empty at the end.
template <typename Lines>
std::string NextLine(Lines& lines) {
  std::string line;
  lines.ReadLine(line);
  return line;
}

// Reads until a line equals the marker; false at the end.
template <typename Lines>
bool SkipPast(Lines& lines, const char* marker) {
  std::string line;
  while (lines.ReadLine(line)) {
    if (line == marker) return true;
  }
  return false;
}

// The compression flag: the line after the first "[fls]" is exactly "1".
// False without "[fls]".
template <typename Lines>
bool ReadCompressionFlag(Lines& lines) {
  return SkipPast(lines, kFiles) && NextLine(lines) == kTrueFlag;
}

// The file pass: from the first line it ends at the first empty line or
// "[/fls]", wherever it stands (also above "[fls]"), as at the end. "[fls]"
// turns it on and the line after it, the flag, is skipped; every other line
// read while on is an entry (a further "[fls]" among them).
template <typename Lines, typename Visit>
void ForEachFileEntryLine(Lines& lines, Visit&& entry) {
  bool inside = false;
  std::string line;
  while (lines.ReadLine(line) && !line.empty() && line != kFilesEnd) {
    if (inside) entry(line);
    if (line == kFiles) {
      inside = true;
      lines.ReadLine(line);  // the compression flag, never an entry
    }
  }
}

// A section read through the whole script, as the registry and removal
// registry passes read theirs: the closing marker switches inside off, the
// opening one on, and every other line read while inside is one of the
// section's, so several sections are all taken. opened() is called when an
// opening marker switches inside on. Returns true when the script ends
// inside the section.
template <typename Lines, typename Opened, typename Visit>
bool ForEachSectionLine(Lines& lines, const char* opening, const char* closing, Opened&& opened,
                        Visit&& sectionLine) {
  bool inside = false;
  std::string line;
  while (lines.ReadLine(line)) {
    if (line == closing) {
      inside = false;
    } else if (line == opening) {
      if (!inside) opened();
      inside = true;
    } else if (inside) {
      sectionLine(line);
    }
  }
  return inside;
}

// The program group and shortcut pass: as ForEachSectionLine over "[shrt]",
// except that the line after each "[menu_grp]" is handed to group() and then
// examined like any other line, so "[menu_grp]" itself is never a shortcut
// line. A "[menu_grp]" at the end hands an empty line to both.
template <typename Lines, typename Group, typename Opened, typename Visit>
bool ForEachShortcutSectionLine(Lines& lines, Group&& group, Opened&& opened,
                                Visit&& shortcutLine) {
  bool inside = false;
  std::string line;
  while (lines.ReadLine(line)) {
    if (line == kProgramGroup) {
      lines.ReadLine(line);
      group(line);
    }
    if (line == kShortcuts) {
      if (!inside) opened();
      inside = true;
    } else if (line == kShortcutsEnd) {
      inside = false;
    } else if (inside) {
      shortcutLine(line);
    }
  }
  return inside;
}

}  // namespace format

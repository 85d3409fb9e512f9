// The setup script as the builder sees it: the file's bytes, cut into lines
// by the setup program's own line rule (format/script_lines.h), and its
// passes' lines found by their own grammar (format/script_passes.h), so that
// a line number in a message is the line the setup program stumbles over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "format/script_format.h"

namespace mksetup {

// The markers and fields, as the setup program's scanning rules know them.

struct ScriptText {
  std::vector<std::string> lines;  // without their line ends

  // 1-based number of the last line (1 for an empty script): where problems
  // of the whole file are reported, since that is where a reader looking for
  // something runs out of lines.
  std::size_t LastLineNumber() const { return lines.empty() ? 1 : lines.size(); }
  // Index (0-based) of the first line at or after from that equals marker.
  std::optional<std::size_t> Find(const char* marker, std::size_t from = 0) const;
  // The line at index, or empty past the end: what "the next line" yields
  // at end of file.
  const std::string& LineOrEmpty(std::size_t index) const;
};

// The lines of format::ReadScriptLine.
ScriptText SplitScriptLines(std::span<const std::uint8_t> bytes);

// The compression flag as the setup program reads it right after writing the
// script (format::ReadCompressionFlag).
bool ReaderCompressionFlag(const ScriptText& script);

// The lines that the setup program's file pass takes as entries
// (format::ForEachFileEntryLine), as 0-based indexes.
std::vector<std::size_t> FilePassEntryLines(const ScriptText& script);

// The entry lines of a well-formed "[fls]" section (0-based indexes): the
// non-empty lines between its flag line and "[/fls]". When the checks pass
// (no empty line above "[/fls]", which follows "[fls]") these are exactly
// the file pass's lines; when they fail, every line is still looked at, so
// all problems are reported at once. Empty without such a section.
std::vector<std::size_t> FileSectionLines(const ScriptText& script);

// How many "|" field separators a line holds.
std::size_t SeparatorCount(const std::string& line);

// The lines that a pass over the whole script takes as a section's lines
// (format::ForEachSectionLine), as 0-based indexes, as the setup program's
// registry and removal registry passes take them. unclosedAt is the opening
// marker's index when the script ends inside the section: every line after
// it was taken.
struct SectionScan {
  std::vector<std::size_t> lines;
  std::optional<std::size_t> unclosedAt;
};
SectionScan ScanSection(const ScriptText& script, const char* opening, const char* closing);

// The shortcut pass's lines (format::ForEachShortcutSectionLine): as
// ScanSection over "[shrt]", but "[menu_grp]" itself is never a shortcut
// line.
SectionScan ScanShortcutSection(const ScriptText& script);

// The file name of an image line of "[logo]" or "[Header]": what follows its
// last backslash ("%TempDir%\top.bmp" gives "top.bmp"), the whole line when
// it has none.
std::string ImageFileName(const std::string& imageLine);

}  // namespace mksetup

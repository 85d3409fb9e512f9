// Checking a section's lines one by one, as a pass of the setup program
// takes them (ScanSection, ScanShortcutSection).
#pragma once

#include <string>

#include "base/text_trim.h"
#include "mksetup/script_checks/diagnostics.h"
#include "mksetup/script_checks/name_match.h"
#include "mksetup/script_checks/script_text.h"

namespace mksetup {

// Reports a section that the script ends inside (unless a misspelt closing
// marker explains it), then checks each line of
// the section with check(line, lineNumber, out). The lines after an unclosed
// marker are other sections' lines and are not checked as this section's.
// what names a line of the section ("a shortcut line").
template <typename LineCheck>
void CheckSectionLines(const ScriptText& script, const SectionScan& scan, const char* opening,
                       const char* closing, const char* what, LineCheck check, Diagnostics& out) {
  // A closing marker misspelt further down has its own error, which says why
  // the section runs on.
  const auto misspeltEnd = [&] {
    for (std::size_t i = *scan.unclosedAt + 1; i < script.lines.size(); ++i) {
      if (EqualIgnoringCase(base::Trimmed(script.lines[i]), closing)) return true;
    }
    return false;
  };
  if (scan.unclosedAt && !misspeltEnd()) {
    out.Error(*scan.unclosedAt + 1, std::string("no \"") + closing + "\" after this \"" + opening +
                                        "\": the setup program takes every line to the end of "
                                        "the script as " +
                                        what);
  }
  for (const std::size_t i : scan.lines) {
    if (scan.unclosedAt && i > *scan.unclosedAt) break;
    check(script.lines[i], i + 1, out);
  }
}

}  // namespace mksetup

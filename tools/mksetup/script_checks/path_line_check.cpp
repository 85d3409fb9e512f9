#include "mksetup/script_checks/path_line_check.h"

#include "base/text_trim.h"
#include "format/field_values.h"
#include "format/script_fields.h"
#include "format/script_format.h"
#include "mksetup/script_checks/name_match.h"
#include "mksetup/script_checks/section_lines.h"

namespace mksetup {
namespace {

constexpr const char* kPathRoots[] = {format::kLocalMachine, format::kCurrentUser};

void CheckPathLine(const std::string& line, std::size_t number, Diagnostics& out) {
  std::string rest = line;
  const std::string root = format::TakeField(rest);
  if (!IsOneOf(root, kPathRoots)) {
    out.Error(number, "PATH line " + Quoted(line) + " does not start with the root of a PATH (" +
                          NameList(kPathRoots) +
                          ") and \"|\": the setup program adds nothing to a PATH for it");
    return;
  }
  if (base::Trimmed(rest).empty()) {
    out.Error(number, "PATH line " + Quoted(line) +
                          " names no folder: the setup program adds nothing for it");
  } else if (rest.find_first_of(";\"") != std::string::npos) {
    out.Error(number, "the folder of PATH line " + Quoted(line) +
                          " holds \";\" or a quote, which no entry of a PATH may hold: the setup "
                          "program adds nothing for it");
  }
}

}  // namespace

void CheckPathLines(const ScriptText& script, Diagnostics& out) {
  CheckSectionLines(script, ScanSection(script, format::kPathEntries, format::kPathEntriesEnd),
                    format::kPathEntries, format::kPathEntriesEnd, "a PATH line", CheckPathLine,
                    out);
}

}  // namespace mksetup

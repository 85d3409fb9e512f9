#include "mksetup/script_checks/registry_line_check.h"

#include "base/text_trim.h"
#include "format/windows_path.h"
#include "format/registry_data.h"
#include "mksetup/script_checks/name_match.h"
#include "mksetup/script_checks/section_lines.h"
#include "format/field_values.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

// An unknown root; consequence says what then happens to the line.
void ReportRoot(const std::string& line, const std::string& root, const std::string& consequence,
                std::size_t number, Diagnostics& out) {
  if (const auto near = NearName(root, format::kRegistryRoots)) {
    out.Error(number, "registry root " + Quoted(root) + " in " + Quoted(line) + " is not \"" +
                          *near + "\": roots are matched with their exact case, so " + consequence);
    return;
  }
  out.Error(number, "unknown registry root " + Quoted(root) + " in " + Quoted(line) +
                        ": the roots are " + NameList(format::kRegistryRoots) + ", so " +
                        consequence);
}

// The rules of the data, as the value type's message says them.
std::string DataRule(const std::string& type) {
  if (type == format::kRegDwordName) {
    return "a decimal number or \"0x\" and hexadecimal digits, from 0 to 4294967295";
  }
  if (type == format::kRegMultiSzName) {
    return std::string("strings separated by \"") + format::kMultiStringBreak +
           "\", none of them empty";
  }
  return "pairs of hexadecimal digits, together or separated by spaces or commas";
}

void CheckRegistryLine(const std::string& line, std::size_t number, Diagnostics& out) {
  // A blank line has no root, which the pass skips, as meant.
  if (base::Trimmed(line).empty()) return;
  const std::size_t bars = SeparatorCount(line);
  if (bars < 4) {
    out.Error(number, "registry line " + Quoted(line) + " has " + std::to_string(bars) +
                          " \"|\" of five: expected ROOT|KEY|NAME|TYPE|DATA|; the setup program "
                          "finds no type in it and writes nothing");
    return;
  }
  std::string rest = line;
  const std::string root = format::TakeField(rest);
  const std::string key = format::TakeField(rest);
  format::TakeField(rest);  // the value name: any text will do
  const std::string type = format::TakeField(rest);
  const std::string data = format::TakeField(rest);
  const bool knownRoot = IsOneOf(root, format::kRegistryRoots);
  if (!knownRoot) ReportRoot(line, root, "the setup program writes nothing for it", number, out);
  if (!IsOneOf(type, format::kRegistryTypes)) {
    out.Error(number, "unknown registry type " + Quoted(type) + " in " + Quoted(line) +
                          ": the setup program writes only " + NameList(format::kRegistryTypes) +
                          ", so it writes nothing for it");
    return;
  }
  if (!knownRoot) return;
  if (bars == 4 && !rest.empty()) {
    // Without the fifth "|" the data meant is left over and the Data field is empty.
    const bool written = format::RegistryDataOf(type, "").has_value();
    out.Error(number, "registry line " + Quoted(line) +
                          " does not end with \"|\": the setup program reads no data in it and " +
                          (written ? "writes an empty value" : "writes nothing"));
    return;
  }
  // Variables are expanded before the data is read; their values are the
  // machine's.
  if (data.find('%') == std::string::npos && !format::RegistryDataOf(type, data)) {
    out.Error(number, "data " + Quoted(data) + " in " + Quoted(line) + " is no " + type + " (" +
                          DataRule(type) + "): the setup program writes nothing for it");
    return;
  }
  if (bars >= 5 && !base::Trimmed(rest).empty()) {
    out.Warning(number, "the setup program ignores " + Quoted(rest) + " after the fifth \"|\" of " +
                            Quoted(line));
  }
  if (key.empty()) {
    out.Warning(number, "registry line " + Quoted(line) +
                            " has an empty key: the setup program writes the value right under " +
                            root);
  }
}

void CheckRemovalLine(const std::string& line, std::size_t number, Diagnostics& out) {
  const std::string notRemoved =
      "the uninstaller removes nothing for it and reports it as not removed";
  if (base::Trimmed(line).empty()) {
    out.Error(number,
              "empty line in \"[uninst_reg]\": the setup program records it as a registry "
              "value without a root; " +
                  notRemoved);
    return;
  }
  const std::size_t bars = SeparatorCount(line);
  if (bars == 0) {
    out.Error(number, "registry removal line " + Quoted(line) +
                          " has no \"|\": expected ROOT|KEY|NAME|; it gives no root, so " +
                          notRemoved);
    return;
  }
  std::string rest = line;
  // The setup program trims each field before it records it.
  const std::string root = base::Trimmed(format::TakeField(rest));
  const std::string key = base::Trimmed(format::TakeField(rest));
  format::TakeField(rest);  // the value name: an empty one is the key's default value
  if (!IsOneOf(root, format::kRegistryRoots)) {
    ReportRoot(line, root, notRemoved, number, out);
    return;
  }
  if (bars == 1) {
    out.Error(number, "registry removal line " + Quoted(line) +
                          " has one \"|\" of three: expected ROOT|KEY|NAME|; it gives no key, so "
                          "the uninstaller removes nothing for it");
  } else if (::format::IsRootKeyPath(key)) {
    out.Error(number, "registry removal line " + Quoted(line) +
                          " names no key: the uninstaller removes nothing for it");
  } else if (bars == 2 && !base::Trimmed(rest).empty()) {
    out.Error(number, "registry removal line " + Quoted(line) +
                          " does not end with \"|\": the setup program records no value name, so "
                          "the uninstaller removes the key's default value, and the key when "
                          "nothing else is left in it, instead of " +
                          Quoted(base::Trimmed(rest)));
  } else if (bars >= 3 && !base::Trimmed(rest).empty()) {
    out.Warning(number, "the setup program ignores " + Quoted(rest) + " after the third \"|\" of " +
                            Quoted(line));
  }
}

}  // namespace

void CheckRegistryLines(const ScriptText& script, Diagnostics& out) {
  CheckSectionLines(script, ScanSection(script, format::kRegistry, format::kRegistryEnd),
                    format::kRegistry, format::kRegistryEnd, "a registry line", CheckRegistryLine,
                    out);
}

void CheckRemovalRegistryLines(const ScriptText& script, Diagnostics& out) {
  CheckSectionLines(script,
                    ScanSection(script, format::kUninstallRegistry, format::kUninstallRegistryEnd),
                    format::kUninstallRegistry, format::kUninstallRegistryEnd,
                    "a registry line for the uninstaller to remove", CheckRemovalLine, out);
}

}  // namespace mksetup

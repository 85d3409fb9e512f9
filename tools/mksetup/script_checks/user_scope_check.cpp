#include "mksetup/script_checks/user_scope_check.h"

#include "format/field_values.h"
#include "mksetup/script_checks/section_lines.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

constexpr const char* kWithoutRights =
    ", which a setup program for one user (--scope user) cannot write: it runs without "
    "administrator rights";

// The roots whose values live in the machine's hive. HKEY_CLASSES_ROOT
// writes a new key into HKEY_LOCAL_MACHINE\Software\Classes; the user's own
// classes are HKEY_CURRENT_USER\Software\Classes.
struct MachineRoot {
  const char* root;
  const char* advice;
};
constexpr MachineRoot kMachineRoots[] = {
    {format::kLocalMachine, "; write it under HKEY_CURRENT_USER"},
    {format::kClassesRoot, "; write it under HKEY_CURRENT_USER\\Software\\Classes"},
    {format::kCurrentConfig, ""},
};

// The folders of the machine that a template may start with.
constexpr const char* kMachineFolders[] = {"%WindowDir%", "%SystemDir%"};

void CheckRegistryRoot(const std::string& line, std::size_t number, Diagnostics& out) {
  std::string rest = line;
  const std::string root = format::TakeField(rest);
  for (const MachineRoot& machine : kMachineRoots) {
    if (root == machine.root) {
      out.Error(number, "registry line " + Quoted(line) + " writes under " + root + kWithoutRights +
                            machine.advice);
    }
  }
}

void CheckFolder(const std::string& folder, const std::string& line, std::size_t number,
                 Diagnostics& out) {
  for (const char* machine : kMachineFolders) {
    if (folder.starts_with(machine)) {
      out.Error(number, Quoted(line) + " installs below " + machine + kWithoutRights);
    }
  }
}

}  // namespace

void CheckUserScopeScript(const ScriptText& script, Diagnostics& out) {
  for (const std::size_t i : ScanSection(script, format::kRegistry, format::kRegistryEnd).lines)
    CheckRegistryRoot(script.lines[i], i + 1, out);
  // The machine's PATH is under HKEY_LOCAL_MACHINE too.
  for (const std::size_t i :
       ScanSection(script, format::kPathEntries, format::kPathEntriesEnd).lines)
    CheckRegistryRoot(script.lines[i], i + 1, out);
  for (auto at = script.Find(format::kInstallPath); at;
       at = script.Find(format::kInstallPath, *at + 1)) {
    if (*at + 1 < script.lines.size())
      CheckFolder(script.lines[*at + 1], script.lines[*at + 1], *at + 2, out);
  }
  // "[fls]" installs at the destination, after the first "|".
  for (const std::size_t i : FileSectionLines(script)) {
    const std::string& line = script.lines[i];
    const std::size_t bar = line.find(format::kFieldSeparator);
    if (bar != std::string::npos) CheckFolder(line.substr(bar + 1), line, i + 1, out);
  }
}

}  // namespace mksetup

#include "mksetup/script_checks/removal_list_check.h"

#include <vector>

#include "format/uninstall_log_format.h"
#include "mksetup/script_checks/name_match.h"
#include "format/entry_name.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

// Windows finds a file whatever the letter case of its path.
bool Names(const std::vector<std::string>& list, const std::string& path) {
  for (const std::string& listed : list) {
    if (EqualIgnoringCase(listed, path)) return true;
  }
  return false;
}

}  // namespace

void CheckRemovalList(const ScriptText& script, Diagnostics& out) {
  // Only a list in its right place; the shape's own checks report the rest.
  const auto general = script.Find(format::kUninstallGeneral);
  if (!general || script.LineOrEmpty(*general + 3) != format::kUninstallGeneralEnd ||
      script.LineOrEmpty(*general + 4) != format::kUninstallFiles) {
    return;
  }
  const auto end = script.Find(format::kUninstallFilesEnd, *general + 5);
  if (!end) return;
  std::vector<std::string> list(script.lines.begin() + static_cast<std::ptrdiff_t>(*general + 5),
                                script.lines.begin() + static_cast<std::ptrdiff_t>(*end));
  if (Names(list, format::log::kWholeInstallFolder)) return;
  for (const char* path : format::log::kFixedRemovalPaths) list.emplace_back(path);

  // The files installed below the installation folder, which the line
  // "%InstallPath%" would cover; entries refused elsewhere are left out.
  const std::string below = std::string(format::log::kWholeInstallFolder) + "\\";
  std::vector<std::string> unnamed;
  for (const std::size_t i : FileSectionLines(script)) {
    std::string destination = script.lines[i];
    if (destination.find(format::kFieldSeparator) == std::string::npos) continue;
    const std::string source = format::TakeField(destination);
    if (source == format::kFolderEntryKind || *::format::EntryNameProblem(source) != '\0' ||
        format::IsSetupScript(source) || destination.rfind(below, 0) != 0) {
      continue;
    }
    if (!Names(list, destination) && !Names(unnamed, destination)) unnamed.push_back(destination);
  }
  if (unnamed.empty()) return;
  std::string named = Quoted(unnamed.front());
  if (unnamed.size() > 1) named += " and " + std::to_string(unnamed.size() - 1) + " more";
  out.Warning(*general + 5,
              "\"[uninst_fls]\" holds no \"%InstallPath%\" line and does not name " + named +
                  " of the files \"[fls]\" installs: the uninstaller removes only what this list "
                  "names and leaves those files behind; add the line \"%InstallPath%\" to remove "
                  "everything below the installation folder, or name each file");
}

}  // namespace mksetup

#include "mksetup/script_checks/script_check.h"

#include "base/text_trim.h"
#include "format/entry_name.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"
#include "mksetup/script_checks/byte_order_mark_check.h"
#include "mksetup/script_checks/name_match.h"
#include "mksetup/script_checks/path_line_check.h"
#include "mksetup/script_checks/path_variable_check.h"
#include "mksetup/script_checks/registry_line_check.h"
#include "mksetup/script_checks/removal_list_check.h"
#include "mksetup/script_checks/shortcut_line_check.h"
#include "format/script_fields.h"

namespace mksetup {
namespace {

bool IsMarker(const std::string& line) { return IsOneOf(line, format::kMarkers); }

// A line meant as a marker that the setup program will not take for one.
void CheckMarkerSpelling(const ScriptText& script, Diagnostics& out) {
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    const std::string& line = script.lines[i];
    if (line.size() < 3 || IsMarker(line)) continue;
    const std::string trimmed = base::Trimmed(line);
    for (const char* marker : format::kMarkers) {
      if (trimmed == marker) {
        out.Error(i + 1, Quoted(line) + " is not the marker \"" + marker +
                             "\": a marker stands alone on its line without spaces, so the setup "
                             "program does not see this one");
        break;
      }
      if (EqualIgnoringCase(trimmed, marker)) {
        out.Error(i + 1, Quoted(line) + " is not the marker \"" + marker +
                             "\": markers are matched with their exact case, so the setup program "
                             "does not see this one");
        break;
      }
    }
  }
}

void CheckHeader(const ScriptText& script, Diagnostics& out) {
  if (script.lines.empty()) {
    out.Error(1, "the script is empty");
    return;
  }
  for (std::size_t i = 0; i < format::kHeaderLines; ++i) {
    if (i >= script.lines.size()) {
      out.Error(script.LastLineNumber(),
                "the header needs five lines (product name, wizard title, product version, company "
                "name, notice line); the script ends after " +
                    std::to_string(script.lines.size()));
      return;
    }
    const std::string& line = script.lines[i];
    if (IsMarker(line)) {
      out.Error(i + 1,
                "the header needs five lines (product name, wizard title, product version, "
                "company name, notice line) before the first section; " +
                    Quoted(line) + " is line " + std::to_string(i + 1));
      return;
    }
    if (line.size() > kMaxFieldLength) {
      out.Error(i + 1, std::string("the ") + format::kHeaderFieldNames[i] + " is " +
                           std::to_string(line.size()) +
                           " characters long; the setup program keeps at most " +
                           std::to_string(kMaxFieldLength));
    }
  }
}

void CheckFileEntry(const std::string& line, std::size_t number, Diagnostics& out) {
  if (line.find('|') == std::string::npos) {
    out.Error(number, "file entry " + Quoted(line) +
                          " has no \"|\": expected SOURCE|DESTINATION or Dir|FOLDER");
    return;
  }
  std::string rest = line;
  const std::string source = format::TakeField(rest);
  if (rest.empty()) out.Warning(number, "file entry " + Quoted(line) + " has an empty destination");
  if (source == format::kFolderEntryKind) return;
  if (const std::string reason(::format::EntryNameProblem(source)); !reason.empty()) {
    out.Error(number, "source " + Quoted(source) +
                          " cannot be a file in the setup program's staging folder: " + reason);
  } else if (format::IsSetupScript(source)) {
    out.Error(number, "source " + Quoted(source) + " holds \"" + format::kScriptEntryName +
                          "\": the setup program would take it for the setup script");
  }
}

void CheckFileSection(const ScriptText& script, Diagnostics& out) {
  const auto fls = script.Find(format::kFiles);
  const auto end = script.Find(format::kFilesEnd);
  if (!fls) {
    out.Error(
        script.LastLineNumber(),
        "no \"[fls]\" line: the setup program needs it for the compression flag and the file list");
  }
  if (!end) {
    out.Error(script.LastLineNumber(),
              "no \"[/fls]\" line: the setup program's file pass would take every line after "
              "\"[fls]\" as a file entry");
  } else {
    if (fls && *end < *fls) {
      out.Error(*end + 1,
                "\"[/fls]\" before \"[fls]\": the setup program's file pass stops here "
                "and installs no file");
    }
    // The file pass ends at the first empty line, wherever it stands.
    for (std::size_t i = 0; i < *end; ++i) {
      if (!script.lines[i].empty()) continue;
      std::string text = "empty line above \"[/fls]\": the setup program's file pass stops here";
      if (i + 1 == format::kHeaderLines) text += " (an absent notice line is written \"-N-A-\")";
      out.Error(i + 1, text);
    }
  }
  if (!fls) return;

  if (*fls + 1 >= script.lines.size()) {
    out.Error(*fls + 1,
              "\"[fls]\" is the last line: the compression flag and the file list are missing");
    return;
  }
  const std::string& flag = script.lines[*fls + 1];
  if (IsMarker(flag)) {
    out.Error(*fls + 2, "the line after \"[fls]\" is the compression flag (\"1\" or \"0\"), not " +
                            Quoted(flag) +
                            ": the setup program takes this line as the flag and "
                            "reads on past it");
  } else if (flag.find(format::kFieldSeparator) != std::string::npos) {
    // A forgotten flag line: the first file entry is read as the flag and
    // its file is never carried nor installed.
    out.Error(*fls + 2, "the line after \"[fls]\" is the compression flag, not the file entry " +
                            Quoted(flag) +
                            ": the setup program takes it as the flag and installs no such file; "
                            "write \"1\" (compressed) or \"0\" on its own line after \"[fls]\"");
  } else if (!flag.empty() && flag != "1" && flag != "0") {
    out.Warning(*fls + 2, "compression flag " + Quoted(flag) +
                              " is not \"1\": the setup program takes it as off, so every entry is "
                              "stored uncompressed");
  }
  for (const std::size_t i : FileSectionLines(script)) CheckFileEntry(script.lines[i], i + 1, out);
}

// A flag line that is neither "1" nor "0" is off, which is rarely meant.
void CheckFlag(const ScriptText& script, std::size_t index, const char* what, Diagnostics& out) {
  if (index >= script.lines.size()) return;
  const std::string& flag = script.lines[index];
  if (flag == "1" || flag == "0") return;
  out.Warning(index + 1, std::string("the ") + what + " " + Quoted(flag) +
                             " is not \"1\" or \"0\": the setup program takes it as off");
}

void CheckOptionalSections(const ScriptText& script, Diagnostics& out) {
  // The welcome page's Next reads the licence flag to choose the next page;
  // without "[lic]" it finds none and stays where it is.
  if (const auto lic = script.Find(format::kLicence)) {
    CheckFlag(script, *lic + 1, "licence flag", out);
  } else {
    out.Warning(
        script.LastLineNumber(),
        "no \"[lic]\" line: without it Next does nothing on the setup program's welcome page; "
        "write \"[lic]\" with the flag \"0\" for no licence page");
  }
  if (const auto path = script.Find(format::kInstallPath)) {
    const std::string& folder = script.LineOrEmpty(*path + 1);
    if (folder.size() > kMaxFieldLength) {
      out.Error(*path + 2, "the installation folder template is " + std::to_string(folder.size()) +
                               " characters long; the setup program keeps at most " +
                               std::to_string(kMaxFieldLength));
    }
    CheckFlag(script, *path + 2, "lock flag", out);
  } else {
    out.Warning(script.LastLineNumber(),
                "no \"[inst_path]\" line: the setup program's destination page would start with an "
                "empty installation folder");
  }
  for (auto launch = script.Find(format::kLaunch); launch;
       launch = script.Find(format::kLaunch, *launch + 1)) {
    CheckFlag(script, *launch + 1, "launch flag", out);
  }
  // The picture scan stops at the first "[Header]".
  if (const auto header = script.Find(format::kHeaderImage)) {
    for (auto logo = script.Find(format::kLogo, *header); logo;
         logo = script.Find(format::kLogo, *logo + 1)) {
      out.Error(*logo + 1,
                "\"[logo]\" after \"[Header]\": the setup program stops reading at "
                "\"[Header]\" and would show no logo");
    }
  }
}

// The uninstall log takes the two lines after "[uninst_gene]", drops two more
// unread and takes what follows as the removal list, up to "[/uninst_fls]".
void CheckUninstallSections(const ScriptText& script, Diagnostics& out) {
  const auto general = script.Find(format::kUninstallGeneral);
  if (!general) {
    out.Error(
        script.LastLineNumber(),
        "no \"[uninst_gene]\" section: the setup program reads the uninstaller's two lines and "
        "the removal list by position after it");
    if (!script.Find(format::kUninstallFilesEnd)) {
      out.Error(script.LastLineNumber(), "no \"[/uninst_fls]\" line: it ends the removal list");
    }
    return;
  }
  const auto expect = [&](std::size_t index, const char* marker, const char* why) {
    if (script.LineOrEmpty(index) == marker) return true;
    const std::size_t line = index < script.lines.size() ? index + 1 : script.LastLineNumber();
    out.Error(line, std::string("expected \"") + marker + "\" here: " + why);
    return false;
  };
  const bool closed =
      expect(*general + 3, format::kUninstallGeneralEnd,
             "\"[uninst_gene]\" holds exactly two lines and the setup program reads "
             "them by position");
  if (closed) {
    expect(*general + 4, format::kUninstallFiles,
           "the setup program reads the removal list by position right after \"[/uninst_gene]\"");
  }
  if (!script.Find(format::kUninstallFilesEnd, *general + 5)) {
    out.Error(script.LastLineNumber(),
              "no \"[/uninst_fls]\" line after the removal list: it ends the list");
  }
}

}  // namespace

void CheckScript(const ScriptText& script, Diagnostics& out) {
  if (!CheckByteOrderMark(script, out)) return;
  CheckHeader(script, out);
  if (script.lines.empty()) return;
  CheckMarkerSpelling(script, out);
  CheckFileSection(script, out);
  CheckOptionalSections(script, out);
  CheckUninstallSections(script, out);
  CheckShortcutLines(script, out);
  CheckRegistryLines(script, out);
  CheckRemovalRegistryLines(script, out);
  CheckPathLines(script, out);
  CheckPathVariables(script, out);
  CheckRemovalList(script, out);
}

}  // namespace mksetup

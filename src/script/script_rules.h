// The scanning rules of the setup script: one operation per consumer. Every
// operation opens the script, reads it from its first line and closes it; all
// of them stop at end of file.
#pragma once

#include <string>

#include "base/function_ref.h"
#include "platform/platform.h"

namespace script {

// Compression flag: the line after "[fls]". False without "[fls]".
bool ReadCompressionFlag(platform::FileSystem& files, const std::string& path);

// Images: the line after "[logo]" (the last one before "[Header]") and the
// line after "[Header]"; the scan stops at "[Header]". Empty when absent.
struct ImagePaths {
  std::string logo;
  std::string header;
};
ImagePaths ReadImagePaths(platform::FileSystem& files, const std::string& path);

// Wizard initialisation: header lines 1 to 5 and the line after the first
// "[inst_path]" from line 6 on, each cut to 259 characters.
struct WizardHeader {
  std::string productName;
  std::string wizardTitle;
  std::string productVersion;
  std::string companyName;
  std::string noticeLine;
  std::string installPathTemplate;
};
WizardHeader ReadWizardHeader(platform::FileSystem& files, const std::string& path);

// Destination page: the two lines after "[inst_path]" from line 1 on.
struct InstallPathSection {
  bool found = false;
  std::string pathTemplate;  // cut to 259 characters
  std::string lockFlag;
};
InstallPathSection ReadInstallPathSection(platform::FileSystem& files, const std::string& path);

// Notice: header line 5, cut to 259 characters like the wizard's field.
std::string ReadNoticeLine(platform::FileSystem& files, const std::string& path);

// Licence decision: the line after "[lic]". False without "[lic]".
bool ReadLicenceFlag(platform::FileSystem& files, const std::string& path, std::string& flag);

// File installation: each line inside "[fls]" after its flag line, up to the
// first empty line or "[/fls]" wherever it stands (also above "[fls]").
// kind is the text before the first "|" (empty without one), rest the text
// after it (the whole line without one).
using FileEntryVisitor = base::FunctionRef<void(const std::string& kind, const std::string& rest)>;
void ForEachFileEntry(platform::FileSystem& files, const std::string& path, FileEntryVisitor visit);

// Program group and shortcuts, one pass: the raw line after each
// "[menu_grp]", and every line inside "[shrt]" ... "[/shrt]" split into
// Location, Target and Name (raw fields; the caller expands).
using ProgramGroupVisitor = base::FunctionRef<void(const std::string& groupTemplate)>;
using ShortcutLineVisitor = base::FunctionRef<void(
    const std::string& location, const std::string& target, const std::string& name)>;
void ForEachShortcutLine(platform::FileSystem& files, const std::string& path,
                         ProgramGroupVisitor programGroup, ShortcutLineVisitor shortcut);

// Registry values: every line inside "[regi]" ... "[/regi]", five fields.
using RegistryLineVisitor =
    base::FunctionRef<void(const std::string& root, const std::string& key, const std::string& name,
                           const std::string& type, const std::string& data)>;
void ForEachRegistryLine(platform::FileSystem& files, const std::string& path,
                         RegistryLineVisitor visit);

// Removal registry lines: every line inside "[uninst_reg]" ...
// "[/uninst_reg]", three raw fields.
using RemovalRegistryVisitor = base::FunctionRef<void(
    const std::string& root, const std::string& key, const std::string& name)>;
void ForEachRemovalRegistryLine(platform::FileSystem& files, const std::string& path,
                                RemovalRegistryVisitor visit);

// PATH entries: every line inside "[path]" ... "[/path]": the root before
// the first "|" and the folder template after it.
using PathLineVisitor = base::FunctionRef<void(const std::string& root, const std::string& folder)>;
void ForEachPathLine(platform::FileSystem& files, const std::string& path, PathLineVisitor visit);

// Uninstall log: lines 3 and 4, the two lines after "[uninst_gene]", and the
// removal paths that follow positionally up to "[/uninst_fls]" (or end of
// file). removalPath is called once per raw path line.
struct UninstallSource {
  std::string productVersion;
  std::string companyName;
  std::string generalLine1;
  std::string generalLine2;
};
UninstallSource ReadUninstallSource(
    platform::FileSystem& files, const std::string& path,
    base::FunctionRef<void(const std::string& removalPath)> removalPath);

// Finish page set-up: line 1 raw, and what the "[launch]" sections say.
enum class LaunchOffer {
  None,     // no "[launch]": the box stays as the template made it
  Offered,  // a true flag: checked, captioned "Launch " + product name
  Hidden,   // a false flag: the box is hidden
};
struct FinishPageSetup {
  std::string productName;
  LaunchOffer offer = LaunchOffer::None;
};
FinishPageSetup ReadFinishPageSetup(platform::FileSystem& files, const std::string& path);

// Launch: for each "[launch]" with a true flag, the program template (raw).
// Returns false when a false flag ended the scan (the box is then hidden).
bool ForEachLaunchProgram(platform::FileSystem& files, const std::string& path,
                          base::FunctionRef<void(const std::string& programTemplate)> launch);

}  // namespace script

// The setup script's markers and fields, for the setup program's scanning
// rules (script_rules.h) and for mksetup, which checks a script against the
// same rules before it builds a setup program.
//
// A script is five header lines, then sections. A section opens with a
// marker line and closes with its end marker; a marker is matched as a whole
// line, exactly (no spaces around it, case-sensitive). Lines inside a
// section hold fields separated by "|"; a flag line is on when it is "1".
#pragma once

#include <cstddef>

namespace format {

// The header: the first five lines, each copied into a fixed 260-byte field
// with its terminating zero. The installation folder template shares that
// field width.
inline constexpr std::size_t kHeaderLines = 5;
inline constexpr const char* kHeaderFieldNames[kHeaderLines] = {
    "product name", "wizard title", "product version", "company name", "notice line"};
inline constexpr std::size_t kFieldCharacters = 259;

// The sections' markers. The first line after "[fls]", "[lic]" and
// "[launch]" is a flag, the second after "[inst_path]" too.
inline constexpr const char* kFiles = "[fls]";
inline constexpr const char* kFilesEnd = "[/fls]";
inline constexpr const char* kLicence = "[lic]";
inline constexpr const char* kLicenceEnd = "[/lic]";
inline constexpr const char* kInstallPath = "[inst_path]";
inline constexpr const char* kInstallPathEnd = "[/inst_path]";
inline constexpr const char* kProgramGroup = "[menu_grp]";
inline constexpr const char* kProgramGroupEnd = "[/menu_grp]";
inline constexpr const char* kShortcuts = "[shrt]";
inline constexpr const char* kShortcutsEnd = "[/shrt]";
inline constexpr const char* kRegistry = "[regi]";
inline constexpr const char* kRegistryEnd = "[/regi]";
inline constexpr const char* kLaunch = "[launch]";
inline constexpr const char* kLaunchEnd = "[/launch]";
inline constexpr const char* kLogo = "[logo]";
inline constexpr const char* kLogoEnd = "[/logo]";
inline constexpr const char* kHeaderImage = "[Header]";
inline constexpr const char* kHeaderImageEnd = "[/Header]";
inline constexpr const char* kUninstallGeneral = "[uninst_gene]";
inline constexpr const char* kUninstallGeneralEnd = "[/uninst_gene]";
inline constexpr const char* kUninstallFiles = "[uninst_fls]";
inline constexpr const char* kUninstallFilesEnd = "[/uninst_fls]";
inline constexpr const char* kUninstallRegistry = "[uninst_reg]";
inline constexpr const char* kUninstallRegistryEnd = "[/uninst_reg]";
inline constexpr const char* kPathEntries = "[path]";
inline constexpr const char* kPathEntriesEnd = "[/path]";

// Every marker, each section's opening one followed by its end.
inline constexpr const char* kMarkers[] = {
    kFiles,
    kFilesEnd,
    kLicence,
    kLicenceEnd,
    kInstallPath,
    kInstallPathEnd,
    kProgramGroup,
    kProgramGroupEnd,
    kShortcuts,
    kShortcutsEnd,
    kRegistry,
    kRegistryEnd,
    kLaunch,
    kLaunchEnd,
    kLogo,
    kLogoEnd,
    kHeaderImage,
    kHeaderImageEnd,
    kUninstallGeneral,
    kUninstallGeneralEnd,
    kUninstallFiles,
    kUninstallFilesEnd,
    kUninstallRegistry,
    kUninstallRegistryEnd,
    kPathEntries,
    kPathEntriesEnd,
};

// Fields.
inline constexpr char kFieldSeparator = '|';
inline constexpr const char* kTrueFlag = "1";
// The kind of a "[fls]" line that makes a folder instead of copying a file
// (Dir|FOLDER); any other kind is the staged file to copy (SOURCE|DESTINATION).
inline constexpr const char* kFolderEntryKind = "Dir";
// "[shrt]" lines are Location|Target|Name; "[regi]" lines are
// Root|Key|Name|Type|Data|; "[uninst_reg]" lines are Root|Key|Name|.

}  // namespace format

// The uninstall log "Uninstallerpathtn.ini": the contract between the
// installing step, which writes it, and the uninstaller, which reads it.
//
// Records are separated by CR LF, with none after the last one:
//
//   product name
//   installation folder, ending in "\"
//   version                      } raw: %ProductName%, %ProductVersion% and
//   company                      } %CompanyName% are left for the reader
//   general line 1               } "-NA-" stands for no text
//   general line 2               }
//   [files]
//   one path a record; a folder ends in "\" and follows its contents
//   [/files]
//   [shrt]
//   location|link name           (a location of the shortcut table, or
//                                 kAllUsersPrefix and one: the link went
//                                 into the all-users folder)
//   [folders]                    } only when the installing step created
//   one folder path a record,    } folders: those, deepest first, each
//   ending in "\"                } ending in "\"
//   [/shrt]
//   [regst]
//   root|key|value name|         (an empty name stands for the key itself)
//   root\key\                    a key the installing step created, deepest
//                                first: removed once empty. No "|", so a
//                                reader that does not know it passes over it
//   root;folder                  a folder the installing step appended to
//                                the PATH of the machine or of the user
//                                (root HKEY_LOCAL_MACHINE or
//                                HKEY_CURRENT_USER): that entry is removed.
//                                No "|" either
//   [/regst]
//   program group name           (may be empty; the file ends with it)
#pragma once

#include <cstddef>

namespace format::log {

// The list of files always ends with these three.
inline constexpr const char* kFixedRemovalPaths[] = {
    "%InstallPath%\\UnInstaller.exe",
    "%InstallPath%\\Remove Uninstaller.exe",
    "%InstallPath%\\Uninstallerpathtn.ini",
};
// Their names are the paths' tails, past "%InstallPath%\\": one copy of each text.
inline constexpr std::size_t kInstallPathPrefixLength = 14;
static_assert(kFixedRemovalPaths[0][kInstallPathPrefixLength - 1] == '\\');
inline constexpr const char* kFileName = kFixedRemovalPaths[2] + kInstallPathPrefixLength;
// The two programs that remove a product, in its installation folder.
inline constexpr const char* kUninstallerName = kFixedRemovalPaths[0] + kInstallPathPrefixLength;
inline constexpr const char* kRemoverName = kFixedRemovalPaths[1] + kInstallPathPrefixLength;
// The removal path that stands for everything below the installation folder.
inline constexpr const char* kWholeInstallFolder = "%InstallPath%";

inline constexpr const char* kRecordBreak = "\r\n";

// The head records, in file order.
enum HeadRecord : std::size_t {
  kProductName,
  kInstallPath,
  kVersion,
  kCompany,
  kGeneralLine1,
  kGeneralLine2,
  kHeadRecords,
};
inline constexpr const char* kNoText = "-NA-";

// Section markers, each a record of its own, in file order.
inline constexpr const char* kFilesStart = "[files]";
inline constexpr const char* kFilesEnd = "[/files]";
inline constexpr const char* kShortcutsStart = "[shrt]";
inline constexpr const char* kShortcutsEnd = "[/shrt]";
// Opens the folders the installing step created, inside the shortcut list
// after its links: a reader that does not know it passes over these records,
// as over every record there without a location and "|". A product that
// created no folder has neither the marker nor the records, so its log keeps
// its old bytes.
inline constexpr const char* kCreatedFoldersStart = "[folders]";
inline constexpr const char* kRegistryStart = "[regst]";
inline constexpr const char* kRegistryEnd = "[/regst]";

// Before the location of a link made in an all-users folder. An uninstaller
// that does not know it finds no location of its table and leaves the link.
inline constexpr const char* kAllUsersPrefix = "All Users ";

// Between the root and the folder of a PATH entry's record, as between the
// entries of a PATH.
inline constexpr char kPathEntrySeparator = ';';

// Between the fields of a shortcut or registry record.
inline constexpr char kFieldSeparator = '|';

}  // namespace format::log

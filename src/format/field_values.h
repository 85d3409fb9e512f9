// The values the setup program accepts in the fields of "[shrt]", "[regi]"
// and "[uninst_reg]" lines. Each is matched exactly, letter case and spaces
// included; a line with any other value is skipped. The installing step
// maps them to shell folders, predefined keys and value types, and mksetup
// checks a script's lines against the same lists.
#pragma once

namespace format {

// Location, the first field of a "[shrt]" line.
inline constexpr const char* kDesktop = "Desktop";
inline constexpr const char* kProgramGroupLocation = "Program Group";
inline constexpr const char* kQuickLaunch = "Quick Launch";
inline constexpr const char* kStartMenu = "Start Menu";
inline constexpr const char* kStartup = "Startup";
inline constexpr const char* kShortcutLocations[] = {kDesktop, kProgramGroupLocation, kQuickLaunch,
                                                     kStartMenu, kStartup};

// Root, the first field of "[regi]" and "[uninst_reg]" lines, in the order
// of platform::RegistryRoot.
inline constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";
inline constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";
inline constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kUsers = "HKEY_USERS";
inline constexpr const char* kCurrentConfig = "HKEY_CURRENT_CONFIG";
inline constexpr const char* kRegistryRoots[] = {kClassesRoot, kCurrentUser, kLocalMachine, kUsers,
                                                 kCurrentConfig};

// Type, the fourth field of a "[regi]" line.
inline constexpr const char* kRegSzName = "REG_SZ";
inline constexpr const char* kRegExpandSzName = "REG_EXPAND_SZ";
inline constexpr const char* kRegBinaryName = "REG_BINARY";
inline constexpr const char* kRegDwordName = "REG_DWORD";
inline constexpr const char* kRegMultiSzName = "REG_MULTI_SZ";
inline constexpr const char* kRegistryTypes[] = {kRegSzName, kRegExpandSzName, kRegBinaryName,
                                                 kRegDwordName, kRegMultiSzName};

}  // namespace format

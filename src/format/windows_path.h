// Windows path rules, stated once for every program that names files on
// Windows: how paths compare, where their root ends, how a folder and a name
// join, and the many spellings Windows accepts for one file. Text is ANSI
// bytes; letter case is folded for ASCII letters only, since the file
// system's folding of the bytes above 127 depends on the code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace format {

constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
std::string AsciiLowered(std::string_view text);
std::string AsciiUppered(std::string_view text);
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// folder + "\" + name, without doubling a separator that folder ends with.
// An empty folder gives "\name", never a bare name that would land in the
// current folder.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder with one separator at its end ("" stays "").
std::string WithTrailingSeparator(std::string_view folder);
// The path without the separators at its end; a root keeps its own ("C:\",
// "\").
std::string WithoutTrailingSeparators(std::string_view path);
// The part before the first folder of a drive path, as the drive checks read
// it: the first three characters ("C:\").
std::string DriveRootText(std::string_view path);

// The one spelling of the file a path names, as the uninstaller compares
// paths: "/" read as "\", the "\\?\", "\\.\" and "\??\" prefixes taken off
// ("\\?\UNC\server" is "\\server"), doubled separators folded, each step
// without a stream suffix (":$DATA", "::$INDEX_ALLOCATION") and without
// trailing dots and spaces, "." and ".." steps resolved, no separator at the
// end, ASCII letters in lower case. Drive roots come out as "c:".
std::string CanonicalPath(std::string_view path);
bool SamePath(std::string_view a, std::string_view b);
// Whether path is folder or lies below it, both canonical.
bool IsAtOrBelow(std::string_view path, std::string_view folder);

// The length of a canonical path's root: "c:" (an ASCII letter) or
// "\\server\share"; 0 for any other path (relative, rooted on the current
// drive, a device, a server without a share).
std::size_t RootLength(std::string_view canonical);
// A whole drive or share: "C:", "C:\", "\\server\share" and, since Windows
// reads any character before the colon as a drive, "1:"; also "\\server"
// alone. An empty path counts as none.
bool IsDriveRoot(std::string_view path);
// Whether any step of the path, as spelt, is "." or "..", or made only of
// dots and spaces (which Windows reads as such a step).
bool HasDotStep(std::string_view path);

// A registry key path made only of backslashes (or empty): it would name the
// root key itself.
bool IsRootKeyPath(std::string_view key);
// A registry key path as compared: ASCII letters in lower case, doubled "\"
// folded, none at either end. "/" is a character of key names.
std::string ComparableKeyPath(std::string_view key);

// Whether a file name is one Windows opens as a device in every folder and
// with any extension: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-COM9 and
// LPT1-LPT9, also with the superscript digits 1-3 of code page 1252.
bool IsDeviceName(std::string_view name);

}  // namespace format

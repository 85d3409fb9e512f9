// Reading the uninstall log back into what the uninstaller removes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace uninstall {

struct ShortcutRecord {
  std::string location;  // a location of the shortcut table
  std::string name;      // the link's name without ".lnk"
};

struct RegistryRecord {
  std::string root;  // "HKEY_CURRENT_USER", ...
  std::string key;
  std::string name;  // empty: the key itself
};

// A folder the installing step appended to a PATH.
struct PathEntryRecord {
  std::string root;  // "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER"
  std::string folder;
};

struct UninstallRecords {
  std::string productName;
  std::string installPath;  // as recorded, ending in "\"
  std::string version;
  std::string company;
  std::string generalLine1;
  std::string generalLine2;
  std::vector<std::string> files;
  std::vector<ShortcutRecord> shortcuts;
  std::vector<RegistryRecord> registry;
  std::string programGroup;
  // The folders the installing step created, deepest first, each ending in
  // "\"; empty for a log of an older setup program.
  std::vector<std::string> createdFolders;
  // The keys the installing step created (no value names), deepest first;
  // empty for a log of an older setup program.
  std::vector<RegistryRecord> createdKeys;
  // The entries the installing step appended to a PATH.
  std::vector<PathEntryRecord> pathEntries;
};

// The records of a log's text. Nothing when the text is not a whole log:
// empty, cut short (every section and the line break after "[/regst]" must be
// there), or with its sections out of order; why then says what is wrong.
std::optional<UninstallRecords> ParseUninstallLog(const std::string& text, std::string& why);

// Reads the log at path into text; false with why naming a missing,
// unreadable or far too long file.
bool ReadUninstallLogText(platform::FileSystem& files, const std::string& path, std::string& text,
                          std::string& why);

// Reads and parses the log at path; why names a missing or unreadable file.
std::optional<UninstallRecords> ReadUninstallLog(platform::FileSystem& files,
                                                 const std::string& path, std::string& why);

}  // namespace uninstall

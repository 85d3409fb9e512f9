// Reading the setup script: the staged file's lines (by the line rule of
// format/script_lines.h), markers and "|" fields. The scanning rules build on
// it.
#pragma once

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "format/script_format.h"

namespace script {

// The staging folder's name: the extraction writes the payload's entries,
// the setup script among them, into this folder of the temporary folder.
inline constexpr const char* kStagingFolderName = "$ddinstall";

// The staging folder with its trailing backslash: the temporary folder
// followed by "$ddinstall\". The extraction and the wizard both take it from
// here. Empty when the temporary folder is unknown, or when the staging
// folder's path is too long for CreateDirectoryA (248 characters, room for
// an 8.3 name below it).
std::string StagingFolder(platform::FileSystem& files);
inline constexpr std::size_t kMaxStagingFolderLength = 247;
// The script's path in the staging folder.
std::string ScriptPath(platform::FileSystem& files);

// Reads a text file line by line, as format::ReadScriptLine reads bytes: CR
// LF or a bare LF ends a line; a line is read whole whatever its length.
class ScriptReader {
 public:
  ScriptReader(platform::FileSystem& files, const std::string& path);
  ~ScriptReader();
  ScriptReader(const ScriptReader&) = delete;
  ScriptReader& operator=(const ScriptReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The next line without its line end. At end of file (or when the file did
  // not open) returns false and leaves the line empty; an empty line in the
  // file is a successful read of an empty text.
  bool ReadLine(std::string& line);
  // One further read, taken whatever it holds: empty at end of file.
  std::string NextLine();
  // Reads until a line equals the marker; false at end of file.
  bool SkipPast(const char* marker);

 private:
  std::FILE* file_;
};

}  // namespace script

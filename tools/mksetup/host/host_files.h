// The files of the machine the builder runs on: reading inputs, listing the
// folder of files, and writing outputs so that a failed write never leaves a
// half-written file in place of a good one. Paths are the host's own
// ("/home/me/files" or "C:\build\files"), 8-bit text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace mksetup {

enum class PathKind { Missing, File, Folder, Other };

PathKind KindOf(const std::string& path);

// folder + separator + name (no separator added after one already there).
std::string JoinPath(const std::string& folder, const std::string& name);

// The file of folder that an archive entry's name stands for: the name's
// folder steps ("plugins\png_codec.dll") become the host's own.
std::string EntryFilePath(const std::string& folder, const std::string& entryName);

// The first folder step of entryName below folder that is a symbolic link
// (what it leads to may lie anywhere), as a host path; empty when none is.
std::string LinkedFolderStep(const std::string& folder, const std::string& entryName);

// Reads a whole file. On failure error says why ("No such file or
// directory", "Permission denied", ...), without the path.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

// Reads a file's first bytes into data, as many as fit: returns how many
// were read, fewer for a shorter file and none for one that cannot be read
// (whoever reads it whole says why).
std::size_t ReadFileStart(const std::string& path, std::span<std::uint8_t> data);

// A whole file's bytes for reading: mapped into memory where the system
// allows it (no copy, no zero-filled buffer), read into memory otherwise.
class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  bool Open(const std::string& path, std::string& error);
  std::span<const std::uint8_t> Bytes() const { return m_bytes; }

 private:
  void* m_mapping = nullptr;
  std::size_t m_mappedSize = 0;
  std::vector<std::uint8_t> m_read;
  std::span<const std::uint8_t> m_bytes;
};

// The size of a file, for limits checked before anything is read.
bool FileSize(const std::string& path, std::uint64_t& size, std::string& error);

// The names of the entries of a folder (files and folders alike), sorted.
bool ListFolderNames(const std::string& folder, std::vector<std::string>& names,
                     std::string& error);

// The bytes free for this user on the drive that holds path, or would hold
// it: a missing path is asked of the nearest folder above it that exists.
bool FreeSpace(const std::string& path, std::uint64_t& bytes, std::string& error);

// Creates a folder and any missing folders above it.
bool MakeFolders(const std::string& path, std::string& error);

// A new file named name (an archive entry's name: a file name, or folders
// and a file name joined by "\") in folder, open for update ("w+b"). The
// name's folders are made below folder where missing, each entered without
// following a link, so nothing lands outside folder. Whatever stood under
// the file's name, a file or a link (never what a link leads to), is
// removed first and the name made anew, so nothing is written through a
// link planted in the folder or outside it. nullptr with error when it
// cannot be (a sub-folder of that name, a folder step that is a link).
std::FILE* CreateFreshFile(const std::string& folder, const std::string& name, std::string& error);

// Writes bytes to path, creating or truncating it.
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error);

// Writes bytes to a new file in path's folder, flushes it to the disk and
// only then renames it over path. On failure the temporary file is removed
// and whatever was at path is left as it was. An existing file keeps its
// permissions.
bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

// The folder that holds the running executable (/proc/self/exe on Linux,
// GetModuleFileNameA on Windows); empty when it cannot be found.
std::string RunningExecutableFolder();

// Whether standard error is a terminal (progress is redrawn in place there).
bool StandardErrorIsTerminal();

}  // namespace mksetup

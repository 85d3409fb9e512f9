// Converting a whole file. The source is read completely and converted in
// memory before the destination is touched, so a missing source or a corrupt
// stream leaves the destination as it was. Writing is the one step that can
// fail after the destination has been opened; for that case the destination's
// previous bytes are kept in memory (they are the input itself when source
// and destination are the same path) and written back, or a destination that
// did not exist before is removed again.
//
// The destination is opened with "wb", which truncates it in place, rather
// than deleted and created anew: an open that fails then leaves the old file
// untouched.
#include <cstdio>

#include "package/lzw.h"

namespace package {
namespace {

// Files are read in pieces of this size: no seek is needed to learn the
// length, and files past 2 GB (where ftell's long ends) read the same way.
constexpr std::size_t kReadPiece = std::size_t{1} << 16;

bool ReadWhole(platform::FileSystem& files, const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = files.OpenFile(path, "rb");
  if (file == nullptr) return false;
  bytes.clear();
  std::size_t got = 0;
  do {
    const std::size_t old = bytes.size();
    bytes.resize(old + kReadPiece);
    got = std::fread(bytes.data() + old, 1, kReadPiece, file);
    bytes.resize(old + got);
  } while (got == kReadPiece);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

enum class WriteResult { NotOpened, Failed, Written };

WriteResult WriteWhole(platform::FileSystem& files, const std::string& path,
                       const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = files.OpenFile(path, "wb");
  if (file == nullptr) return WriteResult::NotOpened;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  // fclose flushes the last buffered bytes, so its failure is a write failure.
  const bool closed = std::fclose(file) == 0;
  return written && closed ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace

bool LzwConvertFile(platform::FileSystem& files, const std::string& source, const std::string& destination,
                    bool compress, unsigned width) {
  std::vector<std::uint8_t> input;
  if (!ReadWhole(files, source, input)) return false;

  std::vector<std::uint8_t> result;
  const LzwStatus status = compress ? LzwEncode(input.data(), input.size(), width, result)
                                    : LzwDecode(input.data(), input.size(), result);
  if (status != LzwStatus::Ok) return false;

  // What the destination holds now, to put back if writing fails.
  std::vector<std::uint8_t> previous;
  bool existed = true;
  if (destination == source) {
    previous.swap(input);
  } else {
    std::vector<std::uint8_t>().swap(input);
    existed = files.Exists(destination);
    // A destination that cannot be read could not be restored: leave it.
    if (existed && !ReadWhole(files, destination, previous)) return false;
  }

  switch (WriteWhole(files, destination, result)) {
    case WriteResult::Written: return true;
    case WriteResult::NotOpened: return false;
    case WriteResult::Failed: break;
  }
  if (existed) {
    WriteWhole(files, destination, previous);
  } else {
    files.RemoveFile(destination);
  }
  return false;
}

}  // namespace package

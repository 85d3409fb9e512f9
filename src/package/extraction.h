// Writing the payload archive into the staging folder: the window-free work
// of the extraction dialog. A compressed entry is decoded straight from the
// archive block, so what lands in the folder is the file it holds.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/function_ref.h"
#include "platform/platform.h"

namespace package {

// The two things the extraction needs from the setup script. The script's
// grammar lives in the script layer, above this one, so the caller hands in
// the scans (the application fills this from the script's rules).
class ScriptScanner {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~ScriptScanner() = default;

 public:
  // The script's compression flag (the line after "[fls]" is "1").
  virtual bool CompressionFlag(platform::FileSystem& files, const std::string& scriptPath) = 0;
  // The raw picture paths of the "[logo]" and "[Header]" sections; empty
  // when a section is missing.
  virtual void ImagePaths(platform::FileSystem& files, const std::string& scriptPath,
                          std::string& logo, std::string& header) = 0;
};

// The two progress updates of an entry: the label before its file is
// created, the bar after the file is written.
enum class ProgressStep { Label, Bar };
// percent is floor(100 * i / N) for entry i of N: it never reaches 100.
using ProgressCallback = base::FunctionRef<void(ProgressStep step, unsigned percent)>;

enum class ExtractionStatus {
  Ok,
  DamagedArchive,  // the index did not check out: nothing was written
  CannotCreate,    // an entry's file could not be opened for writing, or a
                   // folder of its name made (or it is a link or junction)
  CannotWrite,     // an entry's bytes could not all be written
  DamagedStream,   // a compressed entry did not decode
};

struct ExtractionResult {
  ExtractionStatus status = ExtractionStatus::Ok;
  // What to tell the user when status is not Ok; for CannotCreate exactly
  // "Cannot create file " followed by the entry's full path.
  std::string message;
  // Whether an entry was the setup script, and its full path. Without one
  // the picture paths stay empty and nothing else of the script is known.
  bool hasScript = false;
  std::string scriptPath;
  std::string logoPath;
  std::string headerPath;
};

// Writes every entry of the archive block into stagingFolder (which must
// exist; a backslash is added when it lacks one), an entry such as
// "plugins\png_codec.dll" into the folders of its name, made below
// stagingFolder where missing, and, when all went well,
// reads the picture paths from the setup script. Entries written before a
// failure stay; nothing after it is left; a failed entry leaves no file.
//
// The entries after the last setup script are written on two threads
// (threads), so files must take CreateStagedFile from both at once. Progress
// comes from the calling thread only, for the entries in archive order, each
// bar after its file is written; the label comes before the file is created
// when the entries before it are all written by then, and just before the
// bar otherwise.
ExtractionResult ExtractArchive(platform::FileSystem& files, platform::Threads& threads,
                                std::span<const std::uint8_t> block, std::string stagingFolder,
                                ScriptScanner& scanner, ProgressCallback progress);

}  // namespace package

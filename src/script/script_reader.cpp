#include "script/script_reader.h"

#include "format/windows_path.h"
#include "format/payload_contract.h"
#include "format/script_lines.h"
#include "format/script_passes.h"

namespace script {

std::string StagingFolder(platform::FileSystem& files) {
  const std::string temp = files.TempFolder();
  if (temp.empty()) return {};
  const std::string folder = ::format::WithTrailingSeparator(temp) + kStagingFolderName;
  if (folder.size() > kMaxStagingFolderLength) return {};
  return folder + "\\";
}

std::string ScriptPath(platform::FileSystem& files) {
  const std::string staging = StagingFolder(files);
  // Never a bare name, which would read from the current folder.
  return staging.empty() ? std::string() : staging + format::kScriptEntryName;
}

// Binary mode, so the line ends are ours to handle on every platform; the
// result is what a text-mode read gives: CR LF and LF both end a line.
ScriptReader::ScriptReader(platform::FileSystem& files, const std::string& path)
    : file_(files.OpenFile(path, "rb")) {}

ScriptReader::~ScriptReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ScriptReader::ReadLine(std::string& line) {
  if (file_ == nullptr) {
    line.clear();
    return false;
  }
  return format::ReadScriptLine(
      [this] {
        unsigned char c;
        return std::fread(&c, 1, 1, file_) == 1 ? int{c} : EOF;
      },
      line);
}

std::string ScriptReader::NextLine() { return format::NextLine(*this); }

bool ScriptReader::SkipPast(const char* marker) { return format::SkipPast(*this, marker); }

}  // namespace script

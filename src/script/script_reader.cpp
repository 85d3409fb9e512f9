#include "script/script_reader.h"

#include "format/payload_contract.h"

namespace script {

std::string StagingFolder(platform::FileSystem& files) {
  const std::string temp = files.TempFolder();
  if (temp.empty()) return {};
  std::string folder = temp;
  if (folder.back() != '\\') folder += '\\';
  folder += kStagingFolderName;
  if (folder.size() > kMaxStagingFolderLength) return {};
  return folder + "\\";
}

std::string ScriptPath(platform::FileSystem& files) {
  const std::string staging = StagingFolder(files);
  // Never a bare name, which would read from the current folder.
  return staging.empty() ? std::string() : staging + package::kScriptEntryName;
}

// Binary mode, so the line ends are ours to handle on every platform; the
// result is what a text-mode read gives: CR LF and LF both end a line.
ScriptReader::ScriptReader(platform::FileSystem& files, const std::string& path)
    : file_(files.OpenFile(path, "rb")) {}

ScriptReader::~ScriptReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool ScriptReader::ReadLine(std::string& line) {
  line.clear();
  if (file_ == nullptr) return false;
  bool readAnything = false;
  for (int c = std::getc(file_); c != EOF; c = std::getc(file_)) {
    readAnything = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  // The last line may lack its line end; a CR standing alone stays text.
  return readAnything;
}

std::string ScriptReader::NextLine() {
  std::string line;
  ReadLine(line);
  return line;
}

bool ScriptReader::SkipPast(const char* marker) {
  std::string line;
  while (ReadLine(line)) {
    if (line == marker) return true;
  }
  return false;
}

std::string TakeField(std::string& rest) {
  const std::size_t bar = rest.find(format::kFieldSeparator);
  if (bar == std::string::npos) return {};
  std::string field = rest.substr(0, bar);
  rest.erase(0, bar + 1);
  return field;
}

std::string FitField(const std::string& text) {
  return text.size() <= format::kFieldCharacters ? text : text.substr(0, format::kFieldCharacters);
}

}  // namespace script

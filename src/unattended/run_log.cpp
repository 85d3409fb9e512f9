#include "unattended/run_log.h"

namespace unattended {

RunLog::~RunLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RunLog::Open(platform::FileSystem& files, const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = files.CreateLogFile(path);
  return file_ != nullptr;
}

void RunLog::Line(const std::string& text) {
  if (file_ == nullptr) return;
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

}  // namespace unattended

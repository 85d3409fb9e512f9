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
  for (char c : text) {
    if (c == '\r' || c == '\n') c = ' ';
    std::fwrite(&c, 1, 1, file_);
  }
  std::fwrite("\r\n", 1, 2, file_);
  std::fflush(file_);
}

}  // namespace unattended

#include "unattended/run_log.h"

#include <string_view>

namespace unattended {

RunLog::~RunLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RunLog::Open(platform::FileSystem& files, const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = files.CreateLogFile(path);
  return file_ != nullptr;
}

void RunLog::Line(const std::string& text) { Line("", text.data(), text.size()); }

void RunLog::Line(const char* text) { Line(text, "", 0); }

void RunLog::Line(const char* label, const std::string& text) {
  Line(label, text.data(), text.size());
}

void RunLog::Line(const char* label, const char* text, std::size_t length) {
  if (file_ == nullptr) return;
  for (const std::string_view piece : {std::string_view(label), std::string_view(text, length)}) {
    for (char c : piece) {
      if (c == '\r' || c == '\n') c = ' ';
      std::fwrite(&c, 1, 1, file_);
    }
  }
  std::fwrite("\r\n", 1, 2, file_);
  std::fflush(file_);
}

}  // namespace unattended

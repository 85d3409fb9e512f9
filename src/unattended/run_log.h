// The log of one run (/LOG): plain text, one event a line, each line
// flushed as it is written, so that a run that crashes leaves what happened
// before it. Written through the platform's file system.
#pragma once

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace unattended {

class RunLog {
 public:
  RunLog() = default;
  ~RunLog();
  RunLog(const RunLog&) = delete;
  RunLog& operator=(const RunLog&) = delete;

  // Creates the log file, or empties an existing plain one; false when it
  // cannot, also when the name is a link or a file with other hard links.
  bool Open(platform::FileSystem& files, const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // One line; a line break inside the text becomes a blank. Nothing happens
  // while no log is open.
  void Line(const std::string& text);
  // The same for fixed text, and for fixed text followed by more, without
  // joining them into a string of their own first.
  void Line(const char* text);
  void Line(const char* label, const std::string& text);

 private:
  void Line(const char* label, const char* text, std::size_t length);

  std::FILE* file_ = nullptr;
};

}  // namespace unattended

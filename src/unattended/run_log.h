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

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace unattended

// The progress of a build on standard error. On a terminal one line is
// redrawn in place for every entry and cleared at the end; elsewhere (a CI
// log) nothing is shown unless the build has already taken a second, and
// then at most one line a second, so logs of quick builds stay clean.
#pragma once

#include <cstdint>
#include <string>

#include "mksetup/commands/console.h"

namespace mksetup {

class ProgressDisplay {
 public:
  explicit ProgressDisplay(Console& console);
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  // Entry index (0-based) of count is about to be stored; done of total
  // input bytes are stored already.
  void Entry(std::size_t index, std::size_t count, const std::string& name, std::uint64_t size,
             std::uint64_t done, std::uint64_t total);
  // Clears the terminal line; called by the destructor too.
  void Finish();

 private:
  double Now() const;

  Console& console_;
  double start_ = 0;
  double lastLine_ = -1;   // when the last log line was written (non-terminal)
  std::size_t drawn_ = 0;  // width of the terminal line on screen
};

// "6.5 MB", "12 KB", "300 bytes": sizes as people read them.
std::string HumanSize(std::uint64_t bytes);

}  // namespace mksetup

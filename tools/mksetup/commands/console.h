// Where the commands write: standard output for results, standard error for
// messages and progress. Tests hand in their own sinks and clock.
#pragma once

#include <functional>
#include <string>

namespace mksetup {

struct Console {
  std::function<void(const std::string&)> out;
  std::function<void(const std::string&)> err;
  bool errIsTerminal = false;
  // Seconds from any fixed start; progress uses it to stay quiet on quick
  // builds.
  std::function<double()> clock;
};

// The process's own: stdout, stderr, whether stderr is a terminal, the
// steady clock.
Console ProcessConsole();

// Exit statuses of the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the checks found errors, or a file could not be used
constexpr int kExitUsage = 2;    // the command line is wrong

}  // namespace mksetup

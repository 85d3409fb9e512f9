#include "mksetup/commands/console.h"

#include <chrono>
#include <cstdio>

#include "mksetup/host/host_files.h"

namespace mksetup {

Console ProcessConsole() {
  Console console;
  console.out = [](const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  };
  console.err = [](const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  };
  console.errIsTerminal = StandardErrorIsTerminal();
  console.clock = [] {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
  };
  return console;
}

}  // namespace mksetup

#include "mksetup/commands/progress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace mksetup {
namespace {

constexpr double kQuietSeconds = 1.0;  // a log shows nothing of builds quicker than this
constexpr double kLogInterval = 1.0;   // and at most one line a second after that

double SteadySeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

std::string HumanSize(std::uint64_t bytes) {
  if (bytes < 10 * 1024) return std::to_string(bytes) + " bytes";
  char text[32];
  if (bytes < 1024 * 1024) {
    std::snprintf(text, sizeof text, "%.0f KB", static_cast<double>(bytes) / 1024.0);
  } else {
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  }
  return text;
}

ProgressDisplay::ProgressDisplay(Console& console) : console_(console) { start_ = Now(); }

ProgressDisplay::~ProgressDisplay() { Finish(); }

double ProgressDisplay::Now() const { return console_.clock ? console_.clock() : SteadySeconds(); }

void ProgressDisplay::Entry(std::size_t index, std::size_t count, const std::string& name,
                            std::uint64_t size, std::uint64_t done, std::uint64_t total) {
  const unsigned percent = total == 0 ? 0 : static_cast<unsigned>(done * 100 / total);
  std::string shown = std::to_string(percent);
  shown.insert(0, 3 - shown.size(), ' ');
  const std::string text = "mksetup: [" + shown + "%] " + std::to_string(index + 1) + "/" +
                           std::to_string(count) + " " + name + " (" + HumanSize(size) + ")";

  if (console_.errIsTerminal) {
    std::string line = "\r" + text;
    if (text.size() < drawn_) line += std::string(drawn_ - text.size(), ' ');
    console_.err(line);
    drawn_ = std::max(drawn_, text.size());  // the padding is on screen too
    return;
  }
  const double now = Now();
  if (now - start_ < kQuietSeconds) return;
  if (lastLine_ >= 0 && now - lastLine_ < kLogInterval) return;
  console_.err(text + "\n");
  lastLine_ = now;
}

void ProgressDisplay::Finish() {
  if (drawn_ == 0) return;
  console_.err("\r" + std::string(drawn_, ' ') + "\r");
  drawn_ = 0;
}

}  // namespace mksetup

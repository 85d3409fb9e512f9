// Busy files as the log tells them, and the quiet run's answer about the
// programs that hold them.
#include "unattended/logged_platform.h"

namespace unattended {

std::string LoggedPlatform::Holders(const std::string& paths, bool close) {
  if (close) log_.Line("Programs that hold files asked to close");
  return inner_.filesInUse.Holders(paths, close);
}

platform::InUseAnswer LoggedPlatform::Ask(const std::string& text) {
  log_.Line("Question: ", text);
  if (!quiet_) return inner_.filesInUse.Ask(text);
  // Nobody to ask: a program is closed only when the command line says so.
  return closeApplications_ ? platform::InUseAnswer::CloseThem : platform::InUseAnswer::GoOn;
}

bool LoggedPlatform::ReplaceAtRestart(const std::string& from, const std::string& to) {
  return Note(inner_.filesInUse.ReplaceAtRestart(from, to), "Replaced at restart", to);
}

}  // namespace unattended

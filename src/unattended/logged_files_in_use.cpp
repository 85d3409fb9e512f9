// Busy files as the log tells them, and the quiet run's answer about the
// programs that hold them.
#include "unattended/logged_platform.h"

namespace unattended {

void LoggedPlatform::CloseHolders(const std::vector<std::string>& paths) {
  log_.Line("Programs that hold files asked to close");
  inner_.filesInUse.CloseHolders(paths);
}

platform::InUseAnswer LoggedPlatform::Ask(const std::string& text) {
  log_.Line("Question: " + text);
  if (!quiet_) return inner_.filesInUse.Ask(text);
  // Nobody to ask: a program is closed only when the command line says so.
  return closeApplications_ ? platform::InUseAnswer::CloseThem : platform::InUseAnswer::GoOn;
}

bool LoggedPlatform::ReplaceAtRestart(const std::string& from, const std::string& to) {
  return Note(inner_.filesInUse.ReplaceAtRestart(from, to), "File replaced at the next restart",
              to);
}

}  // namespace unattended

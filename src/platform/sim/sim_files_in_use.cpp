#include "platform/sim/sim_platform.h"

namespace sim {

bool SimFilesInUse::InUse(const std::string& path) {
  return busy.count(path) != 0 && files_.Exists(path);
}

std::string SimFilesInUse::Holders(const std::string&, bool close) {
  if (!close) return holders;
  ++closeRequests;
  if (closingFrees) busy.clear();
  return {};
}

platform::InUseAnswer SimFilesInUse::Ask(const std::string& text) {
  questions.push_back(text);
  if (answers.empty()) return platform::InUseAnswer::Cancel;
  const platform::InUseAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

bool SimFilesInUse::ReplaceAtRestart(const std::string& from, const std::string& to) {
  const std::string beside = to + ".1.new";
  if (!files_.CopyOver(from, beside)) return false;
  pendingRenames.push_back({beside, to});
  return true;
}

}  // namespace sim

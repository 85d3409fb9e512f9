#include "install/busy_files.h"

#include <vector>

#include "format/script_format.h"
#include "install/install_texts.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

std::vector<std::string> DestinationsInUse(platform::Platform& host,
                                           script::PathExpander& expander) {
  std::vector<std::string> busy;
  script::ForEachFileEntry(host.files, script::ScriptPath(host.files),
                           [&](const std::string& kind, const std::string& rest) {
                             if (kind == script::format::kFolderEntryKind) return;
                             const std::string destination = expander.ExpandPathVariables(rest);
                             if (host.filesInUse.InUse(destination)) busy.push_back(destination);
                           });
  return busy;
}

}  // namespace

bool FreeFilesInUse(platform::Platform& host, script::PathExpander& expander) {
  for (;;) {
    const std::vector<std::string> busy = DestinationsInUse(host, expander);
    if (busy.empty()) return true;
    std::string question = host.filesInUse.Holders(busy);
    if (question.empty()) {
      for (const std::string& path : busy) question += path + "\n";
      question = texts::kFilesAreInUse + question;
    } else {
      question = texts::kProgramsHoldFiles + question;
    }
    switch (host.filesInUse.Ask(question + texts::kFilesInUseChoice)) {
      case platform::InUseAnswer::Retry:
        break;
      case platform::InUseAnswer::CloseThem:
        host.filesInUse.CloseHolders(busy);
        return true;
      case platform::InUseAnswer::GoOn:
        return true;
      case platform::InUseAnswer::Cancel:
        return false;
    }
  }
}

bool ReplaceBusyFile(platform::Platform& host, const std::string& source,
                     const std::string& destination) {
  if (!host.filesInUse.InUse(destination)) return false;
  if (!host.filesInUse.ReplaceAtRestart(source, destination)) {
    host.messages.Show(platform::MessageKind::Warning,
                       std::string(texts::kUnableToCreateFile) + destination);
  }
  return true;
}

}  // namespace install

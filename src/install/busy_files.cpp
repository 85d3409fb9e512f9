#include "install/busy_files.h"

#include "format/script_format.h"
#include "install/install_texts.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

// The "[fls]" destinations that another program holds, one a line.
std::string DestinationsInUse(platform::Platform& host, script::PathExpander& expander) {
  std::string busy;
  script::ForEachFileEntry(host.files, script::ScriptPath(host.files),
                           [&](const std::string& kind, const std::string& rest) {
                             if (kind == format::kFolderEntryKind) return;
                             const std::string destination = expander.ExpandPathVariables(rest);
                             if (host.filesInUse.InUse(destination)) busy += destination + '\n';
                           });
  return busy;
}

}  // namespace

bool FreeFilesInUse(platform::Platform& host, script::PathExpander& expander) {
  for (;;) {
    const std::string busy = DestinationsInUse(host, expander);
    if (busy.empty()) return true;
    const std::string holders = host.filesInUse.Holders(busy, false);
    const std::string question =
        holders.empty() ? texts::kFilesAreInUse + busy : texts::kProgramsHoldFiles + holders;
    switch (host.filesInUse.Ask(question + texts::kFilesInUseChoice)) {
      case platform::InUseAnswer::Retry:
        break;
      case platform::InUseAnswer::CloseThem:
        host.filesInUse.Holders(busy, true);
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
  return host.filesInUse.FoldersOnlyAdministratorsChange(destination) &&
         host.filesInUse.ReplaceAtRestart(source, destination);
}

}  // namespace install

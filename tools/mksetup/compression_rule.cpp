#include "mksetup/compression_rule.h"

#include "package/payload_archive.h"
#include "script/script_reader.h"

namespace mksetup {

std::string StagingPathOf(const std::string& name) {
  return std::string(script::kStagingFolderName) + "\\" + name;
}

std::vector<bool> ReaderDecodes(const std::vector<std::string>& names,
                                const std::function<bool(std::size_t)>& scriptFlag) {
  std::vector<bool> decodes;
  decodes.reserve(names.size());
  bool switchOn = true;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string path = StagingPathOf(names[i]);
    decodes.push_back(switchOn && !package::EntryStaysPlain(path));
    if (package::IsSetupScript(path)) switchOn = scriptFlag(i);
  }
  return decodes;
}

}  // namespace mksetup

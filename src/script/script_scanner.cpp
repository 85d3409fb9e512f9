#include "script/script_scanner.h"

#include "script/script_rules.h"

namespace script {

bool ScriptRulesScanner::CompressionFlag(platform::FileSystem& files,
                                         const std::string& scriptPath) {
  return script::ReadCompressionFlag(files, scriptPath);
}

void ScriptRulesScanner::ImagePaths(platform::FileSystem& files, const std::string& scriptPath,
                                    std::string& logo, std::string& header) {
  const script::ImagePaths paths = script::ReadImagePaths(files, scriptPath);
  logo = paths.logo;
  header = paths.header;
}

}  // namespace script

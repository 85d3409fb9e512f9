// The extraction's two looks into the setup script, answered by the
// script's own rules.
#pragma once

#include "package/extraction.h"

namespace script {

class ScriptRulesScanner final : public package::ScriptScanner {
 public:
  bool CompressionFlag(platform::FileSystem& files, const std::string& scriptPath) override;
  void ImagePaths(platform::FileSystem& files, const std::string& scriptPath, std::string& logo,
                  std::string& header) override;
};

}  // namespace script

// The sample's setup script, with the lines the wizard tests vary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sample_script.h"

namespace wizard_test {

// The defaults are the sample's own lines.
struct ScriptOptions {
  std::string notice = "-N-A-";
  std::optional<std::string> licenceFlag = "0";  // nothing: no [lic] section
  std::string installPath = "%ProgramFiles%\\%CompanyName%\\%ProductName%";
  std::string lockFlag = "0";
  std::optional<std::string> launchFlag = "1";  // nothing: no [launch] section
};

inline std::string QuillWriterScript(const ScriptOptions& options = {}) {
  std::vector<std::string> lines = sample_test::SampleLines();
  lines.at(4) = options.notice;
  if (options.licenceFlag) {
    sample_test::SetLineAfter(lines, "[lic]", 1, *options.licenceFlag);
  } else {
    sample_test::RemoveSection(lines, "[lic]", "[/lic]");
  }
  sample_test::SetLineAfter(lines, "[inst_path]", 1, options.installPath);
  sample_test::SetLineAfter(lines, "[inst_path]", 2, options.lockFlag);
  if (options.launchFlag) {
    sample_test::SetLineAfter(lines, "[launch]", 1, *options.launchFlag);
  } else {
    sample_test::RemoveSection(lines, "[launch]", "[/launch]");
  }
  return sample_test::JoinCrLf(lines);
}

}  // namespace wizard_test

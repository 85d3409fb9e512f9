// The setup program and mksetup agree on the path variables: a script that
// uses every variable the setup program expands passes mksetup's check
// without a warning.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "builder_test_support.h"
#include "format/path_variable_names.h"
#include "mksetup/script_checks/script_check.h"
#include "platform/sim/sim_platform.h"
#include "script/path_variables.h"

namespace {

class FixedWizard : public script::WizardValues {
 public:
  std::string ProductName() override { return "Quill Writer"; }
  std::string ProductVersion() override { return "2.0"; }
  std::string CompanyName() override { return "Acme"; }
  std::string InstallPath() override { return "C:\\Quill"; }
};

TEST(PathVariables, EveryVariableTheSetupProgramExpandsPassesMksetupsCheck) {
  sim::SimPlatform sim;
  FixedWizard wizard;
  script::PathExpander expander(wizard, sim.registry, sim.machine, sim.files);
  std::string folder = "C:";
  for (std::size_t i = 0; i < format::kPathVariableCount; ++i) {
    const std::string name = format::kPathVariableNames[i];
    const std::string piece = name.substr(1, name.size() - 2);
    // Known to the setup program: it writes a value, not the bare name.
    EXPECT_NE(expander.GetPathVariable(piece), piece) << name;
    folder += "\\" + name;
  }
  std::vector<std::string> lines = builder_test::QuillWriterLines();
  lines[18] = folder;  // the installation folder's template, which is expanded
  const std::vector<std::uint8_t> bytes = builder_test::BytesOf(builder_test::JoinLines(lines));
  mksetup::Diagnostics diagnostics;
  mksetup::CheckScript(mksetup::SplitScriptLines(bytes), diagnostics);
  for (const mksetup::Diagnostic& d : diagnostics.Sorted()) {
    ADD_FAILURE() << mksetup::FormatDiagnostic(d, "s.txt", "files");
  }
}

}  // namespace
#endif  // _WIN32

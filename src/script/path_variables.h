// Path variables: "%Name%" in a script template stands for a value known only
// on the target machine.
#pragma once

#include <string>

#include "format/payload_contract.h"
#include "platform/platform.h"

namespace script {

// The wizard's share of the values.
class WizardValues {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~WizardValues() = default;

 public:
  // Header lines 1, 3 and 4. Each lookup trims trailing white space from the
  // stored field itself and returns the result.
  virtual std::string ProductName() = 0;
  virtual std::string ProductVersion() = 0;
  virtual std::string CompanyName() = 0;
  // The expanded [inst_path] template while the dialog is being
  // initialised, the path box's text afterwards.
  virtual std::string InstallPath() = 0;
};

// ReadProgramFilesPath: HKLM\Software\Microsoft\Windows\CurrentVersion
// "ProgramFilesPath" with its references to the machine's folders expanded
// (Machine::ExpandMachineVariables, never through the environment); empty
// when absent.
std::string ReadProgramFilesPath(platform::Registry& registry, platform::Machine& machine);

class PathExpander {
 public:
  // scope: whom the program files variables stand for (the run's, as the
  // setup program was built).
  PathExpander(WizardValues& wizard, platform::Registry& registry, platform::Machine& machine,
               platform::FileSystem& files,
               format::InstallScope scope = format::InstallScope::Machine)
      : wizard_(wizard), registry_(registry), machine_(machine), files_(files), scope_(scope) {}

  // The parts of format::ForEachTemplatePart: every piece before a "%" and
  // every "%NAME%" is looked up, "%%" gives "%", a lone "%" is dropped, and
  // the rest after the last "%" is appended unchanged.
  std::string ExpandPathVariables(const std::string& text);
  // As ExpandPathVariables, but a non-empty rest is appended behind
  // "$ddinstall\".
  std::string ExpandImagePath(const std::string& text);
  // The value of one piece: a known "%piece%" gives its value, any other
  // piece comes back as it is.
  std::string GetPathVariable(const std::string& piece);

 private:
  WizardValues& wizard_;
  platform::Registry& registry_;
  platform::Machine& machine_;
  platform::FileSystem& files_;  // %TempDir%
  const format::InstallScope scope_;
};

}  // namespace script

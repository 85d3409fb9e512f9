// A simulated machine with a setup script in its staging folder.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/sim/sim_platform.h"
#include "sample_script.h"
#include "script/script_reader.h"

namespace script_test {

// The sample's script as the building tool writes it, CR LF line ends.
inline std::string QuillWriterScript() { return sample_test::SampleScript(); }

// Lines joined with the given line end after each one.
inline std::string Lines(std::initializer_list<const char*> lines, const char* end = "\r\n") {
  std::string text;
  for (const char* line : lines) text += std::string(line) + end;
  return text;
}

struct ScriptMachine {
  sim::SimPlatform sim;
  std::string path = script::ScriptPath(sim.files);

  explicit ScriptMachine(const std::string& script) { sim.WriteFile(path, script); }
  platform::FileSystem& files() { return sim.files; }
};

}  // namespace script_test

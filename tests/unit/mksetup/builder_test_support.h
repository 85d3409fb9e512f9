// Helpers of the builder's tests: a product folder (script and files) in a
// scratch folder, a console that records what the commands write, and a
// setup runtime stand-in.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "mksetup/commands/commands.h"
#include "mksetup/commands/console.h"
#include "mksetup/pe_test_support.h"

namespace builder_test {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& text);

// A whole file; empty when it cannot be read.
Bytes ReadFile(const std::string& path);

// Lines joined with CR LF, each line ended.
std::string ScriptOf(std::initializer_list<std::string> lines);

// The smallest script the checks accept without a finding: header, an
// "[fls]" section with the given flag and entry lines, "[lic]" off, a fixed
// "[inst_path]", and the positional uninstall sections.
std::string MinimalScript(const std::string& flag, std::initializer_list<std::string> entries);

// The Quill Writer sample's script (flag "1", two product files, top.bmp and
// side.bmp), as lines.
std::vector<std::string> QuillWriterLines();
std::string JoinLines(const std::vector<std::string>& lines);

class ProductFolder {
 public:
  ProductFolder();
  const std::string& root() const { return scratch_.path(); }
  std::string ScriptPath() const { return scratch_.File("setup.txt"); }
  std::string FilesPath() const { return scratch_.File("files"); }
  std::string FilePath(const std::string& name) const { return FilesPath() + "/" + name; }
  std::string OutputPath() const { return scratch_.File("Setup.exe"); }
  std::string StubPath() const { return scratch_.File("runtime.exe"); }

  void WriteScript(const std::string& text) const;
  void WriteFile(const std::string& name, const Bytes& bytes) const;
  void WriteFile(const std::string& name, const std::string& text) const {
    WriteFile(name, BytesOf(text));
  }
  // The sample's script and the files it names (small ones).
  void WriteQuillWriter() const;
  // A synthetic PE32 image with resources, as the setup runtime stand-in;
  // decodes names its codecs as a runtime's marker does, "" for none.
  void WriteStub(const std::string& decodes = "") const;
  void WriteStub(const pe_test::SyntheticOptions& options) const;

  mksetup::BuildOptions Options() const;
  // Names of the scratch folder's own entries, to see that nothing but the
  // expected files was left behind.
  std::vector<std::string> RootNames() const;

 private:
  pe_test::ScratchDir scratch_;
};

// A console whose output and error streams are kept in strings.
struct RecordingConsole {
  RecordingConsole();
  RecordingConsole(const RecordingConsole&) = delete;
  RecordingConsole& operator=(const RecordingConsole&) = delete;
  mksetup::Console console;
  std::string out;
  std::string err;
};

}  // namespace builder_test

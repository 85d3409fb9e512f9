#include "builder_test_support.h"

#include <algorithm>
#include <filesystem>

#include "mksetup/host/host_files.h"
#include "sample_script.h"

namespace builder_test {

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes ReadFile(const std::string& path) {
  Bytes bytes;
  std::string ignored;
  mksetup::ReadWholeFile(path, bytes, ignored);
  return bytes;
}

std::string ScriptOf(std::initializer_list<std::string> lines) { return JoinLines(lines); }

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string MinimalScript(const std::string& flag, std::initializer_list<std::string> entries) {
  std::vector<std::string> lines = {"Tiny", "Tiny Setup", "1.0", "Acme", "-N-A-", "[fls]", flag};
  lines.insert(lines.end(), entries.begin(), entries.end());
  for (const char* line :
       {"[/fls]", "[lic]", "0", "[inst_path]", "C:\\Tiny", "0", "[uninst_gene]", "Uninstalling",
        "-NA-", "[/uninst_gene]", "[uninst_fls]", "[/uninst_fls]"}) {
    lines.push_back(line);
  }
  return JoinLines(lines);
}

std::vector<std::string> QuillWriterLines() { return sample_test::SampleLines(); }

ProductFolder::ProductFolder() { std::filesystem::create_directory(FilesPath()); }

void ProductFolder::WriteScript(const std::string& text) const {
  pe_test::WriteBytes(ScriptPath(), BytesOf(text));
}

void ProductFolder::WriteFile(const std::string& name, const Bytes& bytes) const {
  pe_test::WriteBytes(FilePath(name), bytes);
}

void ProductFolder::WriteQuillWriter() const {
  WriteScript(JoinLines(QuillWriterLines()));
  WriteFile("writer.exe", pe_test::PatternBytes(3000, 1));
  WriteFile("writer.cfg", "[editor]\r\nwrap=1\r\n");
  WriteFile("top.bmp", Bytes(5000, 0x42));
  WriteFile("side.bmp", pe_test::PatternBytes(7000, 2));
  WriteFile("UnInstaller.exe", "uninstaller");
  WriteFile("Remove Uninstaller.exe", "remover");
}

void ProductFolder::WriteStub(const std::string& decodes) const {
  pe_test::SyntheticOptions options;
  options.decodes = decodes;
  pe_test::WriteBytes(StubPath(), pe_test::MakeImage(options));
}

void ProductFolder::WriteStub(const pe_test::SyntheticOptions& options) const {
  pe_test::WriteBytes(StubPath(), pe_test::MakeImage(options));
}

mksetup::BuildOptions ProductFolder::Options() const {
  mksetup::BuildOptions options;
  options.script = ScriptPath();
  options.files = FilesPath();
  options.stub = StubPath();
  options.output = OutputPath();
  return options;
}

std::vector<std::string> ProductFolder::RootNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(root())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

RecordingConsole::RecordingConsole() {
  console.out = [this](const std::string& text) { out += text; };
  console.err = [this](const std::string& text) { err += text; };
  console.errIsTerminal = false;
  console.clock = [] { return 0.0; };
}

}  // namespace builder_test

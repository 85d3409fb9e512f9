// Helpers shared by the PE reader and writer tests: the MinGW-built test
// images, running the independent tools (wrestool, objdump, wine), and a
// small synthetic image whose every header the tests can control.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mksetup/pe/pe_resource_tree.h"

namespace pe_test {

std::vector<std::uint8_t> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The path of a test image built by pe_fixtures.cmake, or "" when it was not
// built (no MinGW on the machine).
std::string FixturePath(const std::string& name);

// Runs a shell command; returns its exit status (-1 if it could not run)
// and its standard output.
int Run(const std::string& command, std::string* output = nullptr);
bool HaveProgram(const std::string& name);
std::string Quote(const std::string& text);

// A folder under the temporary folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Bytes that do not repeat, for payloads.
std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed);

struct SyntheticOptions {
  bool pe32plus = false;
  bool withResources = true;          // a .rsrc section holding SampleTree()
  bool relocAfterResources = true;    // a .reloc section after .rsrc
  bool dataAfterRelocations = false;  // then a plain data section, last
  std::size_t overlaySize = 0;        // bytes appended after the sections
  std::size_t certificateSize = 0;    // a certificate table after the overlay
  // When not empty, .text begins with the marker of the codecs a setup
  // runtime decodes, naming these ("lzw lzma").
  std::string decodes;
  // When not empty, the marker of the scopes it installs in ("machine
  // user"), at 0x100 of .text.
  std::string scopes;
  // When not empty, an RT_MANIFEST #1 in 1033 with this text.
  std::string manifest;
};

// Headers 0x200 bytes, file alignment 0x200, section alignment 0x1000;
// .text at 0x1000, then .rsrc, then .reloc as chosen; checksum set.
std::vector<std::uint8_t> MakeImage(const SyntheticOptions& options);

// Two types: RT_DIALOG (5) #100 in 1033 and a named type "ZZDATA" "ALPHA".
mksetup::ResourceTree SampleTree();

// Offsets of header fields in a MakeImage image.
constexpr std::uint32_t kPeOffset = 0x40;
constexpr std::uint32_t kOptionalOffset = kPeOffset + 24;

}  // namespace pe_test

// Skips the test when the named test image was not built.
#define PE_FIXTURE_OR_SKIP(variable, name)                   \
  const std::string variable = ::pe_test::FixturePath(name); \
  if (variable.empty()) GTEST_SKIP() << "test image " << (name) << " was not built"

#include "mksetup/pe_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "format/runtime_codecs.h"
#include "format/runtime_scopes.h"
#include "mksetup/pe/pe_image.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace pe_test {

using mksetup::AlignUp;
using mksetup::WriteU16;
using mksetup::WriteU32;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string FixturePath(const std::string& name) {
#if defined(SETUPKIT_PE_FIXTURES)
  const std::string path = std::string(SETUPKIT_PE_FIXTURES) + "/" + name;
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) return path;
#else
  (void)name;
#endif
  return "";
}

int Run(const std::string& command, std::string* output) {
#if defined(_WIN32)
  // The tools these tests call are Linux programs.
  (void)command;
  (void)output;
  return -1;
#else
  // The output goes through a file, not a pipe: daemons that the command
  // leaves behind (wineserver) would hold a pipe open and the read would
  // never end.
  ScratchDir scratch;
  if (scratch.path().empty()) return -1;
  const std::string captured = scratch.File("output");
  const int status =
      std::system(("(" + command + ") > " + Quote(captured) + " </dev/null").c_str());
  if (output != nullptr) {
    const std::vector<std::uint8_t> bytes = ReadBytes(captured);
    output->assign(bytes.begin(), bytes.end());
  }
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

bool HaveProgram(const std::string& name) {
#if defined(_WIN32)
  (void)name;
  return false;
#else
  return Run("command -v " + name + " >/dev/null 2>&1") == 0;
#endif
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ScratchDir::ScratchDir() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const auto candidate = base / ("setupkit-pe-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = seed * 2654435761u + 1;
  for (std::uint8_t& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

mksetup::ResourceTree SampleTree() {
  mksetup::ResourceTree tree;
  mksetup::SetResource(tree, mksetup::ResourceId::Name("ZZDATA"),
                       mksetup::ResourceId::Name("ALPHA"), 1033, PatternBytes(37, 1));
  mksetup::SetResource(tree, mksetup::ResourceId::Number(5), mksetup::ResourceId::Number(100), 1033,
                       PatternBytes(200, 2));
  mksetup::SortResourceTree(tree);
  return tree;
}

std::vector<std::uint8_t> MakeImage(const SyntheticOptions& options) {
  constexpr std::uint32_t kHeaders = 0x200;
  constexpr std::uint32_t kFileAlignment = 0x200;
  constexpr std::uint32_t kSectionAlignment = 0x1000;
  const std::uint32_t fixed = options.pe32plus ? 112 : 96;
  const std::uint32_t optionalSize = fixed + 16 * 8;
  const std::uint32_t sectionTable = kOptionalOffset + optionalSize;

  std::vector<std::uint8_t> image(kHeaders, 0);
  image[0] = 'M';
  image[1] = 'Z';
  WriteU32(image, 0x3C, kPeOffset);
  WriteU32(image, kPeOffset, 0x00004550);
  const std::uint32_t fileHeader = kPeOffset + 4;
  WriteU16(image, fileHeader, options.pe32plus ? 0x8664 : 0x14C);
  WriteU16(image, fileHeader + 16, static_cast<std::uint16_t>(optionalSize));
  WriteU16(image, fileHeader + 18, options.pe32plus ? 0x0022 : 0x0102);
  const std::uint32_t optional = kOptionalOffset;
  WriteU16(image, optional, options.pe32plus ? 0x20B : 0x10B);
  WriteU32(image, optional + 16, 0x1000);  // entry point
  if (options.pe32plus) {
    WriteU32(image, optional + 24, 0x40000000);  // image base 0x140000000
    WriteU32(image, optional + 28, 0x1);
  } else {
    WriteU32(image, optional + 28, 0x400000);
  }
  WriteU32(image, optional + 32, kSectionAlignment);
  WriteU32(image, optional + 36, kFileAlignment);
  WriteU16(image, optional + 48, 5);  // subsystem version
  WriteU32(image, optional + 60, kHeaders);
  WriteU16(image, optional + 68, 3);  // console
  WriteU32(image, optional + fixed - 4, 16);

  struct Section {
    const char* name;
    std::vector<std::uint8_t> data;
    std::uint32_t flags;
    std::size_t directory;  // 16 for none
  };
  std::vector<Section> sections;
  sections.push_back({".text", PatternBytes(0x180, 3), 0x60000020, 16});
  if (!options.decodes.empty()) {
    const std::string marker = SETUPKIT_RUNTIME_CODECS_MARKER + options.decodes;
    std::copy(marker.begin(), marker.end() + 1, sections[0].data.begin());
  }
  if (!options.scopes.empty()) {
    const std::string marker = SETUPKIT_RUNTIME_SCOPES_MARKER + options.scopes;
    std::copy(marker.begin(), marker.end() + 1, sections[0].data.begin() + 0x100);
  }
  std::uint32_t nextRva = 0x1000 + kSectionAlignment;
  std::vector<std::uint8_t> resources;
  if (options.withResources) {
    std::string ignored;
    mksetup::ResourceTree tree = SampleTree();
    if (!options.manifest.empty()) {
      mksetup::SetResource(tree, mksetup::ResourceId::Number(24), mksetup::ResourceId::Number(1),
                           1033, {options.manifest.begin(), options.manifest.end()});
      mksetup::SortResourceTree(tree);
    }
    mksetup::BuildResourceSection(tree, nextRva, resources, ignored);
    sections.push_back({".rsrc", resources, mksetup::kResourceSectionFlags, 2});
  }
  if (options.relocAfterResources)
    sections.push_back({".reloc", PatternBytes(0x20, 4), 0x42000040, 5});
  if (options.dataAfterRelocations)
    sections.push_back({".data", PatternBytes(0x40, 6), 0xC0000040, 16});

  std::uint32_t rva = 0x1000;
  std::uint32_t initialized = 0;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const Section& section = sections[i];
    const auto rawSize = static_cast<std::uint32_t>(AlignUp(section.data.size(), kFileAlignment));
    const auto rawOffset = static_cast<std::uint32_t>(image.size());
    const std::uint32_t header = sectionTable + static_cast<std::uint32_t>(i) * 40;
    std::copy(section.name, section.name + std::char_traits<char>::length(section.name),
              image.begin() + header);
    WriteU32(image, header + 8, static_cast<std::uint32_t>(section.data.size()));
    WriteU32(image, header + 12, rva);
    WriteU32(image, header + 16, rawSize);
    WriteU32(image, header + 20, rawOffset);
    WriteU32(image, header + 36, section.flags);
    if (section.directory < 16) {
      WriteU32(image, optional + fixed + 8 * section.directory, rva);
      WriteU32(image, optional + fixed + 8 * section.directory + 4,
               static_cast<std::uint32_t>(section.data.size()));
    }
    if (section.flags & 0x40) initialized += rawSize;
    image.insert(image.end(), section.data.begin(), section.data.end());
    image.resize(rawOffset + rawSize, 0);
    rva += static_cast<std::uint32_t>(AlignUp(section.data.size(), kSectionAlignment));
  }
  WriteU16(image, fileHeader + 2, static_cast<std::uint16_t>(sections.size()));
  WriteU32(image, optional + 8, initialized);
  WriteU32(image, optional + 56, rva);

  const std::vector<std::uint8_t> overlay = PatternBytes(options.overlaySize, 5);
  image.insert(image.end(), overlay.begin(), overlay.end());
  if (options.certificateSize != 0) {
    image.resize(static_cast<std::size_t>(AlignUp(image.size(), 8)), 0);
    const auto at = static_cast<std::uint32_t>(image.size());
    std::vector<std::uint8_t> certificate = PatternBytes(options.certificateSize, 6);
    image.insert(image.end(), certificate.begin(), certificate.end());
    WriteU32(image, at, static_cast<std::uint32_t>(options.certificateSize));
    WriteU32(image, optional + fixed + 8 * 4, at);
    WriteU32(image, optional + fixed + 8 * 4 + 4,
             static_cast<std::uint32_t>(options.certificateSize));
  }
  WriteU32(image, optional + 64, mksetup::ComputePeChecksum(image, optional + 64));
  return image;
}

}  // namespace pe_test

#include "mksetup/commands/runtime_codecs.h"

#include <algorithm>
#include <string_view>

#include "format/runtime_codecs.h"

namespace mksetup {
namespace {

// The section's bytes in the file, cut to what the file holds.
std::string_view SectionBytes(std::span<const std::uint8_t> image, const PeSection& section) {
  if (section.pointerToRawData >= image.size()) return {};
  const std::size_t size =
      std::min<std::size_t>(section.MappedRawSize(), image.size() - section.pointerToRawData);
  return {reinterpret_cast<const char*>(image.data()) + section.pointerToRawData, size};
}

bool HoldsResources(const PeImage& pe, const PeSection& section) {
  if (pe.directories.size() <= kResourceDirectory) return false;
  const std::uint64_t rva = pe.directories[kResourceDirectory].virtualAddress;
  return pe.directories[kResourceDirectory].size != 0 && rva >= section.virtualAddress &&
         rva < std::uint64_t{section.virtualAddress} + section.MappedRawSize();
}

}  // namespace

RuntimeCodecs RuntimeCodecsOf(std::span<const std::uint8_t> image, const PeImage& pe) {
  constexpr std::string_view kMarker = SETUPKIT_RUNTIME_CODECS_MARKER;
  for (const PeSection& section : pe.sections) {
    if (HoldsResources(pe, section)) continue;
    const std::string_view bytes = SectionBytes(image, section);
    const std::size_t at = bytes.find(kMarker);
    if (at == std::string_view::npos) continue;
    std::string_view names = bytes.substr(at + kMarker.size());
    names = names.substr(0, names.find('\0'));
    RuntimeCodecs codecs;
    codecs.lzw = false;
    while (!names.empty()) {
      const std::size_t space = names.find(' ');
      const std::string_view name = names.substr(0, space);
      codecs.lzw = codecs.lzw || name == "lzw";
      codecs.lzma = codecs.lzma || name == "lzma";
      names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
    }
    return codecs;
  }
  return RuntimeCodecs{};
}

std::string RuntimeCodecMismatch(const std::string& runtime, const RuntimeCodecs& codecs,
                                 Codec codec) {
  const char* decodes = codecs.lzw ? "LZW only" : codecs.lzma ? "LZMA only" : "neither";
  return "the setup runtime " + runtime + " does not decode " +
         (codec == Codec::Lzma ? "LZMA, which --codec lzma" : "LZW, which --codec lzw") +
         " asks for: it decodes " + decodes;
}

}  // namespace mksetup

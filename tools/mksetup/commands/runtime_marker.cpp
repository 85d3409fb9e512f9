#include "mksetup/commands/runtime_marker.h"

#include <algorithm>

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

std::optional<std::vector<std::string_view>> RuntimeMarkerNames(std::span<const std::uint8_t> image,
                                                                const PeImage& pe,
                                                                std::string_view marker) {
  for (const PeSection& section : pe.sections) {
    if (HoldsResources(pe, section)) continue;
    const std::string_view bytes = SectionBytes(image, section);
    const std::size_t at = bytes.find(marker);
    if (at == std::string_view::npos) continue;
    std::string_view names = bytes.substr(at + marker.size());
    names = names.substr(0, names.find('\0'));
    std::vector<std::string_view> found;
    while (!names.empty()) {
      const std::size_t space = names.find(' ');
      found.push_back(names.substr(0, space));
      names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
    }
    return found;
  }
  return std::nullopt;
}

}  // namespace mksetup

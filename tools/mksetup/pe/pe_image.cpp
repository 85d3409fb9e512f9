#include "mksetup/pe/pe_image.h"

#include <algorithm>
#include <cstdio>

#include "base/little_endian.h"

namespace mksetup {

namespace {

constexpr std::uint32_t kDosHeaderSize = 64;
constexpr std::uint32_t kLfanewOffset = 0x3C;
constexpr std::uint32_t kFileHeaderSize = 20;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;
// The optional header up to its data directory.
constexpr std::uint32_t kOptionalFixedPe32 = 96;
constexpr std::uint32_t kOptionalFixedPe32Plus = 112;
constexpr std::uint32_t kMaxDirectories = 16;

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

}  // namespace

std::string PeHex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

bool ReadU16(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint16_t& value) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return false;
  const auto at = static_cast<std::size_t>(offset);
  value = base::LoadLe16(bytes.data() + at);
  return true;
}

bool ReadU32(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint32_t& value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return false;
  const auto at = static_cast<std::size_t>(offset);
  value = base::LoadLe32(bytes.data() + at);
  return true;
}

void WriteU16(std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint16_t value) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return;
  const auto at = static_cast<std::size_t>(offset);
  base::StoreLe16(bytes.data() + at, value);
}

void WriteU32(std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint32_t value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return;
  const auto at = static_cast<std::size_t>(offset);
  base::StoreLe32(bytes.data() + at, value);
}

std::uint32_t PeSection::MappedRawSize() const {
  return virtualSize != 0 ? std::min(virtualSize, sizeOfRawData) : sizeOfRawData;
}

std::uint64_t PeSection::VirtualEnd(std::uint32_t sectionAlignment) const {
  const std::uint32_t extent = virtualSize != 0 ? virtualSize : sizeOfRawData;
  return AlignUp(std::uint64_t{virtualAddress} + extent, sectionAlignment);
}

std::uint32_t PeImage::DirectoryOffset(std::size_t index) const {
  const std::uint32_t fixed = is64 ? kOptionalFixedPe32Plus : kOptionalFixedPe32;
  return optionalHeaderOffset + fixed + static_cast<std::uint32_t>(index * 8);
}

const PeSection* PeImage::SectionHolding(std::uint32_t rva, std::uint32_t size) const {
  for (const PeSection& section : sections) {
    const std::uint64_t start = section.virtualAddress;
    const std::uint64_t end = start + section.MappedRawSize();
    if (rva >= start && std::uint64_t{rva} + size <= end) return &section;
  }
  return nullptr;
}

bool PeImage::RvaToFileOffset(std::uint32_t rva, std::uint32_t size, std::uint32_t& offset) const {
  const PeSection* section = SectionHolding(rva, size);
  if (section == nullptr) return false;
  offset = section->pointerToRawData + (rva - section->virtualAddress);
  return true;
}

std::uint32_t PeImage::EndOfSectionData() const {
  std::uint32_t end = sizeOfHeaders;
  for (const PeSection& section : sections) {
    if (section.sizeOfRawData == 0) continue;
    end = std::max(end, section.pointerToRawData + section.sizeOfRawData);
  }
  return end;
}

bool ParsePeImage(std::span<const std::uint8_t> file, PeImage& image, std::string& error) {
  image = PeImage{};
  if (file.size() < kDosHeaderSize || file[0] != 'M' || file[1] != 'Z') {
    return Fail(error, "not a PE image: no MZ header");
  }
  // Two gigabytes keeps every offset plus a header field inside 32 bits.
  if (file.size() > 0x7FFFFFFFu) return Fail(error, "not a PE image: larger than 2 GB");

  std::uint32_t lfanew = 0;
  ReadU32(file, kLfanewOffset, lfanew);
  std::uint32_t signature = 0;
  if (!ReadU32(file, lfanew, signature)) {
    return Fail(error,
                "not a PE image: the PE header offset " + PeHex(lfanew) + " lies outside the file");
  }
  if (signature != 0x00004550) {  // "PE\0\0"
    return Fail(error, "not a PE image: no PE signature at " + PeHex(lfanew));
  }

  image.fileHeaderOffset = lfanew + 4;
  std::uint16_t sectionCount = 0;
  std::uint16_t optionalSize = 0;
  if (!ReadU16(file, image.fileHeaderOffset + 2, sectionCount) ||
      !ReadU32(file, image.fileHeaderOffset + 8, image.pointerToSymbolTable) ||
      !ReadU32(file, image.fileHeaderOffset + 12, image.numberOfSymbols) ||
      !ReadU16(file, image.fileHeaderOffset + 16, optionalSize) ||
      file.size() - image.fileHeaderOffset < kFileHeaderSize) {
    return Fail(error, "truncated PE image: the file header is cut off");
  }

  image.optionalHeaderOffset = image.fileHeaderOffset + kFileHeaderSize;
  const std::uint64_t optionalEnd = std::uint64_t{image.optionalHeaderOffset} + optionalSize;
  std::uint16_t magic = 0;
  if (!ReadU16(file, image.optionalHeaderOffset, magic) || optionalEnd > file.size()) {
    return Fail(error, "truncated PE image: the optional header is cut off");
  }
  if (magic != kMagicPe32 && magic != kMagicPe32Plus) {
    return Fail(error, "not a PE image: unknown optional header magic " + PeHex(magic));
  }
  image.is64 = magic == kMagicPe32Plus;
  const std::uint32_t fixed = image.is64 ? kOptionalFixedPe32Plus : kOptionalFixedPe32;
  if (optionalSize < fixed) {
    return Fail(error, "bad PE image: the optional header is " + std::to_string(optionalSize) +
                           " bytes, less than the " + std::to_string(fixed) + " it needs");
  }

  const std::uint32_t optional = image.optionalHeaderOffset;
  std::uint32_t directoryCount = 0;
  ReadU32(file, optional + 8, image.sizeOfInitializedData);
  ReadU32(file, optional + 32, image.sectionAlignment);
  ReadU32(file, optional + 36, image.fileAlignment);
  ReadU32(file, optional + 56, image.sizeOfImage);
  ReadU32(file, optional + 60, image.sizeOfHeaders);
  ReadU32(file, optional + 64, image.checkSum);
  ReadU32(file, optional + fixed - 4, directoryCount);
  // The directory has as many entries as the header says and has room for.
  directoryCount = std::min({directoryCount, kMaxDirectories, (optionalSize - fixed) / 8u});
  image.directories.resize(directoryCount);
  for (std::uint32_t i = 0; i < directoryCount; ++i) {
    ReadU32(file, image.DirectoryOffset(i), image.directories[i].virtualAddress);
    ReadU32(file, image.DirectoryOffset(i) + 4, image.directories[i].size);
  }

  if (!IsPowerOfTwo(image.fileAlignment) || !IsPowerOfTwo(image.sectionAlignment) ||
      image.sectionAlignment < image.fileAlignment) {
    return Fail(error, "bad PE image: file alignment " + PeHex(image.fileAlignment) +
                           " and section alignment " + PeHex(image.sectionAlignment) +
                           " are not powers of two with the file alignment the smaller");
  }
  if (image.sizeOfHeaders > file.size()) {
    return Fail(error, "truncated PE image: the headers (" + PeHex(image.sizeOfHeaders) +
                           " bytes) are longer than the file");
  }

  if (sectionCount > kMaxSections) {
    return Fail(error, "bad PE image: " + std::to_string(sectionCount) +
                           " sections, more than the " + std::to_string(kMaxSections) +
                           " the Windows loader accepts");
  }
  image.sectionTableOffset = static_cast<std::uint32_t>(optionalEnd);
  const std::uint64_t tableEnd = optionalEnd + std::uint64_t{sectionCount} * kSectionHeaderSize;
  if (tableEnd > file.size()) {
    return Fail(error, "truncated PE image: the section table (" + std::to_string(sectionCount) +
                           " sections) runs past the end of the file");
  }
  image.sections.resize(sectionCount);
  for (std::size_t i = 0; i < sectionCount; ++i) {
    PeSection& section = image.sections[i];
    const std::uint32_t at = image.SectionHeaderOffset(i);
    const auto* nameBytes = file.data() + at;
    section.name.assign(reinterpret_cast<const char*>(nameBytes),
                        std::find(nameBytes, nameBytes + 8, 0) - nameBytes);
    ReadU32(file, at + 8, section.virtualSize);
    ReadU32(file, at + 12, section.virtualAddress);
    ReadU32(file, at + 16, section.sizeOfRawData);
    ReadU32(file, at + 20, section.pointerToRawData);
    ReadU32(file, at + 36, section.characteristics);
    if (section.sizeOfRawData != 0 &&
        std::uint64_t{section.pointerToRawData} + section.sizeOfRawData > file.size()) {
      return Fail(error, "bad PE image: the data of section " + std::to_string(i + 1) + " (" +
                             section.name + ") at " + PeHex(section.pointerToRawData) + ", " +
                             PeHex(section.sizeOfRawData) + " bytes, lies outside the file");
    }
  }
  return true;
}

std::uint32_t ComputePeChecksum(std::span<const std::uint8_t> file, std::uint32_t checkSumOffset) {
  auto byteAt = [&](std::size_t i) -> std::uint32_t {
    if (i >= checkSumOffset && i - checkSumOffset < 4) return 0;
    return i < file.size() ? file[i] : 0;
  };
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < file.size(); i += 2) {
    sum += byteAt(i) | byteAt(i + 1) << 8;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + file.size());
}

}  // namespace mksetup

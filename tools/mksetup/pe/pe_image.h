// The headers and section table of a PE32 or PE32+ image, read from bytes.
// Every offset the file gives is checked against the buffer before it is
// used, so a damaged or hostile file is refused with a message instead of
// being read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mksetup {

// Indexes into the optional header's data directory.
constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kSecurityDirectory = 4;  // its address is a file offset
constexpr std::size_t kBaseRelocationDirectory = 5;

constexpr std::size_t kSectionHeaderSize = 40;
// The loader's documented limit. Bounding it also bounds the work of every
// address lookup in a hostile file.
constexpr std::size_t kMaxSections = 96;

// Section characteristics of a resource section: initialised data, readable.
constexpr std::uint32_t kResourceSectionFlags = 0x40000040;

struct PeSection {
  std::string name;  // the 8-byte field without its zero padding
  std::uint32_t virtualSize = 0;
  std::uint32_t virtualAddress = 0;
  std::uint32_t sizeOfRawData = 0;
  std::uint32_t pointerToRawData = 0;
  std::uint32_t characteristics = 0;

  // Bytes of raw data the loader maps: the raw data, cut to the virtual
  // size when that is smaller (the rest of the raw data is padding).
  std::uint32_t MappedRawSize() const;
  // The section's extent in memory, rounded up to the section alignment.
  std::uint64_t VirtualEnd(std::uint32_t sectionAlignment) const;
};

struct PeDataDirectory {
  std::uint32_t virtualAddress = 0;
  std::uint32_t size = 0;
};

struct PeImage {
  bool is64 = false;                   // PE32+ (optional header magic 0x20B)
  std::uint32_t fileHeaderOffset = 0;  // the COFF file header, after "PE\0\0"
  std::uint32_t optionalHeaderOffset = 0;
  std::uint32_t sectionTableOffset = 0;
  std::uint32_t pointerToSymbolTable = 0;  // COFF symbols of unstripped images
  std::uint32_t numberOfSymbols = 0;
  std::uint32_t sizeOfInitializedData = 0;
  std::uint32_t sectionAlignment = 0;
  std::uint32_t fileAlignment = 0;
  std::uint32_t sizeOfImage = 0;
  std::uint32_t sizeOfHeaders = 0;
  std::uint32_t checkSum = 0;
  std::vector<PeDataDirectory> directories;  // at most 16
  std::vector<PeSection> sections;

  // File offsets of the header fields a writer changes.
  std::uint32_t NumberOfSectionsOffset() const { return fileHeaderOffset + 2; }
  std::uint32_t PointerToSymbolTableOffset() const { return fileHeaderOffset + 8; }
  std::uint32_t SizeOfInitializedDataOffset() const { return optionalHeaderOffset + 8; }
  std::uint32_t SizeOfImageOffset() const { return optionalHeaderOffset + 56; }
  std::uint32_t CheckSumOffset() const { return optionalHeaderOffset + 64; }
  std::uint32_t DirectoryOffset(std::size_t index) const;
  std::uint32_t SectionHeaderOffset(std::size_t index) const {
    return sectionTableOffset + static_cast<std::uint32_t>(index * kSectionHeaderSize);
  }

  // The section whose mapped raw data holds [rva, rva + size), or null.
  const PeSection* SectionHolding(std::uint32_t rva, std::uint32_t size) const;
  // The file offset of [rva, rva + size) when one section's raw data holds it.
  bool RvaToFileOffset(std::uint32_t rva, std::uint32_t size, std::uint32_t& offset) const;
  // The end of the headers and of every section's raw data: what follows in
  // the file is overlay (symbols, a certificate, data appended by others).
  std::uint32_t EndOfSectionData() const;
};

// Reads the headers of a PE32 or PE32+ image. On failure returns false and
// sets error to a sentence that says what is wrong with the file.
bool ParsePeImage(std::span<const std::uint8_t> file, PeImage& image, std::string& error);

// The PE checksum of a whole file as the loader and signing tools compute
// it: 16-bit one's-complement-style sum of the file with the checksum field
// taken as zero, plus the file length.
std::uint32_t ComputePeChecksum(std::span<const std::uint8_t> file, std::uint32_t checkSumOffset);

// Little-endian access. The readers return false instead of reading past the
// buffer; the writers are only given offsets that a parsed image has proved
// to be inside it, and ignore any other.
bool ReadU16(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint16_t& value);
bool ReadU32(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint32_t& value);
void WriteU16(std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint16_t value);
void WriteU32(std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint32_t value);

// An offset, size or field as the PE messages show it: "0x" and upper-case hex.
std::string PeHex(std::uint64_t value);

// Rounds value up to a multiple of alignment (a power of two).
constexpr std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment) {
  return (value + alignment - 1) & ~(alignment - 1);
}

}  // namespace mksetup

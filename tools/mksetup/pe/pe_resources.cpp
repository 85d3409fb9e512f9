#include "mksetup/pe/pe_resources.h"

#include <algorithm>
#include <optional>

#include "format/payload_contract.h"

namespace mksetup {

namespace {

constexpr std::uint32_t kSmallestWritableAlignment = 0x1000;
// The resource section's bytes start on a page boundary in the file. Wine
// maps a section straight from the file only when its data starts on a page;
// otherwise it reads the whole section (the payload: tens or hundreds of MB)
// into fresh memory before the program starts. Windows maps either way.
constexpr std::uint32_t kResourceDataAlignment = 0x1000;
constexpr std::uint64_t kLargestImage = 0x7FFFFFFF;  // what ParsePeImage accepts
constexpr char kNewSectionName[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};

bool Fail(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}

bool ParseWithTree(std::span<const std::uint8_t> image, PeImage& pe, ResourceTree& tree,
                   std::string& error) {
  return ParsePeImage(image, pe, error) && ReadResourceTree(image, pe, tree, error);
}

// Where the rebuilt resource section goes.
struct Placement {
  bool reuseLast = false;  // rewrite sections[index]; else append a new section
  std::size_t index = 0;
  std::uint32_t rva = 0;
  std::uint32_t fileOffset = 0;
  // The base relocation section that follows the reused one (as linkers lay
  // them out), moved behind the rewritten resources; none when it is last.
  std::optional<std::size_t> relocations;
};

bool IsInside(std::uint32_t rva, const PeSection& section, std::uint32_t sectionAlignment) {
  return rva >= section.virtualAddress && rva < section.VirtualEnd(sectionAlignment);
}

// The section that holds exactly the base relocation table and nothing else
// any directory points at, when it is the last section both in memory and
// in the file: its bytes do not depend on where it lies, so it can move.
std::optional<std::size_t> MovableRelocations(const PeImage& pe) {
  if (pe.directories.size() <= kBaseRelocationDirectory || pe.sections.empty()) return {};
  const std::uint32_t rva = pe.directories[kBaseRelocationDirectory].virtualAddress;
  const std::size_t index = pe.sections.size() - 1;
  const PeSection& last = pe.sections[index];
  if (rva == 0 || !IsInside(rva, last, pe.sectionAlignment) || last.sizeOfRawData == 0 ||
      last.pointerToRawData + last.sizeOfRawData != pe.EndOfSectionData()) {
    return {};
  }
  for (std::size_t d = 0; d < pe.directories.size(); ++d) {
    if (d == kBaseRelocationDirectory || d == kSecurityDirectory) continue;
    const std::uint32_t other = pe.directories[d].virtualAddress;
    if (other != 0 && IsInside(other, last, pe.sectionAlignment)) return {};
  }
  return index;
}

// The resource section can be rewritten in place when it is the last section
// both in memory and in the file (or only the base relocations follow it,
// which then move behind it), the resource directory starts it, and no other
// directory (imports, relocations...) points into it.
bool CanReuseResourceSection(const PeImage& pe, std::size_t index,
                             std::optional<std::size_t> relocations) {
  const PeSection& candidate = pe.sections[index];
  const std::uint32_t dataEnd =
      relocations ? pe.sections[*relocations].pointerToRawData : pe.EndOfSectionData();
  if (candidate.sizeOfRawData == 0 ||
      pe.directories[kResourceDirectory].virtualAddress != candidate.virtualAddress ||
      candidate.pointerToRawData + candidate.sizeOfRawData != dataEnd) {
    return false;
  }
  for (std::size_t i = 0; i < pe.sections.size(); ++i) {
    if (i == index || i == relocations) continue;
    const PeSection& other = pe.sections[i];
    if (other.virtualAddress >= candidate.virtualAddress) return false;
    if (other.sizeOfRawData != 0 &&
        other.pointerToRawData + other.sizeOfRawData > candidate.pointerToRawData) {
      return false;
    }
  }
  for (std::size_t d = 0; d < pe.directories.size(); ++d) {
    if (d == kResourceDirectory || d == kSecurityDirectory) continue;
    const std::uint32_t rva = pe.directories[d].virtualAddress;
    if (rva != 0 && IsInside(rva, candidate, pe.sectionAlignment)) return false;
  }
  return true;
}

bool PlanPlacement(std::span<const std::uint8_t> image, const PeImage& pe, Placement& placement,
                   std::string& error) {
  const std::uint32_t resourceRva = pe.directories[kResourceDirectory].virtualAddress;
  const auto holder = std::find_if(pe.sections.begin(), pe.sections.end(), [&](const PeSection& s) {
    return resourceRva != 0 && IsInside(resourceRva, s, pe.sectionAlignment);
  });
  if (holder != pe.sections.end()) {
    const auto index = static_cast<std::size_t>(holder - pe.sections.begin());
    std::optional<std::size_t> relocations = MovableRelocations(pe);
    if (relocations == index) relocations.reset();
    if (CanReuseResourceSection(pe, index, relocations)) {
      placement.reuseLast = true;
      placement.index = index;
      placement.relocations = relocations;
      placement.rva = holder->virtualAddress;
      placement.fileOffset =
          static_cast<std::uint32_t>(AlignUp(holder->pointerToRawData, kResourceDataAlignment));
      return true;
    }
  }

  // A new section header goes after the table, into the headers' padding,
  // which must be free: before the first section's data and all zero.
  const std::uint64_t tableEnd = pe.SectionHeaderOffset(pe.sections.size());
  std::uint64_t room = pe.sizeOfHeaders;
  for (const PeSection& section : pe.sections) {
    if (section.sizeOfRawData != 0) room = std::min<std::uint64_t>(room, section.pointerToRawData);
  }
  auto isZero = [](std::uint8_t byte) { return byte == 0; };
  const bool zeroed =
      tableEnd + kSectionHeaderSize <= room &&
      std::ranges::all_of(image.subspan(static_cast<std::size_t>(tableEnd), kSectionHeaderSize),
                          isZero);
  if (!zeroed || pe.sections.size() >= kMaxSections) {
    return Fail(error,
                "cannot add a resource section: no free room in the headers for another "
                "section header, and the resource section is not the last section");
  }
  std::uint64_t virtualEnd = AlignUp(pe.sizeOfHeaders, pe.sectionAlignment);
  for (const PeSection& section : pe.sections) {
    virtualEnd = std::max(virtualEnd, section.VirtualEnd(pe.sectionAlignment));
  }
  const std::uint64_t fileOffset =
      AlignUp(pe.EndOfSectionData(), std::max(pe.fileAlignment, kResourceDataAlignment));
  if (virtualEnd > 0xFFFFFFFF || fileOffset > kLargestImage) {
    return Fail(error, "cannot add a resource section: the image has no address space left");
  }
  placement.index = pe.sections.size();
  placement.rva = static_cast<std::uint32_t>(virtualEnd);
  placement.fileOffset = static_cast<std::uint32_t>(fileOffset);
  return true;
}

bool CheckKeyName(const ResourceId& id, std::string& error) {
  if (!id.isName) return true;
  const bool printable = !id.name.empty() && id.name.size() <= 255 &&
                         std::all_of(id.name.begin(), id.name.end(),
                                     [](char16_t unit) { return unit >= 0x20 && unit < 0x7F; });
  return printable || Fail(error, "resource name \"" + id.ToString() +
                                      "\": names must be 1 to 255 printable ASCII characters");
}

ResourceId StoredForm(ResourceId id) {
  for (char16_t& unit : id.name) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return id;
}

// The file's bytes after the last section, less a certificate table lying
// among them, and where an old offset in them moves to.
struct Overlay {
  std::uint32_t start = 0;
  std::uint32_t cutStart = 0;  // the certificate's bytes, dropped
  std::uint32_t cutEnd = 0;

  std::size_t Size(std::size_t fileSize) const { return fileSize - start - (cutEnd - cutStart); }
  std::optional<std::uint32_t> Moved(std::uint32_t offset, std::uint32_t newStart) const {
    if (offset < start || (offset >= cutStart && offset < cutEnd)) return std::nullopt;
    const std::uint32_t shift = offset >= cutEnd ? cutEnd - cutStart : 0;
    return newStart + (offset - start) - shift;
  }
};

}  // namespace

ResourceKey PayloadResourceKey() {
  return ResourceKey{ResourceId::Name(format::kArchiveResourceType),
                     ResourceId::Number(format::kArchiveResourceName), 0};
}

ResourceKey ChecksumResourceKey() {
  return ResourceKey{ResourceId::Name(format::kChecksumResourceType),
                     ResourceId::Number(format::kChecksumResourceName), 0};
}

ResourceKey ScopeResourceKey() {
  return ResourceKey{ResourceId::Name(format::kScopeResourceType),
                     ResourceId::Number(format::kScopeResourceName), 0};
}

bool ListResources(std::span<const std::uint8_t> image, std::vector<ResourceInfo>& resources,
                   std::string& error) {
  PeImage pe;
  ResourceTree tree;
  if (!ParseWithTree(image, pe, tree, error)) return false;
  resources.clear();
  for (const ResourceType& type : tree.types) {
    for (const ResourceName& name : type.names) {
      for (const ResourceLanguage& language : name.languages) {
        resources.push_back(ResourceInfo{ResourceKey{type.id, name.id, language.language},
                                         language.codePage, language.data.size()});
      }
    }
  }
  return true;
}

bool FindResourceData(std::span<const std::uint8_t> image, const ResourceId& type,
                      const ResourceId& name, std::span<const std::uint8_t>& data,
                      std::string& error) {
  PeImage pe;
  ResourceTree tree;
  if (!ParsePeImage(image, pe, error) || !ReadResourceTree(image, pe, tree, error, false))
    return false;
  const ResourceName* entry = FindResourceName(tree, type, name);
  if (entry == nullptr || entry->languages.empty()) {
    return Fail(error, "the image has no resource " + type.ToString() + " " + name.ToString());
  }
  const auto neutral = std::find_if(entry->languages.begin(), entry->languages.end(),
                                    [](const ResourceLanguage& l) { return l.language == 0; });
  data = neutral != entry->languages.end() ? neutral->stored : entry->languages.front().stored;
  return true;
}

bool ReadResource(std::span<const std::uint8_t> image, const ResourceId& type,
                  const ResourceId& name, std::vector<std::uint8_t>& data, std::string& error) {
  std::span<const std::uint8_t> found;
  if (!FindResourceData(image, type, name, found, error)) return false;
  data.assign(found.begin(), found.end());
  return true;
}

bool WriteResource(std::span<const std::uint8_t> image, const ResourceKey& key,
                   std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out,
                   std::string& error, ResourceWriteNotes* notes) {
  if (!CheckKeyName(key.type, error) || !CheckKeyName(key.name, error)) return false;
  PeImage pe;
  ResourceTree tree;
  if (!ParseWithTree(image, pe, tree, error)) return false;
  if (pe.directories.size() <= kResourceDirectory) {
    return Fail(error, "the image's data directory has no resource entry");
  }
  if (pe.sectionAlignment < kSmallestWritableAlignment) {
    return Fail(error, "images with a section alignment below 4096 bytes are not supported");
  }
  SetResource(tree, StoredForm(key.type), StoredForm(key.name), key.language,
              std::vector<std::uint8_t>(data.begin(), data.end()));
  SortResourceTree(tree);

  Placement placement;
  std::vector<std::uint8_t> section;
  if (!PlanPlacement(image, pe, placement, error) ||
      !BuildResourceSection(tree, placement.rva, section, error)) {
    return false;
  }
  const auto rawSize = static_cast<std::uint32_t>(AlignUp(section.size(), pe.fileAlignment));
  const auto virtualSize = static_cast<std::uint32_t>(section.size());

  Overlay overlay;
  overlay.start = pe.EndOfSectionData();
  bool signedImage = false;
  if (pe.directories.size() > kSecurityDirectory) {
    const PeDataDirectory& certificate = pe.directories[kSecurityDirectory];
    signedImage = certificate.virtualAddress != 0 || certificate.size != 0;
    if (certificate.virtualAddress >= overlay.start &&
        std::uint64_t{certificate.virtualAddress} + certificate.size <= image.size()) {
      overlay.cutStart = certificate.virtualAddress;
      overlay.cutEnd = certificate.virtualAddress + certificate.size;
    }
  }

  // Headers and sections up to the new resource section, the section, the
  // base relocations when they move, then the overlay.
  const PeSection* const relocations =
      placement.relocations ? &pe.sections[*placement.relocations] : nullptr;
  const std::uint32_t relocationsRawSize = relocations ? relocations->sizeOfRawData : 0;
  const std::uint64_t outputSize = std::uint64_t{placement.fileOffset} + rawSize +
                                   relocationsRawSize + overlay.Size(image.size());
  if (outputSize > kLargestImage) {
    return Fail(error,
                "the image would grow to " + std::to_string(outputSize) + " bytes, more than 2 GB");
  }
  const std::uint32_t keptEnd =
      placement.reuseLast ? pe.sections[placement.index].pointerToRawData : overlay.start;
  std::vector<std::uint8_t> result(image.begin(), image.begin() + keptEnd);
  result.resize(placement.fileOffset, 0);
  result.insert(result.end(), section.begin(), section.end());
  result.resize(std::size_t{placement.fileOffset} + rawSize, 0);
  const auto relocationsOffset = static_cast<std::uint32_t>(result.size());
  const std::uint64_t relocationsRva =
      AlignUp(std::uint64_t{placement.rva} + virtualSize, pe.sectionAlignment);
  if (relocations != nullptr) {
    const auto from = image.begin() + relocations->pointerToRawData;
    result.insert(result.end(), from, from + relocationsRawSize);
  }
  const auto newOverlayStart = static_cast<std::uint32_t>(result.size());
  if (overlay.cutEnd > overlay.cutStart) {
    result.insert(result.end(), image.begin() + overlay.start, image.begin() + overlay.cutStart);
    result.insert(result.end(), image.begin() + overlay.cutEnd, image.end());
  } else {
    result.insert(result.end(), image.begin() + overlay.start, image.end());
  }

  // The section header: the old one resized, or a new one after the table.
  std::uint32_t oldRawSize = 0;
  const std::uint32_t header = pe.SectionHeaderOffset(placement.index);
  if (placement.reuseLast) {
    oldRawSize = pe.sections[placement.index].sizeOfRawData;
  } else {
    std::copy(std::begin(kNewSectionName), std::end(kNewSectionName), result.begin() + header);
    WriteU32(result, header + 12, placement.rva);
    WriteU32(result, header + 36, kResourceSectionFlags);
    WriteU16(result, pe.NumberOfSectionsOffset(),
             static_cast<std::uint16_t>(pe.sections.size() + 1));
  }
  WriteU32(result, header + 8, virtualSize);
  WriteU32(result, header + 16, rawSize);
  WriteU32(result, header + 20, placement.fileOffset);

  WriteU32(result, pe.DirectoryOffset(kResourceDirectory), placement.rva);
  WriteU32(result, pe.DirectoryOffset(kResourceDirectory) + 4, virtualSize);
  if (signedImage) {
    WriteU32(result, pe.DirectoryOffset(kSecurityDirectory), 0);
    WriteU32(result, pe.DirectoryOffset(kSecurityDirectory) + 4, 0);
  }

  // The resource section ends the image in memory, whether reused or new,
  // unless the base relocations moved behind it.
  std::uint64_t imageEnd = relocationsRva;
  if (relocations != nullptr) {
    imageEnd += relocations->VirtualEnd(pe.sectionAlignment) - relocations->virtualAddress;
    const std::uint32_t relocationsHeader = pe.SectionHeaderOffset(*placement.relocations);
    const std::uint32_t tableRva = pe.directories[kBaseRelocationDirectory].virtualAddress;
    if (imageEnd <= 0xFFFFFFFF) {
      WriteU32(result, relocationsHeader + 12, static_cast<std::uint32_t>(relocationsRva));
      WriteU32(result, relocationsHeader + 20, relocationsOffset);
      WriteU32(
          result, pe.DirectoryOffset(kBaseRelocationDirectory),
          static_cast<std::uint32_t>(relocationsRva + (tableRva - relocations->virtualAddress)));
    }
  }
  if (imageEnd > 0xFFFFFFFF) {
    return Fail(error, "the resources do not fit in the image's 4 GB address space");
  }
  WriteU32(result, pe.SizeOfImageOffset(), static_cast<std::uint32_t>(imageEnd));
  const std::int64_t initialized = std::int64_t{pe.sizeOfInitializedData} + rawSize - oldRawSize;
  WriteU32(result, pe.SizeOfInitializedDataOffset(),
           static_cast<std::uint32_t>(std::clamp<std::int64_t>(initialized, 0, 0xFFFFFFFF)));

  // The COFF symbols of an unstripped image move with the overlay; symbols
  // that lay inside the rewritten section are gone.
  if (pe.pointerToSymbolTable != 0) {
    const std::optional<std::uint32_t> moved =
        overlay.Moved(pe.pointerToSymbolTable, newOverlayStart);
    if (moved) {
      WriteU32(result, pe.PointerToSymbolTableOffset(), *moved);
    } else if (pe.pointerToSymbolTable >= keptEnd) {
      WriteU32(result, pe.PointerToSymbolTableOffset(), 0);
      WriteU32(result, pe.PointerToSymbolTableOffset() + 4, 0);
    }
  }

  WriteU32(result, pe.CheckSumOffset(), ComputePeChecksum(result, pe.CheckSumOffset()));

  if (notes != nullptr) {
    notes->appendedSection = !placement.reuseLast;
    notes->removedSignature = signedImage;
    notes->overlaySize = result.size() - newOverlayStart;
  }
  out.swap(result);
  return true;
}

}  // namespace mksetup

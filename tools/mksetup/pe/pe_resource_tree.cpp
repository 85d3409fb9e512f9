#include "mksetup/pe/pe_resource_tree.h"

#include <algorithm>
#include <set>

namespace mksetup {

namespace {

constexpr std::uint32_t kTableHeaderSize = 16;
constexpr std::uint32_t kEntrySize = 8;
constexpr std::uint32_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000;  // name: a string; target: a table
constexpr std::uint64_t kLargestOffset = 0x7FFFFFFF;
constexpr std::uint64_t kDataAlignment = 8;

char16_t AsciiUpper(char16_t unit) {
  return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

std::uint64_t TableSize(std::size_t entries) {
  return kTableHeaderSize + std::uint64_t{kEntrySize} * entries;
}

// One entry of a directory table before it is followed.
struct TableEntry {
  ResourceId id;
  bool isTable = false;
  std::uint32_t target = 0;  // offset from the root of a table or a data entry
};

// Reads the tables of one resource directory. All offsets are relative to
// the root table and are checked against the part of the resource section
// from the root to the section's end.
class TreeReader {
 public:
  TreeReader(std::span<const std::uint8_t> file, const PeImage& image,
             std::span<const std::uint8_t> section, std::string& error, bool copyData)
      : file_(file), image_(image), section_(section), error_(error), copyData_(copyData) {}

  bool ReadTable(std::uint32_t offset, ResourceDirectoryInfo& info,
                 std::vector<TableEntry>& entries) {
    if (!Visit(offset)) return false;
    std::uint16_t named = 0;
    std::uint16_t numbered = 0;
    if (!ReadU32(section_, offset, info.characteristics) ||
        !ReadU32(section_, std::uint64_t{offset} + 4, info.timeDateStamp) ||
        !ReadU16(section_, std::uint64_t{offset} + 8, info.majorVersion) ||
        !ReadU16(section_, std::uint64_t{offset} + 10, info.minorVersion) ||
        !ReadU16(section_, std::uint64_t{offset} + 12, named) ||
        !ReadU16(section_, std::uint64_t{offset} + 14, numbered) ||
        offset + TableSize(std::size_t{named} + numbered) > section_.size()) {
      return Fail("a resource directory table at offset " + PeHex(offset) +
                  " runs past the end of the resource section");
    }
    entries.assign(std::size_t{named} + numbered, TableEntry{});
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::uint64_t at = offset + kTableHeaderSize + kEntrySize * i;
      std::uint32_t nameField = 0;
      std::uint32_t targetField = 0;
      ReadU32(section_, at, nameField);
      ReadU32(section_, at + 4, targetField);
      if (!ReadId(nameField, entries[i].id)) return false;
      entries[i].isTable = (targetField & kHighBit) != 0;
      entries[i].target = targetField & ~kHighBit;
    }
    return true;
  }

  bool ReadData(std::uint32_t offset, ResourceLanguage& language) {
    if (!Visit(offset)) return false;
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    if (!ReadU32(section_, offset, rva) || !ReadU32(section_, std::uint64_t{offset} + 4, size) ||
        !ReadU32(section_, std::uint64_t{offset} + 8, language.codePage) ||
        !ReadU32(section_, std::uint64_t{offset} + 12, language.reserved)) {
      return Fail("a resource data entry at offset " + PeHex(offset) +
                  " runs past the end of the resource section");
    }
    std::uint32_t fileOffset = 0;
    if (!image_.RvaToFileOffset(rva, size, fileOffset)) {
      return Fail("resource data at RVA " + PeHex(rva) + " (" + std::to_string(size) +
                  " bytes) lie outside the image's sections");
    }
    // Sound trees do not share data, so all of it together fits in the file;
    // entries that overlap could otherwise multiply the copies without end.
    copied_ += size;
    if (copied_ > file_.size()) return Fail("resource data entries overlap one another");
    language.stored = file_.subspan(fileOffset, size);
    if (copyData_) language.data.assign(language.stored.begin(), language.stored.end());
    return true;
  }

  bool Fail(const std::string& message) {
    error_ = "bad resource directory: " + message;
    return false;
  }

 private:
  // Each table and data entry belongs to one parent: reaching one again
  // means a loop or a shared subtree, either of which could make the walk
  // endless or its copies unbounded.
  bool Visit(std::uint32_t offset) {
    if (visited_.insert(offset).second) return true;
    return Fail("the entry at offset " + PeHex(offset) +
                " is reached twice (a loop or a shared subtree)");
  }

  bool ReadId(std::uint32_t field, ResourceId& id) {
    if ((field & kHighBit) == 0) {
      if (field > 0xFFFF) return Fail("a resource id " + PeHex(field) + " is above 0xFFFF");
      id = ResourceId::Number(static_cast<std::uint16_t>(field));
      return true;
    }
    const std::uint32_t offset = field & ~kHighBit;
    std::uint16_t length = 0;
    if (!ReadU16(section_, offset, length) ||
        section_.size() - offset - 2 < std::uint64_t{length} * 2) {
      return Fail("a resource name at offset " + PeHex(offset) +
                  " runs past the end of the resource section");
    }
    id.isName = true;
    id.name.resize(length);
    for (std::uint16_t i = 0; i < length; ++i) {
      std::uint16_t unit = 0;
      ReadU16(section_, std::uint64_t{offset} + 2 + 2u * i, unit);
      id.name[i] = static_cast<char16_t>(unit);
    }
    return true;
  }

  std::span<const std::uint8_t> file_;
  const PeImage& image_;
  std::span<const std::uint8_t> section_;
  std::string& error_;
  bool copyData_;
  std::set<std::uint32_t> visited_;
  std::uint64_t copied_ = 0;
};

}  // namespace

ResourceId ResourceId::Number(std::uint16_t number) {
  ResourceId id;
  id.number = number;
  return id;
}

ResourceId ResourceId::Name(std::string_view text) {
  ResourceId id;
  id.isName = true;
  for (char c : text) id.name.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return id;
}

std::string ResourceId::ToString() const {
  if (!isName) return std::to_string(number);
  std::string text;
  for (char16_t unit : name) text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return text;
}

bool ResourceId::Matches(const ResourceId& other) const {
  if (isName != other.isName) return false;
  if (!isName) return number == other.number;
  return std::equal(name.begin(), name.end(), other.name.begin(), other.name.end(),
                    [](char16_t a, char16_t b) { return AsciiUpper(a) == AsciiUpper(b); });
}

bool ResourceIdLess(const ResourceId& left, const ResourceId& right) {
  if (left.isName != right.isName) return left.isName;
  if (left.isName) return left.name < right.name;
  return left.number < right.number;
}

bool ReadResourceTree(std::span<const std::uint8_t> file, const PeImage& image, ResourceTree& tree,
                      std::string& error, bool copyData) {
  tree = ResourceTree{};
  if (image.directories.size() <= kResourceDirectory) return true;
  const std::uint32_t rootRva = image.directories[kResourceDirectory].virtualAddress;
  if (rootRva == 0) return true;

  const PeSection* holder = image.SectionHolding(rootRva, kTableHeaderSize);
  if (holder == nullptr) {
    error = "bad resource directory: its RVA " + PeHex(rootRva) + " lies outside every section";
    return false;
  }
  const std::uint32_t intoSection = rootRva - holder->virtualAddress;
  const auto section = file.subspan(std::size_t{holder->pointerToRawData} + intoSection,
                                    holder->MappedRawSize() - intoSection);
  TreeReader reader(file, image, section, error, copyData);

  std::vector<TableEntry> typeEntries;
  if (!reader.ReadTable(0, tree.info, typeEntries)) return false;
  for (const TableEntry& typeEntry : typeEntries) {
    if (!typeEntry.isTable) return reader.Fail("a resource type entry points at data");
    ResourceType& type = tree.types.emplace_back();
    type.id = typeEntry.id;
    std::vector<TableEntry> nameEntries;
    if (!reader.ReadTable(typeEntry.target, type.info, nameEntries)) return false;
    for (const TableEntry& nameEntry : nameEntries) {
      if (!nameEntry.isTable) return reader.Fail("a resource name entry points at data");
      ResourceName& name = type.names.emplace_back();
      name.id = nameEntry.id;
      std::vector<TableEntry> languageEntries;
      if (!reader.ReadTable(nameEntry.target, name.info, languageEntries)) return false;
      for (const TableEntry& languageEntry : languageEntries) {
        if (languageEntry.isTable) {
          return reader.Fail("the tree is deeper than type, name and language");
        }
        if (languageEntry.id.isName) return reader.Fail("a resource language has a name");
        ResourceLanguage& language = name.languages.emplace_back();
        language.language = languageEntry.id.number;
        if (!reader.ReadData(languageEntry.target, language)) return false;
      }
    }
  }
  return true;
}

bool BuildResourceSection(const ResourceTree& tree, std::uint32_t sectionRva,
                          std::vector<std::uint8_t>& section, std::string& error) {
  // First the sizes of the four regions, to place each of them.
  std::uint64_t tablesSize = TableSize(tree.types.size());
  std::uint64_t dataEntryCount = 0;
  std::uint64_t namesSize = 0;
  std::uint64_t dataSize = 0;
  auto countName = [&](const ResourceId& id) {
    if (id.isName) namesSize += 2 + 2 * std::uint64_t{id.name.size()};
    return !id.isName || id.name.size() <= 0xFFFF;
  };
  bool namesFit = true;
  for (const ResourceType& type : tree.types) {
    namesFit = countName(type.id) && namesFit;
    tablesSize += TableSize(type.names.size());
    for (const ResourceName& name : type.names) {
      namesFit = countName(name.id) && namesFit;
      tablesSize += TableSize(name.languages.size());
      dataEntryCount += name.languages.size();
      for (const ResourceLanguage& language : name.languages) {
        dataSize += AlignUp(language.data.size(), kDataAlignment);
      }
    }
  }
  if (!namesFit) {
    error = "a resource name is longer than 65535 characters";
    return false;
  }
  const std::uint64_t dataEntriesStart = tablesSize;
  const std::uint64_t namesStart = dataEntriesStart + kDataEntrySize * dataEntryCount;
  const std::uint64_t dataStart = AlignUp(namesStart + namesSize, kDataAlignment);
  const std::uint64_t total = dataStart + dataSize;
  if (total > kLargestOffset || sectionRva + total > 0xFFFFFFFF) {
    error = "the resources come to " + std::to_string(total) +
            " bytes, more than a resource section can hold";
    return false;
  }

  // Then the bytes. Offsets fit in 31 bits from here on.
  section.assign(static_cast<std::size_t>(total), 0);
  auto nextTable = static_cast<std::uint32_t>(TableSize(tree.types.size()));
  auto nextDataEntry = static_cast<std::uint32_t>(dataEntriesStart);
  auto nextName = static_cast<std::uint32_t>(namesStart);
  auto nextData = static_cast<std::uint32_t>(dataStart);

  auto nameField = [&](const ResourceId& id) -> std::uint32_t {
    if (!id.isName) return id.number;
    const std::uint32_t at = nextName;
    WriteU16(section, at, static_cast<std::uint16_t>(id.name.size()));
    for (std::size_t i = 0; i < id.name.size(); ++i) WriteU16(section, at + 2 + 2 * i, id.name[i]);
    nextName += static_cast<std::uint32_t>(2 + 2 * id.name.size());
    return kHighBit | at;
  };
  auto writeHeader = [&](std::uint32_t at, const ResourceDirectoryInfo& info, std::size_t named,
                         std::size_t entries) {
    WriteU32(section, at, info.characteristics);
    WriteU32(section, at + 4, info.timeDateStamp);
    WriteU16(section, at + 8, info.majorVersion);
    WriteU16(section, at + 10, info.minorVersion);
    WriteU16(section, at + 12, static_cast<std::uint16_t>(named));
    WriteU16(section, at + 14, static_cast<std::uint16_t>(entries - named));
  };
  auto writeEntry = [&](std::uint32_t table, std::size_t index, std::uint32_t name,
                        std::uint32_t target) {
    const std::uint64_t at = table + kTableHeaderSize + kEntrySize * index;
    WriteU32(section, at, name);
    WriteU32(section, at + 4, target);
  };
  auto namedCount = [](const auto& children) {
    return static_cast<std::size_t>(std::count_if(
        children.begin(), children.end(), [](const auto& child) { return child.id.isName; }));
  };

  // Tables breadth first: the root, every type's table, every name's table.
  writeHeader(0, tree.info, namedCount(tree.types), tree.types.size());
  std::vector<std::uint32_t> typeTables;
  for (const ResourceType& type : tree.types) {
    typeTables.push_back(nextTable);
    nextTable += static_cast<std::uint32_t>(TableSize(type.names.size()));
  }
  for (std::size_t t = 0; t < tree.types.size(); ++t) {
    const ResourceType& type = tree.types[t];
    writeEntry(0, t, nameField(type.id), kHighBit | typeTables[t]);
    writeHeader(typeTables[t], type.info, namedCount(type.names), type.names.size());
  }
  for (std::size_t t = 0; t < tree.types.size(); ++t) {
    const ResourceType& type = tree.types[t];
    for (std::size_t n = 0; n < type.names.size(); ++n) {
      const ResourceName& name = type.names[n];
      const std::uint32_t nameTable = nextTable;
      nextTable += static_cast<std::uint32_t>(TableSize(name.languages.size()));
      writeEntry(typeTables[t], n, nameField(name.id), kHighBit | nameTable);
      writeHeader(nameTable, name.info, 0, name.languages.size());
      for (std::size_t l = 0; l < name.languages.size(); ++l) {
        const ResourceLanguage& language = name.languages[l];
        writeEntry(nameTable, l, language.language, nextDataEntry);
        WriteU32(section, nextDataEntry, sectionRva + nextData);
        WriteU32(section, nextDataEntry + 4, static_cast<std::uint32_t>(language.data.size()));
        WriteU32(section, nextDataEntry + 8, language.codePage);
        WriteU32(section, nextDataEntry + 12, language.reserved);
        nextDataEntry += kDataEntrySize;
        std::copy(language.data.begin(), language.data.end(), section.begin() + nextData);
        nextData += static_cast<std::uint32_t>(AlignUp(language.data.size(), kDataAlignment));
      }
    }
  }
  return true;
}

void SortResourceTree(ResourceTree& tree) {
  auto byId = [](const auto& left, const auto& right) { return ResourceIdLess(left.id, right.id); };
  std::stable_sort(tree.types.begin(), tree.types.end(), byId);
  for (ResourceType& type : tree.types) {
    std::stable_sort(type.names.begin(), type.names.end(), byId);
    for (ResourceName& name : type.names) {
      std::stable_sort(name.languages.begin(), name.languages.end(),
                       [](const ResourceLanguage& left, const ResourceLanguage& right) {
                         return left.language < right.language;
                       });
    }
  }
}

const ResourceName* FindResourceName(const ResourceTree& tree, const ResourceId& type,
                                     const ResourceId& name) {
  for (const ResourceType& candidate : tree.types) {
    if (!candidate.id.Matches(type)) continue;
    for (const ResourceName& entry : candidate.names) {
      if (entry.id.Matches(name)) return &entry;
    }
  }
  return nullptr;
}

void SetResource(ResourceTree& tree, const ResourceId& type, const ResourceId& name,
                 std::uint16_t language, std::vector<std::uint8_t> data) {
  auto typeIt =
      std::find_if(tree.types.begin(), tree.types.end(),
                   [&](const ResourceType& candidate) { return candidate.id.Matches(type); });
  if (typeIt == tree.types.end()) {
    typeIt = tree.types.emplace(tree.types.end());
    typeIt->id = type;
  }
  auto nameIt =
      std::find_if(typeIt->names.begin(), typeIt->names.end(),
                   [&](const ResourceName& candidate) { return candidate.id.Matches(name); });
  if (nameIt == typeIt->names.end()) {
    nameIt = typeIt->names.emplace(typeIt->names.end());
    nameIt->id = name;
  }
  nameIt->languages.clear();
  ResourceLanguage& entry = nameIt->languages.emplace_back();
  entry.language = language;
  entry.data = std::move(data);
}

}  // namespace mksetup

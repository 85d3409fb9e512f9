// The resource tree of a PE image (type -> name -> language -> data), read
// from its resource directory and laid out again as the contents of a new
// resource section.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mksetup/pe/pe_image.h"

namespace mksetup {

// A level's key: a number or a name. Names keep the UTF-16 code units the
// file stores, so rewriting the tree keeps them exactly.
struct ResourceId {
  bool isName = false;
  std::uint16_t number = 0;
  std::u16string name;

  static ResourceId Number(std::uint16_t number);
  // A name from ASCII text, one code unit per character.
  static ResourceId Name(std::string_view text);

  // "129" for a number, the name for a name (code units above 0x7F as '?').
  std::string ToString() const;
  // How the Windows loader matches a requested id: names without regard
  // to the case of ASCII letters.
  bool Matches(const ResourceId& other) const;
};

// The order the loader's binary search expects within a directory: names
// first, by code unit, then numbers, ascending.
bool ResourceIdLess(const ResourceId& left, const ResourceId& right);

// The header fields of a directory table other than its entry counts.
struct ResourceDirectoryInfo {
  std::uint32_t characteristics = 0;
  std::uint32_t timeDateStamp = 0;
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
};

struct ResourceLanguage {
  std::uint16_t language = 0;  // 0 is neutral
  std::uint32_t codePage = 0;
  std::uint32_t reserved = 0;
  std::vector<std::uint8_t> data;        // a copy; empty when the tree was read without copies
  std::span<const std::uint8_t> stored;  // where the data lie in the file that was read
};

struct ResourceName {
  ResourceId id;
  ResourceDirectoryInfo info;
  std::vector<ResourceLanguage> languages;
};

struct ResourceType {
  ResourceId id;
  ResourceDirectoryInfo info;
  std::vector<ResourceName> names;
};

struct ResourceTree {
  ResourceDirectoryInfo info;
  std::vector<ResourceType> types;
};

// Reads the tree of the image's resource directory; an image without one
// gives an empty tree. Refuses a tree that is not three levels deep, that
// reaches a directory or data entry twice (a loop or a shared subtree),
// whose tables or names leave the resource section, or whose data lie
// outside the image's sections.
// With copyData false the tree only points into file (see stored), which
// then must outlive it: for looking a resource up without copying it.
bool ReadResourceTree(std::span<const std::uint8_t> file, const PeImage& image, ResourceTree& tree,
                      std::string& error, bool copyData = true);

// Puts every directory's entries in the order the loader's binary search
// expects (see ResourceIdLess; languages ascending), keeping the order of
// equal ids.
void SortResourceTree(ResourceTree& tree);

// Lays the tree out, in its own order, as the contents of a resource section
// that will be mapped at sectionRva: directory tables breadth first, data
// entries, names, then the data, each 8-byte aligned.
// Fails only when the result would not fit the format's 31-bit offsets.
bool BuildResourceSection(const ResourceTree& tree, std::uint32_t sectionRva,
                          std::vector<std::uint8_t>& section, std::string& error);

// Finds type/name in the tree, or null.
const ResourceName* FindResourceName(const ResourceTree& tree, const ResourceId& type,
                                     const ResourceId& name);

// Makes data the only language of type/name: an existing entry under any
// language is replaced, so the loader cannot find a stale copy through its
// language fallback. Code page 0.
void SetResource(ResourceTree& tree, const ResourceId& type, const ResourceId& name,
                 std::uint16_t language, std::vector<std::uint8_t> data);

}  // namespace mksetup

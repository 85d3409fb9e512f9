// Reading and writing the resources of a PE image held in memory: listing
// them, fetching one entry's data, and adding or replacing an entry in a
// copy of the image.
//
// Writing rebuilds the whole resource section with every existing resource
// kept byte for byte (data, code pages, names, directory headers). The new
// section goes where the loader and other tools expect resources to be able
// to grow: if the resource section is the image's last section, or only the
// base relocation section follows it (as linkers lay them out), it is
// rewritten in place and the relocations, whose bytes do not depend on where
// they lie, move behind it; otherwise a new ".rsrc" section is added after
// the last one and the resource directory points at it (the old section's
// bytes stay where they are, unused). Writing the result again then rewrites that last
// section, so repeated writes do not grow the image.
//
// A signed image loses its signature: the certificate table is removed from
// the file and the security directory cleared, because the signature no
// longer matches the changed file; the setup program is to be signed after
// it is built. Any other data after the last section (overlay: the COFF
// symbols of an unstripped image, data appended by other tools) is kept,
// moved behind the new section, and the COFF symbol pointer follows it.
// SizeOfImage, SizeOfInitializedData and the checksum are updated.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mksetup/pe/pe_resource_tree.h"

namespace mksetup {

struct ResourceKey {
  ResourceId type;
  ResourceId name;
  std::uint16_t language = 0;  // neutral
};

// Where the setup runtime looks for its payload archive, where mksetup
// build stores the archive's SHA-256, and where the scope
// (format/payload_contract.h).
ResourceKey PayloadResourceKey();
ResourceKey ChecksumResourceKey();
ResourceKey ScopeResourceKey();

struct ResourceInfo {
  ResourceKey key;
  std::uint32_t codePage = 0;
  std::size_t size = 0;
};

// Every resource of the image, type by type in the file's order.
bool ListResources(std::span<const std::uint8_t> image, std::vector<ResourceInfo>& resources,
                   std::string& error);

// The data of type/name in any language, the neutral one if it exists, else
// the first. Names match regardless of the case of ASCII letters, as the
// loader matches them.
bool ReadResource(std::span<const std::uint8_t> image, const ResourceId& type,
                  const ResourceId& name, std::vector<std::uint8_t>& data, std::string& error);
// The same without a copy: data points into image.
bool FindResourceData(std::span<const std::uint8_t> image, const ResourceId& type,
                      const ResourceId& name, std::span<const std::uint8_t>& data,
                      std::string& error);

// What a write did besides adding the entry, for the tool to tell its user.
struct ResourceWriteNotes {
  bool appendedSection = false;   // a new last section holds the resources
  bool removedSignature = false;  // the image was signed; the certificate is gone
  std::size_t overlaySize = 0;    // bytes after the sections, kept
};

// Writes into out a copy of image in which key holds data, as the only
// language of key's type and name (an entry of that type and name in another
// language is replaced too, so the loader cannot fall back to a stale one).
// Names are stored in upper case, as resource compilers store them and as
// FindResource looks them up; they must be printable ASCII. On failure
// returns false, sets error and leaves out unchanged. out may be image's
// own vector.
bool WriteResource(std::span<const std::uint8_t> image, const ResourceKey& key,
                   std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out,
                   std::string& error, ResourceWriteNotes* notes = nullptr);

}  // namespace mksetup

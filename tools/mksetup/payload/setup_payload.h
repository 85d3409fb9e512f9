// The payload archive of a built setup program, read back the way the setup
// program reads it: the archive walk, and for each entry whether the program
// decodes it after writing it into its staging folder.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "mksetup/host/host_files.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"

namespace mksetup {

struct SetupPayload {
  SetupPayload() = default;
  // The entries point into archive: a copy would point into the original.
  SetupPayload(const SetupPayload&) = delete;
  SetupPayload& operator=(const SetupPayload&) = delete;
  SetupPayload(SetupPayload&&) = default;
  SetupPayload& operator=(SetupPayload&&) = default;

  std::unique_ptr<FileBytes> file;            // the setup program's bytes
  std::span<const std::uint8_t> archive;      // the resource's bytes, inside them
  std::vector<format::ArchiveEntry> entries;  // point into archive
  std::vector<bool> decoded;                  // per entry: the program decodes it
  // The checksum resource, when the program has one.
  bool hasChecksum = false;
  std::vector<std::uint8_t> checksum;
  bool is64 = false;  // the setup program is PE32+ (x64)
  // The scope resource's text, empty when there is none; scope is what the
  // setup program takes it for (machine without one), scopeKnown false
  // when it is no scope's name, which the setup program refuses as damaged.
  std::string scopeText;
  format::InstallScope scope = format::InstallScope::Machine;
  bool scopeKnown = true;
};

// Reads the file, finds the archive's resource and walks the archive, and
// reads the checksum resource if there is one. On
// failure error is a sentence about the file ("is not a PE image: ...",
// "holds no setup archive", "The setup archive is damaged: ...").
bool ReadSetupPayload(const std::string& setupPath, SetupPayload& payload, std::string& error);

}  // namespace mksetup

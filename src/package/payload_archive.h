// The payload archive: an entry count N, then N entries back to back, each a
// NUL-terminated file name, a stored size S and S stored bytes (integers are
// unsigned 32-bit little-endian). The block carries no flag that says which
// entries are compressed; the reader decides that from the setup script and
// the entry's name (see EntryStaysPlain).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace package {

// The resource that carries the archive: type "IDR_EXE", identifier 129.
inline constexpr const char* kArchiveResourceType = "IDR_EXE";
inline constexpr unsigned kArchiveResourceId = 129;

// One entry as it stands in the block; data points into the block.
struct ArchiveEntry {
  std::string name;
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
};

// Walks the whole block and checks it before anything is written: the count,
// every name and every size must lie inside the block, and every name must be
// a bare file name that stays inside the staging folder. Bytes after the last
// entry are allowed (resource sections pad their data). On failure entries is
// empty and error names the entry and what is wrong with it.
bool ReadArchiveIndex(std::span<const std::uint8_t> block,
                      std::vector<ArchiveEntry>& entries, std::string& error);

// Why a name cannot be a file in the staging folder; empty when it can. A
// name must not be empty, "." or "..", hold a folder separator, a drive or
// stream colon or a control character, nor name a device such as "CON".
std::string UnsafeNameReason(const std::string& name);

// The entry is one of those always stored plain: the setup script, the
// licence text and the two uninstall programs. Its name holds one of the
// markers "log_file.txt", "UnInstaller.exe", ".lic" or "Remove
// Uninstaller.exe" (case-sensitive, anywhere in the name). Only the name is
// tested, never the staging folder: a temporary folder such as
// "C:\Users\m.lichter\..." must not turn every entry plain, and the building
// tool, which decides from the name alone, must agree with the reader. Every
// other entry is compressed while the script's compression flag is on.
bool EntryStaysPlain(const std::string& name);

// The entry is the setup script: its name holds "log_file.txt".
bool IsSetupScript(const std::string& name);

}  // namespace package

// The payload archive: its resource in the executable, and its checksum's
// resource when mksetup wrote one (package/payload_contract.h names both).
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace app {

class PayloadResource {
 public:
  // Finds, loads and locks the resource; Block() is empty when there is none.
  // Nothing is freed after the walk: FreeResource does nothing on Win32.
  PayloadResource();
  PayloadResource(const PayloadResource&) = delete;
  PayloadResource& operator=(const PayloadResource&) = delete;

  std::span<const std::uint8_t> Block() const { return block_; }
  bool HasChecksum() const { return hasChecksum_; }
  std::span<const std::uint8_t> Checksum() const { return checksum_; }

 private:
  std::span<const std::uint8_t> block_;
  bool hasChecksum_ = false;
  std::span<const std::uint8_t> checksum_;
};

}  // namespace app

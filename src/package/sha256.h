// SHA-256 (FIPS 180-4), for the payload's checksum. Small and table-light:
// the setup runtime carries it, and its size counts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace package {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
 public:
  Sha256();
  void Update(std::span<const std::uint8_t> bytes);
  // The digest of everything updated so far; the object is spent after it.
  Sha256Digest Finish();

 private:
  void Compress(const std::uint8_t* block);

  std::uint32_t state_[8];
  std::uint8_t pending_[64];
  std::size_t pendingSize_ = 0;
  std::uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);

}  // namespace package

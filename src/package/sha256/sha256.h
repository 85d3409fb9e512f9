// SHA-256 (FIPS 180-4), for the payload's checksum. The setup runtime checks
// a whole payload with it before writing anything, so it is fast: the x86
// SHA instructions where the processor has them, else a portable version.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace package {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Runs `count` whole 64-byte blocks through the compression function,
// updating `state` (the eight working words of FIPS 180-4).
using Sha256Blocks = void (*)(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

class Sha256 {
 public:
  // With the fastest compression this processor has.
  Sha256();
  // With the given one (the tests compare them).
  explicit Sha256(Sha256Blocks compress);
  void Update(std::span<const std::uint8_t> bytes);
  // The digest of everything updated so far; the object is spent after it.
  Sha256Digest Finish();

 private:
  Sha256Blocks compress_;
  std::uint32_t state_[8];
  std::uint8_t pending_[64];
  std::size_t pendingSize_ = 0;
  std::uint64_t totalBytes_ = 0;
};

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);

}  // namespace package

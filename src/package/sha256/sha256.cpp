// The hash's buffering and padding; the compression is in sha256_blocks.h.
// Whole blocks of an update are compressed where they lie: only the pieces
// of a block that an update leaves over are copied aside.
#include "package/sha256/sha256.h"

#include <algorithm>
#include <cstring>

#include "package/sha256/sha256_blocks.h"

namespace package {

namespace {

Sha256Blocks FastestBlocks() {
  static const Sha256Blocks chosen =
      HasSha256Instructions() ? Sha256BlocksX86 : Sha256BlocksPortable;
  return chosen;
}

}  // namespace

Sha256::Sha256() : Sha256(FastestBlocks()) {}

Sha256::Sha256(Sha256Blocks compress)
    : compress_(compress),
      state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19},
      pending_{} {}

void Sha256::Update(std::span<const std::uint8_t> bytes) {
  // An empty span may carry no pointer at all, which memcpy must not get.
  if (bytes.empty()) return;
  totalBytes_ += bytes.size();
  std::size_t at = 0;
  if (pendingSize_ != 0) {
    const std::size_t take = std::min(bytes.size(), sizeof pending_ - pendingSize_);
    std::memcpy(pending_ + pendingSize_, bytes.data(), take);
    pendingSize_ += take;
    at = take;
    if (pendingSize_ < sizeof pending_) return;
    compress_(state_, pending_, 1);
    pendingSize_ = 0;
  }
  const std::size_t wholeBlocks = (bytes.size() - at) / 64;
  if (wholeBlocks != 0) compress_(state_, bytes.data() + at, wholeBlocks);
  at += wholeBlocks * 64;
  std::memcpy(pending_, bytes.data() + at, bytes.size() - at);
  pendingSize_ = bytes.size() - at;
}

Sha256Digest Sha256::Finish() {
  const std::uint64_t bits = totalBytes_ * 8;
  std::uint8_t tail[72] = {0x80};
  // Padding to 56 bytes past a block boundary, then the length in bits.
  const std::size_t padding = (pendingSize_ < 56 ? 56 : 120) - pendingSize_;
  for (int i = 0; i < 8; ++i)
    tail[padding + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  Update({tail, padding + 8});
  Sha256Digest digest;
  for (std::size_t i = 0; i < 32; ++i)
    digest[i] = static_cast<std::uint8_t>(state_[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes) {
  Sha256 hash;
  hash.Update(bytes);
  return hash.Finish();
}

}  // namespace package

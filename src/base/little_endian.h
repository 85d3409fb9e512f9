// Unsigned numbers stored least significant byte first, as the payload
// archive, the LZW streams and PE images hold them. The pointers need no
// alignment; the caller makes sure the bytes are there.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace base {

inline std::uint16_t LoadLe16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// One unaligned load where the machine is little-endian (the LZW decoder
// reads a word per code, so this is hot).
inline std::uint32_t LoadLe32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, 4);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap32(value);
  return value;
}

inline void StoreLe16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void StoreLe32(std::uint8_t* at, std::uint32_t value) {
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap32(value);
  std::memcpy(at, &value, 4);
}

inline void AppendLe32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  const std::size_t at = bytes.size();
  bytes.resize(at + 4);
  StoreLe32(bytes.data() + at, value);
}

}  // namespace base

// Inputs and a literal model of the LZW stream format for the codec's tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace package::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  Bytes bytes(count);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

// Words from a small vocabulary with spaces and line ends: compresses well
// and fills the dictionary with long strings.
inline Bytes TextBytes(std::size_t count, std::uint32_t seed) {
  static const char* const kWords[] = {"the",        "licence", "program", "software", "of",
                                       "and",        "to",      "you",     "may",      "copy",
                                       "distribute", "modify",  "under",   "terms",    "this",
                                       "General",    "Public",  "License", "version",  "any"};
  std::mt19937 random(seed);
  Bytes bytes;
  while (bytes.size() < count) {
    const std::string word = kWords[random() % 20];
    bytes.insert(bytes.end(), word.begin(), word.end());
    bytes.push_back(random() % 12 == 0 ? '\n' : ' ');
  }
  bytes.resize(count);
  return bytes;
}

// 16-bit little-endian counter, runs of zeros and a byte ramp: the patterns
// that add dictionary strings in sorted order.
inline Bytes StructuredBytes(std::size_t count) {
  Bytes bytes;
  for (std::uint32_t i = 0; bytes.size() < count; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(i));
    bytes.push_back(static_cast<std::uint8_t>(i >> 8));
    if (i % 4096 == 0) bytes.insert(bytes.end(), 3000, 0);
    if (i % 1000 == 0) {
      for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<std::uint8_t>(b));
    }
  }
  bytes.resize(count);
  return bytes;
}

// The encoding algorithm as written, step by step, with an ordered map for a
// dictionary: the yardstick for the encoder's exact output.
inline Bytes ModelEncode(const Bytes& d, unsigned width) {
  std::vector<std::uint32_t> codes;
  const std::size_t m = d.size();
  if (m > 0) {
    std::map<Bytes, std::uint32_t> dictionary;
    std::uint32_t nextCode = 256;
    std::size_t s = 0;
    std::size_t keyLength = 2;
    std::uint32_t c = d[0];
    for (std::size_t step = 1; step <= m; ++step) {
      if (nextCode == (1u << width)) {
        dictionary.clear();
        nextCode = 256;
      }
      const bool last = step == m;  // the key's last byte would lie past the input
      if (!last) {
        const Bytes key(d.begin() + static_cast<std::ptrdiff_t>(s),
                        d.begin() + static_cast<std::ptrdiff_t>(s + keyLength));
        const auto found = dictionary.find(key);
        if (found != dictionary.end()) {
          c = found->second;
          ++keyLength;
          continue;
        }
        dictionary.emplace(key, nextCode++);
      }
      codes.push_back(c);
      s = s + keyLength - 1;
      keyLength = 2;
      if (!last) c = d[s];
    }
  }
  // Header, then each code ORed into the 32-bit word at its first byte.
  Bytes stream(5 + (codes.size() * width + 7) / 8 + 4, 0);
  base::StoreLe32(stream.data(), static_cast<std::uint32_t>(m));
  stream[4] = static_cast<std::uint8_t>(width);
  std::size_t b = 40;
  for (const std::uint32_t code : codes) {
    const std::uint32_t shifted = code << (b % 8);
    for (int i = 0; i < 4; ++i) stream[b / 8 + i] |= static_cast<std::uint8_t>(shifted >> (8 * i));
    b += width;
  }
  stream.resize((b + 7) / 8);
  return stream;
}

}  // namespace package::test

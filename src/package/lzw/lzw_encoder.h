// An LZW encoder that keeps its dictionary and its code buffer from one
// input to the next: a builder that encodes many files on one thread makes
// one per thread and allocates (and faults in) its tables once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "package/lzw/lzw.h"
#include "package/lzw/lzw_dictionary.h"

namespace package {

class LzwEncoder {
 public:
  // As LzwEncode: stream holds exactly the stream's bytes afterwards;
  // BadWidth or TooLarge leave it empty.
  LzwStatus Encode(const std::uint8_t* input, std::size_t length, unsigned width,
                   std::vector<std::uint8_t>& stream);

 private:
  LzwDictionary m_dictionary;
  std::vector<std::uint8_t> m_codes;  // the stream being written; only grows
};

}  // namespace package

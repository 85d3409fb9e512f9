// LZW encoder: one step per input byte. The current match is extended by the
// byte after it for as long as the extended string is in the dictionary; when
// it is not, the string is added, the match's code is written, and a new match
// starts at that byte.
#include <limits>

#include "base/little_endian.h"
#include "package/binary_tree.h"
#include "package/lzw.h"

namespace package {
namespace {

using CDictionary = CBinaryTree<CBuffer, CBuffer*, int, int>;

constexpr int kFirstDictionaryCode = 256;

// Writes codes of a fixed width least-significant bit first after the header.
// The buffer is sized once for the most codes the input can give (one per
// byte) plus a word of slack, and cut to the exact length at the end.
class CodeWriter {
 public:
  CodeWriter(std::vector<std::uint8_t>& stream, std::size_t capacity, unsigned width)
      : m_stream(stream), m_width(width) {
    m_stream.assign(capacity, 0);
    m_pos = kLzwHeaderSize;
  }

  void Put(std::uint32_t code) {
    m_bits |= static_cast<std::uint64_t>(code) << m_count;
    m_count += m_width;
    if (m_count >= 32) {  // width <= 25, so the word never holds more than 56 bits
      base::StoreLe32(m_stream.data() + m_pos, static_cast<std::uint32_t>(m_bits));
      m_pos += 4;
      m_bits >>= 32;
      m_count -= 32;
    }
  }

  // Flushes the last partial word; the stream ends with the byte that holds
  // the last code bit.
  void Finish() {
    for (; m_count > 0; m_count = m_count > 8 ? m_count - 8 : 0) {
      m_stream[m_pos++] = static_cast<std::uint8_t>(m_bits);
      m_bits >>= 8;
    }
    m_stream.resize(m_pos);
  }

 private:
  std::vector<std::uint8_t>& m_stream;
  unsigned m_width;
  std::size_t m_pos;
  std::uint64_t m_bits = 0;  // pending bits, the oldest in the low end
  unsigned m_count = 0;      // how many of them
};

}  // namespace

LzwStatus LzwEncode(const std::uint8_t* input, std::size_t length, unsigned width,
                    std::vector<std::uint8_t>& stream) {
  stream.clear();
  if (width < kLzwMinWidth || width > kLzwMaxWidth) return LzwStatus::BadWidth;
  // The header holds the length in 32 bits, and the buffer must be
  // addressable: header + one code per byte + a word of slack.
  const std::uint64_t capacity = kLzwHeaderSize + (static_cast<std::uint64_t>(length) * width + 7) / 8 + 8;
  if (length > std::numeric_limits<std::uint32_t>::max() || capacity > stream.max_size()) {
    return LzwStatus::TooLarge;
  }

  CodeWriter writer(stream, static_cast<std::size_t>(capacity), width);
  base::StoreLe32(stream.data(), static_cast<std::uint32_t>(length));
  stream[4] = static_cast<std::uint8_t>(width);
  if (length == 0) {
    writer.Finish();
    return LzwStatus::Ok;
  }

  const int codeLimit = 1 << width;
  CDictionary dictionary(kFirstDictionaryCode);
  CDictionary::CNode* match = nullptr;  // the match's node; nullptr while it is one byte
  int code = input[0];                  // the match's code
  std::size_t start = 0;                // where the match starts
  std::size_t keyLength = 2;            // the match and the byte after it

  // `next` is the index of the byte after the match. The step in which it
  // would lie past the input only writes the last code.
  for (std::size_t next = 1; next < length; ++next) {
    // The dictionary fills only in a step that inserts, and such a step ends
    // the match: the match is a single byte here and needs no node.
    if (dictionary.NextCode() == codeLimit) dictionary.RemoveAll();

    CBuffer key(input, start, keyLength);
    bool inserted = false;
    CDictionary::CNode* node = dictionary.Lookup(&key, match, inserted);
    if (!inserted) {
      match = node;
      code = node->m_value;
      ++keyLength;
      continue;
    }
    writer.Put(static_cast<std::uint32_t>(code));
    match = nullptr;
    start = next;
    keyLength = 2;
    code = input[next];
  }
  writer.Put(static_cast<std::uint32_t>(code));
  writer.Finish();
  return LzwStatus::Ok;
}

}  // namespace package

// LZW encoder: one step per input byte. The current match is extended by the
// byte after it for as long as the extended string is in the dictionary; when
// it is not, the string is added, the match's code is written, and a new match
// starts at that byte.
#include <limits>

#include "base/little_endian.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_encoder.h"

namespace package {
namespace {

// Writes codes of a fixed width least-significant bit first after the header,
// into a buffer sized for the most codes the input can give (one per byte)
// plus a word of slack.
class CodeWriter {
 public:
  CodeWriter(std::uint8_t* buffer, unsigned width) : m_buffer(buffer), m_width(width) {}

  void Put(std::uint32_t code) {
    m_bits |= static_cast<std::uint64_t>(code) << m_count;
    m_count += m_width;
    if (m_count >= 32) {  // width <= 25, so the word never holds more than 56 bits
      base::StoreLe32(m_buffer + m_pos, static_cast<std::uint32_t>(m_bits));
      m_pos += 4;
      m_bits >>= 32;
      m_count -= 32;
    }
  }

  // Flushes the last partial word and returns the stream's length: it ends
  // with the byte that holds the last code bit.
  std::size_t Finish() {
    for (; m_count > 0; m_count = m_count > 8 ? m_count - 8 : 0) {
      m_buffer[m_pos++] = static_cast<std::uint8_t>(m_bits);
      m_bits >>= 8;
    }
    return m_pos;
  }

 private:
  std::uint8_t* m_buffer;
  unsigned m_width;
  std::size_t m_pos = kLzwHeaderSize;
  std::uint64_t m_bits = 0;  // pending bits, the oldest in the low end
  unsigned m_count = 0;      // how many of them
};

}  // namespace

LzwStatus LzwEncoder::Encode(const std::uint8_t* input, std::size_t length, unsigned width,
                             std::vector<std::uint8_t>& stream) {
  stream.clear();
  if (width < kLzwMinWidth || width > kLzwMaxWidth) return LzwStatus::BadWidth;
  // The header holds the length in 32 bits, and the buffer must be
  // addressable: header + one code per byte + a word of slack.
  const std::uint64_t capacity =
      kLzwHeaderSize + (static_cast<std::uint64_t>(length) * width + 7) / 8 + 8;
  if (length > std::numeric_limits<std::uint32_t>::max() || capacity > m_codes.max_size()) {
    return LzwStatus::TooLarge;
  }
  if (m_codes.size() < capacity) m_codes.resize(static_cast<std::size_t>(capacity));

  std::uint8_t* const buffer = m_codes.data();
  base::StoreLe32(buffer, static_cast<std::uint32_t>(length));
  buffer[4] = static_cast<std::uint8_t>(width);
  CodeWriter writer(buffer, width);
  if (length > 0) {
    m_dictionary.Reset(width, length);
    std::uint32_t code = input[0];  // the match's code
    // `next` is the byte after the match. The step in which it would lie
    // past the input only writes the last code.
    for (std::size_t next = 1; next < length; ++next) {
      // The dictionary fills only in a step that adds an entry, and such a
      // step ends the match: the match is a single byte when it is emptied.
      if (m_dictionary.Full()) m_dictionary.Clear();
      std::uint32_t longer;
      if (m_dictionary.FindOrAdd(code, input[next], longer)) {
        code = longer;
        continue;
      }
      writer.Put(code);
      code = input[next];
    }
    writer.Put(code);
  }
  stream.assign(buffer, buffer + writer.Finish());
  return LzwStatus::Ok;
}

LzwStatus LzwEncode(const std::uint8_t* input, std::size_t length, unsigned width,
                    std::vector<std::uint8_t>& stream) {
  LzwEncoder encoder;
  return encoder.Encode(input, length, width, stream);
}

}  // namespace package

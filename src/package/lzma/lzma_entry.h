// The payload's LZMA entries. Like an LZW stream, an LZMA entry starts with
// its uncompressed size U (32-bit little-endian); its fifth byte is a mark
// from 0xA0 up, where an LZW stream holds its code width (9 to 25), so the
// LZW decoder refuses every LZMA entry and no LZW stream is taken for one.
//
//   mark 0xA0  one LZMA stream of its own: 5 bytes of LZMA properties, then
//              the range-coded data of exactly U bytes, without an end mark.
//   mark 0xA1  the head of a solid stream: the properties, the solid
//              stream's total size T (64-bit little-endian), then the data of
//              T bytes: this entry's U bytes first, then those of each solid
//              member in archive order.
//   mark 0xA2  a solid member: the 5-byte header alone; its U bytes are the
//              next ones of the solid stream the last head began.
//
// A stream must end exactly with its last byte: every input byte used and
// the range coder at rest. That, the sizes and LZMA's own checks are how a
// damaged stream is told from a sound one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/function_ref.h"

namespace package {

constexpr std::size_t kLzmaHeaderSize = 5;
constexpr std::uint8_t kLzmaEntryMark = 0xA0;
constexpr std::uint8_t kLzmaSolidHeadMark = 0xA1;
constexpr std::uint8_t kLzmaSolidMemberMark = 0xA2;
constexpr std::size_t kLzmaPropertiesSize = 5;
constexpr std::size_t kLzmaSolidTotalSize = 8;
// The largest dictionary a stream may name: the window is that large, and
// mksetup writes 8 or 32 MB.
constexpr std::uint32_t kLzmaMaxDictionary = std::uint32_t{256} << 20;

// The entry's stored bytes carry an LZMA mark (0xA0 to 0xA2 at byte 4).
inline bool IsLzmaEntry(const std::uint8_t* stored, std::size_t size) {
  return size >= kLzmaHeaderSize && stored[4] >= kLzmaEntryMark &&
         stored[4] <= kLzmaSolidMemberMark;
}
inline bool IsSolidLzmaEntry(const std::uint8_t* stored, std::size_t size) {
  return IsLzmaEntry(stored, size) && stored[4] != kLzmaEntryMark;
}

enum class LzmaStatus {
  Ok,
  NotBuiltIn,     // this program decodes LZW only
  ShortHeader,    // shorter than its header
  BadProperties,  // properties the decoder does not take, or a dictionary
                  // larger than kLzmaMaxDictionary
  Damaged,        // the data does not decode, or not to exactly its size
  Truncated,      // the data ends before the size is reached
  NoSolidStream,  // a solid member without a head, or past its stream's end
  TooLarge,       // the window cannot be allocated
  WriteFailed,    // the sink refused the decoded bytes
};

// A short English description, for messages.
const char* LzmaStatusText(LzmaStatus status);

// Where decoded bytes go, in order.
using LzmaSink = base::FunctionRef<bool(const std::uint8_t* data, std::size_t size)>;

// Decodes LZMA entries through a window of the stream's dictionary size (or
// its total size, when that is smaller). It keeps a solid stream's state
// from its head to its members, so entries must come in archive order. The
// stored bytes of a head must stay in place until its members are decoded.
class LzmaEntryDecoder {
 public:
  LzmaEntryDecoder();
  ~LzmaEntryDecoder();
  LzmaEntryDecoder(const LzmaEntryDecoder&) = delete;
  LzmaEntryDecoder& operator=(const LzmaEntryDecoder&) = delete;

  // Decodes one entry (IsLzmaEntry) into sink. On failure the sink may hold
  // part of the output, and the solid stream, if any, is given up.
  LzmaStatus Decode(const std::uint8_t* stored, std::size_t size, LzmaSink sink);

  // A solid stream was begun and not decoded to its end (members missing).
  bool SolidUnfinished() const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace package

// LZW decoder. Every dictionary entry is an (offset, length) pair into the
// output already produced, so a code costs one block copy and the dictionary
// holds no string data.
//
// The stream is hostile until proven otherwise. The bounds it must keep:
//   - codes are read only while all their bits lie inside the stream;
//   - a code is a byte, an entry of the dictionary, or the entry about to be
//     made (the string before followed by its own first byte);
//   - no string runs past the U bytes the header announces;
//   - U is allocated only if the stream has enough codes to produce it.
#include <algorithm>

#include "package/lzw/lzw.h"
#include "package/lzw/lzw_decoding.h"

namespace package {
namespace {

using base::LoadLe32;
using lzw_detail::CanAllocate;
using lzw_detail::CodeReader;
using lzw_detail::CopyString;
using lzw_detail::Entry;
using lzw_detail::kCopyChunk;
using lzw_detail::kFirstEntryCode;
using lzw_detail::kMaxSize;
using lzw_detail::MostBytesFrom;

LzwStatus Decode(const std::uint8_t* stream, std::size_t length,
                 std::vector<std::uint8_t>& output) {
  if (length < kLzwHeaderSize) return LzwStatus::ShortHeader;
  const std::uint32_t size = LoadLe32(stream);
  const unsigned width = stream[4];
  if (width < kLzwMinWidth || width > kLzwMaxWidth) return LzwStatus::BadWidth;
  if (size == 0) return LzwStatus::Ok;

  // Only codes whose bits all lie inside the stream are read. Without codes
  // nothing can be produced, so the first code exists past this test.
  const std::uint64_t codeCount = lzw_detail::CodeCount(length, width);
  if (size > MostBytesFrom(codeCount) || size > kMaxSize) return LzwStatus::TooLarge;
  const std::size_t literals = std::size_t{size} + kCopyChunk;  // where the byte values go
  const std::size_t bufferSize = literals + 256 + kCopyChunk;
  const std::uint32_t maxEntries = (1u << width) - kFirstEntryCode;
  const std::size_t stringCount =
      kFirstEntryCode + static_cast<std::size_t>(std::min<std::uint64_t>(maxEntries, codeCount));
  if (bufferSize > output.max_size() || !CanAllocate(bufferSize) ||
      !CanAllocate(stringCount * sizeof(Entry))) {
    return LzwStatus::TooLarge;
  }

  CodeReader codes(stream, length, width);
  const std::uint32_t first = codes.Next();
  if (first >= kFirstEntryCode) return LzwStatus::BadCode;

  // The buffer: the U output bytes, the copies' slack, then the 256 byte
  // values (with slack of their own) that the literal codes copy from.
  output.resize(bufferSize);
  std::uint8_t* const out = output.data();
  for (unsigned byte = 0; byte < 256; ++byte)
    out[literals + byte] = static_cast<std::uint8_t>(byte);
  out[0] = static_cast<std::uint8_t>(first);

  // The strings of all codes by code: the 256 single bytes, then the
  // dictionary. One entry is added per code after the first, and the
  // dictionary is emptied when it holds maxEntries; so stringCount is enough.
  std::vector<Entry> strings(stringCount);
  for (std::uint32_t byte = 0; byte < kFirstEntryCode; ++byte) {
    strings[byte] = Entry{static_cast<std::uint32_t>(literals) + byte, 1};
  }
  std::uint32_t entries = 0;  // in the dictionary

  std::uint32_t pos = 1;  // where the next string goes
  // The entry the next code adds: the previous string (which starts at
  // pending.offset) and the first byte of the next one.
  Entry pending{0, 2};
  for (std::uint64_t k = 1; pos < size; ++k) {
    if (k == codeCount) return LzwStatus::Truncated;
    const std::uint32_t code = codes.Next();
    if (entries == maxEntries) entries = 0;

    const std::uint32_t room = size - pos;
    std::uint32_t n;
    if (code < kFirstEntryCode + entries) {
      // A byte or a dictionary entry: one branch-free path for both.
      const Entry string = strings[code];
      n = string.length;
      if (n > room) return LzwStatus::Overrun;
      CopyString(out + pos, out + string.offset, n);
    } else if (code == kFirstEntryCode + entries) {
      // The entry this very code creates: the previous string and its own
      // first byte.
      const std::uint32_t prev = pending.offset;
      n = pos - prev + 1;
      if (n > room) return LzwStatus::Overrun;
      CopyString(out + pos, out + prev, n - 1);
      out[pos + n - 1] = out[prev];
    } else {
      return LzwStatus::BadCode;
    }

    strings[kFirstEntryCode + entries++] = pending;
    pending = Entry{pos, n + 1};
    pos += n;
  }
  output.resize(size);
  return LzwStatus::Ok;
}

}  // namespace

LzwStatus LzwDecode(const std::uint8_t* stream, std::size_t length,
                    std::vector<std::uint8_t>& output) {
  output.clear();
  const LzwStatus status = Decode(stream, length, output);
  // A failed decode hands back nothing, not even the memory it took.
  if (status != LzwStatus::Ok) std::vector<std::uint8_t>().swap(output);
  return status;
}

}  // namespace package

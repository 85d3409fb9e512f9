// The streaming LZW decoder. The dictionary holds (offset, length) pairs into
// the whole output, as in LzwDecode; the window is the part of the output the
// buffer holds, from output offset m_base up to the next byte to produce.
//
// When the buffer is full, everything not yet written goes to the sink and
// the buffer keeps only what codes can still name: the output since the last
// emptying of the dictionary (from the string before it), but never more than
// half the window, so each such move frees at least half of it. A string
// that does not fit or lies before the window takes the slow path, chunk by
// chunk, reading back from the sink what the window no longer holds.
#include <algorithm>
#include <cstring>
#include <new>

#include "package/lzw/lzw_decoding.h"
#include "package/lzw/lzw_stream.h"

namespace package {
namespace {

using lzw_detail::CopyString;
using lzw_detail::Entry;
using lzw_detail::kCopyChunk;
using lzw_detail::kFirstEntryCode;

// Step size for moving back through a file: fits a 32-bit long.
constexpr std::uint64_t kLongestSeek = std::uint64_t{1} << 30;

// The window over the output. Offsets are output offsets; the buffer holds
// [m_base, m_pos) at its start.
class Window {
 public:
  Window(std::uint8_t* buffer, std::uint32_t capacity, LzwSink& sink)
      : m_buffer(buffer), m_capacity(capacity), m_sink(sink) {}

  std::uint32_t Pos() const { return m_pos; }

  // Where output offset `offset` lies in the buffer (it must be held).
  std::uint8_t* At(std::uint32_t offset) { return m_buffer + (offset - m_base); }

  // Whether n bytes of output starting at `from` are held and n more fit
  // behind the end: the fast path's test.
  bool CanCopy(std::uint32_t from, std::uint32_t n) const {
    return from >= m_base && std::uint64_t{m_pos - m_base} + n <= m_capacity;
  }

  void Advance(std::uint32_t n) { m_pos += n; }

  // Codes can name nothing before this offset any more.
  void ForgetBefore(std::uint32_t offset) { m_live = offset; }

  bool AppendByte(std::uint8_t byte) {
    if (m_pos - m_base == m_capacity && !Slide()) return false;
    *At(m_pos) = byte;
    ++m_pos;
    return true;
  }

  // Appends the n bytes (n > 0) of output starting at `from`, which end at
  // or before the current end; head receives the first of them.
  bool AppendOlder(std::uint32_t from, std::uint32_t n, std::uint8_t& head) {
    const std::uint32_t start = m_pos;
    while (n > 0) {
      if (m_pos - m_base == m_capacity && !Slide()) return false;
      std::uint32_t take = std::min(n, m_capacity - (m_pos - m_base));
      std::uint8_t* const to = At(m_pos);
      if (from >= m_base) {
        // from + n <= m_pos throughout, so the two do not overlap.
        std::memcpy(to, At(from), take);
      } else {
        take = std::min(take, m_base - from);
        if (!m_sink.ReadBack(from, to, take)) return false;
      }
      if (m_pos == start) head = *to;
      m_pos += take;
      from += take;
      n -= take;
    }
    return true;
  }

  // Hands every byte not yet written to the sink.
  bool Flush() {
    const std::uint32_t count = m_pos - m_written;
    if (count > 0 && !m_sink.Write(At(m_written), count)) return false;
    m_written = m_pos;
    return true;
  }

 private:
  bool Slide() {
    if (!Flush()) return false;
    std::uint32_t keep = std::max(m_live, m_pos - m_capacity / 2);
    keep = std::max(keep, m_base);
    std::memmove(m_buffer, At(keep), m_pos - keep);
    m_base = keep;
    return true;
  }

  std::uint8_t* m_buffer;
  std::uint32_t m_capacity;
  LzwSink& m_sink;
  std::uint32_t m_base = 0;     // output offset of the buffer's first byte
  std::uint32_t m_pos = 0;      // the next byte to produce
  std::uint32_t m_written = 0;  // bytes handed to the sink
  std::uint32_t m_live = 0;     // the oldest byte a code can still name
};

}  // namespace

bool LzwFileSink::Write(const std::uint8_t* data, std::size_t size) {
  if (std::fwrite(data, 1, size, m_file) != size) return false;
  m_written += size;
  return true;
}

bool LzwFileSink::ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) {
  // A positioning call must come between writing and reading and back; the
  // steps back from the end stay within what a 32-bit long can express.
  if (offset > m_written || size > m_written - offset || std::fseek(m_file, 0, SEEK_END) != 0)
    return false;
  for (std::uint64_t back = m_written - offset; back > 0;) {
    const std::uint64_t step = std::min(back, kLongestSeek);
    if (std::fseek(m_file, -static_cast<long>(step), SEEK_CUR) != 0) return false;
    back -= step;
  }
  const bool read = std::fread(data, 1, size, m_file) == size;
  return std::fseek(m_file, 0, SEEK_END) == 0 && read;
}

LzwStreamDecoder::LzwStreamDecoder(std::size_t window) : m_window(std::max(window, kMinWindow)) {}

LzwStreamDecoder::~LzwStreamDecoder() = default;

std::size_t LzwStreamDecoder::HeldBytes() const {
  return m_bufferSize + m_stringCount * sizeof(Entry);
}

LzwStatus LzwStreamDecoder::Decode(const std::uint8_t* stream, std::size_t length, LzwSink& sink) {
  if (length < kLzwHeaderSize) return LzwStatus::ShortHeader;
  const std::uint32_t size = base::LoadLe32(stream);
  const unsigned width = stream[4];
  if (width < kLzwMinWidth || width > kLzwMaxWidth) return LzwStatus::BadWidth;
  if (size == 0) return LzwStatus::Ok;

  const std::uint64_t codeCount = lzw_detail::CodeCount(length, width);
  if (size > lzw_detail::MostBytesFrom(codeCount) || size > lzw_detail::kMaxSize)
    return LzwStatus::TooLarge;
  const std::uint32_t maxEntries = (1u << width) - kFirstEntryCode;
  const std::size_t entryCount =
      static_cast<std::size_t>(std::min<std::uint64_t>(maxEntries, codeCount));
  const std::uint32_t capacity = static_cast<std::uint32_t>(std::min<std::size_t>(m_window, size));
  // A failed allocation is a size memory cannot hold, not the end of the
  // program. The window's slack takes the chunked copies' overshoot.
  if (m_stringCount < entryCount) {
    m_strings.reset(new (std::nothrow) Entry[entryCount]);
    m_stringCount = m_strings ? entryCount : 0;
    if (!m_strings) return LzwStatus::TooLarge;
  }
  if (m_bufferSize < capacity + kCopyChunk) {
    m_buffer.reset(new (std::nothrow) std::uint8_t[capacity + kCopyChunk]);
    m_bufferSize = m_buffer ? capacity + kCopyChunk : 0;
    if (!m_buffer) return LzwStatus::TooLarge;
  }

  lzw_detail::CodeReader codes(stream, length, width);
  const std::uint32_t first = codes.Next();
  if (first >= kFirstEntryCode) return LzwStatus::BadCode;

  Window window(m_buffer.get(), capacity, sink);
  window.AppendByte(static_cast<std::uint8_t>(first));  // the window is empty: no slide, no sink
  Entry* const strings = m_strings.get();
  std::uint32_t entries = 0;  // in the dictionary
  // The entry the next code adds: the previous string and the first byte of
  // the next one. pendingFirst is the previous string's first byte.
  Entry pending{0, 2};
  std::uint8_t pendingFirst = static_cast<std::uint8_t>(first);
  for (std::uint64_t k = 1; window.Pos() < size; ++k) {
    if (k == codeCount) return LzwStatus::Truncated;
    const std::uint32_t code = codes.Next();
    if (entries == maxEntries) {
      entries = 0;
      window.ForgetBefore(pending.offset);
    }

    const std::uint32_t pos = window.Pos();
    const std::uint32_t room = size - pos;
    std::uint32_t n;
    std::uint8_t head = 0;  // the new string's first byte
    bool ok = true;
    if (code < kFirstEntryCode) {
      n = 1;
      head = static_cast<std::uint8_t>(code);
      ok = window.AppendByte(head);
    } else if (code < kFirstEntryCode + entries) {
      const Entry string = strings[code - kFirstEntryCode];
      n = string.length;
      if (n > room) return LzwStatus::Overrun;
      if (window.CanCopy(string.offset, n)) {
        head = *window.At(string.offset);
        CopyString(window.At(pos), window.At(string.offset), n);
        window.Advance(n);
      } else {
        ok = window.AppendOlder(string.offset, n, head);
      }
    } else if (code == kFirstEntryCode + entries) {
      // The entry this very code creates: the previous string and its own
      // first byte.
      const std::uint32_t prev = pending.offset;
      n = pos - prev + 1;
      if (n > room) return LzwStatus::Overrun;
      head = pendingFirst;
      if (window.CanCopy(prev, n)) {
        CopyString(window.At(pos), window.At(prev), n - 1);
        *window.At(pos + n - 1) = pendingFirst;
        window.Advance(n);
      } else {
        std::uint8_t unused;
        ok = window.AppendOlder(prev, n - 1, unused) && window.AppendByte(pendingFirst);
      }
    } else {
      return LzwStatus::BadCode;
    }
    if (!ok) return LzwStatus::WriteFailed;

    strings[entries++] = pending;
    pending = Entry{pos, n + 1};
    pendingFirst = head;
  }
  return window.Flush() ? LzwStatus::Ok : LzwStatus::WriteFailed;
}

}  // namespace package

// LZMA entries through the LZMA SDK's decoder (LzmaDec.c, as Debian's
// lzma-dev ships it), over its dictionary interface: the dictionary is a
// ring the decoder writes into, and each stretch it fills goes to the sink
// before the ring wraps. So the window is the dictionary (or the stream's
// size, when that is smaller) and the stream never has to be held whole.
#include <algorithm>
#include <cstdlib>

#include "base/little_endian.h"
#include "package/lzma/lzma_entry.h"

// The SDK's types header brings <windows.h> on Windows; none of it is used.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "LzmaDec.h"

namespace package {
namespace {

void* Allocate(void*, size_t size) { return std::malloc(size); }
void Free(void*, void* address) { std::free(address); }

}  // namespace

struct LzmaEntryDecoder::State {
  CLzmaDec lzma;
  // Filled in when constructed: as constant data its two function pointers
  // would be two more relocations for the loader.
  ISzAlloc allocator{Allocate, Free};
  std::size_t dictionary = 0;           // bytes allocated for lzma.dic
  const std::uint8_t* input = nullptr;  // the open stream's data not yet used
  std::size_t inputLeft = 0;
  std::uint64_t outputLeft = 0;  // bytes the open stream has still to give
  bool open = false;             // a stream is under way (a solid one between entries)

  State() { LzmaDec_Construct(&lzma); }
  ~State() {
    LzmaDec_FreeProbs(&lzma, &allocator);
    std::free(lzma.dic);
  }

  // Starts a stream of `total` bytes from its properties and data.
  LzmaStatus Begin(const std::uint8_t* properties, const std::uint8_t* data, std::size_t size,
                   std::uint64_t total) {
    open = false;
    // The call decodes the properties too (into lzma.prop), refusing ones
    // out of range; the probabilities' size depends on lc and lp alone.
    const SRes allocated =
        LzmaDec_AllocateProbs(&lzma, properties, kLzmaPropertiesSize, &allocator);
    if (allocated == SZ_ERROR_MEM) return LzmaStatus::TooLarge;
    if (allocated != SZ_OK || lzma.prop.dicSize > kLzmaMaxDictionary)
      return LzmaStatus::BadProperties;
    // Matches reach back at most the dictionary size and never before the
    // stream's start, so the smaller of the two is all the window needs.
    const std::size_t window = static_cast<std::size_t>(
        std::max<std::uint64_t>(std::min<std::uint64_t>(lzma.prop.dicSize, total), 1));
    if (dictionary < window) {
      std::free(lzma.dic);
      lzma.dic = static_cast<Byte*>(std::malloc(window));
      dictionary = lzma.dic ? window : 0;
      if (lzma.dic == nullptr) return LzmaStatus::TooLarge;
    }
    lzma.dicBufSize = window;
    LzmaDec_Init(&lzma);
    input = data;
    inputLeft = size;
    outputLeft = total;
    open = true;
    return LzmaStatus::Ok;
  }

  // The next `count` bytes of the open stream into sink.
  LzmaStatus Produce(std::uint64_t count, LzmaSink sink) {
    if (count > outputLeft) return LzmaStatus::Damaged;
    outputLeft -= count;
    while (count > 0) {
      if (lzma.dicPos == lzma.dicBufSize) lzma.dicPos = 0;
      const SizeT start = lzma.dicPos;
      const SizeT limit =
          start + static_cast<SizeT>(std::min<std::uint64_t>(count, lzma.dicBufSize - start));
      SizeT used = inputLeft;
      ELzmaStatus status;
      if (LzmaDec_DecodeToDic(&lzma, limit, input, &used, LZMA_FINISH_ANY, &status) != SZ_OK)
        return LzmaStatus::Damaged;
      input += used;
      inputLeft -= used;
      const SizeT produced = lzma.dicPos - start;
      if (produced == 0) return LzmaStatus::Truncated;
      if (!sink(lzma.dic + start, produced)) return LzmaStatus::WriteFailed;
      count -= produced;
    }
    if (outputLeft > 0) return LzmaStatus::Ok;
    // The end: every byte used and the range coder at rest.
    open = false;
    SizeT used = inputLeft;
    ELzmaStatus status;
    if (LzmaDec_DecodeToDic(&lzma, lzma.dicPos, input, &used, LZMA_FINISH_END, &status) != SZ_OK ||
        status != LZMA_STATUS_MAYBE_FINISHED_WITHOUT_MARK || used != inputLeft)
      return LzmaStatus::Damaged;
    return LzmaStatus::Ok;
  }
};

LzmaEntryDecoder::LzmaEntryDecoder() : m_state(new State) {}

LzmaEntryDecoder::~LzmaEntryDecoder() = default;

bool LzmaEntryDecoder::SolidUnfinished() const { return m_state->open; }

LzmaStatus LzmaEntryDecoder::Decode(const std::uint8_t* stored, std::size_t size, LzmaSink sink) {
  State& state = *m_state;
  if (!IsLzmaEntry(stored, size)) return LzmaStatus::ShortHeader;
  const std::uint32_t decoded = base::LoadLe32(stored);
  const std::uint8_t mark = stored[4];
  if (mark == kLzmaSolidMemberMark) {
    if (!state.open || size != kLzmaHeaderSize) return LzmaStatus::NoSolidStream;
  } else {
    const std::size_t header = kLzmaHeaderSize + kLzmaPropertiesSize +
                               (mark == kLzmaSolidHeadMark ? kLzmaSolidTotalSize : 0);
    if (size < header) return LzmaStatus::ShortHeader;
    std::uint64_t total = decoded;
    if (mark == kLzmaSolidHeadMark) {
      const std::uint8_t* at = stored + kLzmaHeaderSize + kLzmaPropertiesSize;
      total = base::LoadLe32(at) | std::uint64_t{base::LoadLe32(at + 4)} << 32;
    }
    const LzmaStatus begun =
        state.Begin(stored + kLzmaHeaderSize, stored + header, size - header, total);
    if (begun != LzmaStatus::Ok) return begun;
  }
  const LzmaStatus status = state.Produce(decoded, sink);
  if (status != LzmaStatus::Ok) state.open = false;
  return status;
}

}  // namespace package

// The LZMA decoder of the LZW-only setup runtimes, whose size limits leave
// no room for LZMA: every LZMA entry is refused, so a setup program built
// with --codec lzma on the wrong runtime stops as damaged instead of
// installing raw streams.
#include "package/lzma/lzma_entry.h"

namespace package {

struct LzmaEntryDecoder::State {};

LzmaEntryDecoder::LzmaEntryDecoder() {}

LzmaEntryDecoder::~LzmaEntryDecoder() = default;

bool LzmaEntryDecoder::SolidUnfinished() const { return false; }

LzmaStatus LzmaEntryDecoder::Decode(const std::uint8_t*, std::size_t, LzmaSink) {
  return LzmaStatus::NotBuiltIn;
}

// The one status this decoder gives; the others' texts are not carried.
const char* LzmaStatusText(LzmaStatus) {
  return "it is LZMA-compressed, and this setup runtime decodes LZW only";
}

}  // namespace package

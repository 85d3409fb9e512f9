// The LZW decoder of the LZMA runtimes, whose setup programs mksetup builds
// with --codec lzma and so hold no LZW entry: every LZW entry is refused, so
// a setup program that holds one anyway stops as damaged instead of
// installing raw streams. The LZMA mirror image is lzma/absent.
#include "package/lzw/lzw_decoding.h"
#include "package/lzw/lzw_stream.h"

namespace package {

bool LzwFileSink::Write(const std::uint8_t*, std::size_t) { return false; }

bool LzwFileSink::ReadBack(std::uint64_t, std::uint8_t*, std::size_t) { return false; }

LzwStreamDecoder::LzwStreamDecoder(std::size_t window) : m_window(window) {}

// Nothing was ever allocated: no buffer to free.
LzwStreamDecoder::~LzwStreamDecoder() {
  m_buffer.release();
  m_strings.release();
}

std::size_t LzwStreamDecoder::HeldBytes() const { return 0; }

LzwStatus LzwStreamDecoder::Decode(const std::uint8_t*, std::size_t, LzwSink&) {
  return LzwStatus::NotBuiltIn;
}

// The one status this decoder gives; the others' texts are not carried.
const char* LzwStatusText(LzwStatus) {
  return "it is LZW-compressed, and this setup runtime decodes LZMA only";
}

}  // namespace package

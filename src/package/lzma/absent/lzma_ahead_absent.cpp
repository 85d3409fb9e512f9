// The LZW-only runtimes decode no LZMA entry, so nothing is decoded ahead.
#include "package/lzma/lzma_ahead.h"

namespace package {

LzmaAhead::LzmaAhead(platform::Threads& threads, const std::vector<format::ArchiveEntry>& entries,
                     const format::CompressionSwitch& compression, std::size_t first)
    : threads_(threads), entries_(entries), compression_(compression), first_(first) {}

LzmaAhead::~LzmaAhead() = default;

bool LzmaAhead::Run(LzmaEntryDecoder&, base::FunctionRef<bool()>) { return false; }

LzmaStatus LzmaAhead::WriteTo(std::FILE*) { return LzmaStatus::NotBuiltIn; }

}  // namespace package

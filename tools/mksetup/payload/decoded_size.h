// The decoded size of a compressed entry, learned by decoding the whole
// stream (which proves it, not just its header) without keeping its bytes:
// memory stays at the streaming decoder's window whatever the entry's size.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "package/lzw/lzw.h"
#include "package/lzw/lzw_stream.h"

namespace mksetup {

// Decodes stream with decoder and sets size to the bytes it produced.
// Returns the decoder's status; WriteFailed only when the temporary file
// that a stream reaching back past the window needs cannot be made or
// written, with error saying why.
package::LzwStatus DecodedSize(package::LzwStreamDecoder& decoder,
                               std::span<const std::uint8_t> stream, std::uint64_t& size,
                               std::string& error);

}  // namespace mksetup

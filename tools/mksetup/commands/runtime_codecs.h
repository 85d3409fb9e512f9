// Which compressions a setup runtime decodes, as its marker says
// (format/runtime_codecs.h), so that build refuses a runtime that could not
// unpack the setup program it would make.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "mksetup/payload/build_plan.h"
#include "mksetup/pe/pe_image.h"

namespace mksetup {

struct RuntimeCodecs {
  bool lzw = true;  // a runtime without the marker decodes LZW only
  bool lzma = false;

  bool Decodes(Codec codec) const { return codec == Codec::Lzma ? lzma : lzw; }
};

// Reads the marker from the image's sections other than the resources (an
// earlier setup program given as the runtime carries other runtimes' bytes
// there, in its payload).
RuntimeCodecs RuntimeCodecsOf(std::span<const std::uint8_t> image, const PeImage& pe);

// "the setup runtime RUNTIME does not decode LZMA, which --codec lzma asks
// for: it decodes LZW only", for a codec the runtime does not decode.
std::string RuntimeCodecMismatch(const std::string& runtime, const RuntimeCodecs& codecs,
                                 Codec codec);

}  // namespace mksetup

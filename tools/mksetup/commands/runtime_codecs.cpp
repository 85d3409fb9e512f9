#include "mksetup/commands/runtime_codecs.h"

#include <algorithm>
#include <string_view>

#include "format/runtime_codecs.h"
#include "mksetup/commands/runtime_marker.h"

namespace mksetup {

RuntimeCodecs RuntimeCodecsOf(std::span<const std::uint8_t> image, const PeImage& pe) {
  const auto names = RuntimeMarkerNames(image, pe, SETUPKIT_RUNTIME_CODECS_MARKER);
  if (!names) return RuntimeCodecs{};
  RuntimeCodecs codecs;
  codecs.lzw = std::find(names->begin(), names->end(), "lzw") != names->end();
  codecs.lzma = std::find(names->begin(), names->end(), "lzma") != names->end();
  return codecs;
}

std::string RuntimeCodecMismatch(const std::string& runtime, const RuntimeCodecs& codecs,
                                 Codec codec) {
  const char* decodes = codecs.lzw ? "LZW only" : codecs.lzma ? "LZMA only" : "neither";
  return "the setup runtime " + runtime + " does not decode " +
         (codec == Codec::Lzma ? "LZMA, which --codec lzma" : "LZW, which --codec lzw") +
         " asks for: it decodes " + decodes;
}

}  // namespace mksetup

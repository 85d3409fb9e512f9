// Decodes arbitrary bytes as an LZW stream. Whatever the bytes, the decoder
// must return (the sanitizers watch its reads and writes); when it accepts
// them, the output has the announced size, and encoding it again with the
// stream's width must decode back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "package/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> output;
  if (package::LzwDecode(data, size, output) != package::LzwStatus::Ok) {
    if (!output.empty()) std::abort();
    return 0;
  }
  const std::uint32_t announced = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                  std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24;
  if (output.size() != announced) std::abort();

  std::vector<std::uint8_t> stream;
  if (package::LzwEncode(output.data(), output.size(), data[4], stream) != package::LzwStatus::Ok) std::abort();
  std::vector<std::uint8_t> again;
  if (package::LzwDecode(stream.data(), stream.size(), again) != package::LzwStatus::Ok || again != output) {
    std::abort();
  }
  return 0;
}

// Decodes arbitrary bytes as an LZW stream. Whatever the bytes, the decoder
// must return (the sanitizers watch its reads and writes); when it accepts
// them, the output has the announced size, and encoding it again with the
// stream's width must decode back to the same bytes. The streaming decoder,
// through a small window that the input's length chooses, must give the same
// verdict and, on success, the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/little_endian.h"
#include "package/lzw/lzw.h"
#include "package/lzw/lzw_stream.h"

namespace {

class MemorySink : public package::LzwSink {
 public:
  std::vector<std::uint8_t> bytes;

  bool Write(const std::uint8_t* data, std::size_t size) override {
    bytes.insert(bytes.end(), data, data + size);
    return true;
  }
  bool ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) override {
    if (offset + size > bytes.size()) std::abort();  // only bytes already written
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, data);
    return true;
  }
};

// Streams the same input and checks it against the whole-buffer result.
void CheckStreaming(const std::uint8_t* data, std::size_t size, package::LzwStatus expected,
                    const std::vector<std::uint8_t>& output) {
  package::LzwStreamDecoder decoder(package::LzwStreamDecoder::kMinWindow + size % 997);
  MemorySink sink;
  if (decoder.Decode(data, size, sink) != expected) std::abort();
  if (expected == package::LzwStatus::Ok && sink.bytes != output) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> output;
  const package::LzwStatus status = package::LzwDecode(data, size, output);
  CheckStreaming(data, size, status, output);
  if (status != package::LzwStatus::Ok) {
    if (!output.empty()) std::abort();
    return 0;
  }
  const std::uint32_t announced = base::LoadLe32(data);
  if (output.size() != announced) std::abort();

  std::vector<std::uint8_t> stream;
  if (package::LzwEncode(output.data(), output.size(), data[4], stream) != package::LzwStatus::Ok)
    std::abort();
  std::vector<std::uint8_t> again;
  if (package::LzwDecode(stream.data(), stream.size(), again) != package::LzwStatus::Ok ||
      again != output) {
    std::abort();
  }
  return 0;
}

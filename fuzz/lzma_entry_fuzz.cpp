// Decodes arbitrary bytes as an LZMA entry and, while it leaves a solid
// stream open, as up to three solid members after it. Whatever the bytes,
// the decoder must return (the sanitizers watch the LZMA SDK's reads and
// writes through our window); what it accepts is exactly the sizes the
// headers state. Entries that state more than 1 MB are left out: decoding
// them is slow, not different.
#include <cstdint>
#include <cstdlib>

#include "base/little_endian.h"
#include "package/lzma/lzma_entry.h"

namespace {

constexpr std::uint64_t kLargest = std::uint64_t{1} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!package::IsLzmaEntry(data, size) || base::LoadLe32(data) > kLargest) return 0;
  const std::size_t totalAt = package::kLzmaHeaderSize + package::kLzmaPropertiesSize;
  if (data[4] == package::kLzmaSolidHeadMark && size >= totalAt + package::kLzmaSolidTotalSize &&
      (base::LoadLe32(data + totalAt) > kLargest || base::LoadLe32(data + totalAt + 4) != 0))
    return 0;
  package::LzmaEntryDecoder decoder;
  std::uint64_t produced = 0;
  const auto count = [&](const std::uint8_t*, std::size_t n) {
    produced += n;
    return true;
  };
  package::LzmaStatus status = decoder.Decode(data, size, count);
  if (status == package::LzmaStatus::Ok && produced != base::LoadLe32(data)) std::abort();
  // Members of 300 bytes each, while the stream lasts.
  const std::uint8_t member[package::kLzmaHeaderSize] = {0x2C, 0x01, 0, 0,
                                                         package::kLzmaSolidMemberMark};
  for (int i = 0; i < 3 && status == package::LzmaStatus::Ok && decoder.SolidUnfinished(); ++i) {
    produced = 0;
    status = decoder.Decode(member, sizeof member, count);
    if (status == package::LzmaStatus::Ok && produced != 300) std::abort();
  }
  return 0;
}

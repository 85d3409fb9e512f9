// Corrupt streams: each kind of damage gives its failure, an empty output, and
// no read or write outside the buffers (the sanitizers watch the rest).
#include <gtest/gtest.h>

#include <chrono>

#include "base/little_endian.h"
#include "package/lzw/lzw.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using test::Bytes;

// "abababab" with W = 16: codes 97, 98, 256, 258, 98.
const Bytes kAbab = {0x08, 0,    0,    0,    0x10, 0x61, 0x00, 0x62,
                     0x00, 0x00, 0x01, 0x02, 0x01, 0x62, 0x00};

LzwStatus DecodeStatus(const Bytes& stream, Bytes* output = nullptr) {
  Bytes decoded = {1, 2, 3};  // must come back empty on failure
  const LzwStatus status = LzwDecode(stream.data(), stream.size(), decoded);
  if (status != LzwStatus::Ok) {
    EXPECT_TRUE(decoded.empty());
  }
  if (output != nullptr) *output = decoded;
  return status;
}

Bytes WithSize(Bytes stream, std::uint32_t size) {
  base::StoreLe32(stream.data(), size);
  return stream;
}

TEST(LzwDecode, RefusesBrokenHeaders) {
  for (std::size_t length = 0; length < kLzwHeaderSize; ++length) {
    EXPECT_EQ(
        DecodeStatus(Bytes(kAbab.begin(), kAbab.begin() + static_cast<std::ptrdiff_t>(length))),
        LzwStatus::ShortHeader);
  }
  for (const int width : {0, 8, 26, 255}) {
    Bytes stream = kAbab;
    stream[4] = static_cast<std::uint8_t>(width);
    EXPECT_EQ(DecodeStatus(stream), LzwStatus::BadWidth) << width;
  }
  // An empty output needs no codes, whatever follows the header.
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 0)), LzwStatus::Ok);
}

TEST(LzwDecode, RefusesCodesWithoutEntries) {
  // The first code must be a byte: there is no string yet to extend.
  EXPECT_EQ(DecodeStatus({0x02, 0, 0, 0, 0x10, 0x00, 0x01, 0x61, 0x00}), LzwStatus::BadCode);
  // After "a", "b" the dictionary holds 256 and the next code is 257; 258
  // does not exist yet.
  EXPECT_EQ(DecodeStatus({0x05, 0, 0, 0, 0x10, 0x61, 0x00, 0x62, 0x00, 0x02, 0x01}),
            LzwStatus::BadCode);
  EXPECT_EQ(DecodeStatus({0x05, 0, 0, 0, 0x10, 0x61, 0x00, 0x62, 0x00, 0xFF, 0xFF}),
            LzwStatus::BadCode);
}

TEST(LzwDecode, RefusesStringsPastTheSize) {
  // The strings are a, b, ab, aba, b at 0, 1, 2, 4, 7: U = 3 cuts the third
  // and U = 6 the fourth; U = 7 ends exactly after the fourth.
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 6)), LzwStatus::Overrun);
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 3)), LzwStatus::Overrun);
  Bytes output;
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 7), &output), LzwStatus::Ok);
  EXPECT_EQ(output, test::BytesOf("abababa"));
}

TEST(LzwDecode, RefusesStreamsThatEndEarly) {
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 9)), LzwStatus::Truncated);
  // Cut by whole codes: first too few codes for the strings that remain, then
  // too few to reach U at all.
  for (std::size_t cut = 1; cut < kAbab.size() - kLzwHeaderSize; ++cut) {
    const LzwStatus status =
        DecodeStatus(Bytes(kAbab.begin(), kAbab.end() - static_cast<std::ptrdiff_t>(cut)));
    EXPECT_EQ(status, cut <= 2 ? LzwStatus::Truncated : LzwStatus::TooLarge) << cut;
  }
}

TEST(LzwDecode, RefusesSizesTheStreamCannotReach) {
  // Five codes yield at most 1 + 2 + 3 + 4 + 5 = 15 bytes.
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 16)), LzwStatus::TooLarge);
  EXPECT_EQ(DecodeStatus(WithSize(kAbab, 15)), LzwStatus::Truncated);
  // A tiny stream claiming 4 GB is refused at once, without the allocation.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(DecodeStatus({0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x61, 0x00, 0x00, 0x01, 0x01}),
            LzwStatus::TooLarge);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(LzwDecode, LongestStringsFromFewCodes) {
  // Every code after the first names the entry it creates: strings of 1, 2,
  // ..., k bytes, the most k codes can produce.
  const unsigned width = 9;
  const std::uint32_t codeCount = 40;
  std::vector<std::uint32_t> codes = {'x'};
  for (std::uint32_t k = 1; k < codeCount; ++k) codes.push_back(256 + k - 1);
  const std::uint32_t size = codeCount * (codeCount + 1) / 2;
  Bytes stream(5 + (codeCount * width + 7) / 8 + 4, 0);
  stream = WithSize(stream, size);
  stream[4] = width;
  std::size_t b = 40;
  for (const std::uint32_t code : codes) {
    for (unsigned bit = 0; bit < width; ++bit, ++b) {
      if ((code >> bit) & 1) stream[b / 8] |= static_cast<std::uint8_t>(1u << (b % 8));
    }
  }
  stream.resize((b + 7) / 8);
  Bytes output;
  ASSERT_EQ(DecodeStatus(stream, &output), LzwStatus::Ok);
  EXPECT_EQ(output, Bytes(size, 'x'));
}

TEST(LzwDecode, SurvivesEveryCutAndByteFlip) {
  const Bytes input = test::TextBytes(3000, 8);
  for (const unsigned width : {9u, 16u, 25u}) {
    Bytes stream;
    ASSERT_EQ(LzwEncode(input.data(), input.size(), width, stream), LzwStatus::Ok);
    for (std::size_t cut = 0; cut < stream.size(); cut += 7) {
      EXPECT_NE(
          DecodeStatus(Bytes(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut))),
          LzwStatus::Ok);
    }
    for (std::size_t at = kLzwHeaderSize; at < stream.size(); ++at) {
      Bytes damaged = stream;
      damaged[at] ^= 0xA5;
      Bytes output;
      if (DecodeStatus(damaged, &output) == LzwStatus::Ok) {
        EXPECT_EQ(output.size(), input.size());
      }
    }
  }
}

}  // namespace
}  // namespace package

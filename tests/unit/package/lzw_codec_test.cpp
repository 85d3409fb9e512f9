// The stream format: exact bytes of known inputs, agreement with the encoding
// algorithm as written, and round trips through dictionary resets at every
// code width.
#include <gtest/gtest.h>

#include "package/lzw/lzw.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using test::Bytes;
using test::BytesOf;

Bytes Encode(const Bytes& input, unsigned width) {
  Bytes stream;
  EXPECT_EQ(LzwEncode(input.data(), input.size(), width, stream), LzwStatus::Ok);
  return stream;
}

Bytes Decode(const Bytes& stream) {
  Bytes output;
  EXPECT_EQ(LzwDecode(stream.data(), stream.size(), output), LzwStatus::Ok);
  return output;
}

TEST(LzwCodec, KnownStreams) {
  struct Case {
    const char* input;
    unsigned width;
    Bytes stream;
  };
  const Case cases[] = {
      // Codes 97, 98, 256, 258, 98; 258 is the code its own decoding creates.
      {"abababab",
       16,
       {0x08, 0, 0, 0, 0x10, 0x61, 0x00, 0x62, 0x00, 0x00, 0x01, 0x02, 0x01, 0x62, 0x00}},
      {"abababab", 12, {0x08, 0, 0, 0, 0x0C, 0x61, 0x20, 0x06, 0x00, 0x21, 0x10, 0x62, 0x00}},
      {"aaaaaa", 16, {0x06, 0, 0, 0, 0x10, 0x61, 0x00, 0x00, 0x01, 0x01, 0x01}},
      {"a", 16, {0x01, 0, 0, 0, 0x10, 0x61, 0x00}},
      {"", 16, {0x00, 0, 0, 0, 0x10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " W=" + std::to_string(c.width));
    EXPECT_EQ(Encode(BytesOf(c.input), c.width), c.stream);
    EXPECT_EQ(Decode(c.stream), BytesOf(c.input));
  }
}

TEST(LzwCodec, MatchesTheAlgorithmAsWritten) {
  // The random input gives more than 65,280 codes: one reset at W = 16.
  const Bytes inputs[] = {test::RandomBytes(80'000, 1), test::TextBytes(60'000, 2),
                          test::StructuredBytes(60'000), Bytes(5000, 0x41)};
  for (const unsigned width : {9u, 12u, 16u}) {
    for (const Bytes& input : inputs) {
      SCOPED_TRACE("W=" + std::to_string(width) + " size " + std::to_string(input.size()));
      EXPECT_EQ(Encode(input, width), test::ModelEncode(input, width));
    }
  }
}

TEST(LzwCodec, RoundTripsAtEveryWidth) {
  // Enough codes to empty the dictionary many times at the small widths.
  Bytes mixed = test::TextBytes(60'000, 3);
  const Bytes random = test::RandomBytes(30'000, 4);
  const Bytes structured = test::StructuredBytes(40'000);
  mixed.insert(mixed.end(), random.begin(), random.end());
  mixed.insert(mixed.end(), structured.begin(), structured.end());
  for (unsigned width = kLzwMinWidth; width <= kLzwMaxWidth; ++width) {
    SCOPED_TRACE("W=" + std::to_string(width));
    const Bytes stream = Encode(mixed, width);
    ASSERT_EQ(stream[4], width);
    EXPECT_EQ(Decode(stream), mixed);
  }
}

TEST(LzwCodec, RoundTripsThroughManyResetsAtWidth16) {
  // Random bytes give about three codes for every four bytes: some 240,000
  // codes, three dictionary resets of 65,280 entries. Text and sorted
  // patterns reach their resets with long strings in the dictionary.
  const Bytes inputs[] = {test::RandomBytes(330'000, 5), test::TextBytes(2'000'000, 6),
                          test::StructuredBytes(1'500'000)};
  for (const Bytes& input : inputs) {
    const Bytes stream = Encode(input, 16);
    EXPECT_GT((stream.size() - kLzwHeaderSize) / 2, 65'280u);
    EXPECT_EQ(Decode(stream), input);
  }
}

TEST(LzwCodec, RoundTripsThroughAResetAtWidth18) {
  // 261,888 entries fill the dictionary; random bytes need some 450 KB.
  const Bytes input = test::RandomBytes(600'000, 13);
  const Bytes stream = Encode(input, 18);
  EXPECT_GT((stream.size() - kLzwHeaderSize) * 8 / 18, 261'888u);
  EXPECT_EQ(Decode(stream), input);
}

TEST(LzwCodec, EncoderRefusesBadWidths) {
  const Bytes input = BytesOf("abc");
  Bytes stream = BytesOf("old");
  EXPECT_EQ(LzwEncode(input.data(), input.size(), 8, stream), LzwStatus::BadWidth);
  EXPECT_TRUE(stream.empty());
  EXPECT_EQ(LzwEncode(input.data(), input.size(), 26, stream), LzwStatus::BadWidth);
}

}  // namespace
}  // namespace package

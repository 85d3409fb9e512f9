// The encoder's dictionary and the encoder kept from one input to the next:
// codes handed out in order and found again, emptying that forgets every
// entry of either table, short probes where keys arrive in sorted order, and
// no state of one input leaking into the stream of the next.
#include "package/lzw/lzw_dictionary.h"

#include <gtest/gtest.h>

#include "package/lzw/lzw.h"
#include "package/lzw/lzw_encoder.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using test::Bytes;

TEST(LzwDictionary, HandsOutCodesInOrderAndFindsThemAgain) {
  LzwDictionary dictionary;
  dictionary.Reset(16, 1000);
  std::uint32_t code = 0;
  // A pair from a single byte, then extensions of the code it got (the hash
  // table), one of them with the same byte as the pair.
  EXPECT_FALSE(dictionary.FindOrAdd('a', 'b', code));
  EXPECT_FALSE(dictionary.FindOrAdd(256, 'c', code));
  EXPECT_FALSE(dictionary.FindOrAdd(256, 'b', code));
  EXPECT_FALSE(dictionary.FindOrAdd('b', 'b', code));
  EXPECT_EQ(dictionary.NextCode(), 260u);
  ASSERT_TRUE(dictionary.FindOrAdd('a', 'b', code));
  EXPECT_EQ(code, 256u);
  ASSERT_TRUE(dictionary.FindOrAdd(256, 'c', code));
  EXPECT_EQ(code, 257u);
  ASSERT_TRUE(dictionary.FindOrAdd(256, 'b', code));
  EXPECT_EQ(code, 258u);
  ASSERT_TRUE(dictionary.FindOrAdd('b', 'b', code));
  EXPECT_EQ(code, 259u);
  // The same byte after another prefix is another entry.
  EXPECT_FALSE(dictionary.FindOrAdd(257, 'b', code));
  EXPECT_EQ(dictionary.NextCode(), 261u);
}

TEST(LzwDictionary, FillsAtTheWidthAndForgetsEverythingWhenCleared) {
  LzwDictionary dictionary;
  dictionary.Reset(9, 1 << 20);
  std::uint32_t code = 0;
  // 256 entries fill a 9-bit dictionary: pairs from byte 7, then a chain of
  // extensions through the hash table.
  for (int byte = 0; byte < 128; ++byte)
    EXPECT_FALSE(dictionary.FindOrAdd(7, static_cast<std::uint8_t>(byte), code));
  for (std::uint32_t prefix = 256; prefix < 384; ++prefix)
    EXPECT_FALSE(dictionary.FindOrAdd(prefix, 1, code));
  EXPECT_TRUE(dictionary.Full());

  dictionary.Clear();
  EXPECT_FALSE(dictionary.Full());
  EXPECT_EQ(dictionary.NextCode(), 256u);
  // Nothing of before is found: each lookup adds afresh, in order.
  EXPECT_FALSE(dictionary.FindOrAdd(7, 0, code));
  EXPECT_FALSE(dictionary.FindOrAdd(300, 1, code));
  EXPECT_FALSE(dictionary.FindOrAdd(7, 127, code));
  EXPECT_EQ(dictionary.NextCode(), 259u);
  ASSERT_TRUE(dictionary.FindOrAdd(300, 1, code));
  EXPECT_EQ(code, 257u);
}

TEST(LzwDictionary, SortedExtensionsKeepProbesShort) {
  // Every extension of many strings in rising byte order, and strings whose
  // codes rise with the same byte after each: the patterns of ramps and
  // counters. A poor hash would line them up into long runs of slots.
  LzwDictionary dictionary;
  dictionary.Reset(16, 1 << 20);
  std::uint32_t code = 0;
  for (std::uint32_t prefix = 256; dictionary.NextCode() < 256 + 60'000; ++prefix) {
    for (int byte = 0; byte < 256 && dictionary.NextCode() < 256 + 60'000;
         byte += 1 + static_cast<int>(prefix % 3)) {
      dictionary.FindOrAdd(prefix, static_cast<std::uint8_t>(byte), code);
    }
  }
  EXPECT_LE(dictionary.LongestProbe(), 40u);

  // The encoder's own inputs.
  for (const Bytes& input : {test::StructuredBytes(400'000), test::TextBytes(400'000, 41)}) {
    dictionary.Reset(16, input.size());
    std::uint32_t match = input[0];
    for (std::size_t next = 1; next < input.size(); ++next) {
      if (dictionary.Full()) dictionary.Clear();
      std::uint32_t longer = 0;
      match = dictionary.FindOrAdd(match, input[next], longer) ? longer : input[next];
    }
    EXPECT_LE(dictionary.LongestProbe(), 40u);
  }
}

TEST(LzwEncoder, AKeptEncoderGivesTheStreamsOfAFreshOne) {
  // Large, then small, wide, narrow and empty inputs through one encoder:
  // entries, table sizes and buffered codes of one input must not reach the
  // next one's stream.
  struct Input {
    Bytes bytes;
    unsigned width;
  };
  const Input inputs[] = {
      {test::TextBytes(1'500'000, 42), 16},
      {test::BytesOf("abababab"), 16},
      {test::RandomBytes(300'000, 43), 25},
      {test::StructuredBytes(200'000), 9},
      {Bytes(), 16},
      {Bytes(1, 0), 16},
      {Bytes(100'000, 0), 12},
      {test::TextBytes(50'000, 44), 16},
  };
  LzwEncoder kept;
  for (const Input& input : inputs) {
    SCOPED_TRACE("size " + std::to_string(input.bytes.size()) +
                 " W=" + std::to_string(input.width));
    Bytes stream;
    Bytes fresh;
    ASSERT_EQ(kept.Encode(input.bytes.data(), input.bytes.size(), input.width, stream),
              LzwStatus::Ok);
    ASSERT_EQ(LzwEncode(input.bytes.data(), input.bytes.size(), input.width, fresh), LzwStatus::Ok);
    EXPECT_TRUE(stream == fresh);
  }
  // A refused width leaves the stream empty and the encoder usable.
  Bytes stream = test::BytesOf("old");
  EXPECT_EQ(kept.Encode(inputs[1].bytes.data(), inputs[1].bytes.size(), 26, stream),
            LzwStatus::BadWidth);
  EXPECT_TRUE(stream.empty());
  ASSERT_EQ(kept.Encode(inputs[1].bytes.data(), inputs[1].bytes.size(), 16, stream), LzwStatus::Ok);
  EXPECT_EQ(stream, test::ModelEncode(inputs[1].bytes, 16));  // "abababab"
}

}  // namespace
}  // namespace package

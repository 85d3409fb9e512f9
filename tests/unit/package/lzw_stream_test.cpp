// The streaming decoder against the whole-buffer one: the same bytes and the
// same verdicts whatever the window, bounded memory, and the sink's failures.
#include <gtest/gtest.h>

#include <cstdio>

#include "package/lzw/lzw.h"
#include "package/lzw/lzw_stream.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using test::Bytes;

// Collects the output in memory and counts how often the decoder had to
// reach back behind its window. failAfter makes writes fail from that many
// bytes on.
class MemorySink : public LzwSink {
 public:
  Bytes bytes;
  std::size_t readBacks = 0;
  std::size_t failAfter = SIZE_MAX;

  bool Write(const std::uint8_t* data, std::size_t size) override {
    if (bytes.size() + size > failAfter) return false;
    bytes.insert(bytes.end(), data, data + size);
    return true;
  }
  bool ReadBack(std::uint64_t offset, std::uint8_t* data, std::size_t size) override {
    EXPECT_LE(offset + size, bytes.size());
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), size, data);
    ++readBacks;
    return true;
  }
};

Bytes Encoded(const Bytes& input, unsigned width = kLzwDefaultWidth) {
  Bytes stream;
  EXPECT_EQ(LzwEncode(input.data(), input.size(), width, stream), LzwStatus::Ok);
  return stream;
}

struct Case {
  const char* name;
  Bytes input;
  unsigned width;
};

std::vector<Case> Inputs() {
  return {
      {"text", test::TextBytes(600'000, 1), 16},
      {"text w9", test::TextBytes(200'000, 2), 9},
      {"random", test::RandomBytes(300'000, 3), 16},
      {"structured", test::StructuredBytes(500'000), 12},
      {"zeros", Bytes(2'000'000, 0), 16},
      {"one byte", Bytes{42}, 16},
  };
}

TEST(LzwStreamDecode, GivesTheWholeBufferBytesWhateverTheWindow) {
  for (const Case& c : Inputs()) {
    const Bytes stream = Encoded(c.input, c.width);
    for (const std::size_t window : {std::size_t{1}, std::size_t{64}, std::size_t{1000},
                                     std::size_t{65'536}, LzwStreamDecoder::kDefaultWindow}) {
      LzwStreamDecoder decoder(window);
      MemorySink sink;
      ASSERT_EQ(decoder.Decode(stream.data(), stream.size(), sink), LzwStatus::Ok)
          << c.name << " " << window;
      EXPECT_TRUE(sink.bytes == c.input) << c.name << " window " << window;
    }
  }
}

TEST(LzwStreamDecode, ReachesBackOnlyWhenTheDictionaryOutgrowsTheWindow) {
  // Text keeps a dictionary's stretch far below 1 MiB: nothing is read back.
  const Bytes text = test::TextBytes(3'000'000, 4);
  LzwStreamDecoder roomy(std::size_t{1} << 20);
  MemorySink sink;
  ASSERT_EQ(roomy.Decode(Encoded(text).data(), Encoded(text).size(), sink), LzwStatus::Ok);
  EXPECT_EQ(sink.readBacks, 0u);
  EXPECT_TRUE(sink.bytes == text);

  // Zeros make strings thousands of bytes long within one dictionary: a
  // small window must read back and still produce every byte.
  const Bytes zeros(4'000'000, 0);
  const Bytes stream = Encoded(zeros);
  LzwStreamDecoder small(4096);
  MemorySink back;
  ASSERT_EQ(small.Decode(stream.data(), stream.size(), back), LzwStatus::Ok);
  EXPECT_GT(back.readBacks, 0u);
  EXPECT_TRUE(back.bytes == zeros);
}

TEST(LzwStreamDecode, KeepsItsBuffersBoundedAndReusesThem) {
  const Bytes big(6'000'000, 7);
  const Bytes text = test::TextBytes(1'000'000, 5);
  LzwStreamDecoder decoder(std::size_t{1} << 20);
  MemorySink first;
  MemorySink second;
  ASSERT_EQ(decoder.Decode(Encoded(big).data(), Encoded(big).size(), first), LzwStatus::Ok);
  ASSERT_EQ(decoder.Decode(Encoded(text).data(), Encoded(text).size(), second), LzwStatus::Ok);
  const std::size_t held = decoder.HeldBytes();
  // The window, its slack and one full dictionary of 16-bit codes.
  EXPECT_LE(held, (std::size_t{1} << 20) + 64 + 65'536 * 8);
  for (int round = 0; round < 2; ++round) {
    MemorySink again;
    ASSERT_EQ(decoder.Decode(Encoded(text).data(), Encoded(text).size(), again), LzwStatus::Ok);
    EXPECT_TRUE(again.bytes == text);
    EXPECT_EQ(decoder.HeldBytes(), held);
  }
}

TEST(LzwStreamDecode, GivesTheWholeBufferVerdictOnDamagedStreams) {
  const Bytes good = Encoded(test::TextBytes(50'000, 6));
  std::vector<Bytes> damaged = {
      Bytes(good.begin(), good.begin() + 3),                           // short header
      Bytes(good.begin(), good.begin() + 200),                         // truncated
      Bytes{0x02, 0, 0, 0, 0x10, 0x00, 0x01, 0x61, 0x00},              // first code not a byte
      Bytes{0x05, 0, 0, 0, 0x10, 0x61, 0x00, 0x62, 0x00, 0x02, 0x01},  // code not yet made
  };
  Bytes width = good;
  width[4] = 30;
  damaged.push_back(width);
  Bytes oversize = good;
  oversize[3] = 0x7F;  // far more than the codes can make
  damaged.push_back(oversize);
  Bytes shorter = good;
  shorter[0] = static_cast<std::uint8_t>(shorter[0] - 1);  // the last string overruns
  damaged.push_back(shorter);
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    Bytes whole;
    const LzwStatus expected = LzwDecode(damaged[i].data(), damaged[i].size(), whole);
    ASSERT_NE(expected, LzwStatus::Ok) << i;
    for (const std::size_t window : {std::size_t{64}, LzwStreamDecoder::kDefaultWindow}) {
      LzwStreamDecoder decoder(window);
      MemorySink sink;
      EXPECT_EQ(decoder.Decode(damaged[i].data(), damaged[i].size(), sink), expected)
          << i << " " << window;
    }
  }
}

TEST(LzwStreamDecode, ReportsASinkThatCannotWrite) {
  const Bytes text = test::TextBytes(400'000, 7);
  const Bytes stream = Encoded(text);
  for (const std::size_t failAfter : {std::size_t{0}, std::size_t{100'000}, text.size() - 1}) {
    LzwStreamDecoder decoder(4096);
    MemorySink sink;
    sink.failAfter = failAfter;
    EXPECT_EQ(decoder.Decode(stream.data(), stream.size(), sink), LzwStatus::WriteFailed)
        << failAfter;
  }
}

TEST(LzwFileSink, ReadsBackFromTheFileItWrites) {
  // Zeros and text back to back: long strings that a tiny window loses,
  // read back through the file while it is being written.
  Bytes input(300'000, 0);
  const Bytes text = test::TextBytes(300'000, 8);
  input.insert(input.end(), text.begin(), text.end());
  const Bytes stream = Encoded(input);

  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  LzwFileSink sink(file);
  LzwStreamDecoder decoder(256);
  ASSERT_EQ(decoder.Decode(stream.data(), stream.size(), sink), LzwStatus::Ok);
  std::rewind(file);
  Bytes back(input.size() + 1);
  EXPECT_EQ(std::fread(back.data(), 1, back.size(), file), input.size());
  back.resize(input.size());
  EXPECT_TRUE(back == input);
  std::fclose(file);
}

}  // namespace
}  // namespace package

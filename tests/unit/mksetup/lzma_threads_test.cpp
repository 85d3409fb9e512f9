// The LZMA encoder with its match finder on a thread of its own gives the
// same bytes as on one thread, over an input long enough to move the
// encoder's window several times and read in uneven pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "mksetup/payload/lzma_encoding.h"

namespace mksetup {
namespace {

// Words from a small vocabulary with some noise, and now and then a stretch
// repeated from further back than the dictionary reaches.
std::vector<std::uint8_t> Text(std::size_t size) {
  std::vector<std::uint8_t> text;
  std::uint32_t state = 12345;
  const auto next = [&] { return state = state * 1103515245 + 12345, state >> 16; };
  while (text.size() < size) {
    const std::uint32_t pick = next();
    if (pick % 97 == 0 && text.size() > 200'000) {
      const std::size_t from = text.size() - 100'000 - next() % 100'000;
      for (std::size_t i = 0; i < 3'000; ++i) text.push_back(text[from + i]);
    } else if (pick % 7 == 0) {
      text.push_back(static_cast<std::uint8_t>(next()));
    } else {
      const std::uint32_t word = pick % 300;
      for (std::uint32_t i = 0; i < 3 + word % 9; ++i)
        text.push_back(static_cast<std::uint8_t>('a' + (word * 7 + i * 13) % 26));
    }
  }
  text.resize(size);
  return text;
}

std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& input, unsigned threads) {
  std::size_t at = 0;
  std::size_t piece = 0;
  const LzmaReader read = [&](std::uint8_t* data, std::size_t& size) {
    piece = piece * 31 % 70'001 + 1;
    size = std::min({size, input.size() - at, piece});
    std::copy_n(input.data() + at, size, data);
    at += size;
    return true;
  };
  std::vector<std::uint8_t> out;
  std::string error;
  EXPECT_TRUE(
      LzmaEncode(read, input.size(), std::uint32_t{1} << 16, kLzmaSolidModel, out, error, threads))
      << error;
  return out;
}

TEST(LzmaThreads, TheMatchFinderOnItsOwnThreadGivesTheSameBytes) {
  const std::vector<std::uint8_t> input = Text(std::size_t{5} << 20);
  const std::vector<std::uint8_t> one = Encode(input, 1);
  EXPECT_LT(one.size(), input.size() / 2);
  EXPECT_TRUE(Encode(input, 2) == one);
  EXPECT_TRUE(Encode({}, 2) == Encode({}, 1));
}

TEST(LzmaThreads, AFailedReadStopsTheEncoding) {
  const std::vector<std::uint8_t> input = Text(std::size_t{4} << 20);
  std::size_t at = 0;
  const LzmaReader read = [&](std::uint8_t* data, std::size_t& size) {
    if (at > 300'000) return false;
    size = std::min(size, input.size() - at);
    std::copy_n(input.data() + at, size, data);
    at += size;
    return true;
  };
  std::vector<std::uint8_t> out;
  std::string error;
  EXPECT_FALSE(
      LzmaEncode(read, input.size(), std::uint32_t{1} << 16, kLzmaSolidModel, out, error, 2));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace mksetup

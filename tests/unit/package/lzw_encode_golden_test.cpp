// The encoder's exact output on a fixed corpus, pinned by the SHA-256 of each
// stream: setup programs built before and after a change to the encoder must
// be the same bytes. The inputs are large enough to pass many dictionary
// resets and include the shapes that stress a dictionary (long runs, sorted
// extensions, incompressible bytes, short and empty inputs).
#include <gtest/gtest.h>

#include <string>

#include "package/lzw/lzw.h"
#include "package/lzw_test_data.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"

namespace package {
namespace {

using test::Bytes;

// Every byte value in rising order over and over, each repeated one to seven
// times in turn: keeps adding the extensions of a string in sorted order.
Bytes Ramps(std::size_t count) {
  Bytes bytes;
  for (std::size_t run = 1; bytes.size() < count; ++run) {
    for (int value = 0; value < 256; ++value)
      bytes.insert(bytes.end(), run % 7 + 1, static_cast<std::uint8_t>(value));
  }
  bytes.resize(count);
  return bytes;
}

// Text, noise, zeros and structure one after the other, as in a program file.
Bytes Mixed(std::size_t part) {
  Bytes bytes = test::TextBytes(part, 31);
  for (const Bytes& more :
       {test::RandomBytes(part, 32), Bytes(part, 0), test::StructuredBytes(part), Ramps(part)}) {
    bytes.insert(bytes.end(), more.begin(), more.end());
  }
  return bytes;
}

struct GoldenCase {
  const char* name;
  Bytes input;
  unsigned width;
  const char* digest;  // SHA-256 of the whole stream, header included
};

TEST(LzwEncodeGolden, StreamsAreUnchanged) {
  const GoldenCase cases[] = {
      {"empty", Bytes(), 16, "2be022b78fb63618b2d58c766f4b98b34f76dfacbbfb250b4d3683c0a1544ae1"},
      {"one byte", Bytes(1, 0x5A), 16,
       "caaced014f2bf974ef2885193294c59e59cdd377de755f1ab9ef2b04ceb2af1e"},
      {"text", test::TextBytes(3'000'000, 21), 16,
       "624a4a874016fc800067468728c5c2562dda83a611da427a6768f543d855d30a"},
      {"structured", test::StructuredBytes(3'000'000), 16,
       "85940e74fc010c6ee3d125bf160057a2a135f38b81dc59b48235c45c0eff8749"},
      {"random", test::RandomBytes(400'000, 22), 16,
       "cda255b861df1bfc626541c8d6ba3d7451dd61e48e838881c0ee03fa97c59c63"},
      {"zeros", Bytes(2'000'000, 0), 16,
       "6836ea0edfac9219555149448b94fe897d502769d36d62984eb8ec85b5573ca7"},
      {"ramps", Ramps(2'000'000), 16,
       "e69d9ec585e96bf39ef04725f6e839accd058278e1e182abb1bcb6f756351ca1"},
      {"mixed", Mixed(400'000), 16,
       "be6e32f102617ef3674272f58a876eee63110d880dab55c2b678ddc2bbb923a6"},
      {"mixed", Mixed(100'000), 9,
       "37abe374df08002c5f4e847b939a374b0c13b67b37bc5bbd6f6a73fbe5bf31bc"},
      {"mixed", Mixed(100'000), 12,
       "21d335fc11000f627549739003ad9ca206f59fc8f6f1e9e25aca3637e8f4b82c"},
      {"mixed", Mixed(200'000), 25,
       "c60a73ff087a84200451c2ca6e270c9ffd60198b995ca3dbef45ffaceea12596"},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " W=" + std::to_string(c.width));
    Bytes stream;
    ASSERT_EQ(LzwEncode(c.input.data(), c.input.size(), c.width, stream), LzwStatus::Ok);
    EXPECT_EQ(DigestText(Sha256Of(stream)), c.digest);
  }
}

}  // namespace
}  // namespace package

// SHA-256 against the published test vectors, and the payload check built
// on it: a wrong digest, a digest of the wrong length, none at all. Both
// compressions, the portable one and the one on the x86 SHA instructions
// (where this processor has them), are held to the same vectors and to
// each other.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "package/payload_checksum.h"
#include "package/sha256/sha256.h"
#include "package/sha256/sha256_blocks.h"

namespace package {
namespace {

constexpr const char* kLongMessageDigest =
    "3cbb1c125e17fd549045a77b616c1dfee6cc7feecfef3335506216702f87c3c9";

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Sha256, KnownVectorsWholeAndPieceByPiece) {
  const std::string million(1'000'000, 'a');
  const struct {
    std::string input;
    const char* digest;
  } vectors[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& vector : vectors) {
    SCOPED_TRACE(vector.input.substr(0, 20));
    EXPECT_EQ(DigestText(Sha256Of(Bytes(vector.input))), vector.digest);
    // Pieces that straddle the 64-byte blocks give the same digest.
    Sha256 hash;
    const std::span<const std::uint8_t> all = Bytes(vector.input);
    for (std::size_t at = 0, piece = 1; at < all.size(); at += piece, piece = piece * 3 % 97 + 1) {
      hash.Update(all.subspan(at, std::min(piece, all.size() - at)));
    }
    EXPECT_EQ(DigestText(hash.Finish()), vector.digest);
  }
  // An empty block without any storage behind it, as an empty payload is.
  EXPECT_EQ(DigestText(Sha256Of(std::span<const std::uint8_t>())),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  // The lengths around the padding's boundary: 55 fits one block, 56 not.
  EXPECT_EQ(DigestText(Sha256Of(Bytes(std::string(55, 'a')))),
            "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
  EXPECT_EQ(DigestText(Sha256Of(Bytes(std::string(56, 'a')))),
            "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
}

// The compressions this processor can run, by name.
std::vector<std::pair<const char*, Sha256Blocks>> Compressions() {
  std::vector<std::pair<const char*, Sha256Blocks>> all = {{"portable", Sha256BlocksPortable}};
  if (HasSha256Instructions()) all.emplace_back("x86 SHA instructions", Sha256BlocksX86);
  return all;
}

std::string DigestWith(Sha256Blocks compress, std::span<const std::uint8_t> bytes) {
  Sha256 hash(compress);
  hash.Update(bytes);
  return DigestText(hash.Finish());
}

TEST(Sha256, EachCompressionGivesTheFips180Digests) {
  const std::string million(1'000'000, 'a');
  const std::string twoBlocks =
      "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu";
  for (const auto& [name, compress] : Compressions()) {
    SCOPED_TRACE(name);
    EXPECT_EQ(DigestWith(compress, Bytes("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(
        DigestWith(compress, Bytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
        "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(DigestWith(compress, Bytes(twoBlocks)),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(DigestWith(compress, Bytes(million)),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  }
}

// A long message, a piece at a time: 2^23 bytes (8 MiB) of a repeated 64-byte
// pattern (the "extremely long message" of the NIST test set, shortened to
// keep the test quick; its digest is Python's hashlib's).
TEST(Sha256, EachCompressionAgreesOnALongMessage) {
  std::vector<std::uint8_t> pattern(64 * 1024);
  const std::string unit = "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno";
  for (std::size_t i = 0; i < pattern.size(); ++i)
    pattern[i] = static_cast<std::uint8_t>(unit[i % 64]);
  for (const auto& [name, compress] : Compressions()) {
    SCOPED_TRACE(name);
    Sha256 hash(compress);
    for (int i = 0; i < 128; ++i) hash.Update(pattern);
    EXPECT_EQ(DigestText(hash.Finish()), kLongMessageDigest);
  }
}

// Every length across the first two block boundaries and the padding's
// (55/56 and 119/120), whole and split in two at every point: the SHA
// instructions and the portable compression agree byte for byte on random
// data, and the default object picks one of them.
TEST(Sha256, CompressionsAgreeOnEveryLengthAroundTheBlocks) {
  std::mt19937 random(20261209);
  std::vector<std::uint8_t> data(130);
  for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
  const auto compressions = Compressions();
  for (std::size_t length = 0; length <= data.size(); ++length) {
    SCOPED_TRACE(length);
    const std::span<const std::uint8_t> message(data.data(), length);
    const std::string expected = DigestWith(Sha256BlocksPortable, message);
    EXPECT_EQ(DigestText(Sha256Of(message)), expected);
    for (const auto& [name, compress] : compressions) {
      for (std::size_t split = 0; split <= length; ++split) {
        Sha256 hash(compress);
        hash.Update(message.first(split));
        hash.Update(message.subspan(split));
        ASSERT_EQ(DigestText(hash.Finish()), expected) << name << ", split at " << split;
      }
    }
  }
}

// Many blocks in one call, from an address that is not aligned: the state
// the two compressions leave is the same.
TEST(Sha256, CompressionsAgreeOnRandomBlocks) {
  if (!HasSha256Instructions()) GTEST_SKIP() << "this processor has no SHA instructions";
  std::mt19937 random(7);
  std::vector<std::uint8_t> data(64 * 1000 + 1);
  for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
  for (const std::size_t blocks : {1u, 2u, 3u, 17u, 1000u}) {
    std::uint32_t portable[8], x86[8];
    for (int i = 0; i < 8; ++i) portable[i] = x86[i] = static_cast<std::uint32_t>(random());
    Sha256BlocksPortable(portable, data.data() + 1, blocks);
    Sha256BlocksX86(x86, data.data() + 1, blocks);
    EXPECT_EQ(std::vector<std::uint32_t>(portable, portable + 8),
              std::vector<std::uint32_t>(x86, x86 + 8))
        << blocks << " blocks";
  }
}

TEST(PayloadChecksum, MatchesMismatchesAndAbsence) {
  const std::string block = "the archive block";
  const Sha256Digest digest = Sha256Of(Bytes(block));
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, digest), ChecksumVerdict::Matches);
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), false, {}), ChecksumVerdict::Absent);

  // One byte cut off the block, as a truncated download.
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block).first(block.size() - 1), true, digest),
            ChecksumVerdict::Mismatch);
  Sha256Digest flipped = digest;
  flipped[31] ^= 1;
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, flipped), ChecksumVerdict::Mismatch);
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, std::span(digest).first(31)),
            ChecksumVerdict::Mismatch);
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, {}), ChecksumVerdict::Mismatch);
}

}  // namespace
}  // namespace package

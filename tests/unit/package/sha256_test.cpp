// SHA-256 against the published test vectors, and the payload check built
// on it: a wrong digest, a digest of the wrong length, none at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/payload_checksum.h"
#include "package/sha256.h"

namespace package {
namespace {

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
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, std::span(digest).first(31)), ChecksumVerdict::Mismatch);
  EXPECT_EQ(CheckPayloadChecksum(Bytes(block), true, {}), ChecksumVerdict::Mismatch);
}

}  // namespace
}  // namespace package

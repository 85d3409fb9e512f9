// Little-endian numbers: byte order, the top bit of each byte, unaligned
// places, and stores that touch their own bytes only.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/little_endian.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(LittleEndian, LoadsTheLowByteFirst) {
  const std::uint8_t bytes[] = {0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(base::LoadLe16(bytes), 0x5678u);
  EXPECT_EQ(base::LoadLe32(bytes), 0x12345678u);
}

TEST(LittleEndian, HighBitsNeitherSpreadNorOverflow) {
  const std::uint8_t top[] = {0x00, 0x00, 0x00, 0x80};
  EXPECT_EQ(base::LoadLe32(top), 0x80000000u);
  const std::uint8_t all[] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(base::LoadLe32(all), 0xFFFFFFFFu);
  EXPECT_EQ(base::LoadLe16(all), 0xFFFFu);
  const std::uint8_t low[] = {0x80, 0x00};
  EXPECT_EQ(base::LoadLe16(low), 0x0080u);
}

TEST(LittleEndian, WorksAtUnalignedPlaces) {
  Bytes bytes = {0xEE, 0, 0, 0, 0, 0xEE};
  for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
    Bytes copy = bytes;
    base::StoreLe32(copy.data() + at, 0xA1B2C3D4u);
    EXPECT_EQ(base::LoadLe32(copy.data() + at), 0xA1B2C3D4u) << at;
    base::StoreLe16(copy.data() + at + 1, 0x0102u);
    EXPECT_EQ(base::LoadLe16(copy.data() + at + 1), 0x0102u) << at;
  }
}

TEST(LittleEndian, StoresTouchOnlyTheirBytes) {
  Bytes bytes(8, 0xEE);
  base::StoreLe32(bytes.data() + 1, 0x12345678u);
  EXPECT_EQ(bytes, (Bytes{0xEE, 0x78, 0x56, 0x34, 0x12, 0xEE, 0xEE, 0xEE}));
  base::StoreLe16(bytes.data() + 5, 0xBEEFu);
  EXPECT_EQ(bytes, (Bytes{0xEE, 0x78, 0x56, 0x34, 0x12, 0xEF, 0xBE, 0xEE}));
}

TEST(LittleEndian, AppendsAfterWhatIsThere) {
  Bytes bytes = {0x01};
  base::AppendLe32(bytes, 0x00000100u);
  base::AppendLe32(bytes, 0xFFFFFFFFu);
  EXPECT_EQ(bytes, (Bytes{0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

}  // namespace

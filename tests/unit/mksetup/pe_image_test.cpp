#include "mksetup/pe/pe_image.h"

#include <gtest/gtest.h>

#include <functional>

#include "mksetup/pe_test_support.h"

namespace {

using mksetup::ParsePeImage;
using mksetup::PeImage;
using pe_test::kOptionalOffset;
using pe_test::kPeOffset;

TEST(PeImage, ReadsPe32AndPe32PlusHeaders) {
  for (bool pe32plus : {false, true}) {
    SCOPED_TRACE(pe32plus ? "PE32+" : "PE32");
    pe_test::SyntheticOptions options;
    options.pe32plus = pe32plus;
    const auto bytes = pe_test::MakeImage(options);
    PeImage image;
    std::string error;
    ASSERT_TRUE(ParsePeImage(bytes, image, error)) << error;
    EXPECT_EQ(image.is64, pe32plus);
    EXPECT_EQ(image.fileAlignment, 0x200u);
    EXPECT_EQ(image.sectionAlignment, 0x1000u);
    EXPECT_EQ(image.sizeOfHeaders, 0x200u);
    ASSERT_EQ(image.directories.size(), 16u);
    EXPECT_EQ(image.directories[mksetup::kResourceDirectory].virtualAddress, 0x2000u);
    ASSERT_EQ(image.sections.size(), 3u);
    EXPECT_EQ(image.sections[0].name, ".text");
    EXPECT_EQ(image.sections[1].name, ".rsrc");
    EXPECT_EQ(image.sections[2].name, ".reloc");
    EXPECT_EQ(image.sections[1].pointerToRawData, 0x400u);
    EXPECT_EQ(image.EndOfSectionData(), bytes.size());
    std::uint32_t offset = 0;
    EXPECT_FALSE(image.RvaToFileOffset(0x1FFE, 4, offset)) << "straddles two sections";
  }
}

// The linker writes the checksum of its images; ours must agree with it.
TEST(PeImage, ReadsTheMinGWImagesAndAgreesWithTheLinkersChecksum) {
  int tested = 0;
  for (const char* name :
       {"pe_stub32.exe", "pe_stub32_last.exe", "pe_stub32_symbols.exe", "pe_stub64.exe"}) {
    SCOPED_TRACE(name);
    const std::string path = pe_test::FixturePath(name);
    if (path.empty()) continue;
    const auto bytes = pe_test::ReadBytes(path);
    PeImage image;
    std::string error;
    ASSERT_TRUE(ParsePeImage(bytes, image, error)) << error;
    EXPECT_EQ(image.is64, std::string(name) == "pe_stub64.exe");
    EXPECT_EQ(image.sections.front().name, ".text");
    EXPECT_NE(image.checkSum, 0u);
    EXPECT_EQ(mksetup::ComputePeChecksum(bytes, image.CheckSumOffset()), image.checkSum);
    ++tested;
  }
  if (tested == 0) GTEST_SKIP() << "no MinGW test images were built";
}

TEST(PeImage, RefusesWhatIsNotAPeImage) {
  const auto good = pe_test::MakeImage({});
  const std::uint32_t firstSection = kOptionalOffset + 96 + 128;
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    const char* message;
  };
  const Case cases[] = {
      {"empty file", [](auto& b) { b.clear(); }, "no MZ header"},
      {"text file", [](auto& b) { b.assign(100, 'x'); }, "no MZ header"},
      {"PE offset past the end", [](auto& b) { mksetup::WriteU32(b, 0x3C, 0x7FFFFFF0); },
       "lies outside the file"},
      {"PE offset wraps", [](auto& b) { mksetup::WriteU32(b, 0x3C, 0xFFFFFFFE); },
       "lies outside the file"},
      {"no PE signature", [](auto& b) { b[kPeOffset + 1] = 'X'; }, "no PE signature at 0x40"},
      {"unknown magic", [](auto& b) { mksetup::WriteU16(b, kOptionalOffset, 0x107); },
       "unknown optional header magic 0x107"},
      {"optional header too short", [](auto& b) { mksetup::WriteU16(b, kPeOffset + 4 + 16, 40); },
       "less than the 96"},
      {"optional header past the end",
       [](auto& b) { mksetup::WriteU16(b, kPeOffset + 4 + 16, 0xFFFF); }, "cut off"},
      {"section table past the end", [](auto& b) { mksetup::WriteU16(b, kPeOffset + 4 + 2, 90); },
       "section table"},
      {"too many sections", [](auto& b) { mksetup::WriteU16(b, kPeOffset + 4 + 2, 97); },
       "more than the 96"},
      {"section data past the end",
       [&](auto& b) { mksetup::WriteU32(b, firstSection + 40 + 16, 0x10000); },
       "section 2 (.rsrc)"},
      {"section data offset wraps",
       [&](auto& b) { mksetup::WriteU32(b, firstSection + 20, 0xFFFFFF00); }, "outside the file"},
      {"file alignment not a power of two",
       [](auto& b) { mksetup::WriteU32(b, kOptionalOffset + 36, 0x300); }, "powers of two"},
      {"headers longer than the file",
       [](auto& b) { mksetup::WriteU32(b, kOptionalOffset + 60, 0x100000); },
       "headers (0x100000 bytes)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = good;
    c.damage(bytes);
    PeImage image;
    std::string error;
    EXPECT_FALSE(ParsePeImage(bytes, image, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

// Cutting the file anywhere before the end of its last section is refused
// (the sanitizers watch that nothing is read past the shortened buffer).
TEST(PeImage, RefusesEveryTruncation) {
  for (bool pe32plus : {false, true}) {
    pe_test::SyntheticOptions options;
    options.pe32plus = pe32plus;
    const auto good = pe_test::MakeImage(options);
    for (std::size_t length = 0; length < good.size(); ++length) {
      const std::vector<std::uint8_t> cut(good.begin(), good.begin() + length);
      PeImage image;
      std::string error;
      EXPECT_FALSE(ParsePeImage(cut, image, error)) << "length " << length;
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace

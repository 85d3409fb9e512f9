// Trimming: exactly the C locale's white space goes, from the right ends,
// and nothing inside the text is touched.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "base/text_trim.h"

namespace {

TEST(TextTrim, EmptyAndAllWhiteSpaceLeaveNothing) {
  for (const std::string text : {"", " ", "\t\r\n", " \t\n\v\f\r "}) {
    EXPECT_EQ(base::Trimmed(text), "") << text.size();
    EXPECT_EQ(base::TrimmedEnd(text), "") << text.size();
  }
}

TEST(TextTrim, CutsOnlyTheEnds) {
  EXPECT_EQ(base::Trimmed(" \t HKEY_CURRENT_USER \r\n"), "HKEY_CURRENT_USER");
  EXPECT_EQ(base::Trimmed("a b\t\tc"), "a b\t\tc");
  EXPECT_EQ(base::Trimmed("x"), "x");
  EXPECT_EQ(base::Trimmed("\fx\v"), "x");
  // The end variant keeps what leads.
  EXPECT_EQ(base::TrimmedEnd("  Quill Writer \t\r\n"), "  Quill Writer");
  EXPECT_EQ(base::TrimmedEnd("  x"), "  x");
}

// The set is the C locale's isspace(), byte for byte: a NUL, a no-break
// space (0xA0) or a NEL (0x85) in an ANSI name is text and stays.
TEST(TextTrim, WhiteSpaceIsExactlyWhatIsspaceSays) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string text =
        std::string(1, static_cast<char>(byte)) + "x" + std::string(1, static_cast<char>(byte));
    const bool space = std::isspace(byte) != 0;
    EXPECT_EQ(base::Trimmed(text), space ? "x" : text) << byte;
    EXPECT_EQ(base::TrimmedEnd(text), space ? text.substr(0, 2) : text) << byte;
  }
}

}  // namespace

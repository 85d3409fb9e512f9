// Escaping for messages: control bytes and DEL become \xNN, everything a
// message can show (ANSI letters above 0x7F included) stays as it is.
#include <gtest/gtest.h>

#include <string>

#include "base/hex_escape.h"

namespace {

TEST(HexEscape, PrintableTextIsUnchanged) {
  EXPECT_EQ(base::HexEscaped(""), "");
  EXPECT_EQ(base::HexEscaped(" !~ C:\\Program Files\\x"), " !~ C:\\Program Files\\x");
  EXPECT_EQ(base::HexEscaped("caf\xE9 \x80\xFF"), "caf\xE9 \x80\xFF");
}

TEST(HexEscape, ControlBytesAndDelAreEscapedWithUpperCaseDigits) {
  EXPECT_EQ(base::HexEscaped(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(base::HexEscaped("\t[shrt]\r\n"), "\\x09[shrt]\\x0D\\x0A");
  EXPECT_EQ(base::HexEscaped("\x1B[31m"), "\\x1B[31m");
  EXPECT_EQ(base::HexEscaped("\x1F\x20"), "\\x1F ");
  EXPECT_EQ(base::HexEscaped("a\x7F"
                             "b"),
            "a\\x7Fb");
}

TEST(HexEscape, EveryByteIsEscapedOrKeptWhole) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string shown = base::HexEscaped(std::string(1, static_cast<char>(byte)));
    const bool escaped = byte < 0x20 || byte == 0x7F;
    EXPECT_EQ(shown.size(), escaped ? 4u : 1u) << byte;
  }
}

}  // namespace

// A registry value as the setup program stores it from a "[regi]" line's
// type and data; mksetup checks a script's lines by the same rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace format {

// Value types, numbered as the system numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Between the strings of a REG_MULTI_SZ's Data: "a{break}b" is "a" and "b".
inline constexpr const char* kMultiStringBreak = "{break}";

// A value as it is stored: its type and its bytes.
struct RegistryData {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// A REG_DWORD's four bytes, lowest first.
std::vector<std::uint8_t> DwordBytes(std::uint32_t number);

// Turns the script's Data text into the stored value for a type name:
//   "REG_SZ"      the text and its terminating zero byte;
//   "REG_EXPAND_SZ" the same, stored as a string whose "%NAME%" references
//                 the reader expands from its environment;
//   "REG_MULTI_SZ" the strings between kMultiStringBreak, each with its
//                 zero byte, and one more zero byte after the last; an
//                 empty text is the empty list, an empty string among
//                 others no list (it would end the list there);
//   "REG_DWORD"   a decimal number or "0x" and hexadecimal digits that fit
//                 32 bits, stored as four bytes, lowest first;
//   "REG_BINARY"  hexadecimal byte pairs, written together or separated by
//                 spaces or commas ("0A1B 2C,3D"); no pairs at all is an
//                 empty value.
// White space around a number or a list of pairs does not count. Nothing for
// a text that is no such value, and for any other type name, since any bytes
// would be a guess at what the line meant.
std::optional<RegistryData> RegistryDataOf(const std::string& typeName, const std::string& text);

}  // namespace format

#include "format/registry_data.h"

#include <string_view>

#include "base/text_trim.h"
#include "format/field_values.h"

namespace format {

namespace {

// What may stand between and around the byte pairs of a binary value.
constexpr const char* kPairSeparators = " \t\r\n\v\f,";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal, or hexadecimal after "0x"; no sign. Leading zeros are decimal,
// not octal: the script's author writes numbers, not C literals.
std::optional<std::uint32_t> ParseDword(const std::string& text) {
  const std::string number = base::Trimmed(text);
  const bool hex = number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
  const std::size_t start = hex ? 2 : 0;
  const std::uint64_t base = hex ? 16 : 10;
  if (number.size() == start) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = start; i < number.size(); ++i) {
    const int digit = HexDigit(number[i]);
    if (digit < 0 || static_cast<std::uint64_t>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::vector<std::uint8_t>> ParseBinary(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  while (true) {
    at = text.find_first_not_of(kPairSeparators, at);
    if (at == std::string::npos) break;
    // Each byte is two digits: "0A1B" is two bytes, "1 2" or "102" no list.
    const int high = HexDigit(text[at]);
    const int low = at + 1 < text.size() ? HexDigit(text[at + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    at += 2;
  }
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ParseMultiString(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  const std::string_view separator = kMultiStringBreak;
  for (std::size_t start = 0; !text.empty() && start <= text.size();) {
    std::size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    if (end == start) return std::nullopt;
    bytes.insert(bytes.end(), text.begin() + static_cast<std::ptrdiff_t>(start),
                 text.begin() + static_cast<std::ptrdiff_t>(end));
    bytes.push_back(0);
    start = end + separator.size();
  }
  bytes.push_back(0);
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> DwordBytes(std::uint32_t number) {
  std::vector<std::uint8_t> bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<std::uint8_t>(number >> shift));
  }
  return bytes;
}

std::optional<RegistryData> RegistryDataOf(const std::string& typeName, const std::string& text) {
  RegistryData data;
  if (typeName == kRegSzName || typeName == kRegExpandSzName) {
    data.type = typeName == kRegSzName ? kRegSz : kRegExpandSz;
    data.bytes.assign(text.begin(), text.end());
    data.bytes.push_back(0);
    return data;
  }
  if (typeName == kRegMultiSzName) {
    std::optional<std::vector<std::uint8_t>> bytes = ParseMultiString(text);
    if (!bytes) return std::nullopt;
    data.type = kRegMultiSz;
    data.bytes = std::move(*bytes);
    return data;
  }
  if (typeName == kRegDwordName) {
    const std::optional<std::uint32_t> number = ParseDword(text);
    if (!number) return std::nullopt;
    data.type = kRegDword;
    data.bytes = DwordBytes(*number);
    return data;
  }
  if (typeName == kRegBinaryName) {
    std::optional<std::vector<std::uint8_t>> bytes = ParseBinary(text);
    if (!bytes) return std::nullopt;
    data.type = kRegBinary;
    data.bytes = std::move(*bytes);
    return data;
  }
  return std::nullopt;
}

}  // namespace format

// A number's decimal digits, for the messages and the log. One function in
// place of std::to_string, whose inline overloads each bring their own copy
// of the conversion and its digit table into the runtime.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace format {

// The digits held in place, for texts joined from parts: no string of their
// own to make and free.
class DecimalDigits {
 public:
  explicit DecimalDigits(std::uint32_t number);
  operator std::string_view() const { return {digits_ + first_, sizeof digits_ - first_}; }

 private:
  char digits_[10];
  unsigned char first_;  // the offset of the first digit
};

std::string DecimalText(std::uint32_t number);

}  // namespace format

#include "format/decimal_text.h"

namespace format {

DecimalDigits::DecimalDigits(std::uint32_t number) : first_(sizeof digits_) {
  do {
    digits_[--first_] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
}

std::string DecimalText(std::uint32_t number) {
  return std::string(std::string_view(DecimalDigits(number)));
}

}  // namespace format

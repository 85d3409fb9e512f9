#include "format/decimal_text.h"

namespace format {

std::string DecimalText(std::uint32_t number) {
  char digits[10];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  return std::string(first, digits + sizeof digits);
}

}  // namespace format

// A number's decimal digits, for the messages and the log. One function in
// place of std::to_string, whose inline overloads each bring their own copy
// of the conversion and its digit table into the runtime.
#pragma once

#include <cstdint>
#include <string>

namespace format {

std::string DecimalText(std::uint32_t number);

}  // namespace format

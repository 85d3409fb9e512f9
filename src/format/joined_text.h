// Texts joined into one string in a single call: for the runtime's messages,
// where a chain of "+" builds and frees a temporary string at each step and
// costs code at every place it is written.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace format {

std::string Joined(std::initializer_list<std::string_view> parts);

}  // namespace format

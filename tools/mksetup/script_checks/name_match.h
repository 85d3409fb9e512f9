// Matching a script's text against the names the setup program knows, and
// naming them in a message, for the checks that find a near miss.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace mksetup {

bool EqualIgnoringCase(const std::string& a, const std::string& b);

// Whether text is one of the names exactly, as the setup program matches it.
bool IsOneOf(const std::string& text, std::span<const char* const> names);

// The name that text differs from only in letter case or in white space
// around it ("desktop", " Desktop"), which the setup program does not accept;
// nothing when text is a name itself or like none.
std::optional<std::string> NearName(const std::string& text, std::span<const char* const> names);

// The names quoted, the last two joined by "and": "A", "B" and "C".
std::string NameList(std::span<const char* const> names);

}  // namespace mksetup

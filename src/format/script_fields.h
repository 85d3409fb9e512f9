// The fields of a setup script's line as the setup program takes them, and
// its flag lines; mksetup reads the script by the same rules.
#pragma once

#include <string>

#include "format/script_format.h"

namespace format {

// Takes a field from the left of rest: the text before the first "|", and rest
// becomes what follows it. Without a "|" the field is empty and rest stays.
std::string TakeField(std::string& rest);

// Cuts a text to the 259 characters a fixed 260-byte field holds.
std::string FitField(const std::string& text);

// A flag line is true when it is exactly "1".
inline bool IsTrueFlag(const std::string& line) { return line == kTrueFlag; }

}  // namespace format

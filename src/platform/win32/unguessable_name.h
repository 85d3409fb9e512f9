// Names for fresh folders in a temporary folder that other programs can
// write into, drawn from the system's random number generator: a name that
// a program could work out ahead (from the tick count, say) could be made
// first, by the thousand, so that no folder of that kind can be made.
#pragma once

#include <cstddef>

namespace win32 {

// The characters of a name, without its terminating zero.
inline constexpr std::size_t kUnguessableNameLength = 16;

// Writes 16 lowercase hexadecimal digits of 64 random bits, and a
// terminating zero, into name; false when the generator fails.
bool UnguessableName(char* name);

}  // namespace win32

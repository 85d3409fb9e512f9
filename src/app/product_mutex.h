// One setup program of a product at a time: a named mutex in the "Global\"
// namespace, named after the product's uninstall key, taken before the run
// writes anything and held until the process ends.
#pragma once

#include <cstdint>
#include <span>

namespace app {

// Takes the mutex of the product that the payload's setup script names:
// "Global\setupkit-setup-" and the uninstall key's name in upper case (key
// names ignore case, mutex names do not), its "\" signs made "/" (a mutex
// name holds none). False when the mutex exists already, or cannot be made
// at all (an object of another kind under the name, or one that shuts us
// out): the run must then stop before it writes anything. A program that
// takes the name first can so hold installs off, and gains nothing else,
// as the mutex is never waited for nor trusted. True for a payload whose
// first entry is not a setup script: the extraction then decides.
bool TakeProductMutex(std::span<const std::uint8_t> payload);

}  // namespace app

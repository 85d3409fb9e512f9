// One setup program of a product at a time: a named mutex in the "Global\"
// namespace, named after the product's uninstall key, taken before the run
// writes anything and held until the process ends.
#pragma once

#include <string>

namespace app {

// False when the mutex exists already, or cannot be made at all (an object
// of another kind under the name, or one that shuts us out). The run then
// stops before it writes anything: a program that takes the name first can
// hold installs off, and gains nothing else, as the mutex is never waited
// for nor trusted. True without a product name to key it on.
bool TakeProductMutex(const std::string& productName);

// The mutex's name: "Global\setupkit-setup-" and the uninstall key's name
// in upper case (key names ignore case, mutex names do not), its "\"
// signs made "/" (a mutex name holds none).
std::string ProductMutexName(const std::string& productName);

}  // namespace app

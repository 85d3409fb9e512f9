// The registry's predefined key for a root.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace win32 {

HKEY PredefinedKey(platform::RegistryRoot root);

}  // namespace win32

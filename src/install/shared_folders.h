// Folders that belong to the whole machine or the user rather than to one
// product: a product installed there must not claim their contents.
#pragma once

#include <string>

#include "platform/platform.h"

namespace install {

// A drive root ("C:", "C:\", "\\server\share"), the Windows or system folder,
// a program files folder or the user's profile folder, in any spelling
// Windows takes for it (format::CanonicalPath). A path that is not a full
// one (empty, relative, "\\server" alone) counts as one too.
bool IsSharedFolder(platform::Platform& host, const std::string& folder);

}  // namespace install

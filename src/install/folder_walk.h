// The walk of a folder's contents that the uninstall log's listing takes,
// and the record of what the folder held before the installing step, so
// that both name every item alike.
#pragma once

#include <string>

#include "base/function_ref.h"
#include "platform/platform.h"

namespace install {

// Every file and folder below folder, depth first, each folder after its
// contents, by its full path without a trailing "\". A link or junction is
// visited as itself and never entered.
void WalkFolder(platform::FileSystem& files, const std::string& folder,
                base::FunctionRef<void(const std::string& path, bool isFolder)> visit);

}  // namespace install

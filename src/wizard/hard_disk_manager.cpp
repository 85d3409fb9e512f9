#include "wizard/hard_disk_manager.h"

namespace wizard {

bool CHardDiskManager::CheckDiskSpace(const std::string& directoryName) {
  // Query into a local first: a failed call must not leave half-written
  // figures behind.
  platform::DiskSpace space;
  if (!files_.QueryDiskSpace(directoryName, space)) return false;
  freeBytesAvailable_ = space.freeBytesAvailable;
  totalBytes_ = space.totalBytes;
  totalFreeBytes_ = space.totalFreeBytes;
  return true;
}

}  // namespace wizard

#include "wizard/hard_disk_manager.h"

namespace wizard {

bool CHardDiskManager::CheckDiskSpace(const std::string& directoryName) {
  // Query into a local first: a failed call must not leave half-written
  // figures behind.
  platform::DiskSpace space;
  if (!files_.QueryDiskSpace(directoryName, space)) return false;
  m_ullFreeBytesAvailable = space.freeBytesAvailable;
  m_ullTotalBytes = space.totalBytes;
  m_ullTotalFreeBytes = space.totalFreeBytes;
  return true;
}

}  // namespace wizard

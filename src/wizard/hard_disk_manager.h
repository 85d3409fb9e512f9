// The space of one disk as the system reports it for a directory name.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace wizard {

class CHardDiskManager {
 public:
  explicit CHardDiskManager(platform::FileSystem& files) : files_(files) {}
  ~CHardDiskManager() = default;

  // GetDiskFreeSpaceExA of the directory name (such as "C:"). On failure the
  // figures stay as they were, 0 for a fresh manager.
  bool CheckDiskSpace(const std::string& directoryName);
  double GetFreeBytes() const { return static_cast<double>(freeBytesAvailable_); }
  double GetTotalBytes() const { return static_cast<double>(totalBytes_); }

  std::uint64_t freeBytesAvailable_ = 0;  // available to the calling user
  std::uint64_t totalBytes_ = 0;
  std::uint64_t totalFreeBytes_ = 0;  // filled, not shown

 private:
  platform::FileSystem& files_;
};

}  // namespace wizard

// A fresh folder under the temporary folder for one test, removed with all
// its contents afterwards.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"

namespace platform_tests {

inline void RemoveTree(platform::FileSystem& files, const std::string& folder) {
  for (const platform::FolderEntry& entry : files.ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.isFolder) {
      RemoveTree(files, path);
    } else {
      files.RemoveFile(path);
    }
  }
  RemoveDirectoryA(folder.c_str());
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char chunk[4096];
  std::size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, count);
  std::fclose(file);
  return bytes;
}

class ScratchFolder {
 public:
  explicit ScratchFolder(platform::FileSystem& files) : files_(files) {
    static unsigned serial = 0;
    path_ = files.TempFolder() + "setupkit-platform-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(++serial);
    files.MakeFolder(path_);
  }
  ~ScratchFolder() { RemoveTree(files_, path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  platform::FileSystem& files_;
  std::string path_;
};

}  // namespace platform_tests

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "format/windows_path.h"
#include "platform/sim/sim_platform.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

char DriveLetter(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return 0;
  const char letter = format::AsciiUpper(windowsPath[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

}  // namespace

SimFileSystem::SimFileSystem(std::string root) : root_(std::move(root)) {
  AddDrive('C', platform::DriveKind::Fixed);
}

platform::DiskSpace SimFileSystem::DefaultSpace() {
  platform::DiskSpace space;
  space.totalBytes = 100ull << 30;
  space.freeBytesAvailable = 40ull << 30;
  space.totalFreeBytes = 41ull << 30;
  return space;
}

void SimFileSystem::AddDrive(char letter, platform::DriveKind kind, platform::DiskSpace space) {
  const char upper = format::AsciiUpper(letter);
  drives_[upper] = Drive{kind, space};
  std::error_code ignored;
  fs::create_directories(fs::path(root_) / std::string(1, upper), ignored);
}

const SimFileSystem::Drive* SimFileSystem::DriveOf(const std::string& windowsPath) const {
  const auto found = drives_.find(DriveLetter(windowsPath));
  return found == drives_.end() ? nullptr : &found->second;
}

std::string SimFileSystem::NativePath(const std::string& windowsPath) const {
  const char letter = DriveLetter(windowsPath);
  if (letter == 0 || drives_.count(letter) == 0) return {};
  std::string native = root_ + "/" + std::string(1, letter);
  // Both separators count, and doubled ones fold into one, as on Windows.
  for (std::size_t i = 2; i < windowsPath.size(); ++i) {
    const char c = windowsPath[i];
    if (c == '\\' || c == '/') {
      if (native.back() != '/') native += '/';
    } else {
      native += c;
    }
  }
  while (native.size() > root_.size() + 2 && native.back() == '/') native.pop_back();
  return native;
}

bool SimFileSystem::IsHeld(const std::string& path) const { return Holds(NativePath(path)); }

std::FILE* SimFileSystem::OpenFile(const std::string& path, const char* mode) {
  const std::string native = NativePath(path);
  if (native.empty()) return nullptr;
  std::error_code error;
  if (fs::is_directory(native, error)) return nullptr;
  if (mode[0] != 'r' && Holds(native)) return nullptr;
  return std::fopen(native.c_str(), mode);
}

bool SimFileSystem::Exists(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  return !native.empty() && fs::exists(native, error);
}

bool SimFileSystem::IsFolder(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  return !native.empty() && fs::is_directory(native, error);
}

bool SimFileSystem::IsReparsePoint(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  return !native.empty() && fs::is_symlink(native, error);
}

bool SimFileSystem::MakeFolder(const std::string& path) {
  const std::string native = NativePath(path);
  if (native.empty()) return false;
  std::error_code error;
  // One level only: the parent must exist, as for CreateDirectoryA.
  if (!fs::is_directory(fs::path(native).parent_path(), error)) return false;
  return fs::create_directory(native, error);
}

void SimFileSystem::Hold(const std::string& native) {
  const std::lock_guard<std::mutex> locked(heldLock_);
  held_.insert(native);
}

void SimFileSystem::Release(const std::string& native) {
  const std::lock_guard<std::mutex> locked(heldLock_);
  held_.erase(native);
}

bool SimFileSystem::Holds(const std::string& native) const {
  const std::lock_guard<std::mutex> locked(heldLock_);
  return held_.count(native) != 0;
}

bool SimFileSystem::HoldFolder(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  if (native.empty() || fs::is_symlink(native, error) || !fs::is_directory(native, error))
    return false;
  Hold(native);
  return true;
}

std::FILE* SimFileSystem::CreateStagedFile(const std::string& path) {
  const std::string native = NativePath(path);
  if (native.empty()) return nullptr;
  Release(native);  // an earlier staged file of ours is replaced
  std::error_code error;
  if (fs::is_symlink(native, error) || fs::exists(native, error)) {
    if (fs::is_directory(fs::symlink_status(native, error)) || !fs::remove(native, error))
      return nullptr;
  }
  // "x": the name must be free, as for CREATE_NEW; "+": the decoder reads
  // back what has left its window.
  std::FILE* file = std::fopen(native.c_str(), "w+bx");
  if (file != nullptr) Hold(native);
  return file;
}

std::FILE* SimFileSystem::CreateLogFile(const std::string& path) {
  const std::string native = NativePath(path);
  if (native.empty()) return nullptr;
  const int descriptor = ::open(native.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (descriptor == -1) return nullptr;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1 ||
      ::ftruncate(descriptor, 0) != 0) {
    ::close(descriptor);
    return nullptr;
  }
  std::FILE* file = ::fdopen(descriptor, "wb");
  if (file == nullptr) ::close(descriptor);
  return file;
}

bool SimFileSystem::ReadPlainFile(const std::string& path, std::string& text) {
  const std::string native = NativePath(path);
  if (native.empty()) return false;
  const int descriptor = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor == -1) return false;
  struct stat status {};
  bool read =
      ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= (64 << 20);
  if (read) {
    text.resize(static_cast<std::size_t>(status.st_size));
    read = ::read(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  ::close(descriptor);
  return read;
}

bool SimFileSystem::MakeProtectedFolder(const std::string& path) {
  if (!MakeFolder(path)) return false;
  protectedFolders.push_back(path);
  return true;
}

bool SimFileSystem::CopyOver(const std::string& from, const std::string& to) {
  const std::string source = NativePath(from);
  const std::string target = NativePath(to);
  std::error_code error;
  if (source.empty() || target.empty() || !fs::is_regular_file(source, error)) return false;
  if (Holds(target)) return false;
  return fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
}

bool SimFileSystem::MoveStagedFile(const std::string& from, const std::string& to) {
  const std::string source = NativePath(from);
  const std::string target = NativePath(to);
  if (source.empty() || target.empty() || !Holds(source) || Holds(target) ||
      DriveLetter(from) != DriveLetter(to)) {
    return false;
  }
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(target, error))) return false;
  fs::rename(source, target, error);
  if (error) return false;
  Release(source);
  return true;
}

bool SimFileSystem::RemoveFile(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  if (native.empty() || !fs::is_regular_file(native, error)) return false;
  // The setup program's own delete: the hold ends with it.
  Release(native);
  return fs::remove(native, error);
}

std::vector<platform::FolderEntry> SimFileSystem::ListFolder(const std::string& folder) {
  std::vector<platform::FolderEntry> entries;
  const std::string native = NativePath(folder);
  if (native.empty()) return entries;
  std::error_code error;
  for (fs::directory_iterator it(native, error), end; !error && it != end; it.increment(error)) {
    platform::FolderEntry entry;
    entry.name = it->path().filename().string();
    // A dangling link has no target to ask about; it still lists, so the
    // questions about one entry keep their own error.
    std::error_code entryError;
    entry.isFolder = it->is_directory(entryError);
    entry.isReparsePoint = it->is_symlink(entryError);
    const std::uintmax_t size = entry.isFolder ? 0 : it->file_size(entryError);
    entry.size = entryError ? 0 : static_cast<std::uint64_t>(size);
    entries.push_back(entry);
  }
  // A stable order, as NTFS lists by name.
  std::sort(entries.begin(), entries.end(),
            [](const platform::FolderEntry& a, const platform::FolderEntry& b) {
              return a.name < b.name;
            });
  return entries;
}

platform::DriveKind SimFileSystem::DriveKindOf(const std::string& root) {
  const Drive* drive = DriveOf(root);
  if (drive == nullptr) return platform::DriveKind::NoRoot;
  return drive->kind;
}

bool SimFileSystem::QueryDiskSpace(const std::string& directory, platform::DiskSpace& space) {
  const Drive* drive = DriveOf(directory);
  if (drive == nullptr) return false;
  space = drive->space;
  return true;
}

std::string SimFileSystem::TempFolder() {
  const std::string temp = "C:\\users\\tester\\Temp\\";
  std::error_code ignored;
  fs::create_directories(NativePath(temp), ignored);
  return temp;
}

bool SimFileSystem::RemoveFolder(const std::string& path) {
  const std::string native = NativePath(path);
  std::error_code error;
  // An empty real folder only, and only where its name leads without a link.
  if (native.empty() || fs::is_symlink(native, error)) return false;
  if (!fs::is_directory(native, error) || !fs::is_empty(native, error)) return false;
  for (fs::path step = fs::path(native).parent_path(); step.native().size() > root_.size();
       step = step.parent_path()) {
    if (fs::is_symlink(step, error)) return false;
  }
  return fs::remove(native, error);
}

}  // namespace sim

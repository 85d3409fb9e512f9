#include "mksetup/host/host_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
// The one system call the builder needs beyond the C run-time; declared here
// rather than through <windows.h>, which stays at the setup program's window
// edge.
extern "C" __declspec(dllimport) unsigned long __stdcall GetModuleFileNameA(void* module,
                                                                            char* name,
                                                                            unsigned long size);
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mksetup {
namespace fs = std::filesystem;

namespace {

std::string LastError() { return std::strerror(errno); }

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

int ProcessId() {
#if defined(_WIN32)
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

// Writes and closes; the file is closed whatever happens.
bool WriteAndClose(std::FILE* file, std::span<const std::uint8_t> bytes, bool flushToDisk,
                   std::string& error) {
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (ok && flushToDisk) ok = FlushToDisk(file);
  if (!ok) error = LastError();
  if (std::fclose(file) != 0 && ok) {
    error = LastError();
    ok = false;
  }
  return ok;
}

}  // namespace

PathKind KindOf(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return PathKind::Missing;
  if (fs::is_regular_file(status)) return PathKind::File;
  if (fs::is_directory(status)) return PathKind::Folder;
  return PathKind::Other;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
#if defined(_WIN32)
  if (last == '\\' || last == '/' || last == ':') return folder + name;
  return folder + "\\" + name;
#else
  if (last == '/') return folder + name;
  return folder + "/" + name;
#endif
}

std::string EntryFilePath(const std::string& folder, const std::string& entryName) {
  std::string relative = entryName;
#if !defined(_WIN32)
  std::replace(relative.begin(), relative.end(), '\\', '/');
#endif
  return JoinPath(folder, relative);
}

std::string LinkedFolderStep(const std::string& folder, const std::string& entryName) {
  std::string path = folder;
  std::size_t start = 0;
  for (std::size_t end; (end = entryName.find('\\', start)) != std::string::npos; start = end + 1) {
    path = JoinPath(path, entryName.substr(start, end - start));
    std::error_code ec;
    if (fs::is_symlink(path, ec)) return path;
  }
  return {};
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = LastError();
    return false;
  }
  // One read for the size the file has now (few page faults and no copies
  // for a large one), then pieces for whatever it grew by meanwhile.
  std::error_code ec;
  const std::uintmax_t expected = fs::file_size(path, ec);
  if (!ec && expected > 0 && expected < bytes.max_size()) {
    bytes.resize(static_cast<std::size_t>(expected));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  }
  std::uint8_t chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file) != 0;
  if (failed) error = LastError();
  std::fclose(file);
  if (failed) bytes.clear();
  return !failed;
}

std::size_t ReadFileStart(const std::string& path, std::span<std::uint8_t> data) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  const std::size_t got = std::fread(data.data(), 1, data.size(), file);
  std::fclose(file);
  return got;
}

FileBytes::~FileBytes() {
#if !defined(_WIN32)
  if (m_mapping != nullptr) munmap(m_mapping, m_mappedSize);
#endif
}

bool FileBytes::Open(const std::string& path, std::string& error) {
#if !defined(_WIN32)
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = LastError();
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    const auto size = static_cast<std::size_t>(info.st_size);
    // Populated at once: one call instead of a page fault per page.
    void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (mapping != MAP_FAILED) {
      close(fd);
      m_mapping = mapping;
      m_mappedSize = size;
      m_bytes = {static_cast<const std::uint8_t*>(mapping), size};
      return true;
    }
  }
  close(fd);
#endif
  if (!ReadWholeFile(path, m_read, error)) return false;
  m_bytes = m_read;
  return true;
}

bool FileSize(const std::string& path, std::uint64_t& size, std::string& error) {
  std::error_code ec;
  const std::uintmax_t found = fs::file_size(path, ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  size = found;
  return true;
}

bool ListFolderNames(const std::string& folder, std::vector<std::string>& names,
                     std::string& error) {
  names.clear();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  if (ec) {
    error = ec.message();
    names.clear();
    return false;
  }
  std::sort(names.begin(), names.end());
  return true;
}

bool FreeSpace(const std::string& path, std::uint64_t& bytes, std::string& error) {
  std::error_code code;
  fs::path existing = fs::absolute(path, code);
  while (!code && !fs::exists(existing, code) && existing.has_relative_path())
    existing = existing.parent_path();
  const fs::space_info space = fs::space(existing, code);
  if (code) {
    error = code.message();
    return false;
  }
  bytes = space.available;
  return true;
}

bool MakeFolders(const std::string& path, std::string& error) {
  std::error_code ec;
  fs::create_directories(path, ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  if (KindOf(path) != PathKind::Folder) {
    error = "not a folder";
    return false;
  }
  return true;
}

namespace {

// The name's last step, after its folders.
std::string FileStep(const std::string& name) { return name.substr(name.rfind('\\') + 1); }

}  // namespace

std::FILE* CreateFreshFile(const std::string& folder, const std::string& name, std::string& error) {
#if defined(_WIN32)
  // Each folder step is made or found as a folder, never a link; DeleteFileA
  // removes a link itself; _O_EXCL refuses whatever appears under the name
  // after it.
  std::string parent = folder;
  std::size_t start = 0;
  for (std::size_t end; (end = name.find('\\', start)) != std::string::npos; start = end + 1) {
    parent = JoinPath(parent, name.substr(start, end - start));
    std::error_code ec;
    fs::create_directory(parent, ec);
    if (fs::is_symlink(parent, ec) || !fs::is_directory(fs::symlink_status(parent, ec))) {
      error = parent + " is a link or not a folder";
      return nullptr;
    }
  }
  const std::string path = JoinPath(parent, FileStep(name));
  std::error_code ec;
  if (fs::is_symlink(path, ec) || fs::is_regular_file(fs::symlink_status(path, ec))) {
    fs::remove(path, ec);
    if (ec) {
      error = ec.message();
      return nullptr;
    }
  }
  const int descriptor =
      _open(path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  // Reached through the folders' own descriptors: each name is looked up in
  // its folder only, and neither unlinkat nor O_NOFOLLOW follow a link.
  int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory == -1) {
    error = LastError();
    return nullptr;
  }
  std::size_t start = 0;
  for (std::size_t end; (end = name.find('\\', start)) != std::string::npos; start = end + 1) {
    const std::string step = name.substr(start, end - start);
    const int made = ::mkdirat(directory, step.c_str(), 0755) == 0 || errno == EEXIST ? 0 : errno;
    const int inner = made != 0 ? -1
                                : ::openat(directory, step.c_str(),
                                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int failure = made != 0 ? made : errno;
    ::close(directory);
    if (inner == -1) {
      error = name.substr(0, end) + ": " +
              (failure == ELOOP || failure == ENOTDIR ? "a link or a file, not a folder"
                                                      : std::strerror(failure));
      return nullptr;
    }
    directory = inner;
  }
  const std::string last = FileStep(name);
  int descriptor = -1;
  if (::unlinkat(directory, last.c_str(), 0) == 0 || errno == ENOENT) {
    descriptor =
        ::openat(directory, last.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  }
  const int failure = errno;
  ::close(directory);
  errno = failure;
#endif
  if (descriptor == -1) {
    error = LastError();
    return nullptr;
  }
#if defined(_WIN32)
  std::FILE* file = _fdopen(descriptor, "w+b");
  if (file == nullptr) _close(descriptor);
#else
  std::FILE* file = ::fdopen(descriptor, "w+b");
  if (file == nullptr) ::close(descriptor);
#endif
  if (file == nullptr) error = "cannot open a stream on the new file";
  return file;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = LastError();
    return false;
  }
  return WriteAndClose(file, bytes, false, error);
}

bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
  const fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const std::string stem =
      "." + target.filename().string() + ".mksetup-" + std::to_string(ProcessId());

  // A name of our own in the output's folder, so the rename stays on one disk.
  std::string temporary;
  for (unsigned attempt = 0; attempt < 100 && temporary.empty(); ++attempt) {
    const std::string candidate =
        (folder / (stem + "-" + std::to_string(attempt) + ".tmp")).string();
    if (KindOf(candidate) == PathKind::Missing) temporary = candidate;
  }
  if (temporary.empty()) {
    error = "no free name for a temporary file in " + folder.string();
    return false;
  }
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    error = LastError();
    return false;
  }
  std::error_code ec;
  bool ok = WriteAndClose(file, bytes, true, error);
  if (ok && KindOf(path) == PathKind::File) {
    fs::permissions(temporary, fs::status(path, ec).permissions(), ec);
    ec.clear();  // the old permissions are a courtesy, not a requirement
  }
  if (ok) {
    fs::rename(temporary, target, ec);
    if (ec) {
      error = ec.message();
      ok = false;
    }
  }
  if (!ok) fs::remove(temporary, ec);
  return ok;
}

std::string RunningExecutableFolder() {
#if defined(_WIN32)
  char buffer[32768];
  const unsigned long length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  const fs::path executable(std::string(buffer, length));
#else
  std::error_code ec;
  const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
#endif
  return executable.parent_path().string();
}

bool StandardErrorIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace mksetup

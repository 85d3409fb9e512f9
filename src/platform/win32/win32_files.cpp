// Files, folders and drives through the ANSI file calls.
#include <cstdio>

#include "format/windows_path.h"
#include "platform/win32/delete_through_handle.h"
#include "platform/win32/file_attributes.h"
#include "platform/win32/final_path.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::uint64_t FileSize(const WIN32_FIND_DATAA& data) {
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The path with its short names spelled out; as it stands where that fails.
std::string LongPath(const std::string& path) {
  char longer[MAX_PATH * 2];
  const DWORD length = GetLongPathNameA(path.c_str(), longer, sizeof longer);
  return length == 0 || length >= sizeof longer ? path : std::string(longer, length);
}

}  // namespace

bool DeleteThroughHandle(const std::string& path, DWORD kind) {
  const HANDLE item =
      CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (item == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  FILE_DISPOSITION_INFO disposition = {TRUE};
  const DWORD mask = kind != 0 ? FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT
                               : FILE_ATTRIBUTE_DIRECTORY;
  const bool removed =
      GetFileInformationByHandle(item, &info) && (info.dwFileAttributes & mask) == kind &&
      format::SamePath(FinalPath(item), LongPath(path)) &&
      SetFileInformationByHandle(item, FileDispositionInfo, &disposition, sizeof disposition);
  CloseHandle(item);
  return removed;
}

namespace {

// Marks the file that held is open on for deletion, through a second open of
// that same file rather than its name (the holding open has no delete right).
// Only the private folder's staged files share deletion; for others it fails.
bool DeleteHeldFile(HANDLE held) {
  const HANDLE file =
      ReOpenFile(held, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILE_DISPOSITION_INFO disposition = {TRUE};
  const bool marked =
      SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
  CloseHandle(file);
  return marked;
}

}  // namespace

std::FILE* Win32FileSystem::OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool Win32FileSystem::Exists(const std::string& path) {
  return AttributesOf(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::IsFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::IsReparsePoint(const std::string& path) {
  const DWORD attributes = AttributesOf(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32FileSystem::CopyOver(const std::string& from, const std::string& to) {
  // A staged file is open for writing under our lock, which CopyFileA's own
  // open of it need not share; it is read through the lock's handle instead.
  if (const HANDLE held = FindHeld(from)) return CopyFromHeld(held, to);
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  // A staged file goes through the handle that has held it since it was
  // written: the file deleted is ours, and no name is looked up again.
  if (const HANDLE held = ReleaseHeld(path)) {
    const bool removed = DeleteHeldFile(held);
    CloseHandle(held);
    if (removed) return true;
  }
  return DeleteThroughHandle(path, 0);
}

std::vector<platform::FolderEntry> Win32FileSystem::ListFolder(const std::string& folder) {
  std::vector<platform::FolderEntry> entries;
  // An empty name would list the root of the current drive.
  if (folder.empty()) return entries;
  std::string pattern = folder;
  if (pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";

  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    // cFileName is a fixed array; never read past it.
    data.cFileName[MAX_PATH - 1] = '\0';
    if (IsDotEntry(data.cFileName)) continue;
    platform::FolderEntry& entry = entries.emplace_back();
    entry.name = data.cFileName;
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isReparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.size = entry.isFolder ? 0 : FileSize(data);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

platform::DriveKind Win32FileSystem::DriveKindOf(const std::string& root) {
  const UINT kind = GetDriveTypeA(root.c_str());
  if (kind > static_cast<UINT>(platform::DriveKind::RamDisk)) return platform::DriveKind::Unknown;
  return static_cast<platform::DriveKind>(kind);
}

bool Win32FileSystem::QueryDiskSpace(const std::string& directory, platform::DiskSpace& space) {
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  ULARGE_INTEGER totalFree;
  if (!GetDiskFreeSpaceExA(directory.c_str(), &available, &total, &totalFree)) return false;
  space.freeBytesAvailable = available.QuadPart;
  space.totalBytes = total.QuadPart;
  space.totalFreeBytes = totalFree.QuadPart;
  return true;
}

std::string Win32FileSystem::TempFolder() {
  return privateTemp_[0] == '\0' ? UserTempFolder() : privateTemp_;
}

std::string Win32FileSystem::UserTempFolder() {
  char buffer[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, buffer);
  // Too small a buffer returns the size it would need instead.
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(buffer, length);
}

}  // namespace win32

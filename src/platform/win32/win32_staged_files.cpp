// The staging folder under lock. The setup program runs elevated but unpacks
// into the user's temporary folder, where any program of the user can write:
// the folder is held against renaming, and each staged file stays open from
// its creation to the end of the process without write or delete sharing,
// so the bytes the installing step copies are the bytes the extraction wrote.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/file_attributes.h"
#include "platform/win32/private_folder.h"
#include "platform/win32/this_process.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

bool IsAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Staged paths are looked up once per file in a list of them all, so the
// comparison runs thousands of times. ASCII paths, nearly all of them, are
// compared by the C library with their letters folded (the program keeps the
// "C" locale), which is the file system's own rule for them; lstrcmpiA, a
// hundred times slower under Wine, is left for the others, where a byte may
// belong to a double-byte character.
bool SamePath(const std::string& a, const std::string& b) {
  if (!IsAscii(a) || !IsAscii(b)) return lstrcmpiA(a.c_str(), b.c_str()) == 0;
  return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace

bool Win32FileSystem::HoldFolder(const std::string& path) {
  // The folder itself, not a link's target; without delete sharing nobody
  // can rename it away and put a link in its place while the handle lives.
  const HANDLE folder = CreateFileA(
      path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool plainFolder = GetFileInformationByHandle(folder, &info) &&
                           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                           (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
  // Held to the end of the process or ReleaseAllHeld.
  if (!plainFolder) {
    CloseHandle(folder);
    return false;
  }
  // Under no path: FindHeld and ReleaseHeld are for staged files.
  AddHeld(std::string(), folder);
  return true;
}

std::FILE* Win32FileSystem::CreateStagedFile(const std::string& path) {
  // An earlier staged file of ours of that name is replaced like any other.
  if (FindHeld(path) != nullptr) RemoveFile(path);
  const DWORD attributes = AttributesOf(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return nullptr;
    // Deleting a link removes the link, never its target.
    if (!DeleteFileA(path.c_str())) return nullptr;
  }
  // CREATE_NEW: whatever appears under the name after the delete is refused.
  // In the private folder, which only administrators and SYSTEM can open,
  // delete sharing lets MoveStagedFile reopen the file through this handle
  // to move it; nobody else can use it there.
  const bool inPrivateFolder = privateTemp_[0] != '\0' && _strnicmp(path.c_str(), privateTemp_,
                                                                    std::strlen(privateTemp_)) == 0;
  const HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | (inPrivateFolder ? FILE_SHARE_DELETE : 0),
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock == INVALID_HANDLE_VALUE) return nullptr;
  // The stream writes through a second handle of the same open file, so
  // closing the stream leaves the lock in place. It reads too: the decoder
  // reads back strings that have left its window.
  HANDLE writer = nullptr;
  std::FILE* stream = nullptr;
  if (DuplicateHandle(ThisProcess(), lock, ThisProcess(), &writer, 0, FALSE,
                      DUPLICATE_SAME_ACCESS)) {
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(writer), _O_RDWR | _O_BINARY);
    if (descriptor == -1) {
      CloseHandle(writer);
    } else {
      stream = _fdopen(descriptor, "w+b");
      if (stream == nullptr) _close(descriptor);
    }
  }
  if (stream == nullptr) {
    CloseHandle(lock);
    DeleteFileA(path.c_str());
    return nullptr;
  }
  AddHeld(path, lock);
  return stream;
}

bool Win32FileSystem::UsePrivateTempFolder() {
  if (!RunsElevated()) return true;
  if (!MakePrivateFolder("setupkit-setup-", privateTemp_)) return false;
  const std::size_t length = std::strlen(privateTemp_);
  privateTemp_[length] = '\\';
  privateTemp_[length + 1] = '\0';
  return true;
}

bool Win32FileSystem::RemovePrivateTempFolder() {
  if (privateTemp_[0] == '\0') return true;
  {
    Locked locked(heldFilesLock_);
    for (const HeldFile& held : heldFiles_) CloseHandle(held.handle);
    heldFiles_.clear();
  }
  privateTemp_[std::strlen(privateTemp_) - 1] = '\0';
  const bool removed = RemoveFolderTree(privateTemp_);
  privateTemp_[0] = '\0';
  return removed;
}

HANDLE Win32FileSystem::FindHeld(const std::string& path) {
  Locked locked(heldFilesLock_);
  for (const HeldFile& held : heldFiles_) {
    if (SamePath(held.path, path)) return held.handle;
  }
  return nullptr;
}

HANDLE Win32FileSystem::ReleaseHeld(const std::string& path) {
  Locked locked(heldFilesLock_);
  for (HeldFile& held : heldFiles_) {
    if (SamePath(held.path, path)) {
      const HANDLE handle = held.handle;
      held = heldFiles_.back();
      heldFiles_.pop_back();
      return handle;
    }
  }
  return nullptr;
}

void Win32FileSystem::AddHeld(const std::string& path, HANDLE handle) {
  Locked locked(heldFilesLock_);
  heldFiles_.push_back(HeldFile{path, handle});
}

bool Win32FileSystem::CopyFromHeld(HANDLE source, const std::string& to) {
  const HANDLE target = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (target == INVALID_HANDLE_VALUE) return false;
  // Positioned reads from the start: the lock's handle has no position of
  // its own that anyone else relies on.
  static char buffer[1 << 16];
  OVERLAPPED at = {};
  bool ok = true;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(source, buffer, sizeof buffer, &got, &at)) {
      ok = GetLastError() == ERROR_HANDLE_EOF;
      break;
    }
    if (got == 0) break;
    DWORD put = 0;
    if (!WriteFile(target, buffer, got, &put, nullptr) || put != got) {
      ok = false;
      break;
    }
    ULARGE_INTEGER next;
    next.LowPart = at.Offset;
    next.HighPart = at.OffsetHigh;
    next.QuadPart += got;
    at.Offset = next.LowPart;
    at.OffsetHigh = next.HighPart;
  }
  // CopyFileA keeps the time of the last write; so does this copy. The
  // times left at zero stay as they are.
  BY_HANDLE_FILE_INFORMATION info;
  if (ok && GetFileInformationByHandle(source, &info)) {
    FILE_BASIC_INFO times = {};
    times.LastWriteTime.LowPart = info.ftLastWriteTime.dwLowDateTime;
    times.LastWriteTime.HighPart = static_cast<LONG>(info.ftLastWriteTime.dwHighDateTime);
    SetFileInformationByHandle(target, FileBasicInfo, &times, sizeof times);
  }
  ok = CloseHandle(target) && ok;
  if (!ok) DeleteFileA(to.c_str());
  return ok;
}

}  // namespace win32

// A staged file moved into its installed place instead of copied: one write
// of its bytes instead of two. The move goes through the handle that has
// held the file since the extraction wrote it, so the file installed is the
// one written, whatever happened to names in the staging folder meanwhile.
#include <windows.h>
// After <windows.h>, which it needs.
#include <aclapi.h>

#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// Renames the open file to path (a full path), replacing a file there: the
// name is replaced, so a hard link or symbolic link planted under it is
// never written through. Fails across volumes.
bool RenameOpenFile(HANDLE file, const std::string& path, bool replace) {
  struct {
    FILE_RENAME_INFO info;
    WCHAR room[MAX_PATH];
  } rename = {};
  const int length =
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, rename.info.FileName, MAX_PATH + 1);
  if (length <= 1) return false;
  rename.info.ReplaceIfExists = replace ? TRUE : FALSE;
  rename.info.FileNameLength = static_cast<DWORD>(length - 1) * sizeof(WCHAR);
  return SetFileInformationByHandle(file, FileRenameInfo, &rename, sizeof rename) != 0;
}

}  // namespace

bool Win32FileSystem::MoveStagedFile(const std::string& from, const std::string& to) {
  const HANDLE held = FindHeld(from);
  if (held == nullptr) return false;
  // The same file opened again through the held handle, never by its name,
  // with the rights to move it; only staged files of the private folder
  // share that (CreateStagedFile).
  const HANDLE file =
      ReOpenFile(held, DELETE | READ_CONTROL | WRITE_DAC, FILE_SHARE_READ | FILE_SHARE_WRITE, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool moved = MoveOpenFile(file, from, to);
  CloseHandle(file);
  // Installed: no longer ours to hold, nor to delete with the staged files.
  if (moved) CloseHandle(ReleaseHeld(from));
  return moved;
}

bool Win32FileSystem::MoveOpenFile(HANDLE file, const std::string& from, const std::string& to) {
  if (!RenameOpenFile(file, to, true)) return false;
  // A moved file keeps the permissions it had in the staging folder (a
  // private folder's are for administrators alone); an empty list that is
  // not protected takes, instead, what its new folder passes on.
  ACL empty;
  if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION) ||
      SetSecurityInfo(file, SE_FILE_OBJECT,
                      DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                      nullptr, &empty, nullptr) != ERROR_SUCCESS) {
    // Back where it was, for a copy; if even that fails, the copy fails too
    // and says so.
    RenameOpenFile(file, from, false);
    return false;
  }
  return true;
}

}  // namespace win32

// Whether an account other than the administrators could re-point a folder
// on the way to a file before the system renames, by path and with every
// right, a replacement set aside for the next restart.
#include "platform/win32/win32_platform.h"
// After windows.h, whose types they use.
#include <aclapi.h>
#if defined(SETUPKIT_TEST_HOOKS)
#include <sddl.h>
#endif

#include <cstring>
#include <iterator>

namespace win32 {

namespace {

// SYSTEM (S-1-5-18), Administrators (S-1-5-32-544) and TrustedInstaller
// (S-1-5-80-956008885-...), one after the other as the system lays out a
// SID: revision 1 and the count of sub-authorities, the authority 5 (its
// six bytes big-endian), then the sub-authorities.
constexpr DWORD kAdministrators[] = {
    0x0101, 0x05000000, 18,       // SYSTEM
    0x0201, 0x05000000, 32, 544,  // Administrators
    0x0601, 0x05000000, 80, 956008885, 3418522649, 1831038044, 1853292631, 2271478464,
};

// Rights that add to a folder, rename it or what is in it, or hand its
// permissions or ownership to someone else. FILE_WRITE_DATA and
// FILE_APPEND_DATA are the same bits as the two adding rights.
constexpr DWORD kAddingRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY;
constexpr DWORD kChangingRights = kAddingRights | DELETE | FILE_DELETE_CHILD | WRITE_DAC |
                                  WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;

bool IsAdministrator(const void* sid) {
#if defined(SETUPKIT_TEST_HOOKS)
  // Wine runs every program as its one account, which owns every folder:
  // the end-to-end tests name it here.
  char text[192];
  PSID named = nullptr;
  if (GetEnvironmentVariableA("SETUPKIT_TEST_ADMIN_SID", text, sizeof text) - 1 < sizeof text - 1 &&
      ConvertStringSidToSidA(text, &named)) {
    const bool same = EqualSid(const_cast<void*>(sid), named);
    LocalFree(named);
    if (same) return true;
  }
#endif
  for (const DWORD* known = kAdministrators; known < std::end(kAdministrators);
       known += 2 + known[0] / 256) {
    // The counts first: no byte past the SID is read.
    if (static_cast<const BYTE*>(sid)[1] == known[0] / 256 &&
        std::memcmp(sid, known, 8 + 4 * (known[0] / 256)) == 0) {
      return true;
    }
  }
  return false;
}

// The folder, opened itself even where it is a link, is no link, an
// administrator owns it, and no ACE that applies to it gives anyone else
// one of rights. Deny ACEs only take rights away; inherit-only ones (such
// as CREATOR OWNER's) apply to what is made in the folder, which needs an
// adding right here first.
bool OnlyAdministratorsChange(const char* folder, DWORD rights) {
  const HANDLE handle = CreateFileA(
      folder, READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  PSID owner;
  PACL access;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  // A null DACL lets everyone do everything.
  bool only = GetFileInformationByHandle(handle, &information) &&
              (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
              GetSecurityInfo(handle, SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &access, nullptr, &descriptor) == ERROR_SUCCESS &&
              owner != nullptr && access != nullptr && IsAdministrator(owner);
  // The ACEs follow the ACL's header, each as long as its own header says.
  std::size_t offset = sizeof(ACL);
  for (WORD i = 0; only && i < access->AceCount; ++i) {
    const auto* ace =
        reinterpret_cast<const ACCESS_ALLOWED_ACE*>(reinterpret_cast<const BYTE*>(access) + offset);
    offset += ace->Header.AceSize;
    // Other kinds of allowing ACE are read as allowing everything.
    only = ace->Header.AceType == ACCESS_DENIED_ACE_TYPE ||
           (ace->Header.AceFlags & INHERIT_ONLY_ACE) != 0 ||
           (ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
            ((ace->Mask & rights) == 0 || IsAdministrator(&ace->SidStart)));
  }
  LocalFree(descriptor);
  CloseHandle(handle);
  return only;
}

}  // namespace

bool Win32FilesInUse::FoldersOnlyAdministratorsChange(const std::string& path) {
  const std::size_t size = path.size();
  // Only a file's path from a drive's root ("C:\..."), whose folders fit in
  // MAX_PATH.
  if (size < 4 || size >= MAX_PATH || path[1] != ':' || path[2] != '\\') return false;
  char folder[MAX_PATH];
  std::size_t last = 2;
  for (std::size_t at = 0; at < size; ++at) {
    // A "/" would hide a folder from the walk below.
    if ((folder[at] = path[at]) == '/') return false;
    if (folder[at] == '\\') last = at;
  }
  // From the root down: a folder found safe can no longer be changed by
  // others, and so neither can the way to the next one.
  for (std::size_t at = 2; at <= last; ++at) {
    if (folder[at] != '\\') continue;
    // The root keeps its "\": "C:" alone is the drive's current folder.
    const std::size_t end = at == 2 ? 3 : at;
    const char kept = folder[end];
    folder[end] = 0;
    // Above the file's own folder, adding an entry moves none that is
    // there (every user may make folders in a drive's root).
    if (!OnlyAdministratorsChange(folder,
                                  at < last ? kChangingRights & ~kAddingRights : kChangingRights)) {
      return false;
    }
    folder[end] = kept;
  }
  return true;
}

}  // namespace win32

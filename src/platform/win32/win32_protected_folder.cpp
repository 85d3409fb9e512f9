// Folders only administrators may change, as the program files folders are:
// an elevated program's files outside them would otherwise take the
// permissions of wherever they land, often Modify for every user.
#include <windows.h>
// After <windows.h>, which it needs.
#include <sddl.h>

#include "platform/win32/private_folder.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// Protected ("P": nothing inherited from above), passed on to sub-folders and
// files ("OICI"): full control for SYSTEM and Administrators, read and
// execute (0x1200a9) for Users.
constexpr const char* kProtectedFolderAccess =
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

}  // namespace

bool Win32FileSystem::MakeProtectedFolder(const std::string& path) {
  if (!RunsElevated()) return MakeFolder(path);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kProtectedFolderAccess, SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return false;
  }
  // Made with its permissions in one call: there is no moment in which the
  // folder exists with the ones it would have inherited.
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  const bool made = CreateDirectoryA(path.c_str(), &attributes) != 0;
  LocalFree(descriptor);
  return made;
}

}  // namespace win32

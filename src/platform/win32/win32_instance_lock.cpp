#include "platform/win32/instance_lock.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <aclapi.h>
#include <sddl.h>

#include <string>

namespace win32 {

namespace {

// Owned by the Administrators, full access for them and SYSTEM only.
constexpr const char* kMachineLockAccess = "O:BAD:(A;;GA;;;BA)(A;;GA;;;SY)";

bool AdministratorsOwn(HANDLE object) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const bool theirs = GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                      nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS &&
                      owner != nullptr &&
                      (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                       IsWellKnownSid(owner, WinLocalSystemSid));
  LocalFree(descriptor);
  return theirs;
}

}  // namespace

bool TakeInstanceLock(format::InstallScope scope, const char* name) {
  // Never closed: the process's end lets the lock go.
  if (scope == format::InstallScope::User) {
    const std::string own = std::string("Local\\setupkit-user-") + (name + sizeof "setupkit-" - 1);
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, own.c_str());
    return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kMachineLockAccess, SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return true;
  }
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
  const HANDLE mutex = CreateMutexA(&attributes, FALSE, (std::string("Global\\") + name).c_str());
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  LocalFree(descriptor);
  // Without a handle there is no lock of a run of ours: that one would let
  // us in, and be a mutex.
  return mutex == nullptr || !existed || !AdministratorsOwn(mutex);
}

}  // namespace win32

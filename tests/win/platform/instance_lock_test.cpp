#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/instance_lock.h"

namespace {

using format::InstallScope;

// What a program of the user can do to the machine lock's name: take it
// first with a mutex of its own, or with an object of another kind. Under
// Wine every process has the same token, so the squatter is played here by
// objects made with the default security, which the Administrators do not own.
TEST(InstanceLockTest, SquattersOfTheMachineLockAreIgnored) {
  const HANDLE squatter = CreateMutexA(nullptr, FALSE, "Global\\setupkit-setup-SQUATTED MUTEX");
  ASSERT_NE(squatter, nullptr);
  EXPECT_TRUE(win32::TakeInstanceLock(InstallScope::Machine, "setupkit-setup-SQUATTED MUTEX"));
  const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "Global\\setupkit-setup-SQUATTED EVENT");
  ASSERT_NE(event, nullptr);
  EXPECT_TRUE(win32::TakeInstanceLock(InstallScope::Machine, "setupkit-setup-SQUATTED EVENT"));
  CloseHandle(squatter);
  CloseHandle(event);
}

// A run's own lock holds the next run off, in its scope only: the machine's
// and a user's lock of one product are apart.
TEST(InstanceLockTest, AHeldLockStopsTheNextRunOfItsScope) {
  EXPECT_TRUE(win32::TakeInstanceLock(InstallScope::Machine, "setupkit-setup-HELD"));
  EXPECT_FALSE(win32::TakeInstanceLock(InstallScope::Machine, "setupkit-setup-HELD"));
  EXPECT_TRUE(win32::TakeInstanceLock(InstallScope::User, "setupkit-setup-HELD"));
  EXPECT_FALSE(win32::TakeInstanceLock(InstallScope::User, "setupkit-setup-HELD"));
  const HANDLE userLock = OpenMutexA(SYNCHRONIZE, FALSE, "Local\\setupkit-user-setup-HELD");
  EXPECT_NE(userLock, nullptr);
  CloseHandle(userLock);
}

}  // namespace

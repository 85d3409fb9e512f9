// GoogleTest's port hook, found ahead of its own empty one in the Windows
// build. MinGW's win32 thread model has no std::mutex or
// std::condition_variable, which GoogleTest's Notification is built on; this
// one waits on an atomic flag instead. GoogleTest uses it only for its own
// thread tests, never for ours.
#pragma once

#include <cstddef>

#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
#endif

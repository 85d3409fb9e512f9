// Independent pieces of work done on several threads, their results used in
// order on the calling thread: what comes out is the same as doing them one
// after the other, whatever the threads' timing.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

// MinGW's win32 thread model has no std::thread; there the work is done on
// the calling thread alone.
#if defined(_GLIBCXX_HAS_GTHREADS) || defined(_LIBCPP_VERSION) || defined(_MSC_VER)
#define MKSETUP_HAS_THREADS 1
#include <condition_variable>
#include <mutex>
#include <thread>
#else
#define MKSETUP_HAS_THREADS 0
#endif

namespace mksetup {

// How many threads "one per processor" means here (at least 1).
unsigned ProcessorCount();

// Calls produce(i) for i = 0 .. count - 1 on up to `threads` threads and
// consume(i, result) on the calling thread in the order of i. produce must
// touch nothing shared. Workers start an item only while it lies fewer than
// `ahead` items (0: twice the threads) after the one consume waits for, so
// results do not pile up behind a slow one; a larger `ahead` keeps threads
// busy past a long item at the cost of holding more results. When consume
// returns false no further item is started, the running ones finish, and the
// call returns false.
template <class Result, class Produce, class Consume>
bool RunInOrder(std::size_t count, unsigned threads, Produce produce, Consume consume,
                std::size_t ahead = 0) {
#if MKSETUP_HAS_THREADS
  if (threads > 1 && count > 1) {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Result>> results(count);
    std::size_t next = 0;      // the next item a worker takes
    std::size_t consumed = 0;  // items consume has taken
    bool stop = false;
    if (ahead == 0) ahead = std::size_t{threads} * 2;

    const auto work = [&] {
      std::unique_lock<std::mutex> lock(mutex);
      for (;;) {
        changed.wait(lock, [&] { return stop || next >= count || next < consumed + ahead; });
        if (stop || next >= count) return;
        const std::size_t item = next++;
        lock.unlock();
        Result result = produce(item);
        lock.lock();
        results[item] = std::move(result);
        changed.notify_all();
      }
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i) workers.emplace_back(work);

    bool ok = true;
    for (std::size_t item = 0; item < count && ok; ++item) {
      std::optional<Result> result;
      {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return results[item].has_value(); });
        result.swap(results[item]);
        consumed = item + 1;
      }
      changed.notify_all();
      ok = consume(item, *result);
    }
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = true;
    }
    changed.notify_all();
    for (std::thread& worker : workers) worker.join();
    return ok;
  }
#endif
  (void)threads;
  (void)ahead;
  for (std::size_t item = 0; item < count; ++item) {
    Result result = produce(item);
    if (!consume(item, result)) return false;
  }
  return true;
}

}  // namespace mksetup

#include "mksetup/host/ordered_work.h"

namespace mksetup {

unsigned ProcessorCount() {
#if MKSETUP_HAS_THREADS
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? count : 1;
#else
  return 1;
#endif
}

}  // namespace mksetup

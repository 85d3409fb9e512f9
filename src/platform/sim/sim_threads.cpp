#include <thread>

#include "platform/sim/sim_platform.h"

namespace sim {

void SimThreads::RunBeside(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) {
  std::thread thread([&beside] { beside(); });
  here();
  thread.join();
}

}  // namespace sim

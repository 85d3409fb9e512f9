#include <chrono>
#include <thread>

#include "platform/sim/sim_platform.h"

namespace sim {

bool SimThreads::RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) {
  std::thread thread([&beside] { beside(); });
  here();
  thread.join();
  return true;
}

void SimThreads::Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

}  // namespace sim

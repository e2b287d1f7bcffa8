#include "shutdown.h"

#include <chrono>

namespace station {

void Shutdown::request() {
  {
    const std::lock_guard lock(mutex_);
    requested_ = true;
  }
  changed_.notify_all();
}

bool Shutdown::requested() const {
  const std::lock_guard lock(mutex_);
  return requested_;
}

bool Shutdown::wait_for(int ms) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return requested_; });
}

} // namespace station

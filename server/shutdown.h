// The service's stop request, and waits that end early when it comes.
#pragma once

#include <condition_variable>
#include <mutex>

namespace station {

class Shutdown {
public:
  void request();
  bool requested() const;
  // Waits up to `ms` milliseconds; true if the stop was requested meanwhile.
  bool wait_for(int ms);

private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool requested_ = false;
};

} // namespace station

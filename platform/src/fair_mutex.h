// The lock that serialises the registry calls of a process's threads.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace zelk::registry {

// Hands the lock to waiting threads in the order they asked for it. With a
// plain mutex a thread making call after call (a background job listing
// thousands of values) takes the lock again before a woken waiter runs, and
// the GUI thread then waits for the whole series instead of for one call.
class FairMutex {
public:
  void lock() {
    std::unique_lock<std::mutex> guard(state_);
    const std::uint64_t ticket = next_++;
    turnChanged_.wait(guard, [&] { return serving_ == ticket; });
  }
  void unlock() {
    {
      std::lock_guard<std::mutex> guard(state_);
      ++serving_;
    }
    turnChanged_.notify_all();
  }

private:
  std::mutex state_;
  std::condition_variable turnChanged_;
  std::uint64_t next_ = 0;    // the ticket the next caller gets
  std::uint64_t serving_ = 0; // the ticket that holds the lock
};

} // namespace zelk::registry

// Internal error plumbing of the registry stand-in: every failure inside the
// stand-in is thrown as a RegFailure carrying the Win32 code the API returns.
#pragma once

#include "win32_registry.h"

#include <chrono>
#include <new>
#include <thread>

namespace zelk::registry {

struct RegFailure {
  LONG code;
};

[[noreturn]] inline void fail(LONG code) { throw RegFailure{code}; }

// Thrown before a call has any effect, when its cached answers turned out to
// belong to an older state of the hive: the call runs again from the start.
struct CallRestart {};

// Thrown before a call has any effect, when another thread of the process
// holds a batch on the hive: the call runs again once the batch has ended.
struct BatchWait {};

// Win32 code for an SQLite result code (primary or extended).
LONG win32FromSqlite(int sqliteResult);

// Runs `body`, turning RegFailure and allocation failures into the LONG the
// API returns.  `body` returns the success code itself (usually 0).
// A call that found the hive busy (another process holding a lock past the
// busy timeout) rolled back completely and is run again.
template <typename F> LONG guarded(F &&body) noexcept {
  constexpr int kBusyAttempts = 20;
  constexpr long kBatchWaitsMs = 600000; // as long as a busy hive is waited for
  long batchWaits = 0;
  for (int attempt = 1;; ++attempt) {
    try {
      return body();
    } catch (const BatchWait &) {
      if (++batchWaits > kBatchWaitsMs) return ERROR_BUSY;
      --attempt;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } catch (const CallRestart &) {
      if (attempt >= kBusyAttempts) return ERROR_REGISTRY_IO_FAILED;
    } catch (const RegFailure &f) {
      if (f.code != ERROR_BUSY || attempt >= kBusyAttempts) return f.code;
    } catch (const std::bad_alloc &) {
      return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
      return ERROR_REGISTRY_IO_FAILED;
    }
  }
}

} // namespace zelk::registry

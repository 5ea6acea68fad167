// The one way a test waits: for the condition it checks, never for a fixed time, since on
// a busy machine any fixed pause can be too short.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Waits until Done holds, checking it every few milliseconds; false when Limit passes
// first. Pause(ms) lets the program run between checks: by default the thread sleeps;
// widget tests hand HandleEvents (widget_harness.h) so that events are processed.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20),
                      const std::function<void(int)>& pause = {}) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (pause)
      pause(5);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

#include "app/pool_tasks_in_place.h"

#include <QThreadPool>
#include <atomic>
#include <dlfcn.h>
#include <functional>
#include <thread>

namespace {

// Made before main, on the thread that goes on to make the application and paint.
const std::thread::id PaintingThread = std::this_thread::get_id();

std::atomic<int> RunInPlace{0};

// The pool's own start; on x86-64 a std::function passed by value travels as a pointer,
// as it does to the member function.
using TPoolStart = void (*)(QThreadPool*, std::function<void()>, int);

TPoolStart PoolStart() {
  static const auto start = reinterpret_cast<TPoolStart>(
      dlvsym(RTLD_NEXT, "_ZN11QThreadPool5startESt8functionIFvvEEi", "Qt_6"));
  return start;
}

} // namespace

int PoolTasksRunInPlace() {
  return RunInPlace.load();
}

void QThreadPool::start(std::function<void()> functionToRun, int priority) {
  const TPoolStart start = PoolStart();
  if (std::this_thread::get_id() == PaintingThread || !start) {
    // The caller waits for it anyway.
    RunInPlace.fetch_add(1, std::memory_order_relaxed);
    functionToRun();
    return;
  }
  start(this, std::move(functionToRun), priority);
}

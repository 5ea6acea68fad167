// Counts the bytes a piece of code allocates, through the address sanitizer's allocator
// hooks; tests run under the sanitizer, so a build without it simply has no count.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_ALLOCATION_PROBE 1
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));
#endif

namespace allocation_probe {
inline std::atomic<bool> counting{false};
inline std::atomic<size_t> bytes{0};
inline void OnMalloc(const volatile void*, size_t size) {
  if (counting.load(std::memory_order_relaxed)) bytes.fetch_add(size, std::memory_order_relaxed);
}
inline void OnFree(const volatile void*) {}
} // namespace allocation_probe

// The total of every allocation F makes (freed or not), or nothing without the sanitizer.
template <class F> std::optional<size_t> BytesAllocatedBy(F f) {
#ifdef VELMORA_ALLOCATION_PROBE
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(
                                    allocation_probe::OnMalloc, allocation_probe::OnFree) != 0;
  allocation_probe::bytes = 0;
  allocation_probe::counting = installed;
  try {
    f();
  } catch (...) {
    allocation_probe::counting = false;
    throw;
  }
  allocation_probe::counting = false;
  if (installed) return allocation_probe::bytes.load();
#else
  f();
#endif
  return std::nullopt;
}

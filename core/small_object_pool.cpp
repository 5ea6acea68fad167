#include "core/small_object_pool.h"

#include <sys/mman.h>

#include <bit>
#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_POOL_DISABLED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_POOL_DISABLED 1
#endif
#endif

// Blocks are cut from regions of 2 MB that may be backed by huge pages (all but the first):
// a first load of a large database otherwise spends more time in page faults, one per
// 4 KB of fresh records, than in reading.
TSmallObjectPool::~TSmallObjectPool() {
  for (char* region : regions_)
    munmap(region, RegionSize);
}

char* TSmallObjectPool::NewBlock() {
  if (regionLeft_ < BlockSize) {
    void* raw =
        mmap(nullptr, 2 * RegionSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    // Aligned to its size, so that the whole region can be one huge page.
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + RegionSize - 1) & ~(RegionSize - 1);
    if (aligned > start) munmap(raw, aligned - start);
    munmap(reinterpret_cast<void*>(aligned + RegionSize), start + RegionSize - aligned);
    regions_.push_back(reinterpret_cast<char*>(aligned));
    // Not the first: a small database (the empty one every start makes) would otherwise
    // wait for a whole huge page to be found, compacted and cleared.
    if (regions_.size() > 1) madvise(regions_.back(), RegionSize, MADV_HUGEPAGE);
    regionNext_ = regions_.back();
    regionLeft_ = RegionSize;
  }
  char* block = regionNext_;
  regionNext_ += BlockSize;
  regionLeft_ -= BlockSize;
  ++blockCount_;
  return block;
}

std::size_t TSmallObjectPool::ClassOf(std::size_t size) {
  if (size <= SmallSize) return (size + Granule - 1) / Granule - 1;
  // Above: the doubling that holds Size, then which quarter of it.
  const int e = std::bit_width(size - 1) - 1; // 9 .. 12
  return SmallClasses + std::size_t(e - 9) * 4 + (((size - 1) >> (e - 2)) - 4);
}

std::size_t TSmallObjectPool::ClassSize(std::size_t k) {
  if (k < SmallClasses) return (k + 1) * Granule;
  const std::size_t large = k - SmallClasses;
  return (5 + large % 4) << (large / 4 + 7);
}

void* TSmallObjectPool::Allocate(std::size_t size) {
  const std::size_t k = ClassOf(size);
  if (TFreeNode* node = free_[k]) {
    free_[k] = node->Next;
    // Freed pieces lie scattered and cold; fetching the next one now hides most of the
    // miss that the next request of this size would take.
    if (free_[k]) __builtin_prefetch(free_[k], 1);
    return node;
  }
  const std::size_t bytes = ClassSize(k);
  if (left_ < bytes) {
    // The rest of the current block goes to the free lists of the small sizes it fits.
    while (left_ >= Granule) {
      const std::size_t piece = left_ >= SmallSize ? SmallSize : left_;
      Release(next_, piece);
      next_ += piece;
      left_ -= piece;
    }
    next_ = NewBlock();
    left_ = BlockSize;
  }
  void* p = next_;
  next_ += bytes;
  left_ -= bytes;
  return p;
}

void TSmallObjectPool::Release(void* p, std::size_t size) noexcept {
  const std::size_t k = ClassOf(size);
  auto* node = static_cast<TFreeNode*>(p);
  node->Next = free_[k];
  free_[k] = node;
}

#ifdef VELMORA_POOL_DISABLED

void* PoolAllocate(std::size_t size) {
  return ::operator new(size);
}
void PoolFree(void* p, std::size_t) noexcept {
  ::operator delete(p);
}

#else

namespace {
TSmallObjectPool& ThreadPool() {
  // Never destroyed: pooled objects may outlive the thread's static destructors. An object
  // freed on another thread simply joins that thread's lists.
  thread_local TSmallObjectPool* pool = new TSmallObjectPool;
  return *pool;
}
} // namespace

void* PoolAllocate(std::size_t size) {
  if (size == 0 || size > TSmallObjectPool::MaxPooledSize) return ::operator new(size);
  return ThreadPool().Allocate(size);
}

void PoolFree(void* p, std::size_t size) noexcept {
  if (!p) return;
  if (size == 0 || size > TSmallObjectPool::MaxPooledSize) {
    ::operator delete(p);
    return;
  }
  ThreadPool().Release(p, size);
}

#endif

#include "core/small_object_pool.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_POOL_DISABLED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_POOL_DISABLED 1
#endif
#endif

TSmallObjectPool::~TSmallObjectPool() {
  for (char* block : blocks_)
    ::operator delete(block);
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
  const std::size_t bytes = (k + 1) * Granule;
  if (left_ < bytes) {
    // The rest of the current block goes to the free lists it fits.
    while (left_ >= Granule) {
      const std::size_t piece = left_ >= MaxPooledSize ? MaxPooledSize : left_;
      Release(next_, piece);
      next_ += piece;
      left_ -= piece;
    }
    blocks_.push_back(static_cast<char*>(::operator new(BlockSize)));
    next_ = blocks_.back();
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

// A pool for the many small objects of the data model (records, list items, script
// lines and their small arrays). A large database holds millions of them; taking them
// from per-size free lists instead of the general allocator makes loading and freeing a
// database much faster.
//
// Memory is kept for reuse and never given back. Builds with AddressSanitizer hand every
// object to the general allocator instead, so that each one stays checked.
#pragma once

#include <cstddef>
#include <vector>

void* PoolAllocate(std::size_t size);
void PoolFree(void* p, std::size_t size) noexcept;

// Per-size free lists, carved from 64 KiB blocks, which are cut from 2 MB regions of their
// own mapping: sizes in 16-byte granules up to SmallSize, then four sizes per doubling up
// to MaxPooledSize (the larger records, script line tables and kept record bytes, which
// would otherwise each take fresh memory from the general allocator a 4 KB page at a time).
// Not thread-safe: PoolAllocate keeps one per thread.
class TSmallObjectPool {
public:
  static constexpr std::size_t Granule = 16;
  static constexpr std::size_t SmallSize = 512;
  static constexpr std::size_t MaxPooledSize = 8192;
  static constexpr std::size_t BlockSize = 64 * 1024;

  TSmallObjectPool() = default;
  ~TSmallObjectPool();
  TSmallObjectPool(const TSmallObjectPool&) = delete;
  TSmallObjectPool& operator=(const TSmallObjectPool&) = delete;

  // Size must be 1..MaxPooledSize.
  void* Allocate(std::size_t size);
  void Release(void* p, std::size_t size) noexcept;
  std::size_t BlockCount() const { return blockCount_; }

private:
  struct TFreeNode {
    TFreeNode* Next;
  };
  static constexpr std::size_t SmallClasses = SmallSize / Granule;
  static constexpr std::size_t ClassCount = SmallClasses + 4 * 4; // 4 doublings of 4 sizes
  static std::size_t ClassOf(std::size_t size);
  static std::size_t ClassSize(std::size_t k);

  static constexpr std::size_t RegionSize = std::size_t(2) << 20;
  char* NewBlock();

  TFreeNode* free_[ClassCount] = {};
  std::vector<char*> regions_;
  char* regionNext_ = nullptr;
  std::size_t regionLeft_ = 0;
  std::size_t blockCount_ = 0;
  char* next_ = nullptr;
  std::size_t left_ = 0;
};

// An allocator for the arrays of those objects (parameters, item tables, kept bytes);
// arrays above the pooled sizes go to the general allocator.
template <class T> struct TPoolAllocator {
  using value_type = T;
  TPoolAllocator() = default;
  template <class U> TPoolAllocator(const TPoolAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(PoolAllocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { PoolFree(p, n * sizeof(T)); }
  template <class U> bool operator==(const TPoolAllocator<U>&) const noexcept { return true; }
};

// Base of classes whose objects come from the pool (delete passes the object's size).
struct TPooledObject {
  static void* operator new(std::size_t size) { return PoolAllocate(size); }
  static void operator delete(void* p, std::size_t size) noexcept { PoolFree(p, size); }
};

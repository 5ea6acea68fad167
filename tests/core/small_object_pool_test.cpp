#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/small_object_pool.h"

namespace {

TEST(SmallObjectPool, HandsOutAlignedDisjointPiecesAndReusesFreedOnes) {
  TSmallObjectPool pool;
  std::vector<std::pair<char*, size_t>> pieces;
  // Enough to fill several blocks, in every size class (the larger ones in coarser steps).
  for (int round = 0; round < 60; ++round)
    for (size_t size = 1; size <= TSmallObjectPool::MaxPooledSize;
         size += size < TSmallObjectPool::SmallSize ? 7 : 97) {
      auto* p = static_cast<char*>(pool.Allocate(size));
      ASSERT_EQ(reinterpret_cast<uintptr_t>(p) % TSmallObjectPool::Granule, 0u);
      std::memset(p, 0xAB, size); // a piece that overlapped another would be caught below
      pieces.push_back({p, size});
    }
  EXPECT_GT(pool.BlockCount(), 1u);
  auto sorted = pieces;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 1; i < sorted.size(); ++i)
    ASSERT_LE(sorted[i - 1].first + sorted[i - 1].second, sorted[i].first);

  // A freed piece comes back for the next request of its size class, and only then.
  void* freed = pieces[3].first;
  pool.Release(freed, pieces[3].second);
  EXPECT_NE(pool.Allocate(TSmallObjectPool::MaxPooledSize), freed);
  EXPECT_EQ(pool.Allocate(pieces[3].second), freed);
}

TEST(SmallObjectPool, PooledContainersBehaveAsPlainOnes) {
  std::vector<int32_t, TPoolAllocator<int32_t>> values;
  for (int i = 0; i < 1000; ++i)
    values.push_back(i); // grows past the pooled sizes
  EXPECT_EQ(values[999], 999);
  values.resize(3);
  values.shrink_to_fit();
  EXPECT_EQ(values, (std::vector<int32_t, TPoolAllocator<int32_t>>{0, 1, 2}));
}

} // namespace

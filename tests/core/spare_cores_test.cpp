#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "core/spare_cores.h"

TEST(SpareCores, RowBandsCoverEveryRowOnce) {
  EXPECT_GE(UsableCores(), 1);
  for (const int rows : {0, 1, 127, 255, 256, 257, 1000, 1080}) {
    std::vector<std::atomic<int>> visits(static_cast<size_t>(rows));
    std::atomic<int> bands = 0;
    ForEachRowBand(rows, 128, [&](int first, int end) {
      ++bands;
      EXPECT_LT(first, end);
      for (int y = first; y < end; ++y)
        ++visits[size_t(y)];
    });
    for (int y = 0; y < rows; ++y)
      ASSERT_EQ(visits[size_t(y)], 1) << rows << " rows, row " << y;
    EXPECT_LE(bands, rows < 256 ? 1 : 4) << rows;
  }
}

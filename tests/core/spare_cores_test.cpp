#include <gtest/gtest.h>

#include <atomic>
#include <thread>
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

TEST(SpareCores, BandsRunFromSeveralThreadsAndWithinABand) {
  // The kept helpers serve one caller at a time: others, and a band splitting its own
  // work, must still see every row once, however often the rounds follow each other.
  const auto covered = [](int rows) {
    std::vector<std::atomic<int>> visits(static_cast<size_t>(rows));
    ForEachRowBand(rows, 16, [&](int first, int end) {
      for (int y = first; y < end; ++y)
        ++visits[size_t(y)];
    });
    for (const auto& v : visits)
      if (v != 1) return false;
    return true;
  };
  std::atomic<int> failures = 0;
  std::vector<std::thread> callers;
  for (int t = 0; t < 4; ++t)
    callers.emplace_back([&, t] {
      for (int round = 0; round < 300; ++round) {
        if (!covered(64 + (round * 7 + t) % 200)) ++failures;
        if (round % 50 == 0)
          ForEachRowBand(512, 128, [&](int, int) {
            if (!covered(300)) ++failures;
          });
      }
    });
  for (auto& caller : callers)
    caller.join();
  EXPECT_EQ(failures, 0);
}

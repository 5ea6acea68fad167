#include "core/spare_cores.h"

#include <algorithm>
#include <sched.h>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int MaxBands = 4;

} // namespace

int UsableCores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::max(1, CPU_COUNT(&set));
}

void ForEachRowBand(int rows, int minRowsPerBand, const std::function<void(int, int)>& work) {
  if (rows <= 0) return;
  const int bands =
      std::clamp(std::min(UsableCores(), rows / std::max(1, minRowsPerBand)), 1, MaxBands);
  if (bands == 1) {
    work(0, rows);
    return;
  }
  std::vector<std::jthread> helpers;
  helpers.reserve(size_t(bands - 1));
  const auto bandStart = [&](int band) { return int(int64_t(rows) * band / bands); };
  int band = 1;
  try {
    for (; band < bands; ++band)
      helpers.emplace_back(work, bandStart(band), bandStart(band + 1));
  } catch (const std::system_error&) {
    // No thread to be had: the bands left run here.
  }
  work(0, bandStart(1));
  for (; band < bands; ++band)
    work(bandStart(band), bandStart(band + 1));
}

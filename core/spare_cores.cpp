#include "core/spare_cores.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
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

namespace {

// Threads kept for the bands, started on first use and living to the end of the process:
// starting threads for every screenful cost as much as the bands saved. One caller at a
// time; any other (another thread, or a band that splits its own work) starts its own.
class TBandCrew {
public:
  static TBandCrew& Get() {
    static TBandCrew* crew = new TBandCrew; // never ended: its threads wait to the end
    return *crew;
  }

  // Runs the bands of Job here and on the crew; false (nothing done) when the crew is busy.
  bool TryRun(int bands, const std::function<void(int)>& job) {
    std::unique_lock use(use_, std::try_to_lock);
    if (!use.owns_lock()) return false;
    Grow(bands - 1);
    {
      std::lock_guard lock(mutex_);
      job_ = &job;
      bands_ = bands;
      next_.store(0, std::memory_order_relaxed);
      done_ = 0;
      ++round_;
    }
    wake_.notify_all();
    const int mine = Take(job, bands);
    std::unique_lock lock(mutex_);
    done_ += mine;
    // Every helper that took up this job is out of it before the job goes.
    finished_.wait(lock, [this] { return done_ == bands_ && busy_ == 0; });
    job_ = nullptr;
    return true;
  }

private:
  // Bands are taken in turn by whoever is free, this thread among them, so that a helper
  // slow to wake leaves its band to the others. Returns how many this caller did.
  int Take(const std::function<void(int)>& job, int bands) {
    int count = 0;
    for (int band; (band = next_.fetch_add(1, std::memory_order_relaxed)) < bands; ++count)
      job(band);
    return count;
  }

  void Grow(int helpers) {
    try {
      while (int(threads_) < helpers) {
        std::thread([this] { Serve(); }).detach();
        ++threads_;
      }
    } catch (const std::system_error&) {
      // No thread to be had: the bands left run on those there are.
    }
  }

  void Serve() {
    uint64_t seen = 0;
    for (;;) {
      const std::function<void(int)>* job;
      int bands;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return round_ != seen; });
        seen = round_;
        job = job_;
        bands = bands_;
        if (!job) continue; // that round is over already
        ++busy_;
      }
      const int did = Take(*job, bands);
      std::lock_guard lock(mutex_);
      done_ += did;
      --busy_;
      if (done_ == bands_ && busy_ == 0) finished_.notify_one();
    }
  }

  std::mutex use_;
  std::mutex mutex_;
  std::condition_variable wake_, finished_;
  const std::function<void(int)>* job_ = nullptr;
  int bands_ = 0;
  int done_ = 0;
  int busy_ = 0; // helpers inside the current job
  uint64_t round_ = 0;
  std::atomic<int> next_{0};
  size_t threads_ = 0;
};

} // namespace

void ForEachRowBand(int rows, int minRowsPerBand, const std::function<void(int, int)>& work) {
  if (rows <= 0) return;
  const int bands =
      std::clamp(std::min(UsableCores(), rows / std::max(1, minRowsPerBand)), 1, MaxBands);
  if (bands == 1) {
    work(0, rows);
    return;
  }
  const auto bandStart = [&](int band) { return int(int64_t(rows) * band / bands); };
  const std::function<void(int)> job = [&](int band) {
    work(bandStart(band), bandStart(band + 1));
  };
  if (TBandCrew::Get().TryRun(bands, job)) return;
  std::vector<std::jthread> helpers;
  helpers.reserve(size_t(bands - 1));
  int band = 1;
  try {
    for (; band < bands; ++band)
      helpers.emplace_back(job, band);
  } catch (const std::system_error&) {
    // No thread to be had: the bands left run here.
  }
  job(0);
  for (; band < bands; ++band)
    job(band);
}

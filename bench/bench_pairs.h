// Ours and its peer timed in turns, one pair per iteration, so that both meet the machine
// in the same state: on a busy machine the speed drifts between one benchmark and the
// next, and a peer timed after ours then moves the ratio across any goal. The order
// within a pair changes every time, so that neither always finds what the other left
// behind (caches, write-back). The benchmark uses manual time: its time is ours; the
// "peer_ms" counter is the peer's mean, and "ratio" divides our total by the peer's.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

template <class TOurs, class TPeer>
void TimePairs(benchmark::State& state, TOurs&& ours, TPeer&& peer) {
  const auto seconds = [](auto& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double own = 0, other = 0;
  bool peerFirst = true;
  for (auto _ : state) {
    double mine, theirs;
    if (peerFirst) {
      theirs = seconds(peer);
      mine = seconds(ours);
    } else {
      mine = seconds(ours);
      theirs = seconds(peer);
    }
    peerFirst = !peerFirst;
    state.SetIterationTime(mine);
    own += mine;
    other += theirs;
  }
  if (other > 0) {
    state.counters["peer_ms"] =
        benchmark::Counter(other * 1000, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = own / other;
  }
}

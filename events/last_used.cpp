#include "events/last_used.h"

#include <vector>

namespace {

std::vector<std::function<void()>>& Resets() {
  static std::vector<std::function<void()>> resets;
  return resets;
}

} // namespace

void RegisterLastUsedReset(std::function<void()> reset) {
  Resets().push_back(std::move(reset));
}

void ResetLastUsedRecords() {
  for (const auto& reset : Resets())
    reset();
}

#include "core/system_page.h"

#include <algorithm>

TPoint VehicleFrameCell(int tick) {
  static constexpr int Xs[4] = {24, 0, 24, 48};
  static constexpr int Ys[4] = {96, 0, 32, 64};
  const unsigned step = static_cast<unsigned>(tick);
  return {Xs[step % 4], Ys[(step / 16) % 4]};
}

TPartyChoices PartyChoices(const std::vector<int32_t>& party, int heroCount) {
  TPartyChoices choices;
  const int count = static_cast<int>(party.size());
  const int shown = std::min(count, PartyComboCount);
  choices.PartyCount = count;
  for (int k = 0; k < shown; ++k) {
    const int32_t hero = party[k];
    const bool held = std::count(party.begin(), party.end(), hero) > 1;
    if (hero < 1 || hero > heroCount || held) {
      choices.PartyCount = k;
      break;
    }
  }
  const auto member = [&](int slot) { return slot < choices.PartyCount ? party[slot] : 0; };
  for (int k = 0; k < PartyComboCount; ++k) {
    TPartyCombo& combo = choices.Combos[k];
    combo.Enabled = k <= choices.PartyCount;
    if (!combo.Enabled) continue;
    combo.Candidates.push_back(0);
    for (int32_t hero = 1; hero <= heroCount; ++hero) {
      bool other = false;
      for (int j = 0; j < choices.PartyCount && !other; ++j)
        other = j != k && party[j] == hero;
      if (!other) combo.Candidates.push_back(hero);
      if (hero == member(k)) combo.Index = static_cast<int>(combo.Candidates.size()) - 1;
    }
  }
  return choices;
}

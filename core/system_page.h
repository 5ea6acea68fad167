// The plain rules of the system page (the frame the vehicle previews show, the choices
// of the four initial-party combos) and the common event's "Call" start condition.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/geometry.h"

// The 24 x 32 cell of a vehicle's block after Tick timer ticks: a step every tick, the
// next direction every 16 ticks.
TPoint VehicleFrameCell(int tick);

// The four party combos. A combo offers "(None)" (id 0) and every hero that no other
// member holds; it is enabled up to the first empty slot.
inline constexpr int PartyComboCount = 4;
struct TPartyCombo {
  bool Enabled = false;
  std::vector<int32_t> Candidates; // hero ids, 0 first
  int Index = 0;                   // the line of the slot's member
};
struct TPartyChoices {
  // The party cut before the first member among the combos' slots that is no hero of
  // the list or that another slot holds too: the combos could not show it.
  int PartyCount = 0;
  std::array<TPartyCombo, PartyComboCount> Combos;
};
// Party: the members' hero ids; HeroCount: the heroes are ids 1..HeroCount.
TPartyChoices PartyChoices(const std::vector<int32_t>& party, int heroCount);

// The start condition "Call" of a common event (the record stores "Auto Start" as 3 and
// "Parallel Process" as 4).
inline constexpr uint8_t CommonEventCallTrigger = 5;

// The condition page's rules without its window: which of its controls a condition
// enables, and the colour list taken from the system graphic.
#pragma once

#include <array>
#include <cstdint>

class TGlimraSheet;

// The controls a condition enables. Condition 1 is the game's own: it keeps only its
// name, kind, colour, effect chances and three messages.
struct TConditionEnabling {
  // Priority, limitation, healing, half cost, hit rate, the skill and magic checks, the
  // "already" and "affected" messages and the battle-turn HP/MP decrease.
  bool Common = true;
  // The "Above Special Skill" edits of the skill and the magic check.
  bool SkillRate = false;
  bool MagicRate = false;
  // The HP/MP decrease during map movement.
  bool MapDecrease = false;
};
TConditionEnabling ConditionEnabling(bool special, int kind, bool blockSkills, bool blockMagic);

// The colours a condition can take: 20 colour numbers (0x00BBGGRR) of the palette entries
// of the system graphic's pixels at (column x 16, 56 + row x 16), two rows of ten.
inline constexpr int ConditionColorCount = 20;
std::array<uint32_t, ConditionColorCount> ConditionColors(const TGlimraSheet& systemGraphic);

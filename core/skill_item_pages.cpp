#include "core/skill_item_pages.h"

namespace {

constexpr unsigned Kinds(int first, int last) {
  unsigned bits = 0;
  for (int k = first; k <= last; ++k)
    bits |= 1u << k;
  return bits;
}
constexpr unsigned Kind(int k) {
  return 1u << k;
}

// Names longer than this leave no room for "!" after the verb in the message line.
constexpr size_t ShortSkillName = 18;

} // namespace

const std::vector<TKindGroup>& SkillKindGroups() {
  static const std::vector<TKindGroup> groups = {
      {"GroupNormal", Kind(0)}, {"GroupBoxN1", Kind(0)},    {"GroupBoxN2", Kind(0)},
      {"GroupBox5", Kind(3)},   {"GroupBox7", Kinds(1, 3)}, {"GroupBox9", Kind(0) | Kind(3)},
      {"GroupBox10", Kind(3)},
  };
  return groups;
}

TSkillRangeCaptions SkillRangeCaptions(int effectRange) {
  if (effectRange == 0 || effectRange == 1)
    return {"Ability Down", "Change to condition", "Attack Attribute", "Defense Down"};
  return {"Ability Up", "Cure condition", "Defense Attribute", "Defense Up"};
}

std::string SkillMessagePreset(int button, const std::string& name) {
  struct TPreset {
    const char* Verb;
    const char* LongEnding;
  };
  static constexpr TPreset presets[] = {
      {" chants ", " chanted"},
      {" casts ", "was cast"},
      {" uses ", "was used"},
  };
  if (button < 0 || button > 2) return {};
  const TPreset& preset = presets[button];
  return preset.Verb + name + (name.size() <= ShortSkillName ? "!" : preset.LongEnding);
}

const std::vector<TKindGroup>& ItemKindGroups() {
  static const std::vector<TKindGroup> groups = {
      {"GroupExpendable", Kinds(6, 10)}, {"GroupPlayer", Kinds(1, 9)},
      {"GroupParameter", Kinds(1, 5)},   {"GroupAttrib", Kinds(1, 5)},
      {"GroupStatus", Kinds(1, 5)},      {"GroupAnimation", Kind(1)},
      {"GroupOption1", Kind(1)},         {"GroupHand", Kind(1)},
      {"GroupWeapon", Kind(1)},          {"GroupOption2", Kinds(2, 5)},
      {"GroupMedicine1", Kind(6)},       {"GroupMedicine2", Kind(6)},
      {"GroupMedicine3", Kind(6)},       {"GroupBook1", Kind(7)},
      {"GroupSeed1", Kind(8)},           {"GroupSpecial1", Kind(9)},
      {"GroupSpecial2", Kind(9)},        {"GroupSwitch1", Kind(10)},
      {"GroupSwitch2", Kind(10)},
  };
  return groups;
}

TItemKindCaptions ItemKindCaptions(int kind) {
  const bool equipment = kind >= 1 && kind <= 5;
  const char* player = equipment ? "The hero who can equip it" : "The hero who can use it";
  if (kind == 1) return {player, "Attack Attribute", "Change to condition", "Changing Chance"};
  if (equipment) return {player, "Defense Attribute", "Prevent condition", "Prevent Chance"};
  return {player, "", "", ""};
}

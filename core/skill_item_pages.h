// The plain rules of the skill and item pages: which groups of controls a kind shows,
// the captions that follow the effect range or the kind, and the using-message presets.
#pragma once

#include <string>
#include <vector>

// A group of a page's controls and the kinds it is shown for.
struct TKindGroup {
  const char* Name; // the group's objectName
  unsigned Kinds;   // bit k: shown for kind k
  bool ShownFor(int kind) const { return kind >= 0 && kind < 32 && (Kinds >> kind & 1u); }
};

// ---- skills ----

// Kinds: 0 "Norm", 1 "Teleport", 2 "Escape", 3 "Switch".
const std::vector<TKindGroup>& SkillKindGroups();

// The captions that say whether the skill works on enemies (ranges 0, 1) or on allies.
struct TSkillRangeCaptions {
  const char* Parameters;
  const char* Conditions;
  const char* Attributes;
  const char* Defense;
};
TSkillRangeCaptions SkillRangeCaptions(int effectRange);

// The first line of the using message that preset Button (0 "[* Chant]", 1 "[* Cast]",
// 2 "[* Use]") makes for a skill named Name; the second line becomes empty.
std::string SkillMessagePreset(int button, const std::string& name);

// ---- items ----

// Kinds 0 "Common Goods" .. 10 "Switch".
inline constexpr int ItemKindCount = 11;
const std::vector<TKindGroup>& ItemKindGroups();

struct TItemKindCaptions {
  const char* Player;
  // Empty for kinds that do not show these groups.
  const char* Attributes;
  const char* Conditions;
  const char* Probability;
};
TItemKindCaptions ItemKindCaptions(int kind);

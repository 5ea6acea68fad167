// The hero page's plain rules: where the walk and face previews take their cells, the
// "Now:" value of a parameter graph, and which skills the learned-skill dialog offers.
#pragma once

#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/hero_records.h"

// Top-left corner of the character block Index in a walk sheet (4 blocks of 72 x 128 a
// row), and of face Index in a face sheet (4 faces of 48 x 48 a row).
TPoint WalkBlockOrigin(int index);
TPoint FaceOrigin(int index);

// The 24 x 32 cell of a character block that the walk preview shows after Counter timer
// ticks: a step every tick, another facing every 16 ticks.
TPoint WalkFrameCell(int counter);

// The value a parameter graph writes after "Now:": the curve at the hero's initial level,
// plus for attack, defense, mind and agility the bonuses of the initial equipment.
int HeroParameterNow(const TXelPlayerItem& hero, int parameter, const TXelItem& items);

// The hero's learned-skill list as its report list shows it: one row per entry, "L %2d"
// and the skill's name ("?" for a missing skill), then an empty row for adding.
inline constexpr int MaxLearnedSkills = 500;
struct TLearnedSkillRow {
  std::string Level;
  std::string Skill;
  int EntryId = 0; // 0 for the empty row
  friend bool operator==(const TLearnedSkillRow&, const TLearnedSkillRow&) = default;
};
std::vector<TLearnedSkillRow> LearnedSkillRows(const TXelPlayerLearning& learning);

// Stores (Level, SkillId) in the entry of Row, or in a new entry for the empty row, then
// keeps the list ordered by level and skill id. Returns the entry's row afterwards, or
// -1 when the empty row was chosen with the list already full.
int StoreLearnedSkill(TXelPlayerLearning& learning, int row, int level, int skillId);

// The skills the learned-skill dialog offers: every skill that no other entry of the
// hero has learned, in id order.
class TLearnedSkillOffer {
public:
  explicit TLearnedSkillOffer(int skillCount);

  // Ids outside 1..skill count are ignored.
  void MarkSkillTaken(int skillId);
  // The offered skill ids.
  std::vector<int> OfferedSkills() const;
  // The line to select for SkillId: the first offered id >= SkillId, else line 0.
  static int LineFor(const std::vector<int>& offered, int skillId);
  // The skill of Line, or 0 when nothing is offered.
  static int SkillAt(const std::vector<int>& offered, int line);

private:
  std::vector<bool> taken_; // index skill id - 1
};

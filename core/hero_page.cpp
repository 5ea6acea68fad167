#include "core/hero_page.h"

#include <cstdio>

#include "core/database_names.h"

TPoint WalkBlockOrigin(int index) {
  return {(index % 4) * 72, (index / 4) * 128};
}

TPoint FaceOrigin(int index) {
  return {(index % 4) * 48, (index / 4) * 48};
}

TPoint WalkFrameCell(int counter) {
  static const int Xs[4] = {24, 0, 24, 48};
  static const int Ys[4] = {64, 96, 0, 32};
  const unsigned step = unsigned(counter);
  return {Xs[step % 4], Ys[(step / 16) % 4]};
}

int HeroParameterNow(const TXelPlayerItem& hero, int parameter, const TXelItem& items) {
  int value = hero.GetParameter(parameter, hero.InitialLevel);
  if (parameter < 2 || parameter >= HeroParameterCount) return value;
  for (int slot = 0; slot < HeroEquipmentSlots; ++slot) {
    const int id = hero.GetEquipment(slot);
    const TXelItemItem* item = id > 0 ? items.FindById(id) : nullptr;
    if (!item) continue;
    const int bonuses[4] = {item->AttackBonus, item->DefenseBonus, item->MindBonus,
                            item->AgilityBonus};
    value += bonuses[parameter - 2];
  }
  return value;
}

std::vector<TLearnedSkillRow> LearnedSkillRows(const TXelPlayerLearning& learning) {
  std::vector<TLearnedSkillRow> rows;
  rows.reserve(size_t(learning.GetCount()) + 1);
  for (int i = 0; i < learning.GetCount(); ++i) {
    const TXelPlayerLearningItem* entry = learning.GetItem(i);
    char level[24];
    std::snprintf(level, sizeof level, "L %2d", int(entry->Level));
    rows.push_back({level, SkillNameById(entry->SkillId), entry->Id});
  }
  rows.push_back({});
  return rows;
}

int StoreLearnedSkill(TXelPlayerLearning& learning, int row, int level, int skillId) {
  TXelPlayerLearningItem* entry = learning.GetItem(row);
  if (!entry) {
    if (learning.GetCount() >= MaxLearnedSkills) return -1;
    entry = learning.Append();
  }
  entry->Level = level;
  entry->SkillId = skillId;
  learning.SortAndRenumber([](const TCatalogItem* a, const TCatalogItem* b) {
    const auto& x = *static_cast<const TXelPlayerLearningItem*>(a);
    const auto& y = *static_cast<const TXelPlayerLearningItem*>(b);
    if (x.Level != y.Level) return x.Level < y.Level ? -1 : 1;
    return x.SkillId < y.SkillId ? -1 : (x.SkillId > y.SkillId ? 1 : 0);
  });
  return learning.IndexOf(entry);
}

TLearnedSkillOffer::TLearnedSkillOffer(int skillCount)
    : taken_(size_t(skillCount > 0 ? skillCount : 0), false) {}

void TLearnedSkillOffer::MarkSkillTaken(int skillId) {
  if (skillId >= 1 && size_t(skillId) <= taken_.size()) taken_[size_t(skillId - 1)] = true;
}

std::vector<int> TLearnedSkillOffer::OfferedSkills() const {
  std::vector<int> ids;
  for (size_t i = 0; i < taken_.size(); ++i)
    if (!taken_[i]) ids.push_back(int(i + 1));
  return ids;
}

int TLearnedSkillOffer::LineFor(const std::vector<int>& offered, int skillId) {
  for (size_t line = 0; line < offered.size(); ++line)
    if (offered[line] >= skillId) return int(line);
  return 0;
}

int TLearnedSkillOffer::SkillAt(const std::vector<int>& offered, int line) {
  if (offered.empty()) return 0;
  if (line < 0 || size_t(line) >= offered.size()) line = 0;
  return offered[size_t(line)];
}

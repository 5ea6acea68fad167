#include "core/hero_records.h"

#include <algorithm>

namespace {

// The curves of a new hero, level 1..50: Max HP and Max MP share the first, Attack and
// Defense the second, Mind and Agility the third.
constexpr uint16_t HpMpCurve[HeroMaxLevel] = {
    40,  43,  49,  55,  60,  66,  72,  79,  85,  92,  98,  105, 112, 120, 127, 135, 143,
    151, 160, 168, 177, 186, 195, 205, 215, 225, 236, 247, 258, 269, 281, 293, 305, 318,
    331, 345, 359, 373, 388, 404, 419, 436, 453, 471, 489, 508, 527, 547, 568, 600};
constexpr uint16_t AttackDefenseCurve[HeroMaxLevel] = {
    15, 16, 18, 19, 20,  22,  23,  25,  26,  28,  30,  31,  33,  35,  37,  38, 40,
    42, 44, 47, 49, 51,  53,  55,  58,  60,  63,  65,  68,  71,  74,  77,  80, 83,
    86, 89, 93, 96, 100, 103, 107, 111, 115, 119, 124, 128, 133, 138, 143, 150};
constexpr uint16_t MindAgilityCurve[HeroMaxLevel] = {
    20,  22,  25,  28,  31,  34,  37,  40,  43,  46,  50,  53,  57,  61,  64,  68,  72,
    76,  81,  85,  89,  94,  98,  103, 108, 113, 119, 124, 129, 135, 141, 147, 153, 160,
    166, 173, 180, 187, 194, 202, 210, 218, 227, 236, 245, 254, 264, 274, 284, 300};

bool ValidCurvePoint(int parameter, int level) {
  return parameter >= 0 && parameter < HeroParameterCount && level >= 1 && level <= HeroMaxLevel;
}

} // namespace

void TXelPlayerLearningItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Int(&Level, 1); break;
    case 2: d.Int(&SkillId, 1); break;
    default: break;
  }
  // clang-format on
}

void TXelPlayerItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Title, true); break;
    case 3: d.Str(&WalkGraphic, true); break;
    case 4: d.Int(&WalkIndex, 0); break;
    case 5: d.Byte(&WalkTransparent, 0); break;
    case 7: d.Int(&InitialLevel, 1); break;
    case 8: d.Int(&MaxLevel, 50); break;
    case 9: d.Byte(&CriticalEnabled, 1); break;
    case 10: d.Int(&CriticalChance, 30); break;
    case 15: d.Str(&FaceGraphic, true); break;
    case 16: d.Int(&FaceIndex, 0); break;
    case 21: d.Byte(&TwoSwords, 0); break;
    case 22: d.Byte(&EquipmentFixed, 0); break;
    case 23: d.Byte(&ControlByAi, 0); break;
    case 24: d.Byte(&StrongDefense, 0); break;
    case 31: d.Fixed(Curves, sizeof Curves); break;
    case 41: d.Int(&ExpBase, 30); break;
    case 42: d.Int(&ExpExtra, 30); break;
    case 43: d.Int(&ExpCorrection, 0); break;
    case 51: d.Fixed(InitialEquipment, sizeof InitialEquipment); break;
    case 56: d.Int(&UnarmedAnimation, 1); break;
    case 63: d.Catalog(&Learning); break;
    case 66: d.Byte(&UseSkillSlotName, 0); break;
    case 67: d.Str(&SkillSlotName, true); break;
    case 71: ConditionRanks.DescribeCount(d, forLoad); break;
    case 72: ConditionRanks.DescribeBlob(d, forLoad); break;
    case 73: AttributeRanks.DescribeCount(d, forLoad); break;
    case 74: AttributeRanks.DescribeBlob(d, forLoad); break;
    default: break;
  }
  // clang-format on
}

void TXelPlayerItem::Clear() {
  ClearFields<TXelPlayerItem>();
  const uint16_t* defaults[] = {HpMpCurve,          HpMpCurve,        AttackDefenseCurve,
                                AttackDefenseCurve, MindAgilityCurve, MindAgilityCurve};
  for (int p = 0; p < HeroParameterCount; ++p)
    std::copy_n(defaults[p], HeroMaxLevel, Curves + p * HeroMaxLevel);
  ConditionRanks.Clear();
  AttributeRanks.Clear();
}

int TXelPlayerItem::GetParameter(int parameter, int level) const {
  if (!ValidCurvePoint(parameter, level)) return 0;
  return Curves[parameter * HeroMaxLevel + level - 1];
}

void TXelPlayerItem::SetParameter(int parameter, int level, int value) {
  if (ValidCurvePoint(parameter, level))
    Curves[parameter * HeroMaxLevel + level - 1] = static_cast<uint16_t>(value);
}

int TXelPlayerItem::GetEquipment(int slot) const {
  if (slot < 0 || slot >= HeroEquipmentSlots) return 0;
  return InitialEquipment[slot];
}

void TXelPlayerItem::SetEquipment(int slot, int itemId) {
  if (slot >= 0 && slot < HeroEquipmentSlots)
    InitialEquipment[slot] = static_cast<uint16_t>(itemId);
}

void TXelSkillItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Description, true); break;
    case 3: d.Str(&UsingMessage1, true); break;
    case 4: d.Str(&UsingMessage2, true); break;
    case 7: d.Int(&FailureMessage, 0); break;
    case 8: d.Fixed(&Kind, 1); break;
    case 11: d.Int(&MpCost, 0); break;
    case 12: d.Fixed(&EffectRange, 1); break;
    case 13: d.Int(&SwitchId, 1); break;
    case 14: d.Int(&BattleAnimation, 1); break;
    case 16: d.Record(&Sound); break;
    case 18: d.Byte(&UsableOnField, 1); break;
    case 19: d.Byte(&UsableInBattle, 0); break;
    case 21: d.Int(&PhysicalRate, 0); break;
    case 22: d.Int(&MindRate, 3); break;
    case 23: d.Int(&Variance, 4); break;
    case 24: d.Int(&BaseEffect, 0); break;
    case 25: d.Int(&SuccessRate, 100); break;
    case 31: d.Byte(&AffectHp, 0); break;
    case 32: d.Byte(&AffectMp, 0); break;
    case 33: d.Byte(&AffectAttack, 0); break;
    case 34: d.Byte(&AffectDefense, 0); break;
    case 35: d.Byte(&AffectMind, 0); break;
    case 36: d.Byte(&AffectAgility, 0); break;
    case 37: d.Byte(&Absorb, 0); break;
    case 38: d.Byte(&IgnoreDefense, 0); break;
    case 41: ConditionFlags.DescribeCount(d, forLoad); break;
    case 42: ConditionFlags.DescribeBlob(d, forLoad); break;
    case 43: AttributeFlags.DescribeCount(d, forLoad); break;
    case 44: AttributeFlags.DescribeBlob(d, forLoad); break;
    case 45: d.Byte(&LowerResistance, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelSkillItem::Clear() {
  ClearFields<TXelSkillItem>();
  ConditionFlags.Clear();
  AttributeFlags.Clear();
}

void TXelItemItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Description, true); break;
    case 3: d.Fixed(&Kind, 1); break;
    case 5: d.Int(&Price, 0); break;
    case 6: d.Int(&Uses, 1); break;
    case 11: d.Int(&AttackBonus, 0); break;
    case 12: d.Int(&DefenseBonus, 0); break;
    case 13: d.Int(&MindBonus, 0); break;
    case 14: d.Int(&AgilityBonus, 0); break;
    case 15: d.Fixed(&TwoHanded, 1); break;
    case 16: d.Int(&MpCost, 0); break;
    case 17: d.Int(&HitChance, 90); break;
    case 18: d.Int(&CriticalChance, 0); break;
    case 20: d.Int(&BattleAnimation, 1); break;
    case 21: d.Byte(&Preemptive, 0); break;
    case 22: d.Byte(&AttackTwice, 0); break;
    case 23: d.Byte(&AttackAll, 0); break;
    case 24: d.Byte(&IgnoreEvasion, 0); break;
    case 25: d.Byte(&PreventCritical, 0); break;
    case 26: d.Byte(&RaiseEvasion, 0); break;
    case 27: d.Byte(&HalfMp, 0); break;
    case 28: d.Byte(&NoTerrainDamage, 0); break;
    case 31: d.Fixed(&WholeParty, 1); break;
    case 32: d.Int(&HpRecoveryPercent, 0); break;
    case 33: d.Int(&HpRecoveryPoints, 0); break;
    case 34: d.Int(&MpRecoveryPercent, 0); break;
    case 35: d.Int(&MpRecoveryPoints, 0); break;
    case 37: d.Byte(&FieldOnly, 0); break;
    case 38: d.Byte(&OnlyUnconscious, 0); break;
    case 41: d.Int(&MaxHpGain, 0); break;
    case 42: d.Int(&MaxMpGain, 0); break;
    case 43: d.Int(&AttackGain, 0); break;
    case 44: d.Int(&DefenseGain, 0); break;
    case 45: d.Int(&MindGain, 0); break;
    case 46: d.Int(&AgilityGain, 0); break;
    case 51: d.Fixed(&UsingMessage, 1); break;
    case 53: d.Int(&SkillId, 1); break;
    case 55: d.Int(&SwitchId, 1); break;
    case 57: d.Byte(&UsableOnField, 1); break;
    case 58: d.Byte(&UsableInBattle, 0); break;
    case 61: HeroUsable.DescribeCount(d, forLoad); break;
    case 62: HeroUsable.DescribeBlob(d, forLoad); break;
    case 63: ConditionFlags.DescribeCount(d, forLoad); break;
    case 64: ConditionFlags.DescribeBlob(d, forLoad); break;
    case 65: AttributeFlags.DescribeCount(d, forLoad); break;
    case 66: AttributeFlags.DescribeBlob(d, forLoad); break;
    case 67: d.Int(&ConditionChance, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelItemItem::Clear() {
  ClearFields<TXelItemItem>();
  HeroUsable.Clear();
  ConditionFlags.Clear();
  AttributeFlags.Clear();
}

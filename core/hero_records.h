// The hero, skill and item tables of the database.
#pragma once

#include <cstdint>
#include <string>

#include "core/byte_array_field.h"
#include "core/catalog.h"
#include "core/messages.h"
#include "core/plain_catalog.h"
#include "core/sound_record.h"

// A skill a hero learns on reaching a level.
class TXelPlayerLearningItem : public TCatalogItem {
public:
  explicit TXelPlayerLearningItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 2; }
  void Clear() override { ClearFields<TXelPlayerLearningItem>(); }

  int32_t Level;
  int32_t SkillId;
};

using TXelPlayerLearning = TXelPlainCatalog<TXelPlayerLearningItem>;

// Hero parameters of the curves, in their stored order.
enum THeroParameter { hpMaxHp, hpMaxMp, hpAttack, hpDefense, hpMind, hpAgility };
inline constexpr int HeroParameterCount = 6;
inline constexpr int HeroMaxLevel = 50;
inline constexpr int HeroEquipmentSlots = 5; // arms, shield, armor, helmet, other

class TXelPlayerItem : public TCatalogItem {
public:
  explicit TXelPlayerItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 74; }
  void Clear() override;

  // 0 outside parameters 0..5 and levels 1..50; writes outside are ignored.
  int GetParameter(int parameter, int level) const;
  void SetParameter(int parameter, int level, int value);
  // Item id of an equipment slot 0..4 (0 outside); writes outside are ignored.
  int GetEquipment(int slot) const;
  void SetEquipment(int slot, int itemId);

  // Per condition and per attribute: rank 0..4 (A..E), 2 (C) when not stored.
  void SetConditionRankCount(int32_t count) { ConditionRanks.SetCount(count); }
  uint8_t GetConditionRank(int32_t id) const { return ConditionRanks.Get(id); }
  void SetConditionRank(int32_t id, uint8_t rank) { ConditionRanks.Set(id, rank); }
  void SetAttributeRankCount(int32_t count) { AttributeRanks.SetCount(count); }
  uint8_t GetAttributeRank(int32_t id) const { return AttributeRanks.Get(id); }
  void SetAttributeRank(int32_t id, uint8_t rank) { AttributeRanks.Set(id, rank); }

  std::string Name;
  std::string Title;
  std::string WalkGraphic;
  int32_t WalkIndex;
  uint8_t WalkTransparent;
  int32_t InitialLevel;
  int32_t MaxLevel;
  uint8_t CriticalEnabled;
  int32_t CriticalChance;
  std::string FaceGraphic;
  int32_t FaceIndex;
  uint8_t TwoSwords;
  uint8_t EquipmentFixed;
  uint8_t ControlByAi;
  uint8_t StrongDefense;
  // Entry Parameter * 50 + Level - 1, stored as little-endian 16-bit values.
  uint16_t Curves[HeroParameterCount * HeroMaxLevel];
  int32_t ExpBase;
  int32_t ExpExtra;
  int32_t ExpCorrection;
  uint16_t InitialEquipment[HeroEquipmentSlots];
  int32_t UnarmedAnimation;
  TXelPlayerLearning Learning;
  uint8_t UseSkillSlotName;
  std::string SkillSlotName;
  TIdByteArray ConditionRanks{2, 2, TIdArrayTrim::Conditions};
  TIdByteArray AttributeRanks{2, 2, TIdArrayTrim::Attributes};
};

class TXelPlayer : public TXelCatalog<TXelPlayerItem> {
public:
  TXelPlayer() : TXelCatalog(SInvalidHero) {}
};

class TXelSkillItem : public TCatalogItem {
public:
  explicit TXelSkillItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 45; }
  void Clear() override;

  // Per condition ("Change to") and per attribute ("Attack attribute"): 0 or 1.
  void SetConditionFlagCount(int32_t count) { ConditionFlags.SetCount(count); }
  uint8_t GetConditionFlag(int32_t id) const { return ConditionFlags.Get(id); }
  void SetConditionFlag(int32_t id, uint8_t flag) { ConditionFlags.Set(id, flag); }
  void SetAttributeFlagCount(int32_t count) { AttributeFlags.SetCount(count); }
  uint8_t GetAttributeFlag(int32_t id) const { return AttributeFlags.Get(id); }
  void SetAttributeFlag(int32_t id, uint8_t flag) { AttributeFlags.Set(id, flag); }

  std::string Name;
  std::string Description;
  std::string UsingMessage1;
  std::string UsingMessage2;
  int32_t FailureMessage;
  uint8_t Kind;
  int32_t MpCost;
  uint8_t EffectRange;
  int32_t SwitchId;
  int32_t BattleAnimation;
  TXelSound Sound;
  uint8_t UsableOnField;
  uint8_t UsableInBattle;
  int32_t PhysicalRate;
  int32_t MindRate;
  int32_t Variance;
  int32_t BaseEffect;
  int32_t SuccessRate;
  uint8_t AffectHp;
  uint8_t AffectMp;
  uint8_t AffectAttack;
  uint8_t AffectDefense;
  uint8_t AffectMind;
  uint8_t AffectAgility;
  uint8_t Absorb;
  uint8_t IgnoreDefense;
  TIdByteArray ConditionFlags{0, 0, TIdArrayTrim::Conditions};
  TIdByteArray AttributeFlags{0, 0, TIdArrayTrim::Attributes};
  uint8_t LowerResistance;
};

class TXelSkill : public TXelCatalog<TXelSkillItem> {
public:
  TXelSkill() : TXelCatalog(SInvalidSkill) {}
};

class TXelItemItem : public TCatalogItem {
public:
  explicit TXelItemItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 67; }
  void Clear() override;

  // Per hero id: whether the hero may use the item; a hero beyond the array may.
  void SetHeroFlagCount(int32_t count) { HeroUsable.SetCount(count); }
  uint8_t GetHeroFlag(int32_t id) const { return HeroUsable.Get(id); }
  void SetHeroFlag(int32_t id, uint8_t flag) { HeroUsable.Set(id, flag); }
  void SetConditionFlagCount(int32_t count) { ConditionFlags.SetCount(count); }
  uint8_t GetConditionFlag(int32_t id) const { return ConditionFlags.Get(id); }
  void SetConditionFlag(int32_t id, uint8_t flag) { ConditionFlags.Set(id, flag); }
  void SetAttributeFlagCount(int32_t count) { AttributeFlags.SetCount(count); }
  uint8_t GetAttributeFlag(int32_t id) const { return AttributeFlags.Get(id); }
  void SetAttributeFlag(int32_t id, uint8_t flag) { AttributeFlags.Set(id, flag); }

  std::string Name;
  std::string Description;
  uint8_t Kind;
  int32_t Price;
  int32_t Uses;
  int32_t AttackBonus;
  int32_t DefenseBonus;
  int32_t MindBonus;
  int32_t AgilityBonus;
  uint8_t TwoHanded;
  int32_t MpCost;
  int32_t HitChance;
  int32_t CriticalChance;
  int32_t BattleAnimation;
  uint8_t Preemptive;
  uint8_t AttackTwice;
  uint8_t AttackAll;
  uint8_t IgnoreEvasion;
  uint8_t PreventCritical;
  uint8_t RaiseEvasion;
  uint8_t HalfMp;
  uint8_t NoTerrainDamage;
  uint8_t WholeParty;
  int32_t HpRecoveryPercent;
  int32_t HpRecoveryPoints;
  int32_t MpRecoveryPercent;
  int32_t MpRecoveryPoints;
  uint8_t FieldOnly;
  uint8_t OnlyUnconscious;
  int32_t MaxHpGain;
  int32_t MaxMpGain;
  int32_t AttackGain;
  int32_t DefenseGain;
  int32_t MindGain;
  int32_t AgilityGain;
  uint8_t UsingMessage;
  int32_t SkillId;
  int32_t SwitchId;
  uint8_t UsableOnField;
  uint8_t UsableInBattle;
  TIdByteArray HeroUsable{0, 1, TIdArrayTrim::Never};
  TIdByteArray ConditionFlags{0, 0, TIdArrayTrim::Conditions};
  TIdByteArray AttributeFlags{0, 0, TIdArrayTrim::Attributes};
  int32_t ConditionChance;
};

class TXelItem : public TXelCatalog<TXelItemItem> {
public:
  TXelItem() : TXelCatalog(SInvalidItem) {}
};

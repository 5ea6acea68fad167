// The monster and monster-group tables of the database. A monster has parameters,
// rewards, per-condition and per-attribute ranks and action patterns; a monster group
// places monsters on the battle screen, says on which terrains it appears and carries
// battle-event pages, each with a start trigger and a script.
#pragma once

#include <cstdint>
#include <string>

#include "core/byte_array_field.h"
#include "core/catalog.h"
#include "core/event_script.h"
#include "core/messages.h"
#include "core/plain_catalog.h"

// One action pattern of a monster.
class TXelMonsterActItem : public TCatalogItem {
public:
  explicit TXelMonsterActItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 13; }
  void Clear() override { ClearFields<TXelMonsterActItem>(); }

  uint8_t Kind;     // "Subject": basic behaviour, skill or transformation (choice index)
  uint8_t Behavior; // basic behaviour (choice index)
  int32_t SkillId;
  int32_t TransformId;   // monster to transform into
  uint8_t ConditionType; // "Action Conditions" (choice index)
  int32_t ConditionMin;
  int32_t ConditionMax;
  int32_t ConditionSwitchId;
  uint8_t TurnSwitchOn;
  int32_t OnSwitchId;
  uint8_t TurnSwitchOff;
  int32_t OffSwitchId;
  int32_t Priority;
};

using TXelMonsterAct = TXelPlainCatalog<TXelMonsterActItem>;

class TXelMonsterItem : public TCatalogItem {
public:
  explicit TXelMonsterItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 42; }
  void Clear() override;

  // Per condition: rank 0..4 (A..E), 1 (B) when not stored.
  void SetConditionRankCount(int32_t count) { ConditionRanks.SetCount(count); }
  uint8_t GetConditionRank(int32_t id) const { return ConditionRanks.Get(id); }
  void SetConditionRank(int32_t id, uint8_t rank) { ConditionRanks.Set(id, rank); }
  // Per attribute: rank 0..4 (A..E), 2 (C) when not stored.
  void SetAttributeRankCount(int32_t count) { AttributeRanks.SetCount(count); }
  uint8_t GetAttributeRank(int32_t id) const { return AttributeRanks.Get(id); }
  void SetAttributeRank(int32_t id, uint8_t rank) { AttributeRanks.Set(id, rank); }

  std::string Name;
  std::string Graphic; // monster image file
  int32_t Hue;         // hue rotation of the image in degrees
  int32_t MaxHp;
  int32_t MaxMp;
  int32_t Attack;
  int32_t Defense;
  int32_t Mind;
  int32_t Agility;
  uint8_t Transparent;
  int32_t Experience;
  int32_t Money;
  int32_t ItemId;     // item dropped, 0 none
  int32_t ItemChance; // %
  uint8_t CriticalEnabled;
  int32_t CriticalChance; // once every N times
  uint8_t UsuallyMiss;
  uint8_t Flying;
  TIdByteArray ConditionRanks{1, 1, TIdArrayTrim::Conditions};
  TIdByteArray AttributeRanks{2, 2, TIdArrayTrim::Attributes};
  TXelMonsterAct Actions;
};

class TXelMonster : public TXelCatalog<TXelMonsterItem> {
public:
  TXelMonster() : TXelCatalog(SInvalidMonster) {}
};

// A monster placed in a group.
class TXelMonGroupMonsterItem : public TCatalogItem {
public:
  explicit TXelMonGroupMonsterItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 4; }
  void Clear() override { ClearFields<TXelMonGroupMonsterItem>(); }

  int32_t MonsterId;
  int32_t X; // screen position
  int32_t Y;
  uint8_t Invisible; // hidden when the battle starts
};

using TXelMonGroupMonster = TXelPlainCatalog<TXelMonGroupMonsterItem>;

// Bits of TXelBattleEventTrigger::Flags: the conditions in use.
enum : uint8_t {
  btSwitchA = 0x01,
  btSwitchB = 0x02,
  btVariable = 0x04,
  btTurn = 0x08,
  btExhaustion = 0x10,
  btMonsterHp = 0x20,
  btHeroHp = 0x40,
};

// When a battle-event page runs.
class TXelBattleEventTrigger : public TCatalogBaseItem {
public:
  TXelBattleEventTrigger() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 15; }
  void Clear() override { ClearFields<TXelBattleEventTrigger>(); }

  uint8_t Flags;
  int32_t SwitchAId;
  int32_t SwitchBId;
  int32_t VariableId;
  int32_t VariableValue; // the variable at least this
  int32_t TurnA;         // every TurnA turns ...
  int32_t TurnB;         // ... starting from turn TurnB
  int32_t ExhaustionMin; // %
  int32_t ExhaustionMax;
  int32_t MonsterIndex; // monster of the group
  int32_t MonsterHpMin; // %
  int32_t MonsterHpMax;
  int32_t HeroId;
  int32_t HeroHpMin; // %
  int32_t HeroHpMax;
};

class TXelBattleEventPageItem : public TXelBaseEventPageItem {
public:
  explicit TXelBattleEventPageItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 12; }
  void Clear() override;

  TXelBattleEventTrigger Trigger;
};

using TXelBattleEventPage = TXelPlainCatalog<TXelBattleEventPageItem>;

// A monster group. It always holds at least one battle-event page: Clear leaves page 1,
// and a load that brings none gives it a default page.
class TXelMonGroupItem : public TCatalogItem {
public:
  explicit TXelMonGroupItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 11; }
  void Clear() override;
  void LoadFromStream(TStream& stream) override;

  // "Appear in" per terrain id: 1 (appears) when not stored; never cut on save.
  void SetTerrainFlagCount(int32_t count) { TerrainFlags.SetCount(count); }
  uint8_t GetTerrainFlag(int32_t id) const { return TerrainFlags.Get(id); }
  void SetTerrainFlag(int32_t id, uint8_t flag) { TerrainFlags.Set(id, flag); }

  std::string Name;
  TXelMonGroupMonster Members;
  TIdByteArray TerrainFlags{1, 1, TIdArrayTrim::Never};
  TXelBattleEventPage BattlePages;
};

class TXelMonGroup : public TXelCatalog<TXelMonGroupItem> {
public:
  TXelMonGroup() : TXelCatalog(SInvalidMonGroup) {}
};

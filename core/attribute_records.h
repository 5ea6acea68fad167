// The attribute, condition and terrain tables of the database.
#pragma once

#include <cstdint>
#include <string>

#include "core/catalog.h"
#include "core/messages.h"

class TXelAttribItem : public TCatalogItem {
public:
  explicit TXelAttribItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 15; }
  void Clear() override { ClearFields<TXelAttribItem>(); }

  std::string Name;
  uint8_t Kind; // 0 weapon, 1 magic
  // Rate of effect in % for the ranks A..E.
  int32_t RateA;
  int32_t RateB;
  int32_t RateC;
  int32_t RateD;
  int32_t RateE;
};

class TXelAttrib : public TXelCatalog<TXelAttribItem> {
public:
  TXelAttrib() : TXelCatalog(SInvalidAttrib) {}
};

// A condition. Condition 1 is special: it starts with its own kind, colour, priority
// and restriction, and never carries the "already" and "affected" messages.
class TXelStatusItem : public TCatalogItem {
public:
  explicit TXelStatusItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 68; }
  void Clear() override;
  void LoadFromStream(TStream& stream) override;

  std::string Name;
  uint8_t Kind;
  int32_t Color;
  int32_t Priority;
  uint8_t Restriction;
  // Effect chance in % for the ranks A..E.
  int32_t ChanceA;
  int32_t ChanceB;
  int32_t ChanceC;
  int32_t ChanceD;
  int32_t ChanceE;
  int32_t HealTurns;
  int32_t HealChance;
  int32_t ShockHealChance;
  uint8_t HalveAttack;
  uint8_t HalveDefense;
  uint8_t HalveMind;
  uint8_t HalveAgility;
  int32_t HitRate;
  uint8_t BlockSkills;
  int32_t BlockSkillRate;
  uint8_t BlockMagic;
  int32_t BlockMagicRate;
  std::string AllyMessage;
  std::string EnemyMessage;
  std::string AlreadyMessage;
  std::string AffectedMessage;
  std::string RecoveryMessage;
  int32_t HpTurnPercent;
  int32_t HpTurnPoints;
  int32_t HpStepCount;
  int32_t HpStepPoints;
  int32_t MpTurnPercent;
  int32_t MpTurnPoints;
  int32_t MpStepCount;
  int32_t MpStepPoints;
};

class TXelStatus : public TXelCatalog<TXelStatusItem> {
public:
  TXelStatus() : TXelCatalog(SInvalidStatus) {}
};

class TXelGroundItem : public TCatalogItem {
public:
  explicit TXelGroundItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 11; }
  void Clear() override { ClearFields<TXelGroundItem>(); }

  std::string Name;
  int32_t Damage;
  int32_t EncounterRate;
  std::string BattleBackground;
  uint8_t BoatPassable;
  uint8_t ShipPassable;
  uint8_t AirshipPassable;
  uint8_t AirshipLanding;
  // 0 normal, 1 translucent lower third, 2 translucent lower half, 3 translucent whole.
  uint8_t CharacterDisplay;
};

class TXelGround : public TXelCatalog<TXelGroundItem> {
public:
  TXelGround() : TXelCatalog(SInvalidGround) {}
};

#include "core/attribute_records.h"

void TXelAttribItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Fixed(&Kind, 1); break;
    case 11: d.Int(&RateA, 300); break;
    case 12: d.Int(&RateB, 200); break;
    case 13: d.Int(&RateC, 100); break;
    case 14: d.Int(&RateD, 50); break;
    case 15: d.Int(&RateE, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelStatusItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2:
      d.Fixed(&Kind, 1);
      break;
    // Condition 1 starts from colour 5 and priority 100, not from the defaults that
    // decide what is left out. Left out, 6 and 50 would come back as 5 and 100, so
    // condition 1 always writes both.
    case 3: d.Int(&Color, Id == 1 ? ~Color : 6); break;
    case 4: d.Int(&Priority, Id == 1 ? ~Priority : 50); break;
    case 5: d.Fixed(&Restriction, 1); break;
    case 11: d.Int(&ChanceA, 100); break;
    case 12: d.Int(&ChanceB, 80); break;
    case 13: d.Int(&ChanceC, 60); break;
    case 14: d.Int(&ChanceD, 30); break;
    case 15: d.Int(&ChanceE, 0); break;
    case 21: d.Int(&HealTurns, 0); break;
    case 22: d.Int(&HealChance, 0); break;
    case 23: d.Int(&ShockHealChance, 0); break;
    case 31: d.Byte(&HalveAttack, 0); break;
    case 32: d.Byte(&HalveDefense, 0); break;
    case 33: d.Byte(&HalveMind, 0); break;
    case 34: d.Byte(&HalveAgility, 0); break;
    case 35: d.Int(&HitRate, 100); break;
    case 41: d.Byte(&BlockSkills, 0); break;
    case 42: d.Int(&BlockSkillRate, 0); break;
    case 43: d.Byte(&BlockMagic, 0); break;
    case 44: d.Int(&BlockMagicRate, 0); break;
    case 51: d.Str(&AllyMessage, true); break;
    case 52: d.Str(&EnemyMessage, true); break;
    case 53: d.Str(&AlreadyMessage, true); break;
    case 54: d.Str(&AffectedMessage, true); break;
    case 55: d.Str(&RecoveryMessage, true); break;
    case 61: d.Int(&HpTurnPercent, 0); break;
    case 62: d.Int(&HpTurnPoints, 0); break;
    case 63: d.Int(&HpStepCount, 0); break;
    case 64: d.Int(&HpStepPoints, 0); break;
    case 65: d.Int(&MpTurnPercent, 0); break;
    case 66: d.Int(&MpTurnPoints, 0); break;
    case 67: d.Int(&MpStepCount, 0); break;
    case 68: d.Int(&MpStepPoints, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelStatusItem::Clear() {
  ClearFields<TXelStatusItem>();
  // Condition 1 starts apart; its described defaults depend on the object, so both
  // colour and priority are set here for every condition.
  const bool first = Id == 1;
  Kind = first ? 1 : 0;
  Color = first ? 5 : 6;
  Priority = first ? 100 : 50;
  Restriction = first ? 1 : 0;
}

void TXelStatusItem::LoadFromStream(TStream& stream) {
  // Whatever the stream holds, condition 1 has neither message, also after a load
  // that failed half-way.
  struct TDropMessages {
    TXelStatusItem& self;
    ~TDropMessages() {
      if (self.Id == 1) {
        self.AlreadyMessage.clear();
        self.AffectedMessage.clear();
      }
    }
  } drop{*this};
  TCatalogItem::LoadFromStream(stream);
}

void TXelGroundItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Int(&Damage, 0); break;
    case 3: d.Int(&EncounterRate, 100); break;
    case 4: d.Str(&BattleBackground, true); break;
    case 5: d.Byte(&BoatPassable, 0); break;
    case 6: d.Byte(&ShipPassable, 0); break;
    case 7: d.Byte(&AirshipPassable, 1); break;
    case 9: d.Byte(&AirshipLanding, 1); break;
    case 11: d.Fixed(&CharacterDisplay, 1); break;
    default: break;
  }
  // clang-format on
}

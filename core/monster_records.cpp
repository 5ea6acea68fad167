#include "core/monster_records.h"

void TXelMonsterActItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Fixed(&Kind, 1); break;
    case 2: d.Fixed(&Behavior, 1); break;
    case 3: d.Int(&SkillId, 1); break;
    case 4: d.Int(&TransformId, 1); break;
    case 5: d.Fixed(&ConditionType, 1); break;
    case 6: d.Int(&ConditionMin, 0); break;
    case 7: d.Int(&ConditionMax, 0); break;
    case 8: d.Int(&ConditionSwitchId, 1); break;
    case 9: d.Byte(&TurnSwitchOn, 0); break;
    case 10: d.Int(&OnSwitchId, 1); break;
    case 11: d.Byte(&TurnSwitchOff, 0); break;
    case 12: d.Int(&OffSwitchId, 1); break;
    case 13: d.Int(&Priority, 50); break;
    default: break;
  }
  // clang-format on
}

void TXelMonsterItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Graphic, true); break;
    case 3: d.Int(&Hue, 0); break;
    case 4: d.Int(&MaxHp, 10); break;
    case 5: d.Int(&MaxMp, 10); break;
    case 6: d.Int(&Attack, 10); break;
    case 7: d.Int(&Defense, 10); break;
    case 8: d.Int(&Mind, 10); break;
    case 9: d.Int(&Agility, 10); break;
    case 10: d.Byte(&Transparent, 0); break;
    case 11: d.Int(&Experience, 0); break;
    case 12: d.Int(&Money, 0); break;
    case 13: d.Int(&ItemId, 0); break;
    case 14: d.Int(&ItemChance, 100); break;
    case 21: d.Byte(&CriticalEnabled, 0); break;
    case 22: d.Int(&CriticalChance, 30); break;
    case 26: d.Byte(&UsuallyMiss, 0); break;
    case 28: d.Byte(&Flying, 0); break;
    case 31: ConditionRanks.DescribeCount(d, forLoad); break;
    case 32: ConditionRanks.DescribeBlob(d, forLoad); break;
    case 33: AttributeRanks.DescribeCount(d, forLoad); break;
    case 34: AttributeRanks.DescribeBlob(d, forLoad); break;
    case 42: d.Catalog(&Actions); break;
    default: break;
  }
  // clang-format on
}

void TXelMonsterItem::Clear() {
  ClearFields<TXelMonsterItem>();
  ConditionRanks.Clear();
  AttributeRanks.Clear();
  Actions.Append();
}

void TXelMonGroupMonsterItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Int(&MonsterId, 1); break;
    case 2: d.Int(&X, 0); break;
    case 3: d.Int(&Y, 0); break;
    case 4: d.Byte(&Invisible, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelBattleEventTrigger::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Fixed(&Flags, 1); break;
    case 2: d.Int(&SwitchAId, 1); break;
    case 3: d.Int(&SwitchBId, 1); break;
    case 4: d.Int(&VariableId, 1); break;
    case 5: d.Int(&VariableValue, 0); break;
    case 6: d.Int(&TurnA, 0); break;
    case 7: d.Int(&TurnB, 0); break;
    case 8: d.Int(&ExhaustionMin, 0); break;
    case 9: d.Int(&ExhaustionMax, 100); break;
    case 10: d.Int(&MonsterIndex, 0); break;
    case 11: d.Int(&MonsterHpMin, 0); break;
    case 12: d.Int(&MonsterHpMax, 100); break;
    case 13: d.Int(&HeroId, 1); break;
    case 14: d.Int(&HeroHpMin, 0); break;
    case 15: d.Int(&HeroHpMax, 100); break;
    default: break;
  }
  // clang-format on
}

namespace {
// The battle-event page's script blob lives in fields 11 (size) and 12 (bytes).
constexpr int BattlePageScriptSizeId = 11;
} // namespace

TXelBattleEventPageItem::TXelBattleEventPageItem(int32_t id)
    : TXelBaseEventPageItem(id, BattlePageScriptSizeId) {
  TXelBattleEventPageItem::Clear();
}

void TXelBattleEventPageItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (ScriptVarData(id, d)) return;
  if (id == 2) d.Record(&Trigger);
}

void TXelBattleEventPageItem::Clear() {
  ClearFields<TXelBattleEventPageItem>();
  TXelBaseEventPageItem::Clear();
}

void TXelMonGroupItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Catalog(&Members); break;
    case 4: TerrainFlags.DescribeCount(d, forLoad); break;
    case 5: TerrainFlags.DescribeBlob(d, forLoad); break;
    case 11: d.Catalog(&BattlePages); break;
    default: break;
  }
  // clang-format on
}

void TXelMonGroupItem::Clear() {
  ClearFields<TXelMonGroupItem>();
  TerrainFlags.Clear();
  BattlePages.Append();
}

void TXelMonGroupItem::LoadFromStream(TStream& stream) {
  // The monster-group page and the battle test expect a first battle-event page, also
  // after a load that failed part-way and was kept by a lenient caller.
  LoadThenSettle([&] { TCatalogItem::LoadFromStream(stream); },
                 [this] {
                   if (BattlePages.GetCount() == 0) BattlePages.Append();
                 });
}

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/monster_records.h"
#include "record_checks.h"
#include "record_chunks.h"

namespace {

// A new action pattern: its three Fixed fields 1, 2 and 5 (01 01 00, 02 01 00,
// 05 01 00), nothing else (skill 1, transform 1, switches 1, priority 50 are defaults).
const Bytes NewActionBytes = {0x01, 0x01, 0x00, 0x02, 0x01, 0x00, 0x05, 0x01, 0x00, 0x00};

// A new monster: 20 00 and 22 00 (both rank blobs, always written, empty), then
// 2A 0C: the action list of one pattern (count 1, Id 1, the 10 pattern bytes), 00.
Bytes NewMonsterBytes() {
  return Join({{0x20, 0x00, 0x22, 0x00, 0x2A, 0x0C, 0x01, 0x01}, NewActionBytes, {0x00}});
}

// A new battle-event page: 02 04 [01 01 00 00] (the trigger: Flags only, Fixed),
// 0B 01 04 (script size), 0C 04 00 00 00 00 (one end line), 00.
const Bytes NewBattlePageBytes = {0x02, 0x04, 0x01, 0x01, 0x00, 0x00, 0x0B, 0x01,
                                  0x04, 0x0C, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00};

// A new group: 02 01 00 (no members), 05 00 (terrain blob, empty), 0B 12 (the page
// list: count 1, Id 1, the 16 page bytes), 00.
Bytes NewGroupBytes() {
  return Join({{0x02, 0x01, 0x00, 0x05, 0x00, 0x0B, 0x12, 0x01, 0x01}, NewBattlePageBytes, {0x00}});
}

TEST(MonsterRecords, NewRecordsSaveAsDerived) {
  TXelMonsterItem monster(1);
  ASSERT_EQ(monster.Actions.GetCount(), 1);
  EXPECT_EQ(monster.Actions.GetItem(0)->Priority, 50);
  EXPECT_EQ(SaveBytes(*monster.Actions.GetItem(0)), NewActionBytes);
  EXPECT_EQ(SaveBytes(monster), NewMonsterBytes());

  TXelMonGroupItem group(1);
  EXPECT_EQ(SaveBytes(*group.BattlePages.GetItem(0)), NewBattlePageBytes);
  EXPECT_EQ(SaveBytes(group), NewGroupBytes());
  for (int terrain : {1, 2, 162})
    EXPECT_EQ(group.GetTerrainFlag(terrain), 1);

  TXelMonGroupMonsterItem member(1);
  EXPECT_EQ(SaveBytes(member), Bytes{0x00});

  // Loading the new bytes over changed records gives the cleared values back.
  monster.MaxHp = 500;
  monster.Actions.Clear();
  LoadBytes(monster, NewMonsterBytes());
  EXPECT_EQ(monster.MaxHp, 10);
  EXPECT_EQ(monster.CriticalChance, 30);
  EXPECT_EQ(monster.ItemChance, 100);
  EXPECT_EQ(monster.Actions.GetCount(), 1);
  group.BattlePages.GetItem(0)->Trigger.ExhaustionMax = 7;
  LoadBytes(group, NewGroupBytes());
  EXPECT_EQ(group.BattlePages.GetItem(0)->Trigger.ExhaustionMax, 100);
  EXPECT_EQ(group.BattlePages.GetItem(0)->Trigger.HeroId, 1);

  TXelMonsterActItem action(1);
  TXelBattleEventPageItem page(1);
  TXelBattleEventTrigger trigger;
  ExpectNoFieldAboveLastId(monster);
  ExpectNoFieldAboveLastId(action);
  ExpectNoFieldAboveLastId(group);
  ExpectNoFieldAboveLastId(member);
  ExpectNoFieldAboveLastId(page);
  ExpectNoFieldAboveLastId(trigger);
}

TEST(MonsterRecords, EveryMonsterFieldIsSavedUnderItsIdAndReloads) {
  TXelMonsterItem m(4);
  m.Name = "Blob";
  m.Graphic = "Blob1";
  m.Hue = 1003;
  m.MaxHp = 1004;
  m.MaxMp = 1005;
  m.Attack = 1006;
  m.Defense = 1007;
  m.Mind = 1008;
  m.Agility = 1009;
  m.Transparent = 10;
  m.Experience = 1011;
  m.Money = 1012;
  m.ItemId = 1013;
  m.ItemChance = 1014;
  m.CriticalEnabled = 21;
  m.CriticalChance = 1022;
  m.UsuallyMiss = 26;
  m.Flying = 28;
  m.SetConditionRankCount(2);
  m.SetConditionRank(1, 4);
  m.SetConditionRank(2, 0);
  m.SetAttributeRankCount(1);
  m.SetAttributeRank(1, 0);
  TXelMonsterActItem* a = m.Actions.Append();
  a->Kind = 1;
  a->Behavior = 2;
  a->SkillId = 1003;
  a->TransformId = 1004;
  a->ConditionType = 5;
  a->ConditionMin = 1006;
  a->ConditionMax = 1007;
  a->ConditionSwitchId = 1008;
  a->TurnSwitchOn = 9;
  a->OnSwitchId = 1010;
  a->TurnSwitchOff = 11;
  a->OffSwitchId = 1012;
  a->Priority = 1013;

  TXelMonsterItem back(1);
  const auto chunks = RoundTripChunks(m, back);
  EXPECT_EQ(IdsOf(chunks), (std::vector<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                             13, 14, 21, 22, 26, 28, 31, 32, 33, 34, 42}));
  EXPECT_EQ(StrOf(chunks.at(1)), "Blob");
  EXPECT_EQ(StrOf(chunks.at(2)), "Blob1");
  ExpectIdValues(chunks, {3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 22}, {10, 21, 26, 28});
  EXPECT_EQ(chunks.at(32), (Bytes{4, 0}));
  EXPECT_EQ(chunks.at(34), (Bytes{0}));
  ASSERT_EQ(back.Actions.GetCount(), 2);
  EXPECT_EQ(back.GetConditionRank(1), 4);
  EXPECT_EQ(back.GetAttributeRank(1), 0);

  TXelMonsterActItem actionBack(1);
  const auto act = RoundTripChunks(*a, actionBack);
  EXPECT_EQ(IdsOf(act), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  ExpectIdValues(act, {3, 4, 6, 7, 8, 10, 12, 13}, {1, 2, 5, 9, 11});
  EXPECT_EQ(back.Actions.GetItem(1)->Priority, 1013);
}

TEST(MonsterRecords, RankArraysReadBeyondAndAreCutOnSave) {
  TXelMonsterItem m(1);
  EXPECT_EQ(m.GetConditionRank(1), 1);
  EXPECT_EQ(m.GetAttributeRank(1), 2);
  m.SetConditionRankCount(4);
  m.SetConditionRank(3, 3); // 1, 1, 3, 1
  m.SetAttributeRankCount(4);
  m.SetAttributeRank(2, 0); // 2, 0, 2, 2
  m.SetConditionRank(5, 0); // outside: ignored
  EXPECT_EQ(m.GetConditionRank(5), 1);

  // Without a database only the trailing read-beyond entries go.
  auto chunks = ChunksOf(SaveBytes(m));
  EXPECT_EQ(IntOf(chunks.at(31)), 3);
  EXPECT_EQ(chunks.at(32), (Bytes{1, 1, 3}));
  EXPECT_EQ(IntOf(chunks.at(33)), 2);
  EXPECT_EQ(chunks.at(34), (Bytes{2, 0}));
  EXPECT_EQ(m.ConditionRanks.GetCount(), 4); // the record itself keeps its entries

  // With two conditions and one attribute in the database, also no entries beyond them.
  {
    TTestTables tables(2, 1);
    chunks = ChunksOf(SaveBytes(m));
  }
  EXPECT_EQ(chunks.at(32), (Bytes{1, 1}));
  EXPECT_EQ(chunks.at(34), (Bytes{2}));

  // Everything at its read-beyond value: count 0 (field absent), blob empty.
  m.SetConditionRankCount(0);
  m.SetConditionRankCount(6);
  chunks = ChunksOf(SaveBytes(m));
  EXPECT_EQ(chunks.count(31), 0u);
  EXPECT_EQ(chunks.at(32), Bytes{});
}

TEST(MonsterRecords, CountsThatDisagreeWithTheirBlobsFollowTheBlob) {
  TXelMonsterItem m(1);
  // 1F 01 09: the count says 9; 20 02 00 04: the blob holds 2.
  LoadBytes(m, {0x1F, 0x01, 0x09, 0x20, 0x02, 0x00, 0x04, 0x00});
  EXPECT_EQ(m.ConditionRanks.GetCount(), 2);
  EXPECT_EQ(m.GetConditionRank(2), 4);
  EXPECT_EQ(m.GetConditionRank(3), 1);
  // A count without its blob.
  LoadBytes(m, {0x21, 0x04, 0x87, 0xFF, 0xFF, 0x7F, 0x00});
  EXPECT_EQ(m.AttributeRanks.GetCount(), 0);
  // A blob longer than the data left.
  EXPECT_THROW(LoadBytes(m, {0x22, 0x7F, 0x01, 0x00}), EReadError);

  TXelMonGroupItem g(1);
  // 04 01 05 (count 5), 05 03 01 00 01: three flags.
  LoadBytes(g, {0x04, 0x01, 0x05, 0x05, 0x03, 0x01, 0x00, 0x01, 0x00});
  EXPECT_EQ(g.TerrainFlags.GetCount(), 3);
  EXPECT_EQ(g.GetTerrainFlag(2), 0);
  EXPECT_EQ(g.GetTerrainFlag(4), 1);
}

TEST(MonGroupRecords, TerrainFlagsAreNeverCut) {
  TXelMonGroupItem g(1);
  g.SetTerrainFlagCount(5);
  g.SetTerrainFlag(3, 0); // 1, 1, 0, 1, 1
  TTestTables tables(1, 1);
  const auto chunks = ChunksOf(SaveBytes(g));
  EXPECT_EQ(IntOf(chunks.at(4)), 5);
  EXPECT_EQ(chunks.at(5), (Bytes{1, 1, 0, 1, 1}));
}

TEST(MonGroupRecords, EveryFieldRoundTrips) {
  TXelMonGroup groups;
  TXelMonGroupItem* g = groups.GetOrCreate(2);
  g->Name = "Blob*2";
  TXelMonGroupMonsterItem* member = g->Members.Append();
  member->MonsterId = 1001;
  member->X = 1002;
  member->Y = 1003;
  member->Invisible = 4;
  TXelBattleEventPageItem* page = g->BattlePages.Append();
  TXelBattleEventTrigger& t = page->Trigger;
  t.Flags = btTurn | btHeroHp;
  t.SwitchAId = 1002;
  t.SwitchBId = 1003;
  t.VariableId = 1004;
  t.VariableValue = 1005;
  t.TurnA = 1006;
  t.TurnB = 1007;
  t.ExhaustionMin = 1008;
  t.ExhaustionMax = 1009;
  t.MonsterIndex = 1010;
  t.MonsterHpMin = 1011;
  t.MonsterHpMax = 1012;
  t.HeroId = 1013;
  t.HeroHpMin = 1014;
  t.HeroHpMax = 1015;
  page->Script.GetItem(0)->Code = 13110;
  page->Script.Add(0, 0);

  TXelMonGroupMonsterItem memberBack(1);
  ExpectIdValues(RoundTripChunks(*member, memberBack), {1, 2, 3}, {4});
  TXelBattleEventTrigger triggerBack;
  const auto trigger = RoundTripChunks(t, triggerBack);
  ExpectIdValues(trigger, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {});
  EXPECT_EQ(trigger.at(1), Bytes{btTurn | btHeroHp});

  const Bytes saved = SaveBytes(groups);
  TXelMonGroup back;
  LoadBytes(back, saved);
  EXPECT_EQ(SaveBytes(back), saved);
  const TXelMonGroupItem* gb = back.GetItemById(2);
  EXPECT_EQ(gb->Name, "Blob*2");
  ASSERT_EQ(gb->Members.GetCount(), 1);
  EXPECT_EQ(gb->Members.GetItem(0)->Y, 1003);
  ASSERT_EQ(gb->BattlePages.GetCount(), 2);
  const TXelBattleEventPageItem* pb = gb->BattlePages.FindById(2);
  ASSERT_NE(pb, nullptr);
  EXPECT_EQ(pb->Trigger.HeroHpMax, 1015);
  EXPECT_EQ(pb->Script.GetItem(0)->Code, 13110);
  EXPECT_EQ(pb->Script.GetCount(), 2);
  EXPECT_EQ(gb->BattlePages.FindById(3), nullptr);
  EXPECT_EQ(gb->Members.GetItem(1), nullptr);
}

TEST(MonGroupRecords, AGroupAlwaysKeepsABattlePage) {
  TXelMonGroupItem g(1);
  // Field 11 holding an empty page list.
  LoadBytes(g, {0x0B, 0x01, 0x00, 0x00});
  ASSERT_EQ(g.BattlePages.GetCount(), 1);
  EXPECT_EQ(SaveBytes(g), NewGroupBytes());
  // A failed page load raises and still leaves one page.
  EXPECT_THROW(LoadBytes(g, {0x0B, 0x03, 0x01, 0x01, 0x0C}), EReadError);
  EXPECT_EQ(g.BattlePages.GetCount(), 1);
}

TEST(MonsterRecords, CheckedAccessorsRaiseTheirMessages) {
  ExpectInvalidItemMessage<TXelMonster>("Invalid Enemy Chara");
  ExpectInvalidItemMessage<TXelMonGroup>("Invalid Monsters Group");
}

} // namespace

#include <gtest/gtest.h>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/errors.h"
#include "core/hero_records.h"
#include "record_checks.h"
#include "record_chunks.h"

namespace {

TEST(AttributeRecord, NewAndFullAttributes) {
  TXelAttribItem a(1);
  // Only field 2, Kind, is written (Fixed, 0).
  EXPECT_EQ(SaveBytes(a), (Bytes{0x02, 0x01, 0x00, 0x00}));
  ExpectNoFieldAboveLastId(a);
  a.Name = "Fire";
  a.Kind = 2;
  a.RateA = 1011;
  a.RateB = 1012;
  a.RateC = 1013;
  a.RateD = 1014;
  a.RateE = 1015;
  TXelAttribItem back(1);
  const auto chunks = RoundTripChunks(a, back);
  EXPECT_EQ(IdsOf(chunks), (std::vector<int>{1, 2, 11, 12, 13, 14, 15}));
  ExpectIdValues(chunks, {11, 12, 13, 14, 15}, {2});
  EXPECT_EQ(back.Name, "Fire");
}

TEST(ConditionRecord, ConditionOneHasItsOwnStartAndNoRepeatMessages) {
  TXelStatusItem other(2);
  // 2 Kind 0 and 5 Restriction 0 (Fixed); colour 6 and priority 50 are defaults.
  EXPECT_EQ(SaveBytes(other), (Bytes{0x02, 0x01, 0x00, 0x05, 0x01, 0x00, 0x00}));
  TXelStatusItem first(1);
  // Kind 1, Color 5 (03 01 05), Priority 100 (04 01 64), Restriction 1.
  EXPECT_EQ(SaveBytes(first),
            (Bytes{0x02, 0x01, 0x01, 0x03, 0x01, 0x05, 0x04, 0x01, 0x64, 0x05, 0x01, 0x01, 0x00}));
  ExpectNoFieldAboveLastId(other);
  ExpectNoFieldAboveLastId(first);

  // Colour 6 and priority 50 on condition 1 are its non-starting values and must
  // survive a reload; on any other condition they are defaults and left out.
  first.Color = 6;
  first.Priority = 50;
  TXelStatusItem firstBack(1);
  LoadBytes(firstBack, SaveBytes(first));
  EXPECT_EQ(firstBack.Color, 6);
  EXPECT_EQ(firstBack.Priority, 50);

  // Fields 53 and 54 ("already", "affected") are dropped on loading condition 1 only.
  const Bytes withMessages = {0x33, 0x01, 'a',  0x35, 0x01, 'b', 0x36,
                              0x01, 'c',  0x37, 0x01, 'd',  0x00};
  TXelStatus list;
  TMemoryStream s;
  WriteVarInt(s, 2);
  for (int id : {1, 2}) {
    WriteVarInt(s, id);
    s.WriteBuffer(withMessages.data(), withMessages.size());
  }
  s.SetPosition(0);
  list.LoadFromStream(s);
  EXPECT_EQ(list.GetItemById(1)->AllyMessage, "a");
  EXPECT_EQ(list.GetItemById(1)->AlreadyMessage, "");
  EXPECT_EQ(list.GetItemById(1)->AffectedMessage, "");
  EXPECT_EQ(list.GetItemById(1)->RecoveryMessage, "d");
  EXPECT_EQ(list.GetItemById(2)->AlreadyMessage, "b");
  EXPECT_EQ(list.GetItemById(2)->AffectedMessage, "c");
}

TEST(ConditionRecord, EveryFieldIsSavedUnderItsId) {
  TXelStatusItem c(4);
  c.Name = "Poison";
  c.Kind = 2;
  c.Color = 1003;
  c.Priority = 1004;
  c.Restriction = 5;
  c.ChanceA = 1011;
  c.ChanceB = 1012;
  c.ChanceC = 1013;
  c.ChanceD = 1014;
  c.ChanceE = 1015;
  c.HealTurns = 1021;
  c.HealChance = 1022;
  c.ShockHealChance = 1023;
  c.HalveAttack = 31;
  c.HalveDefense = 32;
  c.HalveMind = 33;
  c.HalveAgility = 34;
  c.HitRate = 1035;
  c.BlockSkills = 41;
  c.BlockSkillRate = 1042;
  c.BlockMagic = 43;
  c.BlockMagicRate = 1044;
  c.AllyMessage = "51";
  c.EnemyMessage = "52";
  c.AlreadyMessage = "53";
  c.AffectedMessage = "54";
  c.RecoveryMessage = "55";
  c.HpTurnPercent = 1061;
  c.HpTurnPoints = 1062;
  c.HpStepCount = 1063;
  c.HpStepPoints = 1064;
  c.MpTurnPercent = 1065;
  c.MpTurnPoints = 1066;
  c.MpStepCount = 1067;
  c.MpStepPoints = 1068;
  TXelStatusItem back(4);
  const auto chunks = RoundTripChunks(c, back);
  const std::vector<int> ids = {1,  2,  3,  4,  5,  11, 12, 13, 14, 15, 21, 22,
                                23, 31, 32, 33, 34, 35, 41, 42, 43, 44, 51, 52,
                                53, 54, 55, 61, 62, 63, 64, 65, 66, 67, 68};
  EXPECT_EQ(IdsOf(chunks), ids);
  ExpectIdValues(chunks,
                 {3, 4, 11, 12, 13, 14, 15, 21, 22, 23, 35, 42, 44, 61, 62, 63, 64, 65, 66, 67, 68},
                 {2, 5, 31, 32, 33, 34, 41, 43});
  for (int id = 51; id <= 55; ++id)
    EXPECT_EQ(StrOf(chunks.at(id)), std::to_string(id));
}

TEST(TerrainRecord, NewAndFullTerrain) {
  TXelGroundItem g(1);
  EXPECT_EQ(SaveBytes(g), (Bytes{0x0B, 0x01, 0x00, 0x00})); // 11 CharacterDisplay only
  ExpectNoFieldAboveLastId(g);
  g.Name = "Swamp";
  g.Damage = 1002;
  g.EncounterRate = 1003;
  g.BattleBackground = "Bog";
  g.BoatPassable = 5;
  g.ShipPassable = 6;
  g.AirshipPassable = 7;
  g.AirshipLanding = 9;
  g.CharacterDisplay = 11;
  TXelGroundItem back(1);
  const auto chunks = RoundTripChunks(g, back);
  EXPECT_EQ(IdsOf(chunks), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 9, 11}));
  ExpectIdValues(chunks, {2, 3}, {5, 6, 7, 9, 11});
  EXPECT_EQ(StrOf(chunks.at(4)), "Bog");
  // Passable by airship and landing are on by default; off they are written as 0.
  back.AirshipPassable = 0;
  back.AirshipLanding = 0;
  const auto off = ChunksOf(SaveBytes(back));
  EXPECT_EQ(off.at(7), Bytes{0});
  EXPECT_EQ(off.at(9), Bytes{0});
}

TEST(ChipSetRecord, ChipArraysAreWrittenOnlyWhenTheyDifferFromTheDefaults) {
  TXelChipSetItem c(1);
  EXPECT_EQ(SaveBytes(c), Bytes{0x00});
  ExpectNoFieldAboveLastId(c);
  EXPECT_EQ(c.GetUpperPassability(0), 31);
  EXPECT_EQ(c.GetLowerPassability(161), 15);
  EXPECT_EQ(c.GetChipTerrain(0), 1);
  EXPECT_EQ(c.GetChipTerrain(162), 0);
  EXPECT_EQ(c.GetUpperPassability(144), 0);
  EXPECT_EQ(c.GetLowerPassability(-1), 0);
  c.SetChipTerrain(162, 9);
  c.SetUpperPassability(144, 9);
  c.SetLowerPassability(-1, 9);

  // Upper chip 0 is not looked at: changed alone it is not written and reloads as 31.
  c.SetUpperPassability(0, 0x4F);
  EXPECT_EQ(SaveBytes(c), Bytes{0x00});
  TXelChipSetItem back(1);
  LoadBytes(back, SaveBytes(c));
  EXPECT_EQ(back.GetUpperPassability(0), 31);

  // One entry off its default writes the whole array: 162 x 16-bit terrain ids
  // (length 324 = 82 44), with entry 5 = 0x0102 at bytes 10 and 11.
  c.SetChipTerrain(5, 0x0102);
  Bytes saved = SaveBytes(c);
  ASSERT_EQ(saved.size(), 3u + 324 + 1);
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 5), (Bytes{0x03, 0x82, 0x44, 0x01, 0x00}));
  EXPECT_EQ(saved[3 + 10], 0x02);
  EXPECT_EQ(saved[3 + 11], 0x01);

  c.SetLowerPassability(161, 0x10);
  c.SetUpperPassability(143, 0x40);
  c.Name = "Meadow";
  c.Graphic = "Basis";
  c.SeaAnimationType = 1011;
  c.SeaAnimationSpeed = 1012;
  saved = SaveBytes(c);
  const auto chunks = ChunksOf(saved);
  EXPECT_EQ(IdsOf(chunks), (std::vector<int>{1, 2, 3, 4, 5, 11, 12}));
  ExpectIdValues(chunks, {11, 12}, {});
  ASSERT_EQ(chunks.at(4).size(), 162u);
  EXPECT_EQ(chunks.at(4)[161], 0x10);
  ASSERT_EQ(chunks.at(5).size(), 144u);
  EXPECT_EQ(chunks.at(5)[0], 0x4F); // written with the rest once the array is
  EXPECT_EQ(chunks.at(5)[143], 0x40);
  LoadBytes(back, saved);
  EXPECT_EQ(SaveBytes(back), saved);
  EXPECT_EQ(back.GetUpperPassability(0), 0x4F);

  // A stored array of the wrong length is ignored and keeps the defaults.
  LoadBytes(back, {0x04, 0x02, 0x00, 0x00, 0x00});
  EXPECT_EQ(back.GetLowerPassability(0), 15);
}

template <class List> void ExpectCheckedAccess(const char* message) {
  List list;
  try {
    list.GetItemById(1);
    ADD_FAILURE() << "no error for " << message;
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), message);
  }
}

TEST(RecordLists, MissingEntriesRaiseTheListsMessageOutsideEditorMode) {
  ExpectCheckedAccess<TXelPlayer>("Invalid Hero");
  ExpectCheckedAccess<TXelSkill>("Invalid Tech Skill");
  ExpectCheckedAccess<TXelItem>("Invalid Item Designed");
  ExpectCheckedAccess<TXelGround>("Invalid Terrain Designed");
  ExpectCheckedAccess<TXelAttrib>("An invalid attribute was specified");
  ExpectCheckedAccess<TXelStatus>("Invalid Condition State");
  ExpectCheckedAccess<TXelAnimation>("An invalid battle animate cartoon was specified");
  ExpectCheckedAccess<TXelChipSet>("An invalid chip set was specified");
}

} // namespace

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/hero_records.h"
#include "record_checks.h"
#include "record_chunks.h"

namespace {

TEST(HeroRecord, NewHeroWritesOnlyItsAlwaysWrittenFields) {
  TXelPlayerItem hero(1);
  const Bytes saved = SaveBytes(hero);
  // Only the Fixed fields, the nested list and the two blobs are written for a new
  // hero: 31 curves (600 = 84 58), 51 equipment (10 zero bytes), 63 learning (an empty
  // list: count 0), 72 and 74 blobs of length 0, then the end mark.
  ASSERT_EQ(saved.size(), 3u + 600 + 2 + 10 + 3 + 2 + 2 + 1);
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 3), (Bytes{0x1F, 0x84, 0x58}));
  const Bytes tail(saved.begin() + 603, saved.end());
  EXPECT_EQ(tail, (Bytes{0x33, 0x0A, 0,    0,    0,    0,    0,    0,    0,    0,
                         0,    0,    0x3F, 0x01, 0x00, 0x48, 0x00, 0x4A, 0x00, 0x00}));

  // The curves, 16-bit little-endian, parameter-major: first and last levels of the
  // three default tables, and a position-weighted sum of all 300 values (5833806,
  // worked out from the tables of level values).
  auto at = [&](int parameter, int level) {
    const size_t offset = 3 + 2 * size_t(parameter * 50 + level - 1);
    return saved[offset] | saved[offset + 1] << 8;
  };
  EXPECT_EQ(at(0, 1), 40);
  EXPECT_EQ(at(1, 50), 600);
  EXPECT_EQ(at(2, 1), 15);
  EXPECT_EQ(at(3, 50), 150);
  EXPECT_EQ(at(4, 2), 22);
  EXPECT_EQ(at(5, 50), 300);
  int64_t weighted = 0;
  for (int i = 0; i < 300; ++i)
    weighted += int64_t(i + 1) * at(i / 50, i % 50 + 1);
  EXPECT_EQ(weighted, 5833806);

  EXPECT_EQ(hero.GetParameter(6, 1), 0);
  EXPECT_EQ(hero.GetParameter(0, 51), 0);
  EXPECT_EQ(hero.GetParameter(0, 0), 0);
  hero.SetParameter(-1, 1, 9);
  hero.SetParameter(2, 51, 9);
  EXPECT_EQ(SaveBytes(hero), saved);
  ExpectNoFieldAboveLastId(hero);
  TXelPlayerLearningItem learning(1);
  EXPECT_EQ(SaveBytes(learning), Bytes{0x00});
  ExpectNoFieldAboveLastId(learning);
}

TEST(HeroRecord, EveryFieldIsSavedUnderItsIdAndReloads) {
  TXelPlayerItem h(3);
  h.Name = "Mira";
  h.Title = "Warden";
  h.WalkGraphic = "Walk1";
  h.WalkIndex = 1004;
  h.WalkTransparent = 5;
  h.InitialLevel = 1007;
  h.MaxLevel = 1008;
  h.CriticalEnabled = 9;
  h.CriticalChance = 1010;
  h.FaceGraphic = "Mien1";
  h.FaceIndex = 1016;
  h.TwoSwords = 21;
  h.EquipmentFixed = 22;
  h.ControlByAi = 23;
  h.StrongDefense = 24;
  h.SetParameter(hpMaxMp, 1, 999);
  h.SetParameter(hpAgility, 50, 0x1234);
  h.ExpBase = 1041;
  h.ExpExtra = 1042;
  h.ExpCorrection = 1043;
  h.SetEquipment(0, 3);
  h.SetEquipment(1, 5);
  h.SetEquipment(4, 300);
  h.SetEquipment(5, 77); // no such slot
  h.UnarmedAnimation = 1056;
  h.Learning.Append()->SkillId = 7;
  h.UseSkillSlotName = 66;
  h.SkillSlotName = "Magic";
  h.SetConditionRankCount(2);
  h.SetConditionRank(1, 0);
  h.SetConditionRank(2, 4);
  h.SetAttributeRankCount(3);
  h.SetAttributeRank(3, 4);

  TXelPlayerItem back(3);
  const auto chunks = RoundTripChunks(h, back);
  const std::vector<int> ids = {1,  2,  3,  4,  5,  7,  8,  9,  10, 15, 16, 21, 22, 23,
                                24, 31, 41, 42, 43, 51, 56, 63, 66, 67, 71, 72, 73, 74};
  EXPECT_EQ(IdsOf(chunks), ids);
  ExpectIdValues(chunks, {4, 7, 8, 10, 16, 41, 42, 43, 56}, {5, 9, 21, 22, 23, 24, 66});
  EXPECT_EQ(StrOf(chunks.at(1)), "Mira");
  EXPECT_EQ(StrOf(chunks.at(2)), "Warden");
  EXPECT_EQ(StrOf(chunks.at(3)), "Walk1");
  EXPECT_EQ(StrOf(chunks.at(15)), "Mien1");
  EXPECT_EQ(StrOf(chunks.at(67)), "Magic");
  // Max MP level 1 at entry 50, Agility level 50 at entry 299.
  EXPECT_EQ(chunks.at(31)[100], 0xE7);
  EXPECT_EQ(chunks.at(31)[101], 0x03);
  EXPECT_EQ(chunks.at(31)[598], 0x34);
  EXPECT_EQ(chunks.at(31)[599], 0x12);
  // Five 16-bit item ids: 3, 5, 0, 0, 300.
  EXPECT_EQ(chunks.at(51), (Bytes{3, 0, 5, 0, 0, 0, 0, 0, 0x2C, 0x01}));
  // One learned skill: count 1, id 1, SkillId (field 2) = 7, end.
  EXPECT_EQ(chunks.at(63), (Bytes{0x01, 0x01, 0x02, 0x01, 0x07, 0x00}));
  EXPECT_EQ(IntOf(chunks.at(71)), 2);
  EXPECT_EQ(chunks.at(72), (Bytes{0, 4}));
  EXPECT_EQ(IntOf(chunks.at(73)), 3);
  EXPECT_EQ(chunks.at(74), (Bytes{2, 2, 4}));

  EXPECT_EQ(back.GetEquipment(4), 300);
  EXPECT_EQ(back.GetEquipment(5), 0);
  EXPECT_EQ(back.GetEquipment(-1), 0);
  EXPECT_EQ(back.GetParameter(hpAgility, 50), 0x1234);
  EXPECT_EQ(back.GetConditionRank(1), 0);
  EXPECT_EQ(back.GetAttributeRank(3), 4);
  EXPECT_EQ(back.Learning.GetItem(0)->SkillId, 7);
  EXPECT_EQ(back.Learning.GetItem(1), nullptr); // plain access: nothing, no error
}

TEST(SkillRecord, NewAndFullSkillsSaveEveryFieldUnderItsId) {
  TXelSkillItem s(1);
  // 8 Kind and 12 EffectRange (Fixed, 0), 16 the sound record (its name is always
  // written: 01 05 "(OFF)" 00, 8 bytes), 42 and 44 empty blobs, end.
  EXPECT_EQ(SaveBytes(s), (Bytes{0x08, 0x01, 0x00, 0x0C, 0x01, 0x00, 0x10, 0x08, 0x01, 0x05, '(',
                                 'O',  'F',  'F',  ')',  0x00, 0x2A, 0x00, 0x2C, 0x00, 0x00}));
  ExpectNoFieldAboveLastId(s);

  s.Name = "Fire";
  s.Description = "Burns";
  s.UsingMessage1 = "casts";
  s.UsingMessage2 = "Fire!";
  s.FailureMessage = 1007;
  s.Kind = 8;
  s.MpCost = 1011;
  s.EffectRange = 12;
  s.SwitchId = 1013;
  s.BattleAnimation = 1014;
  s.Sound.FileName = "Flame";
  s.UsableOnField = 18;
  s.UsableInBattle = 19;
  s.PhysicalRate = 1021;
  s.MindRate = 1022;
  s.Variance = 1023;
  s.BaseEffect = 1024;
  s.SuccessRate = 1025;
  s.AffectHp = 31;
  s.AffectMp = 32;
  s.AffectAttack = 33;
  s.AffectDefense = 34;
  s.AffectMind = 35;
  s.AffectAgility = 36;
  s.Absorb = 37;
  s.IgnoreDefense = 38;
  s.SetConditionFlagCount(2);
  s.SetConditionFlag(2, 1);
  s.SetAttributeFlagCount(1);
  s.SetAttributeFlag(1, 1);
  s.LowerResistance = 45;

  TXelSkillItem back(1);
  const auto chunks = RoundTripChunks(s, back);
  const std::vector<int> ids = {1,  2,  3,  4,  7,  8,  11, 12, 13, 14, 16, 18, 19, 21, 22, 23,
                                24, 25, 31, 32, 33, 34, 35, 36, 37, 38, 41, 42, 43, 44, 45};
  EXPECT_EQ(IdsOf(chunks), ids);
  ExpectIdValues(chunks, {7, 11, 13, 14, 21, 22, 23, 24, 25},
                 {8, 12, 18, 19, 31, 32, 33, 34, 35, 36, 37, 38, 45});
  EXPECT_EQ(StrOf(chunks.at(1)) + StrOf(chunks.at(2)) + StrOf(chunks.at(3)) + StrOf(chunks.at(4)),
            "FireBurnscastsFire!");
  EXPECT_EQ(chunks.at(16), (Bytes{0x01, 0x05, 'F', 'l', 'a', 'm', 'e', 0x00}));
  EXPECT_EQ(chunks.at(42), (Bytes{0, 1}));
  EXPECT_EQ(chunks.at(44), (Bytes{1}));

  EXPECT_EQ(back.GetConditionFlag(2), 1);
  EXPECT_EQ(back.GetConditionFlag(3), 0);
}

TEST(ItemRecord, NewAndFullItemsSaveEveryFieldUnderItsId) {
  TXelItemItem item(1);
  // The four one-byte Fixed fields 3, 15, 31, 51 (all 0) and the three blobs 62, 64, 66
  // of length 0, then the end mark.
  EXPECT_EQ(SaveBytes(item), (Bytes{0x03, 0x01, 0x00, 0x0F, 0x01, 0x00, 0x1F, 0x01, 0x00, 0x33,
                                    0x01, 0x00, 0x3E, 0x00, 0x40, 0x00, 0x42, 0x00, 0x00}));
  ExpectNoFieldAboveLastId(item);

  item.Name = "Tonic";
  item.Description = "Heals";
  item.Kind = 3;
  item.Price = 1005;
  item.Uses = 1006;
  item.AttackBonus = 1011;
  item.DefenseBonus = 1012;
  item.MindBonus = 1013;
  item.AgilityBonus = 1014;
  item.TwoHanded = 15;
  item.MpCost = 1016;
  item.HitChance = 1017;
  item.CriticalChance = 1018;
  item.BattleAnimation = 1020;
  item.Preemptive = 21;
  item.AttackTwice = 22;
  item.AttackAll = 23;
  item.IgnoreEvasion = 24;
  item.PreventCritical = 25;
  item.RaiseEvasion = 26;
  item.HalfMp = 27;
  item.NoTerrainDamage = 28;
  item.WholeParty = 31;
  item.HpRecoveryPercent = 1032;
  item.HpRecoveryPoints = 1033;
  item.MpRecoveryPercent = 1034;
  item.MpRecoveryPoints = 1035;
  item.FieldOnly = 37;
  item.OnlyUnconscious = 38;
  item.MaxHpGain = 1041;
  item.MaxMpGain = 1042;
  item.AttackGain = 1043;
  item.DefenseGain = 1044;
  item.MindGain = 1045;
  item.AgilityGain = 1046;
  item.UsingMessage = 51;
  item.SkillId = 1053;
  item.SwitchId = 1055;
  item.UsableOnField = 57;
  item.UsableInBattle = 58;
  item.SetHeroFlagCount(2);
  item.SetConditionFlagCount(1);
  item.SetConditionFlag(1, 1);
  item.SetAttributeFlagCount(3);
  item.SetAttributeFlag(3, 1);
  item.ConditionChance = 1067;

  TXelItemItem back(1);
  const auto chunks = RoundTripChunks(item, back);
  const std::vector<int> ids = {1,  2,  3,  5,  6,  11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 22,
                                23, 24, 25, 26, 27, 28, 31, 32, 33, 34, 35, 37, 38, 41, 42, 43,
                                44, 45, 46, 51, 53, 55, 57, 58, 61, 62, 63, 64, 65, 66, 67};
  EXPECT_EQ(IdsOf(chunks), ids);
  ExpectIdValues(chunks, {5,  6,  11, 12, 13, 14, 16, 17, 18, 20, 32, 33,
                          34, 35, 41, 42, 43, 44, 45, 46, 53, 55, 67},
                 {3, 15, 21, 22, 23, 24, 25, 26, 27, 28, 31, 37, 38, 51, 57, 58});
  EXPECT_EQ(StrOf(chunks.at(1)) + StrOf(chunks.at(2)), "TonicHeals");
  EXPECT_EQ(chunks.at(62), (Bytes{0, 0})); // never trimmed, even when all 0
  EXPECT_EQ(chunks.at(64), (Bytes{1}));
  EXPECT_EQ(chunks.at(66), (Bytes{0, 0, 1}));

  EXPECT_EQ(back.GetHeroFlag(2), 0);
  EXPECT_EQ(back.GetHeroFlag(3), 1); // a hero beyond the array may use the item
}

TEST(PerIdArrays, TrimmedToTheDatabaseAndToTheLastEntryThatDiffers) {
  TXelPlayerItem hero(1);
  hero.SetConditionRankCount(4);
  EXPECT_EQ(hero.GetConditionRank(4), 2); // new entries take the fill value
  hero.SetConditionRank(2, 3);
  hero.SetConditionRank(5, 0); // beyond the array: ignored
  TXelItemItem item(1);
  item.SetConditionFlagCount(5);
  item.SetConditionFlag(1, 1);
  item.SetConditionFlag(5, 1);
  item.SetHeroFlagCount(4);
  TXelSkillItem skill(1);
  skill.SetAttributeFlagCount(6);

  {
    // Without a database nothing is cut to a count: only trailing default entries go.
    const auto heroChunks = ChunksOf(SaveBytes(hero));
    EXPECT_EQ(heroChunks.at(72), (Bytes{2, 3}));
    EXPECT_EQ(ChunksOf(SaveBytes(item)).at(64), (Bytes{1, 0, 0, 0, 1}));
  }
  {
    TTestTables tables(3, 10);
    // Ranks (2, 3, 2, 2) keep 2 entries; the item's flags (1, 0, 0, 0, 1) are cut to
    // Min(3 conditions, 5) = 3 entries; the usable-by-hero array keeps all 4.
    const auto heroChunks = ChunksOf(SaveBytes(hero));
    EXPECT_EQ(IntOf(heroChunks.at(71)), 2);
    EXPECT_EQ(heroChunks.at(72), (Bytes{2, 3}));
    const auto itemChunks = ChunksOf(SaveBytes(item));
    EXPECT_EQ(IntOf(itemChunks.at(63)), 3);
    EXPECT_EQ(itemChunks.at(64), (Bytes{1, 0, 0}));
    EXPECT_EQ(IntOf(itemChunks.at(61)), 4);
    EXPECT_EQ(itemChunks.at(62), (Bytes{0, 0, 0, 0}));
    // All-zero flags: count 0 is left out, the blob written with length 0.
    const auto skillChunks = ChunksOf(SaveBytes(skill));
    EXPECT_EQ(skillChunks.count(43), 0u);
    EXPECT_EQ(skillChunks.at(44), Bytes{});

    TXelPlayerItem heroBack(1);
    LoadBytes(heroBack, SaveBytes(hero));
    EXPECT_EQ(heroBack.GetConditionRank(2), 3);
    EXPECT_EQ(heroBack.GetConditionRank(4), 2);
  }
  {
    // The attribute table cuts the attribute arrays only.
    TTestTables tables(10, 1);
    hero.SetAttributeRankCount(3);
    hero.SetAttributeRank(1, 0);
    hero.SetAttributeRank(3, 4);
    const auto chunks = ChunksOf(SaveBytes(hero));
    EXPECT_EQ(chunks.at(74), Bytes{0});
    EXPECT_EQ(chunks.at(72), (Bytes{2, 3}));
  }
  EXPECT_EQ(StatusList, nullptr);
}

// A stored count never outweighs its blob: the count becomes what the blob holds.
template <class R>
void ExpectCountFollowsBlob(TIdByteArray R::*array, int countId, uint8_t readBeyond) {
  SCOPED_TRACE(countId);
  const uint8_t c = static_cast<uint8_t>(countId), b = static_cast<uint8_t>(countId + 1);
  struct Case {
    Bytes stream;
    int count;
  };
  const Case cases[] = {
      // count 5 over a blob of 2 bytes (7, 8)
      {{c, 0x01, 0x05, b, 0x02, 7, 8, 0x00}, 2},
      // count 0x7FFFFFFF, blob of 1 byte
      {{c, 0x05, 0x87, 0xFF, 0xFF, 0xFF, 0x7F, b, 0x01, 7, 0x00}, 1},
      // a count without a blob
      {{c, 0x01, 0x03, 0x00}, 0},
      // a blob of 3 bytes without a count, placed before where the count would be
      {{b, 0x03, 7, 8, 9, 0x00}, 3},
  };
  for (const Case& k : cases) {
    R record(2);
    LoadBytes(record, k.stream);
    EXPECT_EQ((record.*array).GetCount(), k.count);
    EXPECT_EQ((record.*array).Get(k.count + 1), readBeyond);
    if (k.count > 0) {
      EXPECT_EQ((record.*array).Get(1), 7);
    }
    const auto chunks = ChunksOf(SaveBytes(record));
    EXPECT_EQ(chunks.count(countId) ? IntOf(chunks.at(countId)) : 0, k.count);
    EXPECT_EQ(chunks.at(countId + 1).size(), static_cast<size_t>(k.count));
  }
  // A blob longer than the stream is a read error, not an allocation.
  R record(2);
  EXPECT_THROW(LoadBytes(record, {b, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2}), EReadError);
}

TEST(PerIdArrays, HostileCountsFollowTheBlob) {
  ExpectCountFollowsBlob(&TXelPlayerItem::ConditionRanks, 71, 2);
  ExpectCountFollowsBlob(&TXelPlayerItem::AttributeRanks, 73, 2);
  ExpectCountFollowsBlob(&TXelSkillItem::ConditionFlags, 41, 0);
  ExpectCountFollowsBlob(&TXelSkillItem::AttributeFlags, 43, 0);
  ExpectCountFollowsBlob(&TXelItemItem::HeroUsable, 61, 1);
  ExpectCountFollowsBlob(&TXelItemItem::ConditionFlags, 63, 0);
  ExpectCountFollowsBlob(&TXelItemItem::AttributeFlags, 65, 0);
}

} // namespace

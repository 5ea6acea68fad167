#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/system_records.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

// A cleared music or sound record as the payload of its chunk: 01 05 "(OFF)" 00.
void PushOffRecord(Bytes& out, uint8_t id) {
  const Bytes off = {id, 0x08, 0x01, 0x05, '(', 'O', 'F', 'F', ')', 0x00};
  out.insert(out.end(), off.begin(), off.end());
}

// A new system record, saved once, fields in ascending order:
//   16 02 01 00          22 the party: hero 1 (the count 1 is the default of 21)
//   1F..26 (31..38)      the eight music records, each holding only "(OFF)"
//   29..34 (41..52)      the twelve sound records, likewise
//   3D..42 01 00         61..66 the transitions, Fixed: always written
//   52 01 01             82 snap to grid, Fixed, cleared to 1
//   55 01 00             85 the test party: an empty list
//   5B 01 01             91 SaveCount, raised from 0 by the save itself
//   00
// Strings, indexes, Wallpaper, Font and the test target 1 hold their defaults.
Bytes NewSystemBytes() {
  Bytes b = {0x16, 0x02, 0x01, 0x00};
  for (uint8_t id = 31; id <= 38; ++id)
    PushOffRecord(b, id);
  for (uint8_t id = 41; id <= 52; ++id)
    PushOffRecord(b, id);
  for (uint8_t id = 61; id <= 66; ++id)
    b.insert(b.end(), {id, 0x01, 0x00});
  b.insert(b.end(), {0x52, 0x01, 0x01, 0x55, 0x01, 0x00, 0x5B, 0x01, 0x01, 0x00});
  return b;
}

TEST(SystemRecord, NewRecordSavesAsDerivedAndCountsItsSaves) {
  TXelSystem system;
  EXPECT_EQ(SaveBytes(system), NewSystemBytes());
  EXPECT_EQ(system.SaveCount, 1);
  SaveBytes(system);
  EXPECT_EQ(system.SaveCount, 2);
  ExpectNoFieldAboveLastId(system);

  // What was saved with count 2 loads as 2 and saves as 3.
  TXelSystem back;
  LoadBytes(back, SaveBytes(system));
  EXPECT_EQ(system.SaveCount, 3);
  EXPECT_EQ(back.SaveCount, 3);
  EXPECT_EQ(back.GetPartyCount(), 1);
  EXPECT_EQ(back.GetPartyMember(0), 1);
  EXPECT_EQ(back.AnimationSnapToGrid, 1);
  EXPECT_EQ(back.AnimationTestTarget, 1);
  EXPECT_EQ(back.TitleMusic.FileName, "(OFF)");

  // A copy takes the record as it stands and leaves the source's count alone.
  TXelSystem copy;
  copy.Assign(back);
  EXPECT_EQ(back.SaveCount, 3);
  EXPECT_EQ(copy.SaveCount, 3);

  // The largest count wraps: 5B 05 87 FF FF FF 7F is 0x7FFFFFFF, saved as the smallest.
  LoadBytes(back, {0x5B, 0x05, 0x87, 0xFF, 0xFF, 0xFF, 0x7F, 0x00});
  EXPECT_EQ(back.SaveCount, 0x7FFFFFFF);
  SaveBytes(back);
  EXPECT_EQ(back.SaveCount, INT32_MIN);
}

TEST(SystemRecord, EveryFieldRoundTrips) {
  TXelSystem system;
  system.BoatGraphic = "Vehicle";
  system.ShipGraphic = "Vehicle";
  system.AirshipGraphic = "Vehicle2";
  system.BoatIndex = 1;
  system.ShipIndex = 2;
  system.AirshipIndex = 3;
  system.TitleGraphic = "Title1";
  system.GameOverGraphic = "Over";
  system.SystemGraphic = "Frame1";
  system.SetPartyCount(3);
  system.SetPartyMember(0, 4);
  system.SetPartyMember(1, 300);
  system.SetPartyMember(2, 2);
  system.GameOverMusic.FileName = "Sad";
  system.GameOverMusic.FadeIn = 2000;
  system.ItemUseSound.FileName = "Item";
  system.ItemUseSound.Balance = 10;
  system.TeleportErase = 2;
  system.BattleEndShow = 7;
  system.Wallpaper = 1;
  system.Font = 1;
  system.AnimationTestTarget = 4;
  system.AnimationSnapToGrid = 0;
  system.TestBackground = "Grass";
  TXelTestPlayerItem* hero = system.TestParty.Append();
  hero->HeroId = 2;
  hero->Level = 40;
  hero->SetEquipment(0, 12);
  system.SaveCount = 99;

  const Bytes saved = SaveBytes(system);
  TXelSystem back;
  LoadBytes(back, saved);
  EXPECT_EQ(back.SaveCount, 100);
  EXPECT_EQ(back.AirshipGraphic, "Vehicle2");
  EXPECT_EQ(back.AirshipIndex, 3);
  EXPECT_EQ(back.SystemGraphic, "Frame1");
  ASSERT_EQ(back.GetPartyCount(), 3);
  EXPECT_EQ(back.GetPartyMember(1), 300);
  EXPECT_EQ(back.GameOverMusic.FadeIn, 2000);
  EXPECT_EQ(back.ItemUseSound.Balance, 10);
  EXPECT_EQ(back.BattleEndShow, 7);
  EXPECT_EQ(back.AnimationSnapToGrid, 0);
  EXPECT_EQ(back.TestBackground, "Grass");
  ASSERT_EQ(back.TestParty.GetCount(), 1);
  EXPECT_EQ(back.TestParty.GetItem(0)->Level, 40);
  EXPECT_EQ(back.TestParty.GetItem(0)->GetEquipment(0), 12);
  EXPECT_EQ(back.TestParty.GetItem(1), nullptr);
  // The save wrote 100 (5B 01 64, last before the end); the second save differs from
  // the first only in the count, 101.
  Bytes expected = saved;
  ASSERT_EQ(Bytes(expected.end() - 4, expected.end()), (Bytes{0x5B, 0x01, 100, 0x00}));
  expected[expected.size() - 2] = 101;
  EXPECT_EQ(SaveBytes(back), expected);
}

TEST(SystemRecord, PartyAccessorsAndHostileParties) {
  TXelSystem system;
  system.SetPartyCount(3);
  system.SetPartyMember(1, 5);
  system.SetPartyMember(2, 6);
  EXPECT_EQ(system.GetPartyMember(3), 0);
  EXPECT_EQ(system.GetPartyMember(-1), 0);
  system.SetPartyMember(3, 9); // outside: ignored
  EXPECT_EQ(system.GetPartyCount(), 3);
  system.SetPartyMember(1, 0);
  EXPECT_EQ(system.GetPartyCount(), 1);
  EXPECT_EQ(system.GetPartyMember(0), 1);
  system.SetPartyCount(-4);
  EXPECT_EQ(system.GetPartyCount(), 0);
  // An empty party writes the count 0 (15 01 00) and an empty blob (16 00).
  const Bytes saved = SaveBytes(system);
  ASSERT_GE(saved.size(), 5u);
  EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 5), (Bytes{0x15, 0x01, 0x00, 0x16, 0x00}));

  // The count says 5, the blob holds 3 bytes: one whole member.
  LoadBytes(system, {0x15, 0x01, 0x05, 0x16, 0x03, 0x07, 0x00, 0x09, 0x00});
  EXPECT_EQ(system.GetPartyCount(), 1);
  EXPECT_EQ(system.GetPartyMember(0), 7);
  EXPECT_EQ(system.GetPartyMember(1), 0);
  // A huge count without a blob keeps the cleared party of hero 1.
  LoadBytes(system, {0x15, 0x04, 0x87, 0xFF, 0xFF, 0x7F, 0x00});
  EXPECT_EQ(system.GetPartyCount(), 1);
  EXPECT_EQ(system.GetPartyMember(0), 1);
  // The count says 0 while the blob holds two members.
  LoadBytes(system, {0x15, 0x01, 0x00, 0x16, 0x04, 0x02, 0x00, 0x03, 0x00, 0x00});
  EXPECT_EQ(system.GetPartyCount(), 2);
  EXPECT_EQ(system.GetPartyMember(1), 3);
  // A blob cut by the end of the data raises.
  EXPECT_THROW(LoadBytes(system, {0x16, 0x08, 0x01, 0x00}), EReadError);
  EXPECT_EQ(system.GetPartyCount(), 1);
}

TEST(TestPlayerRecord, EquipmentFieldsCarryTheNextSlot) {
  TXelTestPlayerItem hero(1);
  EXPECT_EQ(SaveBytes(hero), (Bytes{0x00}));
  ExpectNoFieldAboveLastId(hero);
  hero.SetEquipment(0, 3);
  hero.SetEquipment(1, 5);
  // 0B 03 94 80 03: field 11 = 3 + 5 * 65536 = 327683 = groups 20, 0, 3;
  // 0C 01 05: field 12 = 5 (the armor slot after it is 0).
  const Bytes armed = {0x0B, 0x03, 0x94, 0x80, 0x03, 0x0C, 0x01, 0x05, 0x00};
  EXPECT_EQ(SaveBytes(hero), armed);

  TXelTestPlayerItem back(1);
  LoadBytes(back, armed);
  EXPECT_EQ(back.GetEquipment(0), 3);
  EXPECT_EQ(back.GetEquipment(1), 5);
  EXPECT_EQ(back.GetEquipment(2), 0);
  EXPECT_EQ(back.GetEquipment(5), 0);
  EXPECT_EQ(back.GetEquipment(-1), 0);
  back.SetEquipment(5, 9); // outside: ignored
  EXPECT_EQ(SaveBytes(back), armed);

  // Each field writes its own slot and the next; the field after it corrects that one,
  // in the order the fields come.
  LoadBytes(back, {0x0B, 0x03, 0x94, 0x80, 0x03, 0x00});
  EXPECT_EQ(back.GetEquipment(1), 5);
  LoadBytes(back, {0x0C, 0x01, 0x07, 0x0B, 0x03, 0x94, 0x80, 0x03, 0x00});
  EXPECT_EQ(back.GetEquipment(1), 5);
  LoadBytes(back, {0x0B, 0x03, 0x94, 0x80, 0x03, 0x0C, 0x01, 0x07, 0x00});
  EXPECT_EQ(back.GetEquipment(1), 7);

  // The two bytes after the last slot come back in field 15's high half.
  // 01 01 02: hero 2; 0F 05 81 91 D0 80 09: 0x12340009 = groups 01 11 50 00 09.
  const Bytes other = {0x01, 0x01, 0x02, 0x0F, 0x05, 0x81, 0x91, 0xD0, 0x80, 0x09, 0x00};
  LoadBytes(back, other);
  EXPECT_EQ(back.HeroId, 2);
  EXPECT_EQ(back.GetEquipment(4), 9);
  // Saved, field 14 now carries the helmet slot 0 and slot 4 (9) in its high half:
  // 0E 03 A4 80 00 = 9 * 65536 = groups 24 00 00.
  const Bytes otherSaved = {0x01, 0x01, 0x02, 0x0E, 0x03, 0xA4, 0x80, 0x00,
                            0x0F, 0x05, 0x81, 0x91, 0xD0, 0x80, 0x09, 0x00};
  EXPECT_EQ(SaveBytes(back), otherSaved);
  LoadBytes(back, otherSaved);
  EXPECT_EQ(SaveBytes(back), otherSaved);
  back.SetEquipment(4, 0x10003);
  EXPECT_EQ(back.GetEquipment(4), 3);
}

} // namespace

#include <gtest/gtest.h>

#include "core/switch_records.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

TEST(SwitchRecords, NamesSaveOnlyWhenSetAndCaptionsPadTheId) {
  TXelSwitch switches;
  TXelSwitchItem* door = switches.GetOrCreate(12);
  EXPECT_EQ(SaveBytes(*door), (Bytes{0x00}));
  EXPECT_EQ(door->GetCaption(), "0012");
  door->Name = "Door open";
  EXPECT_EQ(door->GetCaption(), "0012:Door open");
  // 01 04 "Gate" 00
  TXelVariableItem gold(3);
  gold.Name = "Gate";
  EXPECT_EQ(SaveBytes(gold), (Bytes{0x01, 0x04, 'G', 'a', 't', 'e', 0x00}));
  EXPECT_EQ(TXelVariableItem(12345).GetCaption(), "12345");
  ExpectNoFieldAboveLastId(*door);
  ExpectNoFieldAboveLastId(gold);
}

TEST(SwitchRecords, CheckedAccessorsRaiseTheirMessages) {
  ExpectInvalidItemMessage<TXelSwitch>("Invalid Switch");
  ExpectInvalidItemMessage<TXelVariable>("Invalid Variable");
  ExpectInvalidItemMessage<TXelCommonEvent>("An invalid common event was specified");
}

// A new common event, fields in ascending order:
//   0B 01 05       11 Trigger, Fixed (always written), cleared to 5 ("Call")
//   15 01 04       21 script size 4
//   16 04 00x4     22 the script blob: one end line
//   00
// Name, UseSwitch 0 and SwitchId 1 hold their defaults.
const Bytes NewCommonEventBytes = {0x0B, 0x01, 0x05, 0x15, 0x01, 0x04, 0x16,
                                   0x04, 0x00, 0x00, 0x00, 0x00, 0x00};

TEST(CommonEventRecords, NewAndFullRecordsSaveAsDerived) {
  TXelCommonEventItem event(1);
  EXPECT_EQ(SaveBytes(event), NewCommonEventBytes);
  ExpectNoFieldAboveLastId(event);

  event.Name = "Heal";
  event.Trigger = 3;
  event.UseSwitch = 1;
  event.SwitchId = 200;
  TXelEventScriptList message;
  message.Add(10110, 0);
  event.Script.InsertLines(0, message, 0);
  // 01 04 "Heal" | 0B 01 03 | 0C 01 01 | 0D 02 81 48 (200) |
  // 15 01 09 | 16 09 [CE 7E 00 00 00 (code 10110, indent 0, no text, no parameters)
  //                   00 00 00 00 (the end line)] | 00
  const Bytes full = {0x01, 0x04, 'H',  'e',  'a',  'l',  0x0B, 0x01, 0x03, 0x0C, 0x01,
                      0x01, 0x0D, 0x02, 0x81, 0x48, 0x15, 0x01, 0x09, 0x16, 0x09, 0xCE,
                      0x7E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(SaveBytes(event), full);

  TXelCommonEvent list;
  TXelCommonEventItem* back = list.GetOrCreate(7);
  LoadBytes(*back, full);
  EXPECT_EQ(back->Name, "Heal");
  EXPECT_EQ(back->Trigger, 3);
  EXPECT_EQ(back->UseSwitch, 1);
  EXPECT_EQ(back->SwitchId, 200);
  ASSERT_EQ(back->Script.GetCount(), 2);
  EXPECT_EQ(back->Script.GetItem(0)->Code, 10110);
  EXPECT_EQ(SaveBytes(*back), full);

  // Loading the new record's bytes gives every cleared value back.
  LoadBytes(*back, NewCommonEventBytes);
  EXPECT_EQ(back->Trigger, 5);
  EXPECT_EQ(back->SwitchId, 1);
  EXPECT_TRUE(back->Name.empty());
  EXPECT_EQ(back->Script.GetCount(), 1);

  // A script size that disagrees with its blob: the blob's bytes are the script, and
  // the save writes their real size. 15 01 63 (99), 16 04 00 00 00 00.
  LoadBytes(*back, {0x15, 0x01, 0x63, 0x16, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00});
  EXPECT_EQ(back->Script.GetCount(), 1);
  EXPECT_EQ(SaveBytes(*back), NewCommonEventBytes);
}

} // namespace

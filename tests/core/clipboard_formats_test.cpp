#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "database_generator.h"
#include "sample_records.h"

namespace {

class ClipboardFormats : public ::testing::Test {
protected:
  void SetUp() override { SetClipboardProvider(&clipboard); }
  void TearDown() override { SetClipboardProvider(nullptr); }
  TMemoryClipboard clipboard;
};

Bytes Header(uint32_t size, uint32_t count) {
  Bytes header(8);
  PutLE32(header.data(), size);
  PutLE32(header.data() + 4, count);
  return header;
}

Bytes StreamHeader(size_t size) {
  Bytes header(4);
  PutLE32(header.data(), static_cast<uint32_t>(size));
  return header;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Copies Source as a record block, checks the block's size, count and record bytes,
// and pastes it into a fresh record of the class, which must save the same bytes.
template <class T> void ExpectRecordTravels(const T& source, uint32_t format) {
  SCOPED_TRACE(format);
  source.CopyToClipboard(format);
  const Bytes record = SaveBytes(source);
  EXPECT_EQ(ClipboardBytes(format), Concat(Header(record.size(), 1), record));
  T pasted(9);
  ASSERT_TRUE(pasted.PasteFromClipboard(format));
  EXPECT_EQ(pasted.Id, 9);
  EXPECT_EQ(SaveBytes(pasted), record);
}

// Multi Copy of the first three entries of a database table, pasted after entry 1 of a
// fresh table; then a Copy of entry 3 pasted over entry 2.
template <class List> void ExpectTableTravels(const List& source, uint32_t format) {
  SCOPED_TRACE(format);
  source.CopyToClipboard(format, 0, 3);
  Bytes records;
  for (int i = 0; i < 3; ++i)
    records = Concat(records, SaveBytes(*source.Items(i)));
  EXPECT_EQ(ClipboardBytes(format), Concat(Header(records.size(), 3), records));
  List target;
  target.Append();
  ASSERT_EQ(target.PasteFromClipboard(format, 1), 3);
  ASSERT_EQ(target.GetCount(), 4);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(SaveBytes(*target.Items(i + 1)), SaveBytes(*source.Items(i)));

  source.Items(2)->CopyToClipboard(format);
  ASSERT_EQ(target.PasteFromClipboard(format, 1), 1);
  EXPECT_EQ(target.Items(1)->Id, 2);
  EXPECT_EQ(SaveBytes(*target.Items(1)), SaveBytes(*source.Items(2)));
}

TEST_F(ClipboardFormats, DatabaseEntriesTravelAsRecordAndListBlocks) {
  TXelDataBase db;
  TDataBaseGenerator(7).Fill(db, 3);
  db.ChipSets().Items(1)->SetChipTerrain(5, 3);
  db.Grounds().Items(2)->Damage = 12;
  ExpectTableTravels(db.Players(), cfHero);
  ExpectTableTravels(db.Skills(), cfSkill);
  ExpectTableTravels(db.Items(), cfItem);
  ExpectTableTravels(db.Monsters(), cfMonster);
  ExpectTableTravels(db.MonGroups(), cfMonGroup);
  ExpectTableTravels(db.Grounds(), cfTerrain);
  ExpectTableTravels(db.Attribs(), cfAttribute);
  ExpectTableTravels(db.Statuses(), cfCondition);
  ExpectTableTravels(db.Animations(), cfAnimation);
  ExpectTableTravels(db.ChipSets(), cfChipSet);
  ExpectTableTravels(db.CommonEvents(), cfCommonEvent);

  // A hero block under the skill number is not skills: nothing changes.
  db.Players().CopyToClipboard(cfSkill, 0, 2);
  const Bytes skills = SaveBytes(db.Skills());
  EXPECT_EQ(db.Skills().PasteFromClipboard(cfSkill, 0), 0);
  EXPECT_EQ(SaveBytes(db.Skills()), skills);
}

TEST_F(ClipboardFormats, PagesAndAnimationPartsTravelAsRecordBlocks) {
  TXelEventPageItem page(1);
  page.Condition.Flags = ecSwitchA | ecTimer;
  page.Condition.TimerSeconds = 90;
  page.GraphicName = "Walk1";
  page.Trigger = 3;
  page.Script.Clear();
  page.Script.Add(10110, 0, "Hello")->SetParamCount(2);
  page.Script.Add(ScriptEndCode, 0);
  auto step = std::make_unique<TXelMoveRouteItem>();
  step->Code = mcSwitchOn;
  step->SwitchId = 300;
  page.MoveRoute.Add(std::move(step));
  ExpectRecordTravels(page, cfEventPage);

  TXelDataBase db;
  TDataBaseGenerator(3).Fill(db, 1);
  ExpectRecordTravels(*db.MonGroups().Items(0)->BattlePages.GetItem(1), cfBattleEventPage);
  const TXelAnimationItem& animation = *db.Animations().Items(0);
  ExpectRecordTravels(*animation.Timings.GetItem(2), cfAnimationTiming);
  ExpectRecordTravels(*animation.Frames().GetItem(4), cfAnimationFrame);
  ExpectRecordTravels(*animation.Frames().GetItem(4)->Cells.GetItem(3), cfAnimationCell);
}

TEST_F(ClipboardFormats, EncounterRowsAndActionPatternsShareTheirNumberButNotTheirRecords) {
  TXelEncountItem row(1);
  row.MonGroupId = 7;
  row.CopyToClipboard(cfListRow);
  // size 4 | count 1 | field 1 (Int, one group) 7 | end
  EXPECT_EQ(ClipboardBytes(cfListRow), (Bytes{4, 0, 0, 0, 1, 0, 0, 0, 0x01, 0x01, 0x07, 0x00}));
  TXelMonsterActItem action(1);
  action.Priority = 20;
  EXPECT_FALSE(action.PasteFromClipboard(cfListRow));
  EXPECT_EQ(action.Priority, 20);
  TXelEncountItem pastedRow(3);
  ASSERT_TRUE(pastedRow.PasteFromClipboard(cfListRow));
  EXPECT_EQ(pastedRow.MonGroupId, 7);

  action.Kind = 1;
  action.SkillId = 12;
  action.Priority = 50;
  action.CopyToClipboard(cfListRow);
  // Kind, Behavior and ConditionType are fixed bytes and always written; SkillId 12.
  EXPECT_EQ(ClipboardBytes(cfListRow),
            (Bytes{13,   0,    0,    0,    1,    0,    0,    0,    0x01, 0x01, 0x01,
                   0x02, 0x01, 0x00, 0x03, 0x01, 0x0C, 0x05, 0x01, 0x00, 0x00}));
  EXPECT_FALSE(pastedRow.PasteFromClipboard(cfListRow));
  EXPECT_EQ(pastedRow.MonGroupId, 7);
  TXelMonsterActItem pastedAction(2);
  ASSERT_TRUE(pastedAction.PasteFromClipboard(cfListRow));
  EXPECT_EQ(SaveBytes(pastedAction), SaveBytes(action));
}

TEST_F(ClipboardFormats, RecordBlocksThatAreNotExactlyOneRecordAreRefused) {
  TXelMonsterActItem action(1);
  action.SkillId = 12;
  const Bytes record = SaveBytes(action);
  TXelMonsterActItem target(1);
  target.Priority = 77;
  const Bytes kept = SaveBytes(target);
  auto refused = [&](const Bytes& block) {
    clipboard.SetData(cfListRow, block);
    EXPECT_FALSE(target.PasteFromClipboard(cfListRow));
    EXPECT_EQ(SaveBytes(target), kept);
  };
  // Every shorter size field, and every cut of the block.
  for (size_t size = 0; size < record.size(); ++size)
    refused(Concat(Header(size, 1), Bytes(record.begin(), record.begin() + size)));
  for (size_t cut = 0; cut < record.size() + 8; ++cut) {
    Bytes block = Concat(Header(record.size(), 1), record);
    block.resize(cut);
    refused(block);
  }
  refused(Concat(Header(record.size(), 2), record));                     // count 2 for one record
  refused(Concat(Header(record.size() + 1, 1), Concat(record, {0x00}))); // bytes after it
  // Kind as a two-byte chunk; fields out of order; a field the class does not have.
  refused(Concat(Header(14, 1), {0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x03, 0x01, 0x0C, 0x05,
                                 0x01, 0x00, 0x00}));
  refused(Concat(Header(10, 1), {0x02, 0x01, 0x00, 0x01, 0x01, 0x01, 0x05, 0x01, 0x00, 0x00}));
  refused(
      Concat(Header(13, 1), Concat({0x0E, 0x01, 0x01}, Bytes(record.begin() + 3, record.end()))));
  // Bytes beyond the size field are slack, as in a rounded-up memory block.
  clipboard.SetData(cfListRow, Concat(Concat(Header(record.size(), 1), record), {0xEE, 0xEE}));
  EXPECT_TRUE(target.PasteFromClipboard(cfListRow));
  EXPECT_EQ(target.SkillId, 12);
}

TEST_F(ClipboardFormats, AListPasteChangesNothingUnlessEveryItemIsOne) {
  TXelMonsterAct source, target;
  for (int k = 1; k <= 3; ++k)
    source.GetOrCreate(k)->SkillId = k + 10;
  target.GetOrCreate(1)->SkillId = 99;
  source.CopyToClipboard(cfListRow, 0, 3);
  Bytes block = ClipboardBytes(cfListRow);
  block[4] = 4; // one more record than the block holds
  clipboard.SetData(cfListRow, block);
  EXPECT_EQ(target.PasteFromClipboard(cfListRow, 0), 0);
  block[4] = 2; // the third record left over
  clipboard.SetData(cfListRow, block);
  EXPECT_EQ(target.PasteFromClipboard(cfListRow, 0), 0);
  EXPECT_EQ(target.GetCount(), 1);
  EXPECT_EQ(target.GetItem(0)->SkillId, 99);
  // Encounter rows are not action patterns.
  TXelEncount rows;
  rows.GetOrCreate(1)->MonGroupId = 4;
  rows.CopyToClipboard(cfListRow, 0, 1);
  EXPECT_EQ(target.PasteFromClipboard(cfListRow, 0), 0);
  EXPECT_EQ(target.GetItem(0)->SkillId, 99);
}

TEST_F(ClipboardFormats, AnEventOrAStartMarkTravelsAsAStream) {
  EXPECT_EQ(BuildStartMarkClip(StartMarkBoat), (Bytes{3, 0, 0, 0, 0x83, 0xD4, 0x62}));
  auto mark = ParseMapEventClip(BuildStartMarkClip(StartMarkBoat));
  ASSERT_TRUE(mark);
  EXPECT_EQ(mark->Tag, StartMarkBoat);
  EXPECT_EQ(mark->Event, nullptr);

  TXelEventItem event(12);
  event.Name = "Door";
  event.X = 3;
  event.Y = 200;
  event.Pages.Append()->GraphicName = "Door";
  const Bytes record = SaveBytes(event);
  const Bytes block = BuildEventClip(event);
  EXPECT_EQ(block, Concat(StreamHeader(record.size() + 1), Concat({0x00}, record)));
  auto clip = ParseMapEventClip(block);
  ASSERT_TRUE(clip && clip->Event);
  EXPECT_EQ(clip->Tag, 0);
  EXPECT_EQ(SaveBytes(*clip->Event), record);

  // Another tag, a mark with more after it, a cut event, a size beyond the data.
  EXPECT_FALSE(ParseMapEventClip({1, 0, 0, 0, 0x05}));
  EXPECT_FALSE(ParseMapEventClip({4, 0, 0, 0, 0x83, 0xD4, 0x62, 0x00}));
  EXPECT_FALSE(ParseMapEventClip(Concat(StreamHeader(record.size()),
                                        Concat({0x00}, Bytes(record.begin(), record.end() - 1)))));
  EXPECT_FALSE(ParseMapEventClip({9, 0, 0, 0, 0x00, 0x00}));
  EXPECT_FALSE(ParseMapEventClip({}));
}

TEST_F(ClipboardFormats, ScriptLinesAndAMoveCommandTravelAsStreams) {
  TXelEventScriptList script;
  script.Add(10, 0);
  TXelEventScriptLine* line = script.Add(10110, 1, "Hi");
  line->SetParamCount(2);
  line->SetParam(0, 5);
  line->SetParam(1, -1);
  script.Add(ScriptEndCode, 0);
  // Line 1 only: code 10110, indent 1, "Hi", 2 parameters 5 and -1 (five groups).
  const Bytes lines = {0xCE, 0x7E, 0x01, 0x02, 'H', 'i', 0x02, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(BuildScriptLinesClip(script, 1, 1), Concat(Bytes{13, 0, 0, 0}, lines));
  auto pasted = ParseScriptLinesClip(BuildScriptLinesClip(script, 0, 5));
  ASSERT_TRUE(pasted);
  ASSERT_EQ(pasted->GetCount(), 3);
  EXPECT_EQ(pasted->GetItem(1)->Text, "Hi");
  EXPECT_EQ(pasted->GetItem(1)->GetParam(1), -1);
  // No line, a cut line, a negative indent.
  EXPECT_FALSE(ParseScriptLinesClip({0, 0, 0, 0}));
  EXPECT_FALSE(
      ParseScriptLinesClip(Concat(Bytes{12, 0, 0, 0}, Bytes(lines.begin(), lines.end() - 1))));
  EXPECT_FALSE(ParseScriptLinesClip({8, 0, 0, 0, 0x0A, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00}));

  TXelMoveRouteItem sound;
  sound.Code = mcPlaySound;
  sound.SoundName = "Knock";
  sound.Volume = 90;
  sound.Tempo = 100;
  sound.Balance = 50;
  // Code 35, "Knock", 90, 100 and 50.
  const Bytes command = {0x23, 0x05, 'K', 'n', 'o', 'c', 'k', 0x5A, 0x64, 0x32};
  EXPECT_EQ(BuildMoveCommandClip(sound), Concat(Bytes{10, 0, 0, 0}, command));
  auto back = ParseMoveCommandClip(BuildMoveCommandClip(sound));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->SoundName, "Knock");
  EXPECT_EQ(back->Balance, 50);
  // Two commands, an unknown code, a cut command.
  EXPECT_FALSE(ParseMoveCommandClip({2, 0, 0, 0, 0x00, 0x01}));
  EXPECT_FALSE(ParseMoveCommandClip({1, 0, 0, 0, 0x2A}));
  EXPECT_FALSE(ParseMoveCommandClip({3, 0, 0, 0, 0x20, 0x81, 0x81}));
}

TEST_F(ClipboardFormats, AMapWithItsTreeEntryTravelsAsAStream) {
  TXelMap map;
  map.SetWidth(3);
  map.SetHeight(2);
  map.LowerLayer.SetCell(2, 1, 5003);
  map.Events.GetOrCreate(4)->Name = "EV0004";
  TXelMapTreeItem item(6);
  item.Name = "MAP0006";
  item.Kind = mkMap;
  item.EncounterSteps = 40;
  item.Encounters.GetOrCreate(1)->MonGroupId = 2;
  const Bytes payload =
      Concat(Concat({0x07, 'M', 'A', 'P', '0', '0', '0', '6'}, SaveBytes(map)), SaveBytes(item));
  const Bytes block = BuildMapTreeMapClip(item.Name, map, item);
  EXPECT_EQ(block, Concat(StreamHeader(payload.size()), payload));
  auto clip = ParseMapTreeMapClip(block);
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->Name, "MAP0006");
  EXPECT_EQ(clip->Map->Width(), 3);
  EXPECT_EQ(SaveBytes(*clip->Map), SaveBytes(map));
  EXPECT_EQ(SaveBytes(*clip->Item), SaveBytes(item));

  // Every cut of the payload is refused, and so is a payload with a byte too many.
  for (size_t size = 0; size < payload.size(); ++size) {
    const Bytes cut(payload.begin(), payload.begin() + static_cast<ptrdiff_t>(size));
    ASSERT_FALSE(ParseMapTreeMapClip(Concat(StreamHeader(size), cut))) << size;
  }
  EXPECT_FALSE(
      ParseMapTreeMapClip(Concat(StreamHeader(payload.size() + 1), Concat(payload, {0x00}))));
}

} // namespace

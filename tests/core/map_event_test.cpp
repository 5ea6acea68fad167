#include <gtest/gtest.h>

#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/map_event.h"
#include "record_checks.h"
#include "record_chunks.h"
#include "sample_records.h"

namespace {

// A new page, derived by hand from the field tables, fields in ascending id order:
//   02 07 | 01 01 00 (Flags, Fixed: always written) 07 01 01 (HeroId cleared to 1, save
//           default 0) 00                                     -> condition record
//   17 01 02 (23 Direction 2)   19 01 00 (25 Transparent)     -> Fixed: always written
//   1F 01 00 (31) 21 01 00 (33) 22 01 00 (34) 23 01 00 (35) 24 01 00 (36)
//   29 03 | 0C 00 (route blob, always written, empty) 00      -> move route record
//   33 01 04 (51 script size) 34 04 00 00 00 00 (52 the end line) | 00
// Name, GraphicIndex, Pattern 1, MoveFrequency 3 and MoveSpeed 3 hold their defaults.
const Bytes NewPageBytes = {0x02, 0x07, 0x01, 0x01, 0x00, 0x07, 0x01, 0x01, 0x00, 0x17, 0x01, 0x02,
                            0x19, 0x01, 0x00, 0x1F, 0x01, 0x00, 0x21, 0x01, 0x00, 0x22, 0x01, 0x00,
                            0x23, 0x01, 0x00, 0x24, 0x01, 0x00, 0x29, 0x03, 0x0C, 0x00, 0x00, 0x33,
                            0x01, 0x04, 0x34, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00};

// A new event: field 5 = the page list (count 1, Id 1, the 45 page bytes), 47 = 0x2F.
Bytes NewEventBytes() {
  return Join({{0x05, 0x2F, 0x01, 0x01}, NewPageBytes, {0x00}});
}

std::unique_ptr<TXelMoveRouteItem> Command(int32_t code) {
  auto item = std::make_unique<TXelMoveRouteItem>();
  item->Code = code;
  return item;
}

TEST(EventRecords, NewPageAndNewEventSaveAsDerivedFromTheFieldTables) {
  TXelEventPageItem page(1);
  ASSERT_EQ(NewPageBytes.size(), 45u);
  EXPECT_EQ(SaveBytes(page), NewPageBytes);

  TXelEventItem event(1);
  ASSERT_EQ(event.Pages.GetCount(), 1);
  EXPECT_EQ(event.Pages.Items(0)->Id, 1);
  EXPECT_EQ(SaveBytes(event), NewEventBytes());

  // Loading the bytes gives back every cleared value.
  TXelEventPageItem back(2);
  back.Direction = 0;
  back.Condition.HeroId = 5;
  back.MoveRoute.Repeat = false;
  LoadBytes(back, NewPageBytes);
  EXPECT_EQ(back.Direction, 2);
  EXPECT_EQ(back.Pattern, 1);
  EXPECT_EQ(back.MoveFrequency, 3);
  EXPECT_EQ(back.MoveSpeed, 3);
  EXPECT_EQ(back.Condition.HeroId, 1);
  EXPECT_EQ(back.Condition.SwitchAId, 1);
  EXPECT_TRUE(back.MoveRoute.Repeat);
  EXPECT_EQ(back.Script.GetCount(), 1);
}

TEST(EventRecords, EveryFieldRoundTripsThroughAnEventList) {
  TXelEvent events;
  TXelEventItem* ev = events.GetOrCreate(12);
  ev->Name = "EV0012";
  ev->X = 19;
  ev->Y = 300;
  TXelEventPageItem* p = ev->Pages.Append();
  p->Condition.Flags = ecSwitchA | ecTimer;
  p->Condition.SwitchAId = 7;
  p->Condition.HeroId = 4;
  p->Condition.TimerSeconds = 90;
  p->GraphicName = "Walk1";
  p->GraphicIndex = 5;
  p->Direction = 3;
  p->Pattern = 0;
  p->Trigger = 4;
  p->MoveSpeed = 6;
  p->MoveRoute.Add(Command(16));
  p->Script.InsertLines(0, ev->Pages.Items(0)->Script, 0);
  p->Script.GetItem(0)->Code = 12010;

  const Bytes saved = SaveBytes(events);
  TXelEvent back;
  LoadBytes(back, saved);
  EXPECT_EQ(SaveBytes(back), saved);
  const TXelEventPageItem* q = back.GetItemById(12)->Pages.GetItemById(2);
  EXPECT_EQ(back.GetItemById(12)->Name, "EV0012");
  EXPECT_EQ(back.GetItemById(12)->Y, 300);
  EXPECT_EQ(q->Condition.Flags, ecSwitchA | ecTimer);
  EXPECT_EQ(q->Condition.SwitchAId, 7);
  EXPECT_EQ(q->Condition.HeroId, 4);
  EXPECT_EQ(q->Condition.TimerSeconds, 90);
  EXPECT_EQ(q->GraphicName, "Walk1");
  EXPECT_EQ(q->Direction, 3);
  EXPECT_EQ(q->Pattern, 0);
  EXPECT_EQ(q->Trigger, 4);
  EXPECT_EQ(q->MoveSpeed, 6);
  ASSERT_EQ(q->MoveRoute.GetCount(), 1);
  EXPECT_EQ(q->MoveRoute.GetItem(0)->Code, 16);
  EXPECT_EQ(q->Script.GetItem(0)->Code, 12010);
  EXPECT_EQ(q->Script.GetItem(1)->Code, 0);
}

TEST(EventRecords, ConditionWithoutHeroIdLoadsAsHeroOne) {
  TXelEventCondition c;
  // HeroId 0 is the save default, so it is left out, and what is left out reads as 1.
  c.HeroId = 0;
  EXPECT_EQ(SaveBytes(c), (Bytes{0x01, 0x01, 0x00, 0x00}));
  c.HeroId = 9;
  LoadBytes(c, {0x01, 0x01, 0x10, 0x00});
  EXPECT_EQ(c.Flags, ecHero);
  EXPECT_EQ(c.HeroId, 1);
  LoadBytes(c, {0x07, 0x01, 0x03, 0x00});
  EXPECT_EQ(c.HeroId, 3);
  // A Flags chunk of the wrong length is ignored.
  LoadBytes(c, {0x01, 0x02, 0x3F, 0x3F, 0x00});
  EXPECT_EQ(c.Flags, 0);
}

TEST(EventRecords, AnEventAlwaysKeepsAPage) {
  TXelEventItem event(1);
  // Field 5 holding an empty page list.
  LoadBytes(event, {0x05, 0x01, 0x00, 0x00});
  ASSERT_EQ(event.Pages.GetCount(), 1);
  EXPECT_EQ(SaveBytes(*event.Pages.Items(0)), NewPageBytes);
  EXPECT_EQ(SaveBytes(event), NewEventBytes());
  // A failed page load raises and still leaves one page.
  EXPECT_THROW(LoadBytes(event, {0x05, 0x03, 0x01, 0x01, 0x34}), EReadError);
  EXPECT_EQ(event.Pages.GetCount(), 1);
}

TEST(EventRecords, CheckedAccessorsRaiseTheirMessagesOutsideEditorMode) {
  TXelEvent events;
  events.GetOrCreate(3);
  try {
    events.GetItemById(4);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "An invalid event was specified");
  }
  try {
    events.GetItemById(3)->Pages.GetItem(1);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid Event Page Designed");
  }
  TApplicationTagScope editor(EditorModeTag);
  EXPECT_EQ(events.GetItemById(4), nullptr);
}

TEST(EventRecords, RecordClassesStateTheirLastFieldIdTruthfully) {
  TXelEventItem event(1);
  TXelEventPageItem page(1);
  TXelEventCondition condition;
  TXelMoveRoute route;
  ExpectNoFieldAboveLastId(event);
  ExpectNoFieldAboveLastId(page);
  ExpectNoFieldAboveLastId(condition);
  ExpectNoFieldAboveLastId(route);
}

TEST(MoveRoute, CommandsLayOutByCodeInsideTheRouteRecord) {
  TXelMoveRoute route;
  route.Add(Command(0));
  auto on = Command(mcSwitchOn);
  on->SwitchId = 12;
  route.Add(std::move(on));
  auto se = Command(mcPlaySound);
  se->SoundName = "a";
  se->Volume = 100;
  se->Tempo = 100;
  se->Balance = 50;
  route.Add(std::move(se));
  route.Repeat = false;
  route.Skippable = true;
  const Bytes commands = {0x00, 0x20, 0x0C, 0x23, 0x01, 'a', 0x64, 0x64, 0x32};
  // 0B 01 09 size | 0C 09 the commands | 15 01 00 Repeat off | 16 01 01 Skippable | end.
  Bytes expected = {0x0B, 0x01, 0x09, 0x0C, 0x09};
  expected.insert(expected.end(), commands.begin(), commands.end());
  expected.insert(expected.end(), {0x15, 0x01, 0x00, 0x16, 0x01, 0x01, 0x00});
  EXPECT_EQ(SaveBytes(route), expected);

  TXelMoveRoute back;
  LoadBytes(back, expected);
  ASSERT_EQ(back.GetCount(), 3);
  EXPECT_EQ(back.GetItem(1)->SwitchId, 12);
  EXPECT_EQ(back.GetItem(2)->SoundName, "a");
  EXPECT_EQ(back.GetItem(2)->Balance, 50);
  EXPECT_FALSE(back.Repeat);
  EXPECT_TRUE(back.Skippable);

  Bytes buffer;
  EXPECT_EQ(back.GetCommandData(buffer), 9);
  EXPECT_EQ(buffer, commands);
}

TEST(MoveRoute, ChangeGraphicAndListEditing) {
  TXelMoveRoute route;
  auto graphic = Command(mcChangeGraphic);
  graphic->GraphicName = "Hero";
  graphic->GraphicIndex = -1;
  route.Add(std::move(graphic));
  route.Insert(0, Command(8));
  route.Insert(99, Command(mcSwitchOff));
  Bytes buffer;
  route.GetCommandData(buffer);
  EXPECT_EQ(buffer, (Bytes{0x08, 0x22, 0x04, 'H', 'e', 'r', 'o', 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x21,
                           0x00}));
  route.Delete(0);
  route.Delete(5);
  EXPECT_EQ(route.GetCount(), 2);
  EXPECT_EQ(route.GetItem(0)->GraphicName, "Hero");
  EXPECT_EQ(route.GetItem(2), nullptr);

  // SetCommandData replaces every command.
  const Bytes two = {0x17, 0x29};
  route.SetCommandData(two.data(), two.size());
  ASSERT_EQ(route.GetCount(), 2);
  EXPECT_EQ(route.GetItem(0)->Code, 23);
  EXPECT_EQ(route.GetItem(1)->Code, 41);
}

TEST(MoveRoute, HostileCommandStreams) {
  TXelMoveRoute route;
  // Unknown codes carry nothing and come back as they were.
  const Bytes unknown = {0x2A, 0x81, 0x48, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F};
  route.SetCommandData(unknown.data(), unknown.size());
  ASSERT_EQ(route.GetCount(), 3);
  EXPECT_EQ(route.GetItem(1)->Code, 200);
  EXPECT_EQ(route.GetItem(2)->Code, -1);
  Bytes buffer;
  route.GetCommandData(buffer);
  EXPECT_EQ(buffer, unknown);

  // A Play SE whose name claims more bytes than are left, and one cut after its name.
  const Bytes cutName = {0x23, 0x7F, 'a'};
  EXPECT_THROW(route.SetCommandData(cutName.data(), cutName.size()), EReadError);
  const Bytes cutNumbers = {0x23, 0x01, 'a', 0x64};
  EXPECT_THROW(route.SetCommandData(cutNumbers.data(), cutNumbers.size()), EReadError);

  // The blob is parsed from its own bytes: a size field claiming more changes nothing.
  LoadBytes(route, {0x0B, 0x02, 0x81, 0x00, 0x0C, 0x01, 0x03, 0x00});
  ASSERT_EQ(route.GetCount(), 1);
  EXPECT_EQ(route.GetItem(0)->Code, 3);
  EXPECT_EQ(SaveBytes(route), (Bytes{0x0B, 0x01, 0x01, 0x0C, 0x01, 0x03, 0x00}));
}

TEST(MoveRoute, CommandNamesKeepTheirOwnSpelling) {
  std::string text;
  MoveCommandName(0, text);
  EXPECT_EQ(text, "Up");
  MoveCommandName(9, text);
  EXPECT_EQ(text, "WalkTowards Hero");
  MoveCommandName(11, text);
  EXPECT_EQ(text, "WalkForward ");
  MoveCommandName(18, text);
  EXPECT_EQ(text, "Turn Oposite Dir");
  MoveCommandName(30, text);
  EXPECT_EQ(text, "Move Freq. Up");
  MoveCommandName(36, text);
  EXPECT_EQ(text, "StartSlipThrough");
  MoveCommandName(41, text);
  EXPECT_EQ(text, "TranslucencyDown");
  text = "kept";
  MoveCommandName(42, text);
  MoveCommandName(-1, text);
  EXPECT_EQ(text, "kept");
}

} // namespace

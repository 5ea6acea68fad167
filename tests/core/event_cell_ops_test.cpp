#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/editor_mode.h"
#include "core/event_cell_ops.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "sample_records.h"

namespace {

class EventCellOps : public ::testing::Test {
protected:
  void SetUp() override {
    SetClipboardProvider(&clipboard);
    ops.SetMap(&tree, &map);
    ops.OnChange = [this] { ++changes; };
  }
  void TearDown() override { SetClipboardProvider(nullptr); }

  TXelEventItem* AddEvent(int32_t id, const std::string& name, int32_t x, int32_t y) {
    TXelEventItem* event = map.Events.GetOrCreate(id);
    event->Name = name;
    event->X = x;
    event->Y = y;
    return event;
  }
  void PlaceStart(int index, int32_t mapId, int32_t x, int32_t y) {
    tree.StartPosition.SetMapId(index, mapId);
    tree.StartPosition.SetX(index, x);
    tree.StartPosition.SetY(index, y);
  }
  std::vector<int32_t> Start(int index) const {
    return {tree.StartPosition.GetMapId(index), tree.StartPosition.GetX(index),
            tree.StartPosition.GetY(index)};
  }

  // The map editor runs in editor mode: a missing character set is no error there.
  TApplicationTagScope editor{EditorModeTag};
  TMemoryClipboard clipboard;
  TXelMapTree tree;
  TXelMap map{3};
  TEventCellOperations ops;
  int changes = 0;
};

TEST_F(EventCellOps, AnEventStandsOverAStartMarkOnTheSameCell) {
  AddEvent(2, "Door", 4, 5);
  PlaceStart(1, 3, 4, 5); // the boat, on this map
  PlaceStart(0, 9, 6, 6); // the party, on another map
  EXPECT_EQ(ops.FindAt(4, 5), 2);
  EXPECT_EQ(ops.NameAt(4, 5), "Door");
  EXPECT_EQ(ops.FindAt(6, 6), 0);

  ASSERT_TRUE(ops.DeleteAt(4, 5));
  EXPECT_EQ(map.Events.GetCount(), 0);
  EXPECT_EQ(ops.FindAt(4, 5), StartMarkBoat);
  EXPECT_EQ(ops.NameAt(4, 5), "Boat");
  // A start mark is not an event to edit.
  EXPECT_FALSE(ops.PrepareEditAt(4, 5, 7));
  EXPECT_EQ(map.Events.GetCount(), 0);

  ASSERT_TRUE(ops.DeleteAt(4, 5));
  EXPECT_EQ(Start(1), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(ops.NameAt(4, 5), "");
  EXPECT_FALSE(ops.DeleteAt(4, 5));
  EXPECT_EQ(changes, 2);
}

TEST_F(EventCellOps, NewEventsTakeTheFirstFreeIdAndPastedDefaultNamesFollowIt) {
  for (int32_t id : {1, 2, 4})
    AddEvent(id, "E", id, 0);
  std::optional<TEventEditTarget> target = ops.PrepareEditAt(8, 9, 17);
  ASSERT_TRUE(target);
  EXPECT_TRUE(target->IsNew);
  EXPECT_EQ(target->Id, 3);
  EXPECT_EQ(target->Event->Name, "EV0003");
  EXPECT_EQ(target->Event->Pages.Items(0)->GraphicIndex, 17);
  EXPECT_EQ(map.Events.GetCount(), 3); // nothing stored before the editor applies
  target->Event->Pages.Items(0)->GraphicName = "Chara1";
  ops.StoreEvent(target->Id, *target->Event);
  ASSERT_EQ(ops.FindAt(8, 9), 3);
  EXPECT_EQ(map.Events.FindById(3)->Pages.Items(0)->GraphicName, "Chara1");

  // An existing event is edited on a copy.
  target = ops.PrepareEditAt(8, 9, 0);
  ASSERT_TRUE(target);
  EXPECT_FALSE(target->IsNew);
  target->Event->Name = "Changed";
  EXPECT_EQ(map.Events.FindById(3)->Name, "EV0003");

  // Copied events pasted as id 12: a default name follows the id, others stay.
  for (int32_t id = 5; id <= 11; ++id)
    AddEvent(id, "E", id, 0);
  struct TCase {
    std::string Name, Pasted;
  };
  const TCase cases[] = {{"EV0003", "EV0012"}, {"Door", "Door"},     {"EV12", "EV12"},
                         {"", "EV0012"},       {"EV0000", "EV0000"}, {"EV00x1", "EV00x1"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    map.Events.FindById(3)->Name = c.Name;
    ASSERT_TRUE(ops.CopyAt(8, 9));
    ASSERT_TRUE(ops.PasteAt(20, 21));
    const TXelEventItem* pasted = map.Events.FindById(12);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(pasted->Name, c.Pasted);
    EXPECT_EQ(pasted->Pages.Items(0)->GraphicName, "Chara1");
    EXPECT_EQ(ops.FindAt(20, 21), 12);
    ASSERT_TRUE(ops.CutAt(20, 21));
    EXPECT_FALSE(map.Events.FindById(12));
  }
  // Paste only on an empty cell.
  EXPECT_FALSE(ops.PasteAt(8, 9));
  EXPECT_EQ(map.Events.GetCount(), 11);
}

TEST_F(EventCellOps, ThePartyStartCopiesAsItsMarkAndMovesToAnotherMap) {
  PlaceStart(0, 3, 2, 2);
  ASSERT_TRUE(ops.CopyAt(2, 2));
  // Size 3, then 60001 compressed: 3 * 128^2 + 84 * 128 + 97.
  EXPECT_EQ(ClipboardBytes(cfMapEvent), (Bytes{0x03, 0x00, 0x00, 0x00, 0x83, 0xD4, 0x61}));

  TXelMap other(7);
  other.Events.GetOrCreate(1)->X = 5;
  ops.SetMap(&tree, &other);
  EXPECT_FALSE(ops.PasteAt(5, 0)); // an event stands there
  ASSERT_TRUE(ops.PasteAt(5, 6));
  EXPECT_EQ(Start(0), (std::vector<int32_t>{7, 5, 6}));
  EXPECT_EQ(other.Events.GetCount(), 1);
  EXPECT_EQ(changes, 1);

  // Vehicle starts go on empty cells only.
  EXPECT_FALSE(ops.SetStartPosition(5, 6, 3));
  ASSERT_TRUE(ops.SetStartPosition(1, 1, 3));
  EXPECT_EQ(Start(3), (std::vector<int32_t>{7, 1, 1}));
}

TEST_F(EventCellOps, WithFiveThousandEventsNothingNewIsMade) {
  for (int32_t id = 1; id <= MaxMapEventId; ++id)
    AddEvent(id, "E", id % 100, id / 100);
  PlaceStart(0, 3, 0, 70);
  ASSERT_TRUE(ops.CopyAt(1, 0));
  const Bytes events = SaveBytes(map.Events);
  EXPECT_EQ(FreeEventId(map), 0);
  EXPECT_FALSE(ops.PrepareEditAt(0, 80, 0));
  EXPECT_FALSE(ops.PasteAt(0, 80));
  EXPECT_FALSE(ops.PrepareTeleportAt(0, 80));
  ASSERT_TRUE(ops.CopyAt(0, 70));
  EXPECT_FALSE(ops.PasteAt(0, 80)); // a start mark neither
  EXPECT_EQ(SaveBytes(map.Events), events);
  EXPECT_EQ(Start(0), (std::vector<int32_t>{3, 0, 70}));
  EXPECT_EQ(changes, 0);

  map.Events.DeleteById(4321);
  EXPECT_EQ(FreeEventId(map), 4321);
}

TEST_F(EventCellOps, HostileEventBlocksChangeNothing) {
  TXelEventItem event(1);
  event.Name = "Door";
  const Bytes good = BuildEventClip(event);
  const auto block = MakeClipboardStream;
  const Bytes hostile[] = {
      {},                                             // nothing
      {0x03, 0x00, 0x00},                             // a cut size field
      block({0x83, 0xD4, 0x65}),                      // tag 60005
      block({0x05}),                                  // tag 5
      block({0x83, 0xD4, 0x61, 0x00}),                // a start mark with a byte after it
      block({0x00}),                                  // an event tag without its record
      block(Bytes(good.begin() + 4, good.end() - 1)), // the record cut
      {0xFF, 0x00, 0x00, 0x00, 0x00},                 // a size beyond the block
      block(Bytes{0x00, 0x5A, 0x01, 0x00, 0x00}),     // a field no event has
  };
  PlaceStart(0, 3, 1, 1);
  const Bytes events = SaveBytes(map.Events);
  for (size_t i = 0; i < std::size(hostile); ++i) {
    SCOPED_TRACE(i);
    clipboard.SetData(cfMapEvent, hostile[i]);
    EXPECT_FALSE(ops.PasteAt(6, 6));
    EXPECT_EQ(SaveBytes(map.Events), events);
    EXPECT_EQ(Start(0), (std::vector<int32_t>{3, 1, 1}));
  }
  EXPECT_EQ(changes, 0);
  // The well-formed block does paste.
  clipboard.SetData(cfMapEvent, good);
  EXPECT_TRUE(ops.PasteAt(6, 6));
  EXPECT_EQ(map.Events.FindById(1)->Name, "Door");
}

TEST_F(EventCellOps, ATeleportEventErasesTeleportsAndShowsOnHeroTouch) {
  std::optional<TEventEditTarget> target = ops.PrepareTeleportAt(3, 4);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->Event->Name, "EV0001");
  TXelEventScriptList teleport;
  TXelEventScriptLine* line = teleport.Add(10810, 0);
  line->SetParamCount(3);
  line->SetParam(0, 12);
  ops.StoreTeleportEvent(*target, teleport);

  const TXelEventItem* stored = map.Events.FindById(1);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->X, 3);
  EXPECT_EQ(stored->Y, 4);
  const TXelEventPageItem& page = *stored->Pages.Items(0);
  EXPECT_EQ(page.Trigger, 1);
  std::vector<std::pair<int32_t, int32_t>> lines; // code, first parameter
  for (int i = 0; i < page.Script.GetCount(); ++i)
    lines.emplace_back(page.Script.GetItem(i)->Code, page.Script.GetItem(i)->GetParam(0));
  EXPECT_EQ(lines, (std::vector<std::pair<int32_t, int32_t>>{
                       {11010, -1}, {10810, 12}, {11020, -1}, {0, 0}}));
  EXPECT_EQ(changes, 1);
}

} // namespace

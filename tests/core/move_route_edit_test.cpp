#include <gtest/gtest.h>

#include <limits>

#include "core/move_route_edit.h"
#include "sample_records.h"

namespace {

TXelMoveRouteItem Command(int32_t code, int32_t switchId = 0) {
  TXelMoveRouteItem item;
  item.Code = code;
  item.SwitchId = switchId;
  return item;
}

TEST(MoveRouteEdit, LinesShowEachCommandThenTheEndLine) {
  TXelMoveRoute route;
  EXPECT_EQ(MoveRouteLines(route), std::vector<std::string>{"<>"});
  TXelMoveRouteItem graphic = Command(mcChangeGraphic);
  graphic.GraphicName = "Chara1";
  graphic.GraphicIndex = std::numeric_limits<int32_t>::max();
  TXelMoveRouteItem sound = Command(mcPlaySound);
  sound.SoundName = "Knock";
  for (const TXelMoveRouteItem& item : {Command(0), Command(11), Command(mcSwitchOn, 12),
                                        Command(mcSwitchOff, 3), graphic, sound, Command(99)})
    ASSERT_TRUE(InsertMoveCommand(route, route.GetCount(), item));
  EXPECT_EQ(MoveRouteLines(route),
            (std::vector<std::string>{"<>Up", "<>WalkForward ", "<>Switch [0012]-ON",
                                      "<>Switch [0003]-OFF", "<>Change Chara1-2147483648",
                                      "<>Sound Effect Knock", "<>", "<>"}));
}

TEST(MoveRouteEdit, CommandsGoBeforeTheSelectedLineAndNeverBeyondTwoHundred) {
  TXelMoveRoute route;
  TMoveRouteState state = MoveRouteState(route, 0, true);
  EXPECT_TRUE(state.AddCommand && state.Paste);
  EXPECT_FALSE(state.Delete || state.ClearAll || state.Cut || state.Copy);
  EXPECT_TRUE(CopyMoveCommand(route, 0).empty());
  EXPECT_FALSE(DeleteMoveCommand(route, 0));

  ASSERT_TRUE(InsertMoveCommand(route, 0, Command(mcSwitchOn, 12)));
  ASSERT_TRUE(InsertMoveCommand(route, 0, Command(1)));
  // Switch ON 12: size 2, code 32, switch 12.
  const std::vector<uint8_t> block = CopyMoveCommand(route, 1);
  EXPECT_EQ(block, (Bytes{0x02, 0x00, 0x00, 0x00, 0x20, 0x0C}));
  state = MoveRouteState(route, 1, false);
  EXPECT_TRUE(state.Delete && state.ClearAll && state.Cut && state.Copy);
  EXPECT_FALSE(state.Paste);

  while (route.GetCount() < MaxMoveCommands)
    ASSERT_TRUE(PasteMoveCommand(route, 2, block));
  EXPECT_EQ(route.GetItem(0)->Code, 1);
  EXPECT_EQ(route.GetItem(199)->SwitchId, 12);
  state = MoveRouteState(route, 0, true);
  EXPECT_FALSE(state.AddCommand || state.Paste);
  EXPECT_FALSE(PasteMoveCommand(route, 0, block));
  EXPECT_FALSE(InsertMoveCommand(route, 0, Command(2)));
  EXPECT_EQ(route.GetCount(), MaxMoveCommands);

  ASSERT_TRUE(DeleteMoveCommand(route, 0));
  EXPECT_EQ(route.GetItem(0)->Code, mcSwitchOn);
  // A code with no name is no move command.
  EXPECT_FALSE(PasteMoveCommand(route, 0, Bytes{0x01, 0x00, 0x00, 0x00, 0x63}));
  EXPECT_EQ(route.GetCount(), MaxMoveCommands - 1);

  route.Repeat = false;
  route.Skippable = true;
  ClearMoveCommands(route);
  EXPECT_EQ(route.GetCount(), 0);
  EXPECT_FALSE(route.Repeat);
  EXPECT_TRUE(route.Skippable);
}

} // namespace

#include "core/event_script_converter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/event_script.h"
#include "core/hero_records.h"
#include "core/switch_records.h"
#include "tests/core/converter_scene.h"

namespace {

constexpr int32_t Max = INT32_MAX;
constexpr int32_t Min = INT32_MIN;

// One line and its text at its own indent; every row is also checked at indents 1 and 3.
struct TRow {
  int32_t Code;
  int32_t Indent;
  std::string Text;
  std::vector<int32_t> Params;
  std::string Expected;
};

TXelEventScriptLine MakeLine(const TRow& row, int32_t indent) {
  TXelEventScriptLine line;
  line.Code = row.Code;
  line.Indent = indent;
  line.Text = row.Text;
  line.SetParamCount(static_cast<int32_t>(row.Params.size()));
  for (size_t i = 0; i < row.Params.size(); ++i)
    line.SetParam(static_cast<int>(i), row.Params[i]);
  return line;
}

void CheckRows(const TEventScriptConverter& converter, const std::vector<TRow>& rows) {
  for (const TRow& row : rows) {
    EXPECT_EQ(converter.Convert(MakeLine(row, row.Indent)), row.Expected) << "code " << row.Code;
    const std::string body = row.Expected.substr(2 * static_cast<size_t>(std::max(row.Indent, 0)));
    for (int32_t indent : {1, 3})
      EXPECT_EQ(converter.Convert(MakeLine(row, indent)), std::string(2 * indent, ' ') + body)
          << "code " << row.Code << " at indent " << indent;
  }
}

// A small database, a map tree with its root, a map with events 1 and 3 (event 3 being
// edited under a new name) and a group whose second member's monster is missing.
class ConverterFixture : public ::testing::Test, protected TConverterScene {
protected:
  void SetUp() override {
    database.Switches().GetOrCreate(1)->Name = "Gate";
    database.Switches().GetOrCreate(2);
    database.Variables().GetOrCreate(5)->Name = "Gold";
    database.Players().GetOrCreate(1)->Name = "Alex";
    database.Skills().GetOrCreate(1)->Name = "Heal";
    database.Items().GetOrCreate(3)->Name = "Potion";
    database.Items().GetOrCreate(7)->Name = "Ether";
    database.Monsters().GetOrCreate(1)->Name = "Slime";
    database.MonGroups().GetOrCreate(1)->Name = "Slimes";
    database.Statuses().GetOrCreate(1)->Name = "Poison";
    database.Animations().GetOrCreate(1)->Name = "Slash";
    database.ChipSets().GetOrCreate(1)->Name = "Field";
    database.CommonEvents().GetOrCreate(1)->Name = "Intro";
    tree.GetOrCreate(0)->Name = "Root";
    tree.GetOrCreate(1)->Name = "World";
    tree.GetOrCreate(12)->Name = "Cave";
    map.Events.GetOrCreate(1)->Name = "EV0001";
    map.Events.GetOrCreate(3)->Name = "Door";
    edited.Name = "Door B";
    group.Members.Append()->MonsterId = 1;
    group.Members.Append()->MonsterId = 99;
    converter.EventId = 3;
    converter.Event = &edited;
  }

  TXelEventItem edited{3};
};

// clang-format off
const std::vector<TRow> Rows = {
    {0, 0, "", {}, "<>"},
    {10, 1, "", {}, "  <>"},
    {10110, 0, "Hello ", {}, "<>Message: Hello "},
    {10110, -2, "x", {}, "<>Message: x"},
    {20110, 2, "World", {}, "    :          :World"},
    {10120, 0, "", {1, 2, 1, 1}, "<>Set Message Options: Transparent, Bottom, Safe, Continue Events."},
    {10120, 0, "", {}, "<>Set Message Options: Opaque, Top, Fixed, Wait until done."},
    {10120, 0, "", {-1, 3, -1, 2}, "<>Set Message Options: "},
    {10130, 0, "", {5, 1, 1}, "<>Select Face Graphic: None"},
    {10130, 0, "Face1", {}, "<>Select Face Graphic: Face1 1 , Left,  "},
    {10130, 0, "Face1", {15, 1, 1}, "<>Select Face Graphic: Face1 16 , Right, Flipped"},
    {10130, 0, "F", {Max, 2, 2}, "<>Select Face Graphic: F 2147483648 "},
    {10140, 0, "Yes/No", {}, "<>Show Choice:Yes/No"},
    {20140, 1, "Yes", {0}, "  :[Yes] Case"},
    {20140, 1, "No", {4}, "  :Cancel Case"},
    {20141, 0, "", {}, ":End Case"},
    {10150, 0, "", {3, 5}, "<>Input Number: Digits=3 Var[0005:Gold]"},
    {10150, 0, "", {1, 9}, "<>Input Number: Digits=1 Var[?]"},
    {10210, 0, "", {0, 2, 0, 1}, "<>Change Switch: Var[0002] Switch OFF"},
    {10210, 0, "", {1, -5, 12345, 2}, "<>Change Switch: [-0005 to 12345] Toggle Switch"},
    {10210, 0, "", {2, 4, 0, 3}, "<>Change Switch: [Var[0004]]"},
    {10210, 0, "", {3, 3, 0, -1}, "<>Change Switch: "},
    {10210, 0, "", {0, 3}, "<>Change Switch: Var[?] Switch ON"},
    {10220, 0, "", {0, 5, 0, 1, 0, 100}, "<>Change Variable: Var[0005:Gold] +  100"},
    {10220, 0, "", {1, 1, 2, 0, 1, 7}, "<>Change Variable: [0001 to 0002] =  Var[0007]"},
    {10220, 0, "", {2, 3, 0, 2, 2, 8}, "<>Change Variable: [Var[0003]] -  Var[Var[0008]]"},
    {10220, 0, "", {0, 1, 0, 3, 3, 1, 6}, "<>Change Variable: Var[0001] * Random(1 to 6)"},
    {10220, 0, "", {0, 9, 0, 4, 4, 3}, "<>Change Variable: Var[?] / Potion Hold Amount"},
    {10220, 0, "", {0, 5, 0, 5, 4, 7, 1}, "<>Change Variable: Var[0005:Gold] (Mod) Ether Equiped Amount"},
    {10220, 0, "", {0, 5, 0, 0, 4, 7, 2}, "<>Change Variable: Var[0005:Gold] = Ether"},
    {10220, 0, "", {0, 5, 0, 0, 5, 1, 0}, "<>Change Variable: Var[0005:Gold] = Alex's Level"},
    {10220, 0, "", {0, 5, 0, 0, 5, 2, 15}, "<>Change Variable: Var[0005:Gold] = ?'s "},
    {10220, 0, "", {0, 5, 0, 0, 6, 3, 0}, "<>Change Variable: Var[0005:Gold] = Door B's Map Number"},
    {10220, 0, "", {0, 5, 0, 0, 6, 2, 6}, "<>Change Variable: Var[0005:Gold] = ???" "?'s "},
    {10220, 0, "", {0, 5, 0, 0, 7, 0}, "<>Change Variable: Var[0005:Gold] = [Money]"},
    {10220, 0, "", {0, 5, 0, 0, 7, 9}, "<>Change Variable: Var[0005:Gold] = "},
    {10220, 0, "", {0, 5, 0, 0, 8, -1, 0}, "<>Change Variable: Var[0005:Gold] = Whole Group 's HP"},
    {10220, 0, "", {0, 5, 0, 0, 8, 0, 7}, "<>Change Variable: Var[0005:Gold] = 1:Slime's Agility"},
    {10220, 0, "", {0, 5, 0, 0, 8, 1, 8}, "<>Change Variable: Var[0005:Gold] = 2:?'s "},
    {10220, 0, "", {0, 5, 0, 6, 9}, "<>Change Variable: Var[0005:Gold] "},
    {10230, 0, "", {1}, "<>Timer Operation: Start"},
    {10230, 0, "", {2}, "<>Timer Operation: Stop"},
    {10230, 0, "", {0, 0, 125}, "<>Timer Operation: Set: 02:05"},
    {10230, 0, "", {0, 1, 3}, "<>Timer Operation: Set: Var[0003]"},
    {10230, 0, "", {0, 2, 3}, "<>Timer Operation: Set: "},
    {10230, 0, "", {3}, "<>Timer Operation: "},
    {10310, 0, "", {0, 0, 500}, "<>Change Money: $500 (Add)"},
    {10310, 0, "", {1, 1, 12}, "<>Change Money: $Var[0012] (Remove)"},
    {10310, 0, "", {2, 2, 1}, "<>Change Money: $"},
    {10320, 0, "", {0, 0, 3, 0, 2}, "<>Add/Drop Items: (Potion) 2 (Add)"},
    {10320, 0, "", {1, 1, 4, 1, 6}, "<>Add/Drop Items: (Var[0004]) Var[0006] (Remove)"},
    {10320, 0, "", {0, 0, 2, 0, 1}, "<>Add/Drop Items: (?) 1 (Add)"},
    {10330, 0, "", {0, 0, 1}, "<>Change Hero's Party: (Alex)  (Add)"},
    {10330, 0, "", {1, 1, 3}, "<>Change Hero's Party: (Var[0003])  (Remove)"},
    {10330, 0, "", {0, 2, 1}, "<>Change Hero's Party: ()  (Add)"},
    {10410, 0, "", {0, 0, 0, 0, 50}, "<>Change EXP: [All Members]'s EXP 50 (Add)"},
    {10410, 0, "", {2, 3, 1, 1, 2}, "<>Change EXP: Var[0003]'s EXP Var[0002] (Remove)"},
    {10410, 0, "", {3, 1, 2, 2, 1}, "<>Change EXP: 's EXP "},
    {10420, 0, "", {1, 1, 0, 0, 5}, "<>Change Level: Alex's Level 5 (Add)"},
    {10430, 0, "", {1, 1, 0, 0, 0, 10}, "<>Change Ability: (Alex's Max HP) 10 (Add)"},
    {10430, 0, "", {1, 2, 0, 6, 0, 1}, "<>Change Ability: (?'s ) 1 (Add)"},
    {10440, 0, "", {1, 1, 0, 0, 1}, "<>Change Skill: (Alex, Heal) Learn"},
    {10440, 0, "", {0, 0, 1, 1, 4}, "<>Change Skill: ([All Members], Var[0004]) Forget"},
    {10440, 0, "", {1, 1, 2, 0, 9}, "<>Change Skill: (Alex, ?) "},
    {10450, 0, "", {1, 1, 0, 0, 3}, "<>Equipment: Alex, Potion, Equip"},
    {10450, 0, "", {1, 1, 0, 1, 3}, "<>Equipment: Alex, Var[0003], Equip"},
    {10450, 0, "", {0, 0, 1, 5}, "<>Equipment: [All Members],  [All], Remove Equipment"},
    {10450, 0, "", {0, 0, 1, 6}, "<>Equipment: [All Members], , Remove Equipment"},
    {10450, 0, "", {0, 0, 2}, "<>Equipment: [All Members], "},
    {10460, 0, "", {0, 0, 1, 0, 30}, "<>Change HP: [All Members]'s HP 30 (Remove)"},
    {10470, 0, "", {1, 1, 0, 1, 2}, "<>Change MP: Alex's MP Var[0002] (Add)"},
    {10480, 0, "", {1, 1, 0, 1}, "<>Condition: (Alex) Poison (Add)"},
    {10480, 0, "", {0, 0, 1, 1}, "<>Condition: ([All Members]'s Poison (Remove)"},
    {10480, 0, "", {1, 1, 2, 4}, "<>Condition: (Alex?"},
    {10490, 0, "", {0}, "<>Full Recovery:[All Members]"},
    {10500, 0, "", {2, 7, -3}, "<>Take Damage: Var[0007], Damage(-3)"},
    {10610, 0, "Bob", {1}, "<>Change Hero Name: Alex's Name = Bob "},
    {10620, 0, "Knight", {1}, "<>Change Hero Degree: Alex's Degree =Knight "},
    {10630, 0, "Chara1", {1, 3}, "<>Change Hero Walk Graphic: (Alex) Chara1-4 "},
    {10640, 0, "Face1", {2, -1}, "<>Change Hero Face Graphic: (?) Face1-0 "},
    {10650, 0, "Ship1", {2, 0}, "<>Change Vehicle Graphic: (Airship) Ship1-1 "},
    {10650, 0, "X", {3, Max}, "<>Change Vehicle Graphic: () X-2147483648 "},
    {10660, 0, "Song1", {6}, "<>Change System Music: (Game Over) Song1 "},
    {10660, 0, "Song1", {7}, "<>Change System Music: () Song1 "},
    {10670, 0, "Sound1", {0}, "<>Change System Sound: (Cursor Movemt) Sound1 "},
    {10670, 0, "Sound1", {12}, "<>Change System Sound: () Sound1 "},
    {10680, 0, "System1", {}, "<>Change System Graphic: System1"},
    {10690, 0, "", {0, -1}, "<>Change Screen Transition: Teleport/Erase Default Transition"},
    {10690, 0, "", {1, 19}, "<>Change Screen Transition: Teleport/Show Instant"},
    {10690, 0, "", {5, 20}, "<>Change Screen Transition: Battle End/Show "},
    {10690, 0, "", {6, 1}, "<>Change Screen Transition:  Whole Random Blocks"},
    {10690, 0, "", {-1, 1}, "<>Change Screen Transition:  Random Blocks Whole"},
    {10710, 0, "Back1", {0, 1, 1, 0, 0, 1}, "<>Start Battle: Slimes Back1 First Strike"},
    {10710, 0, "Back1", {1, 5, 2, 0, 0, 2}, "<>Start Battle: Var[0005]"},
    {10710, 0, "", {0, 2}, "<>Start Battle: ?"},
    {20710, 0, "", {}, ":Victory Case"},
    {20711, 0, "", {}, ":Escape Case"},
    {20712, 0, "", {}, ":Defeat Case"},
    {20713, 0, "", {}, ":End Case"},
    {10720, 0, "", {0, 0, 0, 0, 3, 7}, "<>Call Shop: Potion Ether"},
    {10720, 0, "", {1, 0, 0, 0, 3, 9}, "<>Call Shop: (Buy Only)Potion ?"},
    {10720, 0, "", {2, 0, 0, 0, 3}, "<>Call Shop: (Sell Only)"},
    {10720, 0, "", {-1, 0, 0, 0, 7}, "<>Call Shop: Ether"},
    {10720, 0, "", {3, 0, 0, 0, 7}, "<>Call Shop: "},
    {20720, 0, "", {}, ":Successful Case"},
    {20721, 0, "", {}, ":Unsuccessful Case"},
    {20722, 0, "", {}, ":End Case"},
    {10730, 0, "", {0, 150}, "<>Call Inn: Cost=150"},
    {20730, 0, "", {}, ":Rest Case"},
    {20731, 0, "", {}, ":Cancel Case"},
    {20732, 0, "", {}, ":End Case"},
    {10740, 0, "", {1}, "<>Enter Hero Name: Alex"},
    {10810, 0, "", {12, 5, 130}, "<>Teleport: 0012:Cave (005,130)"},
    {10810, 0, "", {0, -1, 1000}, "<>Teleport: 0000:? (-001,1000)"},
    {10810, 0, "", {2}, "<>Teleport: 0002:? (000,000)"},
    {10820, 0, "", {1, 2, 3}, "<>Memorize Place:Map[0001], X[0002], Y[0003]"},
    {10830, 0, "", {1, 2, 3}, "<>Goto Memorized Place: V[0001] (V[0002],V[0003])"},
    {10840, 0, "", {}, "<>Ride Vehicle"},
    {10850, 0, "", {0, 0, 1, 10, 20}, "<>Teleport Vehicle: Boat 0001:World (010,020)"},
    {10850, 0, "", {1, 1, 4, 5, 6}, "<>Teleport Vehicle: Ship V[0004] (V[0005],V[0006])"},
    {10850, 0, "", {3, 2}, "<>Teleport Vehicle:  "},
    {10860, 0, "", {10005, 0, 7, 8}, "<>Teleport Event: This Event (007,008)"},
    {10860, 0, "", {1, 1, 2, 3}, "<>Teleport Event: EV0001 (V[0002],V[0003])"},
    {10860, 0, "", {2, 2, 1, 1}, "<>Teleport Event: ???? "},
    {10870, 0, "", {10001, 3}, "<>Swap Events: Hero Door B"},
    {10870, 0, "", {10002, 10003}, "<>Swap Events: Boat Ship"},
    {10870, 0, "", {10004, 10006}, "<>Swap Events: Airship ????"},
    {10870, 0, "", {10000, 0}, "<>Swap Events: ???? ????"},
    {10910, 0, "", {0, 3, 4, 5}, "<>Get Terrain ID: (003,004) Var[0005:Gold]"},
    {10920, 0, "", {1, 3, 4, 1}, "<>Get Event ID: (V[0003],V[0004]) Var[0001]"},
    {11010, 0, "", {-1}, "<>Erase Screen: Default Transition"},
    {11010, 0, "", {20}, "<>Erase Screen: Do Not Erase"},
    {11010, 0, "", {21}, "<>Erase Screen: "},
    {11010, 0, "", {-2}, "<>Erase Screen: "},
    {11020, 0, "", {}, "<>Show Screen: Fade-in"},
    {11020, 0, "", {19}, "<>Show Screen: Instant"},
    {11020, 0, "", {20}, "<>Show Screen: "},
    {11030, 0, "", {100, 50, 0, 100, 15, 1}, "<>Set Screen Tone: RGB(100,050,000),C(100),1.5sec (Wait)"},
    {11030, 0, "", {0, 0, 0, 0, 0, 2}, "<>Set Screen Tone: RGB(000,000,000),C(000),0.0sec"},
    {11040, 0, "", {31, 5, 0, 20, 7}, "<>Flash Screen: RGB(31,05,00),P(20),0.7s"},
    {11050, 0, "", {5, 3, 25, 1}, "<>Shake Screen: Power: 5, Speed: 3, 2.5 sec (Wait)"},
    {11060, 0, "", {0}, "<>Pan Screen: Fixed"},
    {11060, 0, "", {1}, "<>Pan Screen: Cancel Fixation"},
    {11060, 0, "", {2, 1, 4, 3, 1}, "<>Pan Screen: Rigt: 4 Chip(s), Speed:3 (Wait)"},
    {11060, 0, "", {2, 4, 4, 3}, "<>Pan Screen: : 4 Chip(s), Speed:3"},
    {11060, 0, "", {3, 0, 0, 5}, "<>Pan Screen: Return Position Speed:5"},
    {11060, 0, "", {4, 0, 0, 2}, "<>Pan Screen: Speed:2"},
    {11060, 0, "", {-1}, "<>Pan Screen: "},
    {11070, 0, "", {0, 2}, "<>Call Weather Effect: None/Off"},
    {11070, 0, "", {1}, "<>Call Weather Effect: Rain , Low"},
    {11070, 0, "", {2, 2}, "<>Call Weather Effect: Snow , High"},
    {11070, 0, "", {3, 1}, "<>Call Weather Effect:  , Medium"},
    {11070, 0, "", {1, 3}, "<>Call Weather Effect: Rain "},
    {11110, 0, "Pic1", {1, 0, 160, 120}, "<>Show Picture: ID:1 Pic1 (160,120)"},
    {11110, 0, "Pic1", {2, 1, 3, 4}, "<>Show Picture: ID:2 Pic1 (V[0003],V[0004])"},
    {11110, 0, "", {2, 2, 3, 4}, "<>Show Picture: ID:2  "},
    {11120, 0, "", {1, 0, -5, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 25, 1}, "<>Move Picture: ID:1 (-5,7), 2.5sec (Wait)"},
    {11130, 0, "", {20}, "<>Erase Picture: ID:20"},
    {11210, 0, "", {1, 10001, 1}, "<>Show Battle Animation:Slash Hero (Wait)"},
    {11210, 0, "", {2, 3}, "<>Show Battle Animation:? Door B"},
    {11310, 0, "", {0}, "<>Set Hero's Translucency: Translucent"},
    {11310, 0, "", {1}, "<>Set Hero's Translucency: Opaque"},
    {11310, 0, "", {2}, "<>Set Hero's Translucency: "},
    {11320, 0, "", {3, 0, 0, 0, 0, 12, 1}, "<>Flash Event: Door B 1.2sec (Wait)"},
    // Route bytes are the parameters' low bytes: 32 12 is Switch ON 12, 35 1 'a' 100 100
    // 50 Play SE "a", 256 is Up and 277 Face Hero; the unknown 42 adds a lone blank.
    {11330, 0, "", {1, 0, 0, 0}, "<>Move  Event: EV0001"},
    {11330, 0, "", {1, 0, 0, 0, 256, 32, 12, 35, 1, 'a', 100, 100, 50, 11, 42, 277}, "<>Move  Event: EV0001 Up Switch ON Play SE WalkForward   Face Hero"},
    // 120 characters exactly after Up: Right is cut. 119 after Left: Up still comes.
    {11330, 0, "", {10005, 0, 0, 0, 10, 10, 10, 10, 8, 0, 1}, "<>Move  Event: This Event Walk Away from Hero Walk Away from Hero Walk Away from Hero Walk " "Away from Hero Random Walk Up"},
    {11330, 0, "", {10005, 0, 0, 0, 10, 10, 10, 10, 26, 3, 0, 1}, "<>Move  Event: This Event Walk Away from Hero Walk Away from Hero Walk Away from Hero Walk " "Away from Hero Fix Dir. Left Up"},
    // A cut route: Change Graphic with a five-byte name of which one byte is there.
    {11330, 2, "", {1, 0, 0, 0, 0, 34, 5, 'a'}, "    <>Data Broken. Sorry!"},
    {11330, 1, "", {1, 0, 0, 0, 0x80}, "  <>Data Broken. Sorry!"},
    {11340, 0, "", {}, "<>Wait Until Moved"},
    {11350, 0, "", {}, "<>Stop All Movement"},
    {11410, 0, "", {15}, "<>Wait: 1.5sec"},
    {11410, 0, "", {}, "<>Wait: 0.0sec"},
    {11510, 0, "Song1", {}, "<>Play BGM: Song1"},
    {11520, 0, "", {2500}, "<>Fade-Out BGM: 2sec"},
    {11530, 0, "", {}, "<>Memorize BGM"},
    {11540, 0, "", {}, "<>Play Memorized BGM"},
    {11550, 0, "Knock", {}, "<>Play Sound Effect:Knock"},
    {11560, 0, "Movie1", {0, 10, 20, 320, 240}, "<>Play Movie: Movie1 (10,20) (320,240)"},
    {11560, 0, "Movie1", {1, 1, 2, 3, 4}, "<>Play Movie: Movie1 (V[0001],V[0002]) (3,4)"},
    {11610, 0, "", {5}, "<>Enter Password: Var[0005:Gold]"},
    {11710, 0, "", {1}, "<>Change ChipSet: Field"},
    {11710, 0, "", {2}, "<>Change ChipSet: ?"},
    {11720, 0, "Sky", {1, 1, 1, 3, 1, -2}, "<>ChangeParalx: Sky Horz Loop(+3) Vert Loop(-2)"},
    {11720, 0, "Sky", {1, 0, 0, 5}, "<>ChangeParalx: Sky Horz Loop"},
    {11720, 0, "Sky", {0, 1, 1, 5, 1}, "<>ChangeParalx: Sky Vert Loop(+0)"},
    {11720, 0, "Sky", {1, 0, 1, Min}, "<>ChangeParalx: Sky Horz Loop(-2147483648)"},
    {11720, 0, "Sky", {2, 2, 1, 1, 1, 1}, "<>ChangeParalx: Sky"},
    {11740, 0, "", {25}, "<>Encounter Rate: 25Steps"},
    {11750, 0, "", {0, 4, 143}, "<>Change Chip: Lower Chip 005 to 144"},
    {11750, 0, "", {1, -1, Max}, "<>Change Chip: Upper Chip 000 to 2147483648"},
    {11750, 0, "", {2}, "<>Change Chip: 001 to 001"},
    {11810, 0, "", {0, 12, 3, 4}, "<>Teleport Place: 0012:Cave (003,004)(Add)"},
    {11810, 0, "", {1, 1}, "<>Teleport Place: 0001:World(Remove)"},
    {11810, 0, "", {2, 1}, "<>Teleport Place: "},
    {11820, 0, "", {1}, "<>Teleporting: Enable"},
    {11820, 0, "", {2}, "<>Teleporting: "},
    {11830, 0, "", {1, 2, 3}, "<>Escape Place:     0001:World (002,003)"},
    {11840, 0, "", {0}, "<>Escaping: Disable"},
    {11910, 0, "", {}, "<>Call Save Menu"},
    {11930, 0, "", {1}, "<>Saving: Enable"},
    {11950, 0, "", {}, "<>Call System Menu"},
    {11960, 0, "", {0}, "<>Disable System Menu Disable"},
    {12010, 0, "", {0, 1, 0}, "<>If Switch(0001:Gate) is ON"},
    {12010, 0, "", {0, 2, 1}, "<>If Switch(0002) is OFF"},
    {12010, 0, "", {0, 3, 2}, "<>If Switch(?) is "},
    {12010, 0, "", {1, 5, 0, 100, 0}, "<>If Var(0005:Gold) 100"},
    {12010, 0, "", {1, 5, 1, 1, 0}, "<>If Var(0005:Gold) Var[0001] (=)"},
    {12010, 0, "", {1, 1, 0, 3, 1}, "<>If Var(0001) 3 (>=)"},
    {12010, 0, "", {1, 1, 1, 3, 2}, "<>If Var(0001) Var[0003] (<=)"},
    {12010, 0, "", {1, 1, 0, 3, 5}, "<>If Var(0001) 3 (!=)"},
    {12010, 0, "", {1, 1, 0, 3, 6}, "<>If Var(0001) 3"},
    {12010, 0, "", {1, 1, 2, 3, 0}, "<>If Var(0001) "},
    {12010, 0, "", {2, 125, 0}, "<>If Timer 02:05 (>=)"},
    {12010, 0, "", {2, 59, 1}, "<>If Timer 00:59 (<=)"},
    {12010, 0, "", {3, 1000, 1}, "<>If Money 1000 (<=)"},
    {12010, 0, "", {3, 5, 2}, "<>If Money 5"},
    {12010, 0, "", {4, 3, 0}, "<>If Potion (Have)"},
    {12010, 0, "", {4, 7, 1}, "<>If Ether (Do not have)"},
    {12010, 0, "Bob", {5, 1, 0}, "<>If Alex is in the party"},
    {12010, 0, "Bob", {5, 1, 1}, "<>If Alex Name = Bob"},
    {12010, 0, "", {5, 1, 2, 10}, "<>If Alex's Level 10 (>=)"},
    {12010, 0, "", {5, 1, 3, 50}, "<>If Alex's HP 50 (>=)"},
    {12010, 0, "", {5, 1, 4, 1}, "<>If Alex, Heal has Learned"},
    {12010, 0, "", {5, 1, 5, 3}, "<>If Alex, Potion is Equipped"},
    {12010, 0, "", {5, 1, 6, 1}, "<>If Alex, Poison is Condition"},
    {12010, 0, "", {5, 1, 7, 1}, "<>If Alex"},
    {12010, 0, "", {6, 10005, 2}, "<>If This Event, Down (Direction)"},
    {12010, 0, "", {6, 1, 4}, "<>If EV0001,  (Direction)"},
    {12010, 0, "", {7, 2}, "<>If Airship (Riding)"},
    {12010, 0, "", {7, 3}, "<>If  (Riding)"},
    {12010, 0, "", {8}, "<>If Event Started by Decision Key"},
    {12010, 0, "", {9}, "<>If Music has played once"},
    {12010, 0, "", {10}, "<>If "},
    {22010, 0, "", {}, ":Else Case"},
    {22011, 0, "", {}, ":End Case"},
    {12110, 0, "", {3}, "<>Label 3#"},
    {12120, 0, "", {3}, "<>Goto Label 3#"},
    {12210, 0, "", {}, "<>Loop"},
    {22210, 0, "", {}, ":End Loop"},
    {12220, 0, "", {}, "<>Break"},
    {12310, 0, "", {}, "<>Stop Parallel Events"},
    {12320, 0, "", {}, "<>Delete Event"},
    {12330, 0, "", {0, 1}, "<>Call Event: Intro"},
    {12330, 0, "", {0, 2}, "<>Call Event: ?"},
    {12330, 0, "", {1, 3, 2}, "<>Call Event: Door BPg [2]"},
    {12330, 0, "", {2, 4, 5}, "<>Call Event: Var[4]P[V[5]]"},
    {12330, 0, "", {3, 4, 5}, "<>Call Event: "},
    {12410, 0, "Remember", {}, "<>Note: Remember"},
    {22410, 0, "this", {}, ":          :this"},
    {12420, 0, "", {}, "<>Game Over"},
    {12510, 0, "", {}, "<>Goto Title Screen"},
    {13110, 0, "", {0, 0, 0, 10}, "<>Change Enemy's HP:  1:Slime's HP 10 (Add)"},
    {13110, 0, "", {-1, 1, 1, 3}, "<>Change Enemy's HP:  Whole Group 's HP Var[0003] (Remove)"},
    {13110, 0, "", {1, 0, 0, 5}, "<>Change Enemy's HP:  2:?'s HP 5 (Add)"},
    {13110, 0, "", {2, 2, 2, 5}, "<>Change Enemy's HP:  3:?'s HP "},
    {13120, 0, "", {0, 1, 0, 4}, "<>Change Enemy's MP:  1:Slime's MP 4 (Remove)"},
    {13130, 0, "", {0, 0, 1}, "<>Set Enemy's Condition:1:Slime) Poison (Add)"},
    {13130, 0, "", {-1, 1, 2}, "<>Set Enemy's Condition:Whole Group 's ? (Remove)"},
    {13150, 0, "", {1}, "<>Enemy Appears:  2:?"},
    {13210, 0, "Back1", {}, "<>Change Battl.BG:Back1"},
    {13260, 0, "", {1, 0, 1}, "<>Show Battle Animation:Slash 1:Slime (Wait)"},
    {13310, 0, "", {0, 1, 1}, "<>If Switch(0001:Gate) is OFF"},
    {13310, 0, "", {1, 5, 0, 7, 4}, "<>If Var(0005:Gold) 7 (<)"},
    {13310, 0, "", {2, 1}, "<>If Alex-ActionPsb"},
    {13310, 0, "", {3, 0}, "<>If 1:Slime-ActionPsb"},
    {13310, 0, "", {4, 3, 0}, "<>If "},
    {23310, 0, "", {}, ":Else Case"},
    {23311, 0, "", {}, ":End Case"},
    {13410, 0, "", {}, "<>Stop Battl"},
    {12345, 0, "", {}, "<>Do Nothing"},
    {20000, 1, "", {}, "  <>Do Nothing"},
    {-1, 0, "", {}, "<>Do Nothing"},
};

// Without a map, a tree or a group.
const std::vector<TRow> BareRows = {
    {13150, 0, "", {2}, "<>Enemy Appears:  3:?"},
    {13150, 0, "", {-1}, "<>Enemy Appears:  0:?"},
    {13150, 0, "", {Max}, "<>Enemy Appears:  2147483648:?"},
    {10810, 0, "", {1, 2, 3}, "<>Teleport: 0001:? (002,003)"},
    {10870, 0, "", {1, 10005}, "<>Swap Events: ???? This Event"},
};
// clang-format on

// Every head code, every branch and continuation code, and the two end lines.
const std::vector<int32_t> AllCodes = {
    0,     10,    10110, 10120, 10130, 10140, 10150, 10210, 10220, 10230, 10310, 10320,
    10330, 10410, 10420, 10430, 10440, 10450, 10460, 10470, 10480, 10490, 10500, 10610,
    10620, 10630, 10640, 10650, 10660, 10670, 10680, 10690, 10710, 10720, 10730, 10740,
    10810, 10820, 10830, 10840, 10850, 10860, 10870, 10910, 10920, 11010, 11020, 11030,
    11040, 11050, 11060, 11070, 11110, 11120, 11130, 11210, 11310, 11320, 11330, 11340,
    11350, 11410, 11510, 11520, 11530, 11540, 11550, 11560, 11610, 11710, 11720, 11740,
    11750, 11810, 11820, 11830, 11840, 11910, 11930, 11950, 11960, 12010, 12110, 12120,
    12210, 12220, 12310, 12320, 12330, 12410, 12420, 12510, 13110, 13120, 13130, 13150,
    13210, 13260, 13310, 13410, 20110, 20140, 20141, 20710, 20711, 20712, 20713, 20720,
    20721, 20722, 20730, 20731, 20732, 22010, 22011, 22210, 22410, 23310, 23311};

} // namespace

TEST_F(ConverterFixture, EveryCodeShowsItsText) {
  CheckRows(converter, Rows);
  CheckRows(TEventScriptConverter(), BareRows);
}

TEST(ConverterTable, CoversEveryCode) {
  ASSERT_EQ(AllCodes.size(), 98u + 19u + 2u);
  std::set<int32_t> covered;
  for (const TRow& row : Rows)
    covered.insert(row.Code);
  for (int32_t code : AllCodes)
    EXPECT_TRUE(covered.count(code)) << "no row for code " << code;
}

TEST(ConverterTable, LookupsOutsideTheirRanges) {
  EXPECT_EQ(EraseTransitionName(-1), "Default Transition");
  EXPECT_EQ(EraseTransitionName(21), "");
  EXPECT_EQ(ShowTransitionName(-2), "");
  TEventScriptConverter bare;
  EXPECT_EQ(bare.MapNameById(1), "?");
  EXPECT_EQ(bare.EventNameById(10005), "This Event");
  EXPECT_EQ(bare.EventNameById(1), "????");
  EXPECT_EQ(bare.EnemyNameByIndex(Min), "-2147483647:?");
}

TEST(ConverterTable, AHostileIndentationShowsTheTextAtTheDeepestShownLevel) {
  TXelEventScriptLine line;
  line.Code = 12210;
  const TEventScriptConverter converter;
  for (int32_t indent : {MaxShownIndent, MaxShownIndent + 1, Max}) {
    line.Indent = indent;
    bool broken = true;
    EXPECT_EQ(converter.Convert(line, &broken), std::string(2 * MaxShownIndent, ' ') + "<>Loop");
    EXPECT_FALSE(broken) << indent;
  }
}

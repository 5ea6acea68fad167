#include "core/event_script_converter.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/database_names.h"
#include "core/event_script.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/monster_records.h"
#include "core/move_route.h"
#include "core/stream.h"

namespace {

using std::string_view;

// Value-to-piece mappings, indexed from 0 unless said otherwise. A value outside a
// mapping adds nothing.
constexpr string_view AddRemoveNames[] = {" (Add)", " (Remove)"};
constexpr string_view VehicleNames[] = {"Boat", "Ship", "Airship"};
constexpr string_view DirectionNames[] = {"Up", "Rigt", "Down", "Left"};
constexpr string_view ToggleNames[] = {"Disable", "Enable"};
constexpr string_view WaitNames[] = {"", " (Wait)"};
constexpr string_view CompareNames[] = {" (>=)", " (<=)"};
constexpr string_view OfTargetNames[] = {") ", "'s "};

constexpr string_view MessageOpacities[] = {"Opaque,", "Transparent,"};
constexpr string_view MessagePlaces[] = {" Top,", " Middle,", " Bottom,"};
constexpr string_view MessagePlacings[] = {" Fixed,", " Safe,"};
constexpr string_view MessageWaits[] = {" Wait until done.", " Continue Events."};
constexpr string_view FaceSides[] = {", Left, ", ", Right, "};
constexpr string_view FaceFlips[] = {" ", "Flipped"};
constexpr string_view SwitchOperations[] = {" Switch ON", " Switch OFF", " Toggle Switch"};
constexpr string_view VariableOperations[] = {" =", " +", " -", " *", " /", " (Mod)"};
constexpr string_view Abilities[] = {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"};
constexpr string_view LearnForget[] = {"Learn", "Forget"};
constexpr string_view EquipmentKinds[] = {"Weapons", "Shields",     "Armor",
                                          "Helmets", "Accessories", " [All]"};
constexpr string_view SystemMusics[] = {"Battle", "Battle End", "Inn",      "Boat",
                                        "Ship",   "Airship",    "Game Over"};
constexpr string_view SystemSounds[] = {"Cursor Movemt", "Decision", "Cancel",       "Buzzer",
                                        "Battle Start",  "Run Away", "Enemy Attack", "Enemy Damage",
                                        "Ally Damage",   "Evade",    "Enemy Death",  "Item Use"};
constexpr string_view TransitionKinds[] = {"Teleport/Erase",     "Teleport/Show",
                                           "Battle Start/Erase", "Battle Start/Show",
                                           "Battle End/Erase",   "Battle End/Show"};
constexpr string_view ShopKinds[] = {"", "(Buy Only)", "(Sell Only)"};
constexpr string_view PanKinds[] = {"Fixed", "Cancel Fixation", "", "Return Position "};
constexpr string_view Weathers[] = {"None/Off", "Rain", "Snow"};
constexpr string_view WeatherStrengths[] = {", Low", ", Medium", ", High"};
constexpr string_view Translucencies[] = {"Translucent", "Opaque"};
constexpr string_view ChipLayers[] = {"Lower Chip ", "Upper Chip "};

// The operand of a variable change (10220) by its kind.
constexpr string_view HoldKinds[] = {" Hold Amount", " Equiped Amount"};
constexpr string_view HeroValues[] = {"Level",   "EXP",     "HP",      "MP",      "Max HP",
                                      "Max MP",  "Attack",  "Defense", "Mind",    "Agility",
                                      "Weapon#", "Shield#", "Armor#",  "Helmet#", "Accessory#"};
constexpr string_view EventValues[] = {"Map Number", "X Pos.",   "Y Pos.",
                                       "Facing",     "Screen X", "Screen Y"};
constexpr string_view OtherValues[] = {
    "[Money]", "Timer Time Remaining",  "Size of Party", "Saves", "Battles", "Victories", "Defeats",
    "Escapes", "MIDI Play Pos. (Ticks)"};
constexpr string_view EnemyValues[] = {"HP",     "MP",      "Max HP", "Max MP",
                                       "Attack", "Defense", "Mind",   "Agility"};

// Conditions of a conditional branch (12010, 13310).
constexpr string_view OnOff[] = {"ON", "OFF"};
constexpr string_view VariableCompares[] = {" (=)", " (>=)", " (<=)", " (>)", " (<)", " (!=)"};
constexpr string_view HaveNames[] = {" (Have)", " (Do not have)"};

// From -1 (the default transition) on.
// clang-format off
constexpr string_view EraseTransitions[] = {
    "Default Transition", "Fade-Out", "Whole Random Blocks", "Random Blocks Up",
    "Random Blocks Down", "Blind Close", "Hi-Low Stripe", "Left-Right Stripe", "Outside-Inside",
    "Inside-Outside", "Scroll Up", "Scroll Down", "Scroll Left", "Scroll Right", "Hi-LowDiv",
    "Left-Right Div", "HiLow,LfRt Div", "Zoom In", "Mosaic", "Roster Scroll", "Instant Erase",
    "Do Not Erase"};
constexpr string_view ShowTransitions[] = {
    "Default Transition", "Fade-in", "Random Blocks Whole", "Random Blocks Up",
    "Random Blocks Down", "Blind Open", "Up-Down Stripe", "Left-Right Stripe", "Outside-Center",
    "Center-Outside", "Scroll Down", "Scroll Up", "Scroll Right", "Empty LeftScroll",
    "VerticalComb", "HorisontComb", "Hi-Low ContrFrom", "Zoom Out", "Mosaic", "Roster Scroll",
    "Instant"};
// clang-format on
constexpr int64_t FirstTransition = -1;

// What the event lists call the hero, the vehicles and the running event, from 10001 on.
constexpr string_view FixedEventNames[] = {"Hero", "Boat", "Ship", "Airship", "This Event"};
constexpr int64_t FirstFixedEvent = 10001;

// A move route summary stops after the command that brings the text to this length.
constexpr size_t RouteCutLength = 120;
// The route bytes of a 11330 line start at this parameter, like a shop's goods.
constexpr int FirstListParam = 4;

// Lookups take 64-bit values so that arithmetic on parameters cannot overflow.
template <size_t N>
string_view PickName(const string_view (&names)[N], int64_t value, int64_t first = 0) {
  const int64_t k = value - first;
  return k >= 0 && k < static_cast<int64_t>(N) ? names[k] : string_view();
}

using TNameById = std::string (*)(int32_t id);

// Appends the pieces of one line's text. Values are 64-bit, so P0+1 and the absolute
// value of any parameter show exactly.
class TWriter {
public:
  // Out holds the line's indentation so far.
  TWriter(const TEventScriptConverter& converter, const TXelEventScriptLine& line, std::string& out)
      : converter_(converter), line_(line), out_(out), start_(out.size()) {}

  // Parameters beyond the count read 0.
  int64_t P(int index) const { return line_.GetParam(index); }

  TWriter& Put(string_view piece) {
    out_ += piece;
    return *this;
  }
  TWriter& Text() { return Put(line_.Text); }
  bool HasText() const { return !line_.Text.empty(); }
  // "%.Nd": at least Digits digits after the sign.
  TWriter& Dec(int64_t value, int digits = 0) {
    char buffer[24];
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const auto end = std::to_chars(buffer, std::end(buffer), magnitude).ptr;
    if (value < 0) out_ += '-';
    if (end - buffer < digits) out_.append(static_cast<size_t>(digits - (end - buffer)), '0');
    out_.append(buffer, end);
    return *this;
  }
  template <size_t N>
  TWriter& Pick(const string_view (&names)[N], int64_t value, int64_t first = 0) {
    return Put(PickName(names, value, first));
  }
  TWriter& Name(TNameById name, int64_t id) { return Put(name(static_cast<int32_t>(id))); }
  TWriter& Event(int64_t id) { return Put(converter_.EventNameById(static_cast<int32_t>(id))); }
  TWriter& Enemy(int64_t index) {
    return Put(converter_.EnemyNameByIndex(static_cast<int32_t>(index)));
  }
  TWriter& MapName(int64_t id) { return Put(converter_.MapNameById(static_cast<int32_t>(id))); }

  // "Var[%.4d]": a variable by its number.
  TWriter& VarRef(int64_t id) { return Put("Var[").Dec(id, 4).Put("]"); }
  // "Var[%s]" of a switch or variable caption.
  TWriter& VarCaption(TNameById caption, int64_t id) {
    return Put("Var[").Name(caption, id).Put("]");
  }
  // A name from a table, or the variable that holds the id.
  TWriter& NameOrVar(int64_t kind, TNameById name, int64_t id) {
    if (kind == 0) return Name(name, id);
    return kind == 1 ? VarRef(id) : *this;
  }
  TWriter& Hero(int64_t kind, int64_t id) {
    if (kind == 0) return Put("[All Members]");
    if (kind == 1) return Name(HeroNameById, id);
    return kind == 2 ? VarRef(id) : *this;
  }
  TWriter& Operand(int64_t kind, int64_t value) {
    if (kind == 0) return Dec(value);
    return kind == 1 ? VarRef(value) : *this;
  }
  TWriter& AddRemove(int64_t value) { return Pick(AddRemoveNames, value); }
  TWriter& Wait(int64_t value) { return Pick(WaitNames, value); }
  // The target of a switch or variable change.
  TWriter& Range(int64_t kind, int64_t first, int64_t last, TNameById caption) {
    if (kind == 0) return VarCaption(caption, first);
    if (kind == 1) return Put("[").Dec(first, 4).Put(" to ").Dec(last, 4).Put("]");
    return kind == 2 ? Put("[").VarRef(first).Put("]") : *this;
  }
  // Cell co-ordinates in Digits digits, or the variables that hold them.
  TWriter& Cell(int64_t kind, int64_t x, int64_t y, int digits = 3) {
    if (kind == 0) return Put("(").Dec(x, digits).Put(",").Dec(y, digits).Put(")");
    return kind == 1 ? Put("(V[").Dec(x, 4).Put("],V[").Dec(y, 4).Put("])") : *this;
  }
  TWriter& Point(int64_t kind, int64_t x, int64_t y) { return Cell(kind, x, y, 0); }
  TWriter& MapPlace(int64_t map, int64_t x, int64_t y) {
    return Dec(map, 4).Put(":").MapName(map).Put(" ").Cell(0, x, y);
  }
  TWriter& VarPlace(int64_t map, int64_t x, int64_t y) {
    return Put("V[").Dec(map, 4).Put("] ").Cell(1, x, y);
  }
  // A time in tenths of a second, "%d.%d" and the unit.
  TWriter& Tenths(int64_t tenths, string_view unit = "sec") {
    return Dec(tenths / 10).Put(".").Dec(tenths % 10).Put(unit);
  }
  // Seconds as "%.2d:%.2d" minutes and seconds.
  TWriter& MinutesSeconds(int64_t seconds) {
    return Dec(seconds / 60, 2).Put(":").Dec(seconds % 60, 2);
  }
  // A panorama's scroll speed: "(+3)" or "(-3)".
  TWriter& Speed(int64_t value) {
    return Put(value >= 0 ? "(+" : "(-").Dec(value < 0 ? -value : value).Put(")");
  }

  // Experience, level, HP and MP of heroes; HP and MP of enemies.
  TWriter& HeroChange(string_view what) {
    return Hero(P(0), P(1)).Put(what).Operand(P(3), P(4)).AddRemove(P(2));
  }
  TWriter& EnemyChange(string_view what) {
    return Enemy(P(0)).Put(what).Operand(P(2), P(3)).AddRemove(P(1));
  }
  // The file and index of a walk, face or vehicle graphic, after its subject.
  TWriter& Graphic() { return Put(") ").Text().Put("-").Dec(P(1) + 1).Put(" "); }
  // The blank after the operator is the command's own; a constant brings one more.
  TWriter& VariableOperand(int64_t kind, int64_t value, int64_t detail) {
    switch (kind) {
    case 0:
      return Put(" ").Dec(value);
    case 1:
      return Put(" ").VarRef(value);
    case 2:
      return Put(" Var[").VarRef(value).Put("]");
    case 3:
      return Put("Random(").Dec(value).Put(" to ").Dec(detail).Put(")");
    case 4:
      return Name(ItemNameById, value).Pick(HoldKinds, detail);
    case 5:
      return Name(HeroNameById, value).Put("'s ").Pick(HeroValues, detail);
    case 6:
      return Event(value).Put("'s ").Pick(EventValues, detail);
    case 7:
      return Pick(OtherValues, value);
    case 8:
      return Enemy(value).Put("'s ").Pick(EnemyValues, detail);
    default:
      return *this;
    }
  }
  // The condition of a conditional branch, from its four parameters after the kind.
  TWriter& Condition(int64_t kind, int64_t a, int64_t b, int64_t c, int64_t d) {
    switch (kind) {
    case 0:
      return Put("Switch(").Name(SwitchNameById, a).Put(") is ").Pick(OnOff, b);
    case 1:
      Put("Var(").Name(VariableNameById, a).Put(") ").Operand(b, c);
      // Equality is shown only against a variable.
      return d != 0 || b == 1 ? Pick(VariableCompares, d) : *this;
    case 2:
      return Put("Timer ").MinutesSeconds(a).Pick(CompareNames, b);
    case 3:
      return Put("Money ").Dec(a).Pick(CompareNames, b);
    case 4:
      return Name(ItemNameById, a).Pick(HaveNames, b);
    case 5:
      return Name(HeroNameById, a).HeroCondition(b, c);
    case 6:
      return Event(a).Put(", ").Pick(DirectionNames, b).Put(" (Direction)");
    case 7:
      return Pick(VehicleNames, a).Put(" (Riding)");
    case 8:
      return Put("Event Started by Decision Key");
    case 9:
      return Put("Music has played once");
    default:
      return *this;
    }
  }
  TWriter& HeroCondition(int64_t kind, int64_t value) {
    switch (kind) {
    case 0:
      return Put(" is in the party");
    case 1:
      return Put(" Name = ").Text();
    case 2:
      return Put("'s Level ").Dec(value).Put(" (>=)");
    case 3:
      return Put("'s HP ").Dec(value).Put(" (>=)");
    case 4:
      return Put(", ").Name(SkillNameById, value).Put(" has Learned");
    case 5:
      return Put(", ").Name(ItemNameById, value).Put(" is Equipped");
    case 6:
      return Put(", ").Name(ConditionNameById, value).Put(" is Condition");
    default:
      return *this;
    }
  }
  // A shop's goods: the names of the items from the fifth parameter on.
  TWriter& Goods() {
    for (int i = FirstListParam; i < line_.ParamCount(); ++i) {
      if (i > FirstListParam) Put(" ");
      Name(ItemNameById, P(i));
    }
    return *this;
  }
  // The names of a move route's commands, whose stream bytes are the low bytes of the
  // parameters from the fifth on. A cut command raises, which shows the line broken.
  TWriter& Route() {
    std::vector<uint8_t> bytes;
    for (int i = FirstListParam; i < line_.ParamCount(); ++i)
      bytes.push_back(static_cast<uint8_t>(P(i)));
    TMemoryStream stream(std::move(bytes));
    TXelMoveRouteItem command;
    std::string name;
    while (stream.GetPosition() < stream.GetSize() && out_.size() - start_ < RouteCutLength) {
      command.LoadFromStream(stream);
      name.clear();
      MoveCommandName(command.Code, name);
      Put(" ").Put(name);
    }
    return *this;
  }

private:
  const TEventScriptConverter& converter_;
  const TXelEventScriptLine& line_;
  std::string& out_;
  // Where the text begins after the indentation.
  size_t start_;
};

// The text of one code: its fixed heading, then whatever its parameters add.
struct TCommandText {
  int32_t Code;
  string_view Head;
  void (*Rest)(TWriter& w) = nullptr;
};

constexpr TCommandText CommandTexts[] = {
    {0, "<>"},
    {10, "<>"},
    {10110, "<>Message: ", [](TWriter& w) { w.Text(); }},
    {10120, "<>Set Message Options: ",
     [](TWriter& w) {
       w.Pick(MessageOpacities, w.P(0)).Pick(MessagePlaces, w.P(1));
       w.Pick(MessagePlacings, w.P(2)).Pick(MessageWaits, w.P(3));
     }},
    {10130, "<>Select Face Graphic: ",
     [](TWriter& w) {
       if (!w.HasText()) {
         w.Put("None");
         return;
       }
       w.Text().Put(" ").Dec(w.P(0) + 1).Put(" ");
       w.Pick(FaceSides, w.P(1)).Pick(FaceFlips, w.P(2));
     }},
    {10140, "<>Show Choice:", [](TWriter& w) { w.Text(); }},
    {10150, "<>Input Number: Digits=",
     [](TWriter& w) { w.Dec(w.P(0)).Put(" ").VarCaption(VariableNameById, w.P(1)); }},
    {10210, "<>Change Switch: ",
     [](TWriter& w) {
       w.Range(w.P(0), w.P(1), w.P(2), SwitchNameById).Pick(SwitchOperations, w.P(3));
     }},
    {10220, "<>Change Variable: ",
     [](TWriter& w) {
       w.Range(w.P(0), w.P(1), w.P(2), VariableNameById).Pick(VariableOperations, w.P(3));
       w.Put(" ").VariableOperand(w.P(4), w.P(5), w.P(6));
     }},
    {10230, "<>Timer Operation: ",
     [](TWriter& w) {
       if (w.P(0) == 1) w.Put("Start");
       if (w.P(0) == 2) w.Put("Stop");
       if (w.P(0) != 0) return;
       w.Put("Set: ");
       if (w.P(1) == 0) w.MinutesSeconds(w.P(2));
       if (w.P(1) == 1) w.VarRef(w.P(2));
     }},
    {10310, "<>Change Money: $", [](TWriter& w) { w.Operand(w.P(1), w.P(2)).AddRemove(w.P(0)); }},
    {10320, "<>Add/Drop Items: (",
     [](TWriter& w) {
       w.NameOrVar(w.P(1), ItemNameById, w.P(2)).Put(") ");
       w.Operand(w.P(3), w.P(4)).AddRemove(w.P(0));
     }},
    {10330, "<>Change Hero's Party: (",
     [](TWriter& w) { w.NameOrVar(w.P(1), HeroNameById, w.P(2)).Put(") ").AddRemove(w.P(0)); }},
    {10410, "<>Change EXP: ", [](TWriter& w) { w.HeroChange("'s EXP "); }},
    {10420, "<>Change Level: ", [](TWriter& w) { w.HeroChange("'s Level "); }},
    {10430, "<>Change Ability: (",
     [](TWriter& w) {
       w.Hero(w.P(0), w.P(1)).Put("'s ").Pick(Abilities, w.P(3)).Put(") ");
       w.Operand(w.P(4), w.P(5)).AddRemove(w.P(2));
     }},
    {10440, "<>Change Skill: (",
     [](TWriter& w) {
       w.Hero(w.P(0), w.P(1)).Put(", ").NameOrVar(w.P(3), SkillNameById, w.P(4)).Put(") ");
       w.Pick(LearnForget, w.P(2));
     }},
    {10450, "<>Equipment: ",
     [](TWriter& w) {
       w.Hero(w.P(0), w.P(1)).Put(", ");
       if (w.P(2) == 0) w.NameOrVar(w.P(3), ItemNameById, w.P(4)).Put(", Equip");
       if (w.P(2) == 1) w.Pick(EquipmentKinds, w.P(3)).Put(", Remove Equipment");
     }},
    {10460, "<>Change HP: ", [](TWriter& w) { w.HeroChange("'s HP "); }},
    {10470, "<>Change MP: ", [](TWriter& w) { w.HeroChange("'s MP "); }},
    {10480, "<>Condition: (",
     [](TWriter& w) {
       w.Hero(w.P(0), w.P(1)).Pick(OfTargetNames, w.P(2));
       w.Name(ConditionNameById, w.P(3)).AddRemove(w.P(2));
     }},
    {10490, "<>Full Recovery:", [](TWriter& w) { w.Hero(w.P(0), w.P(1)); }},
    {10500, "<>Take Damage: ",
     [](TWriter& w) { w.Hero(w.P(0), w.P(1)).Put(", Damage(").Dec(w.P(2)).Put(")"); }},
    {10610, "<>Change Hero Name: ",
     [](TWriter& w) { w.Name(HeroNameById, w.P(0)).Put("'s Name = ").Text().Put(" "); }},
    {10620, "<>Change Hero Degree: ",
     [](TWriter& w) { w.Name(HeroNameById, w.P(0)).Put("'s Degree =").Text().Put(" "); }},
    {10630, "<>Change Hero Walk Graphic: (",
     [](TWriter& w) { w.Name(HeroNameById, w.P(0)).Graphic(); }},
    {10640, "<>Change Hero Face Graphic: (",
     [](TWriter& w) { w.Name(HeroNameById, w.P(0)).Graphic(); }},
    {10650, "<>Change Vehicle Graphic: (",
     [](TWriter& w) { w.Pick(VehicleNames, w.P(0)).Graphic(); }},
    {10660, "<>Change System Music: (",
     [](TWriter& w) { w.Pick(SystemMusics, w.P(0)).Put(") ").Text().Put(" "); }},
    {10670, "<>Change System Sound: (",
     [](TWriter& w) { w.Pick(SystemSounds, w.P(0)).Put(") ").Text().Put(" "); }},
    {10680, "<>Change System Graphic: ", [](TWriter& w) { w.Text(); }},
    {10690, "<>Change Screen Transition: ",
     [](TWriter& w) {
       w.Pick(TransitionKinds, w.P(0)).Put(" ");
       if (w.P(0) % 2 == 0)
         w.Pick(EraseTransitions, w.P(1), FirstTransition);
       else
         w.Pick(ShowTransitions, w.P(1), FirstTransition);
     }},
    {10710, "<>Start Battle: ",
     [](TWriter& w) {
       w.NameOrVar(w.P(0), MonsterGroupNameById, w.P(1));
       if (w.P(2) == 1) w.Put(" ").Text();
       if (w.P(5) == 1) w.Put(" First Strike");
     }},
    {10720, "<>Call Shop: ",
     [](TWriter& w) {
       w.Pick(ShopKinds, w.P(0));
       if (w.P(0) < 2) w.Goods();
     }},
    {10730, "<>Call Inn: Cost=", [](TWriter& w) { w.Dec(w.P(1)); }},
    {10740, "<>Enter Hero Name: ", [](TWriter& w) { w.Name(HeroNameById, w.P(0)); }},
    {10810, "<>Teleport: ", [](TWriter& w) { w.MapPlace(w.P(0), w.P(1), w.P(2)); }},
    {10820, "<>Memorize Place:Map[",
     [](TWriter& w) {
       w.Dec(w.P(0), 4).Put("], X[").Dec(w.P(1), 4).Put("], Y[").Dec(w.P(2), 4).Put("]");
     }},
    {10830, "<>Goto Memorized Place: ", [](TWriter& w) { w.VarPlace(w.P(0), w.P(1), w.P(2)); }},
    {10840, "<>Ride Vehicle"},
    {10850, "<>Teleport Vehicle: ",
     [](TWriter& w) {
       w.Pick(VehicleNames, w.P(0)).Put(" ");
       if (w.P(1) == 0) w.MapPlace(w.P(2), w.P(3), w.P(4));
       if (w.P(1) == 1) w.VarPlace(w.P(2), w.P(3), w.P(4));
     }},
    {10860, "<>Teleport Event: ",
     [](TWriter& w) { w.Event(w.P(0)).Put(" ").Cell(w.P(1), w.P(2), w.P(3)); }},
    {10870, "<>Swap Events: ", [](TWriter& w) { w.Event(w.P(0)).Put(" ").Event(w.P(1)); }},
    {10910, "<>Get Terrain ID: ",
     [](TWriter& w) {
       w.Cell(w.P(0), w.P(1), w.P(2)).Put(" ").VarCaption(VariableNameById, w.P(3));
     }},
    {10920, "<>Get Event ID: ",
     [](TWriter& w) {
       w.Cell(w.P(0), w.P(1), w.P(2)).Put(" ").VarCaption(VariableNameById, w.P(3));
     }},
    {11010,
     "<>Erase Screen: ", [](TWriter& w) { w.Pick(EraseTransitions, w.P(0), FirstTransition); }},
    {11020,
     "<>Show Screen: ", [](TWriter& w) { w.Pick(ShowTransitions, w.P(0), FirstTransition); }},
    {11030, "<>Set Screen Tone: RGB(",
     [](TWriter& w) {
       w.Dec(w.P(0), 3).Put(",").Dec(w.P(1), 3).Put(",").Dec(w.P(2), 3).Put("),C(");
       w.Dec(w.P(3), 3).Put("),").Tenths(w.P(4)).Wait(w.P(5));
     }},
    {11040, "<>Flash Screen: RGB(",
     [](TWriter& w) {
       w.Dec(w.P(0), 2).Put(",").Dec(w.P(1), 2).Put(",").Dec(w.P(2), 2).Put("),P(");
       w.Dec(w.P(3), 2).Put("),").Tenths(w.P(4), "s").Wait(w.P(5));
     }},
    {11050, "<>Shake Screen: Power: ",
     [](TWriter& w) {
       w.Dec(w.P(0)).Put(", Speed: ").Dec(w.P(1)).Put(", ").Tenths(w.P(2), " sec").Wait(w.P(3));
     }},
    {11060, "<>Pan Screen: ",
     [](TWriter& w) {
       w.Pick(PanKinds, w.P(0));
       if (w.P(0) == 2) w.Pick(DirectionNames, w.P(1)).Put(": ").Dec(w.P(2)).Put(" Chip(s), ");
       if (w.P(0) >= 2) w.Put("Speed:").Dec(w.P(3)).Wait(w.P(4));
     }},
    {11070, "<>Call Weather Effect: ",
     [](TWriter& w) {
       w.Pick(Weathers, w.P(0));
       if (w.P(0) >= 1) w.Put(" ").Pick(WeatherStrengths, w.P(1));
     }},
    {11110, "<>Show Picture: ID:",
     [](TWriter& w) { w.Dec(w.P(0)).Put(" ").Text().Put(" ").Point(w.P(1), w.P(2), w.P(3)); }},
    {11120, "<>Move Picture: ID:",
     [](TWriter& w) {
       w.Dec(w.P(0)).Put(" ").Point(w.P(1), w.P(2), w.P(3)).Put(", ");
       w.Tenths(w.P(14)).Wait(w.P(15));
     }},
    {11130, "<>Erase Picture: ID:", [](TWriter& w) { w.Dec(w.P(0)); }},
    {11210, "<>Show Battle Animation:",
     [](TWriter& w) { w.Name(AnimationNameById, w.P(0)).Put(" ").Event(w.P(1)).Wait(w.P(2)); }},
    {11310, "<>Set Hero's Translucency: ", [](TWriter& w) { w.Pick(Translucencies, w.P(0)); }},
    {11320,
     "<>Flash Event: ", [](TWriter& w) { w.Event(w.P(0)).Put(" ").Tenths(w.P(5)).Wait(w.P(6)); }},
    {11330, "<>Move  Event: ", [](TWriter& w) { w.Event(w.P(0)).Route(); }},
    {11340, "<>Wait Until Moved"},
    {11350, "<>Stop All Movement"},
    {11410, "<>Wait: ", [](TWriter& w) { w.Tenths(w.P(0)); }},
    {11510, "<>Play BGM: ", [](TWriter& w) { w.Text(); }},
    {11520, "<>Fade-Out BGM: ", [](TWriter& w) { w.Dec(w.P(0) / 1000).Put("sec"); }},
    {11530, "<>Memorize BGM"},
    {11540, "<>Play Memorized BGM"},
    {11550, "<>Play Sound Effect:", [](TWriter& w) { w.Text(); }},
    {11560, "<>Play Movie: ",
     [](TWriter& w) {
       w.Text().Put(" ").Point(w.P(0), w.P(1), w.P(2)).Put(" ").Point(0, w.P(3), w.P(4));
     }},
    {11610, "<>Enter Password: ", [](TWriter& w) { w.VarCaption(VariableNameById, w.P(0)); }},
    {11710, "<>Change ChipSet: ", [](TWriter& w) { w.Name(ChipSetNameById, w.P(0)); }},
    {11720, "<>ChangeParalx: ",
     [](TWriter& w) {
       w.Text();
       if (w.P(0) == 1) w.Put(" Horz Loop");
       if (w.P(0) == 1 && w.P(2) == 1) w.Speed(w.P(3));
       if (w.P(1) == 1) w.Put(" Vert Loop");
       if (w.P(1) == 1 && w.P(4) == 1) w.Speed(w.P(5));
     }},
    {11740, "<>Encounter Rate: ", [](TWriter& w) { w.Dec(w.P(0)).Put("Steps"); }},
    {11750, "<>Change Chip: ",
     [](TWriter& w) {
       w.Pick(ChipLayers, w.P(0)).Dec(w.P(1) + 1, 3).Put(" to ").Dec(w.P(2) + 1, 3);
     }},
    {11810, "<>Teleport Place: ",
     [](TWriter& w) {
       if (w.P(0) == 0) w.MapPlace(w.P(1), w.P(2), w.P(3)).Put("(Add)");
       if (w.P(0) == 1) w.Dec(w.P(1), 4).Put(":").MapName(w.P(1)).Put("(Remove)");
     }},
    {11820, "<>Teleporting: ", [](TWriter& w) { w.Pick(ToggleNames, w.P(0)); }},
    {11830, "<>Escape Place:     ", [](TWriter& w) { w.MapPlace(w.P(0), w.P(1), w.P(2)); }},
    {11840, "<>Escaping: ", [](TWriter& w) { w.Pick(ToggleNames, w.P(0)); }},
    {11910, "<>Call Save Menu"},
    {11930, "<>Saving: ", [](TWriter& w) { w.Pick(ToggleNames, w.P(0)); }},
    {11950, "<>Call System Menu"},
    {11960, "<>Disable System Menu ", [](TWriter& w) { w.Pick(ToggleNames, w.P(0)); }},
    {12010, "<>If ", [](TWriter& w) { w.Condition(w.P(0), w.P(1), w.P(2), w.P(3), w.P(4)); }},
    {12110, "<>Label ", [](TWriter& w) { w.Dec(w.P(0)).Put("#"); }},
    {12120, "<>Goto Label ", [](TWriter& w) { w.Dec(w.P(0)).Put("#"); }},
    {12210, "<>Loop"},
    {12220, "<>Break"},
    {12310, "<>Stop Parallel Events"},
    {12320, "<>Delete Event"},
    {12330, "<>Call Event: ",
     [](TWriter& w) {
       if (w.P(0) == 0) w.Name(CommonEventNameById, w.P(1));
       if (w.P(0) == 1) w.Event(w.P(1)).Put("Pg [").Dec(w.P(2)).Put("]");
       if (w.P(0) == 2) w.Put("Var[").Dec(w.P(1)).Put("]P[V[").Dec(w.P(2)).Put("]]");
     }},
    {12410, "<>Note: ", [](TWriter& w) { w.Text(); }},
    {12420, "<>Game Over"},
    {12510, "<>Goto Title Screen"},
    {13110, "<>Change Enemy's HP:  ", [](TWriter& w) { w.EnemyChange("'s HP "); }},
    {13120, "<>Change Enemy's MP:  ", [](TWriter& w) { w.EnemyChange("'s MP "); }},
    {13130, "<>Set Enemy's Condition:",
     [](TWriter& w) {
       w.Enemy(w.P(0)).Pick(OfTargetNames, w.P(1));
       w.Name(ConditionNameById, w.P(2)).AddRemove(w.P(1));
     }},
    {13150, "<>Enemy Appears:  ", [](TWriter& w) { w.Enemy(w.P(0)); }},
    {13210, "<>Change Battl.BG:", [](TWriter& w) { w.Text(); }},
    {13260, "<>Show Battle Animation:",
     [](TWriter& w) { w.Name(AnimationNameById, w.P(0)).Put(" ").Enemy(w.P(1)).Wait(w.P(2)); }},
    {13310, "<>If ",
     [](TWriter& w) {
       if (w.P(0) == 0 || w.P(0) == 1) w.Condition(w.P(0), w.P(1), w.P(2), w.P(3), w.P(4));
       if (w.P(0) == 2) w.Name(HeroNameById, w.P(1)).Put("-ActionPsb");
       if (w.P(0) == 3) w.Enemy(w.P(1)).Put("-ActionPsb");
     }},
    {13410, "<>Stop Battl"},
    {20110, ":          :", [](TWriter& w) { w.Text(); }},
    {20140, "",
     [](TWriter& w) {
       if (w.P(0) == 4)
         w.Put(":Cancel Case");
       else
         w.Put(":[").Text().Put("] Case");
     }},
    {20141, ":End Case"},
    {20710, ":Victory Case"},
    {20711, ":Escape Case"},
    {20712, ":Defeat Case"},
    {20713, ":End Case"},
    {20720, ":Successful Case"},
    {20721, ":Unsuccessful Case"},
    {20722, ":End Case"},
    {20730, ":Rest Case"},
    {20731, ":Cancel Case"},
    {20732, ":End Case"},
    {22010, ":Else Case"},
    {22011, ":End Case"},
    {22210, ":End Loop"},
    {22410, ":          :", [](TWriter& w) { w.Text(); }},
    {23310, ":Else Case"},
    {23311, ":End Case"},
};

constexpr bool CodesAscend() {
  return std::is_sorted(std::begin(CommandTexts), std::end(CommandTexts),
                        [](const auto& a, const auto& b) { return a.Code < b.Code; });
}
static_assert(CodesAscend(), "the command texts are looked up by binary search");

constexpr string_view UnknownCommand = "<>Do Nothing";

const TCommandText* FindCommandText(int32_t code) {
  const auto* found =
      std::lower_bound(std::begin(CommandTexts), std::end(CommandTexts), code,
                       [](const TCommandText& text, int32_t value) { return text.Code < value; });
  return found != std::end(CommandTexts) && found->Code == code ? found : nullptr;
}

} // namespace

std::string TEventScriptConverter::Convert(const TXelEventScriptLine& line, bool* broken) const {
  if (broken) *broken = false;
  const int32_t levels = std::clamp(line.Indent, 0, MaxShownIndent);
  const size_t indentation = static_cast<size_t>(levels) * 2;
  std::string out;
  try {
    out.reserve(indentation + 64);
    out.assign(indentation, ' ');
    const TCommandText* text = FindCommandText(line.Code);
    if (!text) return out += UnknownCommand;
    TWriter writer(*this, line, out);
    writer.Put(text->Head);
    if (text->Rest) text->Rest(writer);
    return out;
  } catch (...) {
    // Broken data of any kind: the line still shows where it stands in its block.
  }
  if (broken) *broken = true;
  out.assign(indentation, ' ');
  return out += SDataBroken;
}

std::string TEventScriptConverter::MapNameById(int32_t id) const {
  const TXelMapTreeItem* entry = id > 0 && MapTree ? MapTree->FindById(id) : nullptr;
  return entry ? entry->Name : std::string(SMissingEntryName);
}

std::string TEventScriptConverter::EventNameById(int32_t id) const {
  if (const string_view name = PickName(FixedEventNames, id, FirstFixedEvent); !name.empty())
    return std::string(name);
  const TXelEventItem* event = Map ? Map->Events.FindById(id) : nullptr;
  if (!event) return SMissingEventName;
  return id == EventId && Event ? Event->Name : event->Name;
}

std::string TEventScriptConverter::EnemyNameByIndex(int32_t index) const {
  if (MonsterGroup && index < 0) return "Whole Group ";
  // A member that is missing, or whose monster is, shows as its number and "?".
  const TXelMonGroupMonsterItem* member =
      MonsterGroup ? MonsterGroup->Members.GetItem(index) : nullptr;
  std::string text = std::to_string(int64_t{index} + 1) + ":";
  return text += member ? MonsterNameById(member->MonsterId) : std::string(SMissingEntryName);
}

std::string EraseTransitionName(int32_t n) {
  return std::string(PickName(EraseTransitions, n, FirstTransition));
}

std::string ShowTransitionName(int32_t n) {
  return std::string(PickName(ShowTransitions, n, FirstTransition));
}

#include "core/monster_page.h"

#include <cstdio>

#include "core/database_names.h"

namespace {

const TActionConditionType ConditionTypes[ActionConditionTypeCount] = {
    {"Usually", nullptr, nullptr, false, 0, 0, false},
    {"Switch", nullptr, "- ON", false, 0, 0, true},
    {"Turn Number", "* ? +", "Turn", true, 0, 100, false},
    {"Monsters Quantity", "# More", "# Less", true, 1, 10, false},
    {"Oneself HP", "% More", "% Less", true, 0, 100, false},
    {"Oneself MP", "% More", "% Less", true, 0, 100, false},
    {"Hero Average Level", "More than or Equal to", "Less than or Equal to", true, 1, 50, false},
    {"Hero Exhaustion", "% More", "% Less", true, 0, 100, false},
};

constexpr int TurnNumberType = 2;

std::string Printf(const char* format, auto... args) {
  char text[200];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string ConditionText(const TXelMonsterActItem& act) {
  const int a = act.ConditionMin;
  const int b = act.ConditionMax;
  const std::string range = ValueRangeText(a, b);
  switch (act.ConditionType) {
  case 0:
    return "Usually";
  case 1:
    return "Switch [" + SwitchNameById(act.ConditionSwitchId) + "]-ON";
  case 2:
    if (a == 0) return Printf("Turn Number [%d]", b);
    if (b != 0) return Printf("Turn Number [%dx+%d]", a, b);
    return Printf("Turn Number [%dx]", a);
  case 3:
    return "Monsters Group Quantity [" + range + "]";
  case 4:
    return "Oneself HP [" + range + "]%";
  case 5:
    return "Oneself MP [" + range + "]%";
  case 6:
    return "Hero's Party Average Level [" + range + "]";
  case 7:
    return "Hero's Party Exhaustion [" + range + "]%";
  default:
    return {};
  }
}

std::string SubjectText(const TXelMonsterActItem& act) {
  switch (act.Kind) {
  case 0:
    return act.Behavior < ActionBehaviorCount ? ActionBehaviors[act.Behavior] : "?";
  case 1:
    return SkillNameById(act.SkillId);
  case 2:
    return "Change:" + MonsterNameById(act.TransformId);
  default:
    return {};
  }
}

} // namespace

const TActionConditionType& ActionConditionType(int type) {
  return ConditionTypes[type >= 0 && type < ActionConditionTypeCount ? type : 0];
}

int ActionConditionDefaultA(int type) {
  return ActionConditionType(type).Min;
}

int ActionConditionDefaultB(int type) {
  const TActionConditionType& t = ActionConditionType(type);
  return type == TurnNumberType ? t.Min : t.Max;
}

bool ActionConditionLegal(int type, int a, int b) {
  return type < 3 || type > 7 || a <= b;
}

std::string ValueRangeText(int a, int b) {
  return a == b ? std::to_string(a) : std::to_string(a) + "-" + std::to_string(b);
}

TActionRow ActionRow(const TXelMonsterActItem& act) {
  return {SubjectText(act), ConditionText(act), std::to_string(act.Priority)};
}

int HueFromSlider(int position) {
  return (position * 10 + 180) % 360;
}

int SliderFromHue(int hue) {
  return ((hue + 180) % 360 + 360) % 360 / 10;
}

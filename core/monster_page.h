// The plain rules of the monster page: the texts of its action-pattern rows, the
// condition types of the action-pattern dialog, and the hue slider of the monster-graphic
// picker.
#pragma once

#include <string>
#include <vector>

#include "core/monster_records.h"

// A monster holds at most this many action patterns.
inline constexpr int MaxActionPatterns = 500;

inline constexpr const char* ActionBehaviors[] = {
    "Normal Hit",       "Critical Hit",      "Defend", "Watch State",
    "Accumulate Power", "Self-Annihilation", "Escape", "Nothing"};
inline constexpr int ActionBehaviorCount = 8;

// One condition type of an action pattern as the dialog shows it.
struct TActionConditionType {
  const char* Name;
  // Captions of the labels before A and B; none: hidden.
  const char* Label1;
  const char* Label2;
  // Whether A and B are shown, and their range.
  bool Values;
  int Min;
  int Max;
  // Whether the condition switch is shown.
  bool Switch;
};
inline constexpr int ActionConditionTypeCount = 8;
// The type's entry; type 0 for a type outside 0..7.
const TActionConditionType& ActionConditionType(int type);
// The values a change to Type gives A and B.
int ActionConditionDefaultA(int type);
int ActionConditionDefaultB(int type);
// Whether OK may take A and B: types 3..7 need A <= B.
bool ActionConditionLegal(int type, int a, int b);

// "a-b", or one number when both are equal.
std::string ValueRangeText(int a, int b);

// The three columns of an action pattern's row.
struct TActionRow {
  std::string Subject;
  std::string Conditions;
  std::string Priority;
  friend bool operator==(const TActionRow&, const TActionRow&) = default;
};
TActionRow ActionRow(const TXelMonsterActItem& act);

// The picker's hue slider (0..36): 18 stands for no rotation.
int HueFromSlider(int position);
int SliderFromHue(int hue);

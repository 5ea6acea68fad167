// The plain rules of the skill, item and monster pages, by tables.
#include <gtest/gtest.h>

#include <string>

#include "core/monster_page.h"
#include "core/skill_item_pages.h"

namespace {

// The names of the groups Table shows for Kind, joined by spaces.
std::string Shown(const std::vector<TKindGroup>& table, int kind) {
  std::string names;
  for (const TKindGroup& group : table)
    if (group.ShownFor(kind)) names += std::string(names.empty() ? "" : " ") + group.Name;
  return names;
}

TEST(SkillPageRules, GroupsFollowTheKind) {
  EXPECT_EQ(Shown(SkillKindGroups(), 0), "GroupNormal GroupBoxN1 GroupBoxN2 GroupBox9");
  EXPECT_EQ(Shown(SkillKindGroups(), 1), "GroupBox7");
  EXPECT_EQ(Shown(SkillKindGroups(), 2), "GroupBox7");
  EXPECT_EQ(Shown(SkillKindGroups(), 3), "GroupBox5 GroupBox7 GroupBox9 GroupBox10");
  EXPECT_EQ(Shown(SkillKindGroups(), 4), "");
}

TEST(SkillPageRules, CaptionsFollowTheEffectRange) {
  for (int range : {0, 1}) {
    const TSkillRangeCaptions c = SkillRangeCaptions(range);
    EXPECT_STREQ(c.Parameters, "Ability Down");
    EXPECT_STREQ(c.Conditions, "Change to condition");
    EXPECT_STREQ(c.Attributes, "Attack Attribute");
    EXPECT_STREQ(c.Defense, "Defense Down");
  }
  for (int range : {2, 3, 4}) {
    const TSkillRangeCaptions c = SkillRangeCaptions(range);
    EXPECT_STREQ(c.Parameters, "Ability Up");
    EXPECT_STREQ(c.Conditions, "Cure condition");
    EXPECT_STREQ(c.Attributes, "Defense Attribute");
    EXPECT_STREQ(c.Defense, "Defense Up");
  }
}

TEST(SkillPageRules, MessagePresetsEndByTheLengthOfTheName) {
  const std::string eighteen(18, 'a');
  const std::string nineteen(19, 'b');
  struct {
    int button;
    std::string name;
    std::string line;
  } rows[] = {
      {0, "Fire", " chants Fire!"},
      {1, "Fire", " casts Fire!"},
      {2, "Fire", " uses Fire!"},
      {1, eighteen, " casts " + eighteen + "!"},
      {0, nineteen, " chants " + nineteen + " chanted"},
      {1, nineteen, " casts " + nineteen + "was cast"},
      {2, nineteen, " uses " + nineteen + "was used"},
      {3, "Fire", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(SkillMessagePreset(row.button, row.name), row.line) << row.button << row.name;
}

TEST(ItemPageRules, GroupsFollowTheKind) {
  EXPECT_EQ(Shown(ItemKindGroups(), 0), "");
  EXPECT_EQ(Shown(ItemKindGroups(), 1), "GroupPlayer GroupParameter GroupAttrib GroupStatus "
                                        "GroupAnimation GroupOption1 GroupHand GroupWeapon");
  for (int kind = 2; kind <= 5; ++kind)
    EXPECT_EQ(Shown(ItemKindGroups(), kind),
              "GroupPlayer GroupParameter GroupAttrib GroupStatus GroupOption2");
  EXPECT_EQ(Shown(ItemKindGroups(), 6),
            "GroupExpendable GroupPlayer GroupMedicine1 GroupMedicine2 GroupMedicine3");
  EXPECT_EQ(Shown(ItemKindGroups(), 7), "GroupExpendable GroupPlayer GroupBook1");
  EXPECT_EQ(Shown(ItemKindGroups(), 8), "GroupExpendable GroupPlayer GroupSeed1");
  EXPECT_EQ(Shown(ItemKindGroups(), 9), "GroupExpendable GroupPlayer GroupSpecial1 GroupSpecial2");
  EXPECT_EQ(Shown(ItemKindGroups(), 10), "GroupExpendable GroupSwitch1 GroupSwitch2");
}

TEST(MonsterPageRules, ActionRows) {
  struct {
    int kind, behavior, type, a, b, priority;
    TActionRow row;
  } rows[] = {
      {0, 3, 0, 0, 0, 50, {"Watch State", "Usually", "50"}},
      {0, 9, 0, 0, 0, 1, {"?", "Usually", "1"}},
      // No database is loaded: every name is missing.
      {1, 0, 2, 5, 1, 100, {"?", "Turn Number [5x+1]", "100"}},
      {2, 0, 2, 0, 3, 50, {"Change:?", "Turn Number [3]", "50"}},
      {0, 0, 2, 4, 0, 50, {"Normal Hit", "Turn Number [4x]", "50"}},
      {0, 0, 1, 0, 0, 50, {"Normal Hit", "Switch [?]-ON", "50"}},
      {0, 0, 3, 2, 2, 50, {"Normal Hit", "Monsters Group Quantity [2]", "50"}},
      {0, 0, 4, 10, 50, 50, {"Normal Hit", "Oneself HP [10-50]%", "50"}},
      {0, 0, 5, 0, 100, 50, {"Normal Hit", "Oneself MP [0-100]%", "50"}},
      {0, 0, 6, 1, 50, 50, {"Normal Hit", "Hero's Party Average Level [1-50]", "50"}},
      {0, 0, 7, 30, 30, 50, {"Normal Hit", "Hero's Party Exhaustion [30]%", "50"}},
  };
  for (const auto& r : rows) {
    TXelMonsterActItem act(1);
    act.Kind = uint8_t(r.kind);
    act.Behavior = uint8_t(r.behavior);
    act.ConditionType = uint8_t(r.type);
    act.ConditionMin = r.a;
    act.ConditionMax = r.b;
    act.Priority = r.priority;
    EXPECT_EQ(ActionRow(act), r.row) << r.row.Conditions;
  }
}

TEST(MonsterPageRules, ConditionTypes) {
  struct {
    int type;
    const char *label1, *label2;
    bool values;
    int min, max, defaultA, defaultB;
    bool sw;
  } rows[] = {
      {0, nullptr, nullptr, false, 0, 0, 0, 0, false},
      {1, nullptr, "- ON", false, 0, 0, 0, 0, true},
      {2, "* ? +", "Turn", true, 0, 100, 0, 0, false},
      {3, "# More", "# Less", true, 1, 10, 1, 10, false},
      {4, "% More", "% Less", true, 0, 100, 0, 100, false},
      {6, "More than or Equal to", "Less than or Equal to", true, 1, 50, 1, 50, false},
      {7, "% More", "% Less", true, 0, 100, 0, 100, false},
      {8, nullptr, nullptr, false, 0, 0, 0, 0, false},
  };
  for (const auto& r : rows) {
    const TActionConditionType& t = ActionConditionType(r.type);
    EXPECT_EQ(t.Label1 ? std::string(t.Label1) : "-", r.label1 ? std::string(r.label1) : "-");
    EXPECT_EQ(t.Label2 ? std::string(t.Label2) : "-", r.label2 ? std::string(r.label2) : "-");
    EXPECT_EQ(t.Values, r.values) << r.type;
    EXPECT_EQ(t.Switch, r.sw) << r.type;
    if (r.values) {
      EXPECT_EQ(t.Min, r.min) << r.type;
      EXPECT_EQ(t.Max, r.max) << r.type;
    }
    EXPECT_EQ(ActionConditionDefaultA(r.type), r.defaultA) << r.type;
    EXPECT_EQ(ActionConditionDefaultB(r.type), r.defaultB) << r.type;
  }
  // Only the ranges of types 3..7 must not be reversed.
  EXPECT_FALSE(ActionConditionLegal(4, 80, 20));
  EXPECT_FALSE(ActionConditionLegal(3, 2, 1));
  EXPECT_TRUE(ActionConditionLegal(4, 20, 20));
  EXPECT_TRUE(ActionConditionLegal(2, 5, 1));
  EXPECT_TRUE(ActionConditionLegal(0, 5, 1));
}

TEST(MonsterPageRules, HueAndSlider) {
  struct {
    int position, hue;
  } rows[] = {{18, 0}, {0, 180}, {27, 90}, {36, 180}, {17, 350}, {9, 270}};
  for (const auto& r : rows)
    EXPECT_EQ(HueFromSlider(r.position), r.hue) << r.position;
  struct {
    int hue, position;
  } back[] = {{0, 18}, {90, 27}, {180, 0}, {350, 17}, {355, 17}, {-90, 9}};
  for (const auto& r : back)
    EXPECT_EQ(SliderFromHue(r.hue), r.position) << r.hue;
}

} // namespace

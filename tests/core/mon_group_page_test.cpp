// The monster-group page's plain rules: the field's arrangement, order and drag, the
// automatic name, the trigger summary, the battle-event paste filter and the battle test's
// party and command line.
#include <gtest/gtest.h>

#include "core/database.h"
#include "core/hero_records.h"
#include "core/mon_group_page.h"
#include "core/switch_records.h"

namespace {

class MonGroupPage : public ::testing::Test {
protected:
  // Adds a member of Monster at (X, Y).
  void Add(int monster, int x = 0, int y = 0) {
    TXelMonGroupMonsterItem* member = group.Members.Append();
    member->MonsterId = monster;
    member->X = x;
    member->Y = y;
  }
  TXelMonsterItem* Monster(int id, const std::string& name) {
    TXelMonsterItem* monster = db.Monsters().GetOrCreate(id);
    monster->Name = name;
    return monster;
  }

  TXelDataBase db;
  TXelMonGroupItem group{1};
};

TEST_F(MonGroupPage, InRowSqueezesWideMembersAndPutsFlyersInTheAir) {
  Monster(1, "Walker");
  Monster(2, "Flyer")->Flying = 1;
  for (int i = 0; i < 10; ++i)
    Add(i == 3 ? 2 : 1);
  const TMemberSizes sizes(10, TPoint{100, 100});
  EXPECT_FALSE(ArrangeInRow(group.Members, sizes, db.Monsters(), false));
  EXPECT_EQ(group.Members.GetItem(0)->X, 0); // the test alone moves nothing
  EXPECT_FALSE(ArrangeInRow(group.Members, sizes, db.Monsters(), true));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(group.Members.GetItem(i)->X, 54 + 24 * i) << i;
    // Walking: 148 - 50; flying: 50 / 2 + 48.
    EXPECT_EQ(group.Members.GetItem(i)->Y, i == 3 ? 73 : 98) << i;
  }
  EXPECT_TRUE(ArrangeInRow(group.Members, sizes, db.Monsters(), false));
}

TEST_F(MonGroupPage, EqualBottomsPutTheLowerIndexOnTopAndHitItFirst) {
  Add(1, 100, 80);
  Add(1, 110, 80);
  Add(1, 200, 40); // higher up: painted first
  const TMemberSizes sizes{{40, 40}, {40, 40}, {40, 40}};
  EXPECT_EQ(MemberDrawOrder(group.Members, sizes), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(MemberAt(group.Members, sizes, {105, 80}), 0);
  EXPECT_EQ(MemberAt(group.Members, sizes, {125, 80}), 1);
  EXPECT_EQ(MemberAt(group.Members, sizes, {200, 40}), 2);
  EXPECT_EQ(MemberAt(group.Members, sizes, {10, 10}), -1);
}

TEST_F(MonGroupPage, NewMembersStandOnTheGroundInsideTheField) {
  EXPECT_EQ(NewMemberPlace(group.Members, 0, {40, 60}), (TPoint{160, 118}));
  Add(1, 300, 118);
  EXPECT_EQ(NewMemberPlace(group.Members, 1, {40, 60}), (TPoint{300, 118}));
}

TEST_F(MonGroupPage, DragStepsFollowThePointerAndEndAtTheEdges) {
  struct TRow {
    TPoint tracked, pointer;
    int step;
    int32_t x, y;
    TPoint wantTracked;
    int32_t wantX, wantY;
  };
  const TRow rows[] = {
      {{10, 10}, {19, 10}, 4, 100, 51, {18, 10}, 108, 52}, // two steps; Y snaps up
      {{10, 10}, {11, 9}, 4, 100, 50, {10, 10}, 100, 48},  // within half a step; Y down
      {{10, 10}, {13, 10}, 1, 99, 50, {13, 10}, 102, 50},  // Shift: single pixels
      {{0, 0}, {100000, -100000}, 4, 318, 3, {100000, -100000}, 320, 0}, // edges hold
  };
  for (const TRow& row : rows) {
    TPoint tracked = row.tracked;
    int32_t x = row.x, y = row.y;
    DragMemberStep(tracked, row.pointer, row.step, x, y);
    EXPECT_EQ(tracked, row.wantTracked);
    EXPECT_EQ(x, row.wantX);
    EXPECT_EQ(y, row.wantY);
  }
}

TEST_F(MonGroupPage, AutoNameCountsEachMonsterOnceAndCutsLongNames) {
  Monster(1, "Slime");
  Monster(2, "Bat");
  for (int id : {1, 2, 1, 1, 9})
    Add(id);
  EXPECT_EQ(AutoGroupName(group, db.Monsters()), "Slimex3,Bat");
  group.Members.Clear();
  Monster(3, std::string(25, 'N'));
  Add(3);
  EXPECT_EQ(AutoGroupName(group, db.Monsters()), std::string(19, 'N') + "-");
}

TEST_F(MonGroupPage, TriggerSummaryNamesEachConditionInUse) {
  db.Switches().GetOrCreate(3)->Name = "Door";
  db.Players().GetOrCreate(1)->Name = "Alex";
  Monster(1, "Slime");
  Add(1);
  TXelBattleEventTrigger t;
  EXPECT_EQ(TriggerSummary(t, group), "(None)");
  t.Flags = btSwitchA | btTurn | btExhaustion;
  t.SwitchAId = 3;
  t.TurnB = 2;
  t.ExhaustionMin = 10;
  t.ExhaustionMax = 50;
  EXPECT_EQ(TriggerSummary(t, group), "Switch [0003:Door]-ON; Turn No[2]; Exhaustion%[10-50]");
  t.Flags = btSwitchB | btTurn | btMonsterHp | btHeroHp;
  t.SwitchBId = 999;
  t.TurnA = 3;
  t.MonsterIndex = 1; // past the members
  t.MonsterHpMin = t.MonsterHpMax = 30;
  EXPECT_EQ(TriggerSummary(t, group),
            "Switch [?]-ON; Turn No[3x+2]; Enemy[2:?] HP%[30]; Hero[Alex] HP%[0-100]");
  t.Flags = btVariable | btTurn;
  t.TurnB = 0;
  EXPECT_EQ(TriggerSummary(t, group), "Variable[0001:]>=[0]; Turn No[3x]");
  EXPECT_EQ(MemberLine(group, 0), "1:Slime");
}

TEST_F(MonGroupPage, BattleEventsTakeTheirOwnCommandsOnly) {
  for (int32_t code : {10, 10110, 11410, 13110, 20110, 23311})
    EXPECT_FALSE(IsNotBattleEventCode(code)) << code;
  for (int32_t code : {0, 10810, 11310, 20111})
    EXPECT_TRUE(IsNotBattleEventCode(code)) << code;
}

TEST_F(MonGroupPage, BattleTestPartyAndCommandLine) {
  EXPECT_EQ(FirstFreeHero({1, 2}), 3);
  EXPECT_EQ(FirstFreeHero({2, 1, 4}), 3);
  EXPECT_EQ(HeroChoices(4, {2}), (std::vector<int>{1, 3, 4}));

  const std::string line = BattleTestCommandLine("/my games/P/", false, 17);
  EXPECT_EQ(line, "\"/my games/P/KOVAX.exe\" BattleTest HideTitle Window 17");
  EXPECT_EQ(CommandLineArguments(line),
            (std::vector<std::string>{"BattleTest", "HideTitle", "Window", "17"}));
  EXPECT_EQ(CommandLineArguments(BattleTestCommandLine("/p/", true, 1))[2], "FullScreen");
}

TEST_F(MonGroupPage, TestAbilitiesAddTheEquipmentsBonuses) {
  TXelPlayerItem* hero = db.Players().GetOrCreate(1);
  for (int p = 0; p < HeroParameterCount; ++p)
    hero->SetParameter(p, 7, 100 + p);
  TXelItemItem* sword = db.Items().GetOrCreate(2);
  sword->AttackBonus = 5;
  sword->AgilityBonus = 1;
  EXPECT_EQ(TestAbilities(*hero, 7, {2, 0, 2, 0, 999}, db.Items()),
            (std::array<int, 6>{100, 101, 112, 103, 104, 107}));
}

} // namespace

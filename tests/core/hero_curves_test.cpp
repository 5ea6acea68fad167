#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/database.h"
#include "core/hero_curves.h"
#include "core/hero_equipment.h"
#include "core/hero_page.h"

namespace {

TEST(HeroExperience, TotalsAndTableLines) {
  // Totals worked out by hand for the curve (30, 30, 0): 30; 30 + 54; ...
  const struct {
    int level, total;
  } rows[] = {{0, 0}, {1, 0}, {2, 30}, {3, 84}, {10, 2082}, {50, 614301}};
  for (const auto& row : rows)
    EXPECT_EQ(ExpForLevel(30, 30, 0, row.level), row.total) << row.level;

  EXPECT_EQ(ExpTableLine(30, 30, 0, 1, false), "L  1 :      0");
  EXPECT_EQ(ExpTableLine(30, 30, 0, 1, true), "L  1 :     30");
  EXPECT_EQ(ExpTableLine(30, 30, 0, 50, false), "L 50 : 614301");
  EXPECT_EQ(ExpTableLine(30, 30, 0, 50, true), "L 50 : ------");

  // The steepest curve passes the limit at level 42: totals and steps show "------" from
  // there, and the step into level 42 already does.
  EXPECT_LT(ExpForLevel(50, 50, 40, 41), ExpLimit);
  EXPECT_EQ(ExpForLevel(50, 50, 40, 42), ExpLimit);
  EXPECT_NE(ExpTableLine(50, 50, 40, 41, false), "L 41 : ------");
  EXPECT_EQ(ExpTableLine(50, 50, 40, 41, true), "L 41 : ------");
  for (int level = 42; level <= 50; ++level)
    EXPECT_EQ(ExpTableLine(50, 50, 40, level, false), "L " + std::to_string(level) + " : ------");

  // Numbers a broken file may hold end without undefined arithmetic.
  EXPECT_EQ(ExpForLevel(INT32_MAX, 0, 0, 50), ExpLimit);
  (void)ExpForLevel(10, INT32_MIN, INT32_MIN, 50);
}

struct Curve {
  std::array<uint16_t, HeroMaxLevel> values{};
  TCurveValues span() { return TCurveValues(values); }
  int at(int level) const { return values[size_t(level - 1)]; }
};

TEST(HeroCurveStroke, FillsEveryLevelPassedAndKeepsTheRange) {
  Curve curve;
  TCurveStroke stroke;
  // Attack tab (multiplier 1): level 5 at value 50, then one move to level 9 at 100.
  EXPECT_EQ(stroke.Move(curve.span(), 45, 200, 1, 1, 999), 5);
  EXPECT_EQ(stroke.Move(curve.span(), 85, 150, 1, 1, 999), 9);
  const int rightwards[] = {50, 62, 75, 87, 100};
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(curve.at(5 + k), rightwards[k]) << 5 + k;
  EXPECT_EQ(curve.at(4), 0);
  EXPECT_EQ(curve.at(10), 0);

  // Back to level 6 below the graph's bottom (value -20): the line runs to -20 and only
  // the stored values are clamped.
  stroke.Move(curve.span(), 55, 270, 1, 1, 999);
  const int leftwards[] = {1, 20, 60, 100};
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(curve.at(6 + k), leftwards[k]) << 6 + k;

  // Max HP (multiplier 4) past the last column: values stop at 999, nothing beyond 50.
  Curve hp;
  TCurveStroke hpStroke;
  hpStroke.Move(hp.span(), 495, 0, 4, 1, 999);
  EXPECT_EQ(hpStroke.Move(hp.span(), 515, 0, 4, 1, 999), 52);
  EXPECT_EQ(hp.at(50), 999);
}

TEST(HeroCurveGenerator, KeepsEndsAndNeverTurnsBack) {
  for (int style = -2; style <= 8; ++style) {
    Curve rising, falling;
    rising.values[0] = 10, rising.values[49] = 500;
    falling.values[0] = 500, falling.values[49] = 10;
    GenerateCurve(rising.span(), style);
    GenerateCurve(falling.span(), style);
    EXPECT_EQ(rising.at(1), 10);
    EXPECT_EQ(rising.at(50), 500);
    EXPECT_EQ(falling.at(1), 500);
    for (int level = 2; level <= 50; ++level) {
      EXPECT_GE(rising.at(level), rising.at(level - 1)) << style << " " << level;
      EXPECT_LE(falling.at(level), falling.at(level - 1)) << style << " " << level;
    }
  }
  // Early growth stands above late growth halfway.
  Curve early, late;
  early.values[0] = late.values[0] = 10;
  early.values[49] = late.values[49] = 500;
  GenerateCurve(early.span(), -2);
  GenerateCurve(late.span(), 8);
  EXPECT_GT(early.at(25), late.at(25) + 50);

  // A rising curve's lowest pixel in a column lies at the column's left edge: compare
  // with the cubic solved there by bisection, for the steep late-growth curve.
  Curve steep;
  steep.values[0] = 10, steep.values[49] = 990;
  GenerateCurve(steep.span(), 8);
  // Control points of style 8: (1, 10), (32, 10 + 980 * 0 / 50), (48, 10 + 980 * 16 / 50).
  const double px[4] = {1, 32, 48, 50}, py[4] = {10, 10, 323, 990};
  auto bezier = [](const double* p, double t) {
    const double u = 1 - t;
    return u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
  };
  for (int level = 2; level <= 49; ++level) {
    double lo = 0, hi = 1;
    for (int i = 0; i < 60; ++i)
      (bezier(px, (lo + hi) / 2) < level - 0.5 ? lo : hi) = (lo + hi) / 2;
    EXPECT_NEAR(steep.at(level), bezier(py, lo), 1.0) << level;
  }

  // Ends beyond the drawing grid leave the levels between as they were.
  Curve high;
  high.values.fill(7);
  high.values[0] = 2000, high.values[49] = 3000;
  GenerateCurve(high.span(), 3);
  EXPECT_EQ(high.at(25), 7);
}

TEST(HeroCurvePresets, SeededPresetsStayInTheirRanges) {
  // Ranges worked out from the preset pairs and scales: level 1 is
  // Random(trunc(Random(2) + s)) + a s (+ 5 for attack), level 50 Random(trunc s) +
  // (Random(20) + b) s, both truncated.
  const struct {
    int parameter, preset, firstLow, firstHigh, lastLow, lastHigh;
  } rows[] = {
      {0, 0, 50, 60, 800, 999}, {1, 3, 20, 30, 200, 399}, {2, 0, 17, 19, 200, 248},
      {3, 3, 10, 12, 50, 98},   {4, 0, 25, 30, 400, 499}, {5, 2, 15, 20, 200, 299},
  };
  for (const auto& row : rows) {
    std::mt19937 engine(1234u + unsigned(row.parameter));
    TRandomSource random = [&](int n) {
      EXPECT_GT(n, 0);
      return std::uniform_int_distribution<int>(0, n - 1)(engine);
    };
    int firstMin = 1 << 20, firstMax = 0, lastMin = 1 << 20, lastMax = 0;
    for (int run = 0; run < 400; ++run) {
      Curve curve;
      ApplyCurvePreset(curve.span(), row.parameter, CurvePresets[row.preset], random);
      firstMin = std::min(firstMin, curve.at(1)), firstMax = std::max(firstMax, curve.at(1));
      lastMin = std::min(lastMin, curve.at(50)), lastMax = std::max(lastMax, curve.at(50));
      for (int level = 2; level <= 50; ++level)
        ASSERT_GE(curve.at(level), curve.at(level - 1)) << row.parameter << " " << level;
    }
    // Four hundred runs reach the ends of the level-1 range and stay inside the level-50 one.
    EXPECT_EQ(firstMin, row.firstLow) << row.parameter;
    EXPECT_EQ(firstMax, row.firstHigh) << row.parameter;
    EXPECT_GE(lastMin, row.lastLow) << row.parameter;
    EXPECT_LE(lastMax, row.lastHigh) << row.parameter;
    EXPECT_LT(lastMin + (row.lastHigh - row.lastLow) / 2, lastMax) << row.parameter;
  }
}

TXelItem& SampleItems() {
  static TXelItem items;
  if (items.GetCount() == 0) {
    const struct {
      int kind, twoHanded, attack;
    } rows[] = {{1, 0, 3}, {1, 1, 9}, {2, 0, 0}, {2, 1, 0}, {3, 0, 0}, {1, 0, 4}};
    for (const auto& row : rows) {
      TXelItemItem* item = items.Append();
      item->Kind = uint8_t(row.kind);
      item->TwoHanded = uint8_t(row.twoHanded);
      item->AttackBonus = row.attack;
      item->DefenseBonus = 1;
    }
    // Item 6 is not for hero 2; item 1's flags stop at hero 1, so later heroes may use it.
    items.FindById(6)->SetHeroFlagCount(3);
    items.FindById(6)->SetHeroFlag(1, 1);
    items.FindById(6)->SetHeroFlag(3, 1);
    items.FindById(1)->SetHeroFlagCount(1);
    items.FindById(1)->SetHeroFlag(1, 1);
  }
  return items;
}

TEST(HeroEquipment, CandidatesAndTheTwoHandedRule) {
  const TXelItem& items = SampleItems();
  EXPECT_EQ(EquipmentCandidates(items, 1, 0, false), (std::vector<int>{1, 2, 6}));
  EXPECT_EQ(EquipmentCandidates(items, 2, 1, false), (std::vector<int>{3, 4}));
  EXPECT_EQ(EquipmentCandidates(items, 2, 1, true), (std::vector<int>{1, 2}));
  EXPECT_EQ(EquipmentCandidates(items, 7, 2, true), (std::vector<int>{5}));
  EXPECT_TRUE(EquipmentCandidates(items, 1, 5, false).empty());

  // Item 2 is a two-handed sword; item 4 is a shield with the two-handed byte set, which
  // only weapons honour; 99 does not exist.
  const struct {
    int changed, weapon, second, emptied;
  } rows[] = {
      {0, 2, 3, 1},  {0, 1, 3, -1}, {0, 0, 2, 1},  {0, 1, 4, -1},  {1, 2, 3, 0},   {1, 1, 2, 0},
      {1, 2, 0, -1}, {1, 1, 4, -1}, {2, 2, 3, -1}, {0, 99, 3, -1}, {1, 1, 99, -1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(SlotEmptiedForTwoHands(items, row.changed, row.weapon, row.second), row.emptied)
        << row.changed << " " << row.weapon << " " << row.second;
}

TEST(HeroPage, PreviewCellsNowValuesAndOfferedSkills) {
  EXPECT_EQ(WalkBlockOrigin(5), (TPoint{72, 128}));
  EXPECT_EQ(FaceOrigin(7), (TPoint{144, 48}));
  const struct {
    int counter;
    TPoint cell;
  } frames[] = {{0, {24, 64}}, {1, {0, 64}},   {3, {48, 64}}, {16, {24, 96}},
                {35, {48, 0}}, {63, {48, 32}}, {64, {24, 64}}};
  for (const auto& row : frames)
    EXPECT_EQ(WalkFrameCell(row.counter), row.cell) << row.counter;

  TXelPlayerItem hero(1);
  hero.InitialLevel = 2;
  hero.SetParameter(0, 2, 120);
  hero.SetParameter(2, 2, 20);
  hero.SetParameter(3, 2, 30);
  hero.SetEquipment(0, 1); // attack 3, defense 1
  hero.SetEquipment(1, 3); // defense 1
  hero.SetEquipment(2, 99);
  const TXelItem& items = SampleItems();
  EXPECT_EQ(HeroParameterNow(hero, 0, items), 120);
  EXPECT_EQ(HeroParameterNow(hero, 2, items), 23);
  EXPECT_EQ(HeroParameterNow(hero, 3, items), 32);

  TLearnedSkillOffer offer(5);
  for (int id : {2, 4, 0, 6, -1})
    offer.MarkSkillTaken(id);
  const std::vector<int> offered = offer.OfferedSkills();
  EXPECT_EQ(offered, (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(TLearnedSkillOffer::LineFor(offered, 2), 1);
  EXPECT_EQ(TLearnedSkillOffer::LineFor(offered, 6), 0);
  EXPECT_EQ(TLearnedSkillOffer::SkillAt(offered, 2), 5);
  for (int id : {1, 3, 5})
    offer.MarkSkillTaken(id);
  EXPECT_TRUE(offer.OfferedSkills().empty());
  EXPECT_EQ(TLearnedSkillOffer::SkillAt(offer.OfferedSkills(), 0), 0);
}

TEST(HeroPage, LearnedSkillRowsAndStoring) {
  TXelDataBase db; // makes the skill names reachable
  db.Skills().GetOrCreate(1)->Name = "Heal";
  db.Skills().GetOrCreate(2)->Name = "Fire";
  TXelPlayerLearning learning;
  const int levels[][2] = {{5, 1}, {12, 9}};
  for (const auto& [level, skill] : levels) {
    TXelPlayerLearningItem* entry = learning.Append();
    entry->Level = level, entry->SkillId = skill;
  }
  EXPECT_EQ(LearnedSkillRows(learning),
            (std::vector<TLearnedSkillRow>{{"L  5", "Heal", 1}, {"L 12", "?", 2}, {}}));

  // The empty row adds; an edit moves its entry to its place by level, then skill id.
  EXPECT_EQ(StoreLearnedSkill(learning, 2, 5, 0), 0);
  EXPECT_EQ(StoreLearnedSkill(learning, 3, 40, 2), 3);
  EXPECT_EQ(StoreLearnedSkill(learning, 0, 12, 1), 1);
  const std::vector<TLearnedSkillRow> rows = LearnedSkillRows(learning);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (TLearnedSkillRow{"L  5", "Heal", 1}));
  EXPECT_EQ(rows[1], (TLearnedSkillRow{"L 12", "Heal", 2}));
  EXPECT_EQ(rows[2], (TLearnedSkillRow{"L 12", "?", 3}));
  EXPECT_EQ(rows[3], (TLearnedSkillRow{"L 40", "Fire", 4}));

  while (learning.GetCount() < MaxLearnedSkills)
    learning.Append()->Level = 50;
  EXPECT_EQ(StoreLearnedSkill(learning, MaxLearnedSkills, 1, 1), -1);
  EXPECT_EQ(learning.GetCount(), MaxLearnedSkills);
  EXPECT_EQ(StoreLearnedSkill(learning, 0, 1, 2), 0);
}

} // namespace

// The arithmetic behind a hero's parameter curves and experience curve: the graph
// columns, drawing a curve with the mouse, the quick presets, the curve generator and
// the experience totals with their table texts. The forms only show what this computes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/hero_records.h"

// One parameter's values for levels 1..50 (index level - 1).
using TCurveValues = std::span<uint16_t, HeroMaxLevel>;

// The values of Parameter (0..5) inside a hero's curve table.
TCurveValues HeroCurve(TXelPlayerItem& hero, int parameter);

// How a parameter is scaled: the curve editor's graph divisor (also its mouse multiplier),
// the hero page's small-graph divisor, and the preset scale and start bonus.
struct TParameterScale {
  int EditorDivisor;
  int PageDivisor;
  double PresetScale;
  int PresetStartBonus;
  uint32_t Color; // 0x00BBGGRR
};
// Parameters outside 0..5 get the scale of parameter 0.
const TParameterScale& ParameterScale(int parameter);

// The smallest value the curve editor's value box allows (max MP may fall to 0).
int CurveMinimum(int parameter);
inline constexpr int CurveMaximum = 999;

// Top of the coloured bar of a value in a graph whose baseline is Baseline: the bar runs
// from there down to the baseline (250 in the curve editor, 54 on the hero page).
inline int CurveBarTop(int value, int divisor, int baseline) {
  return baseline - value / divisor;
}

// Drawing a curve with the mouse: each move gives the level under the pointer that value,
// and every level passed since the last move a value on the straight line between them,
// so a quick stroke leaves no gaps.
struct TCurveStroke {
  int LastLevel = 0; // 0: nothing drawn yet in this stroke
  int LastValue = 0;

  // The level under X (not limited) in a graph with 10-pixel columns.
  static int LevelAt(int x) { return (x + 10) / 10; }
  // Applies a move to (X, Y) with the parameter's multiplier; values are kept in
  // MinValue..MaxValue. Returns the level under the pointer, not limited.
  int Move(TCurveValues curve, int x, int y, int multiplier, int minValue, int maxValue);
};

// Random(n): an integer 0..n - 1 (0 when n <= 0).
using TRandomSource = std::function<int(int n)>;

// The "Simple Creation" buttons: (a, b) pairs of Genius, Exellent, Normal and Low.
struct TCurvePreset {
  int A;
  int B;
};
inline constexpr TCurvePreset CurvePresets[4] = {{5, 80}, {4, 60}, {3, 40}, {2, 20}};

// Sets random level-1 and level-50 values around the preset for Parameter and fills
// the levels between with GenerateCurve of a random growth style 2..4.
void ApplyCurvePreset(TCurveValues curve, int parameter, TCurvePreset preset,
                      const TRandomSource& random);

// Fills levels 2..49 from the values at levels 1 and 50 along a cubic curve whose bend
// depends on Style (-2 early growth .. 8 late growth). Levels 1 and 50 stay.
void GenerateCurve(TCurveValues curve, int style);

// A hero's total experience at Level for the curve (standard, additional, corrected);
// totals above 999999 give 1000000.
inline constexpr int ExpLimit = 1000000;
int ExpForLevel(int standard, int additional, int corrected, int level);

// The experience table's line for Level: the total ("Total EXP") or the step to the next
// level ("Next Level"); "------" where the value is out of reach.
std::string ExpTableLine(int standard, int additional, int corrected, int level, bool nextLevel);

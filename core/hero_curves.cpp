#include "core/hero_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const TParameterScale Scales[HeroParameterCount] = {
    {4, 12, 10.0, 0, 0x3355FF}, {4, 12, 10.0, 0, 0xFF55EE}, {1, 3, 2.5, 5, 0x11CCFF},
    {1, 3, 2.5, 5, 0x33DD11},   {2, 6, 5.0, 0, 0xFF7755},   {2, 6, 5.0, 0, 0xFFDD11},
};

int Random(const TRandomSource& random, int n) {
  return n > 0 ? random(n) : 0;
}

// The generator's curve is drawn into a column-per-level grid this many rows high;
// values beyond it have no pixel.
constexpr int CurveRows = 1000;

} // namespace

TCurveValues HeroCurve(TXelPlayerItem& hero, int parameter) {
  parameter = std::clamp(parameter, 0, HeroParameterCount - 1);
  return TCurveValues(hero.Curves + parameter * HeroMaxLevel, HeroMaxLevel);
}

const TParameterScale& ParameterScale(int parameter) {
  if (parameter < 0 || parameter >= HeroParameterCount) parameter = 0;
  return Scales[parameter];
}

int CurveMinimum(int parameter) {
  return parameter == 1 ? 0 : 1;
}

int TCurveStroke::Move(TCurveValues curve, int x, int y, int multiplier, int minValue,
                       int maxValue) {
  const int level = LevelAt(x);
  const int value = (250 - y) * multiplier;
  auto store = [&](int at, int v) {
    if (at >= 1 && at <= HeroMaxLevel) curve[at - 1] = uint16_t(std::clamp(v, minValue, maxValue));
  };
  if (LastLevel >= 1 && LastLevel != level) {
    const int span = level - LastLevel; // negative when drawing leftwards
    const int step = span > 0 ? 1 : -1;
    for (int k = 0; k != span + step; k += step)
      store(LastLevel + k, ((span - k) * LastValue + k * value) / span);
  }
  store(level, value);
  LastLevel = level;
  LastValue = value;
  return level;
}

void ApplyCurvePreset(TCurveValues curve, int parameter, TCurvePreset preset,
                      const TRandomSource& random) {
  const TParameterScale& scale = ParameterScale(parameter);
  const double s = scale.PresetScale;
  // The order of the draws matters for a seeded source: first the level-1 spread, then
  // the level-50 spread, then the growth style.
  const int firstSpread = int(std::trunc(Random(random, 2) + s));
  const int first = int(std::trunc(Random(random, firstSpread) + preset.A * s));
  const int lastSpread = Random(random, int(std::trunc(s)));
  const int last = int(std::trunc(lastSpread + (Random(random, 20) + preset.B) * s));
  curve[0] = uint16_t(first + scale.PresetStartBonus);
  curve[HeroMaxLevel - 1] = uint16_t(last);
  GenerateCurve(curve, Random(random, 3) + 2);
}

void GenerateCurve(TCurveValues curve, int style) {
  const int y1 = curve[0];
  const int y50 = curve[HeroMaxLevel - 1];
  const double px[4] = {1, 2.0 * style + 16, 2.0 * style + 32, HeroMaxLevel};
  const double py[4] = {double(y1), double((y50 - y1) * (16 - 2 * style) / 50 + y1),
                        double((y50 - y1) * (32 - 2 * style) / 50 + y1), double(y50)};
  // The lowest pixel row the curve touches in each column; sampled finely enough that
  // consecutive samples never skip a column.
  std::vector<int> lowest(HeroMaxLevel + 1, CurveRows);
  const int samples = 8192;
  for (int i = 0; i <= samples; ++i) {
    const double t = double(i) / samples, u = 1 - t;
    const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
    const double x = w[0] * px[0] + w[1] * px[1] + w[2] * px[2] + w[3] * px[3];
    const double y = w[0] * py[0] + w[1] * py[1] + w[2] * py[2] + w[3] * py[3];
    const int column = int(std::lround(x)), row = int(std::lround(y));
    if (column < 0 || column > HeroMaxLevel || row < 0 || row >= CurveRows) continue;
    lowest[column] = std::min(lowest[column], row);
  }
  // A column the curve never reaches inside the grid keeps its value.
  for (int level = 2; level < HeroMaxLevel; ++level)
    if (lowest[level] < CurveRows) curve[level - 1] = uint16_t(lowest[level]);
}

int ExpForLevel(int standard, int additional, int corrected, int level) {
  if (level < 2) return 0;
  double value = standard;
  double rate = additional * 0.01 + 1.5;
  int64_t total = 0;
  for (int round = 1; round < level; ++round) {
    // Curves read from a file may hold anything; keep the conversion defined.
    total += int64_t(std::clamp(std::trunc(value), -1e15, 1e15)) + corrected;
    value *= rate;
    rate = (level * 0.002 + 0.8) * (rate - 1) + 1;
    if (total > ExpLimit - 1) return ExpLimit;
  }
  return int(total);
}

std::string ExpTableLine(int standard, int additional, int corrected, int level, bool nextLevel) {
  const int total = ExpForLevel(standard, additional, corrected, level);
  int shown = total;
  bool outOfReach = total >= ExpLimit;
  if (nextLevel) {
    const int next = ExpForLevel(standard, additional, corrected, level + 1);
    shown = next - total;
    outOfReach = level >= HeroMaxLevel || next >= ExpLimit;
  }
  char line[40];
  if (outOfReach)
    std::snprintf(line, sizeof line, "L %2d : ------", level);
  else
    std::snprintf(line, sizeof line, "L %2d :%7d", level, shown);
  return line;
}

// The chipset of the run-time package, 480 x 256, laid out as the map editor reads it:
// water autotiles with three animation steps at the top left, the three animated tiles
// beside the water, twelve terrain autotile blocks, then 144 lower chips in one and a half
// columns of six, and 144 upper chips (the first one empty) in the rest.
#include <algorithm>
#include <cstdlib>

#include "platform/rtp_generator/indexed_painter.h"
#include "platform/rtp_generator/rtp_materials.h"

namespace {

// Eight shades each, dark to light.
enum Ramp : int {
  Water = 1,
  Deep = 9,
  Grass = 17,
  Dirt = 25,
  Stone = 33,
  Sand = 41,
  Wood = 49,
  Brick = 57,
  Snow = 65,
  Lava = 73,
  Leaf = 81,
  Bark = 97,
  Roof = 105,
  Crystal = 113,
  Gold = 121,
  Swamp = 129,
  Carpet = 137,
  Tile = 145,
};
// Single bright colours for flowers and small things.
constexpr int Accent = 89;
constexpr int AccentCount = 8;

// The colour of index 0, which never shows on a map (transparent parts of upper chips).
constexpr uint32_t KeyColor = 0x208060;

void SetPalette(TIndexedPainter& p) {
  p.SetColor(0, KeyColor);
  p.SetRamp(Water, 8, 0x103078, 0x96C8FA);
  p.SetRamp(Deep, 8, 0x081446, 0x3C6EBE);
  p.SetRamp(Grass, 8, 0x1E5A1E, 0x8CD264);
  p.SetRamp(Dirt, 8, 0x503219, 0xBE9664);
  p.SetRamp(Stone, 8, 0x3C3C46, 0xC8C8D2);
  p.SetRamp(Sand, 8, 0x967846, 0xFAEBB4);
  p.SetRamp(Wood, 8, 0x5A3719, 0xC8965A);
  p.SetRamp(Brick, 8, 0x5A1E19, 0xD26E5A);
  p.SetRamp(Snow, 8, 0x96AAC8, 0xFFFFFF);
  p.SetRamp(Lava, 8, 0x781400, 0xFFDC3C);
  p.SetRamp(Leaf, 8, 0x0A3214, 0x50A046);
  const uint32_t accents[AccentCount] = {0xDC2828, 0xFADC28, 0xFAFAFA, 0xFA8CB4,
                                         0x9646C8, 0xFA961E, 0x4678FA, 0x141414};
  for (int i = 0; i < AccentCount; ++i)
    p.SetColor(Accent + i, accents[i]);
  p.SetRamp(Bark, 8, 0x321E0F, 0x825A32);
  p.SetRamp(Roof, 8, 0x1E285A, 0x6E8CDC);
  p.SetRamp(Crystal, 8, 0x3C145A, 0xC8A0FA);
  p.SetRamp(Gold, 8, 0x6E500A, 0xFFE678);
  p.SetRamp(Swamp, 8, 0x283214, 0x788C3C);
  p.SetRamp(Carpet, 8, 0x5A0A1E, 0xD23C5A);
  p.SetRamp(Tile, 8, 0x5A5A3C, 0xE6DCB4);
}

// Which sides of a water quarter meet the shore, by its row (in 8-pixel units) within
// the water block and whether it is the left or right quarter of its 16-pixel tile.
// Rows 0-1 outer corners, 2-3 side edges, 4-5 top and bottom edges, 6-7 inner corners.
int ShoreDistance(int row, int right, int u, int v) {
  const int fromLeft = u, fromRight = 7 - u, fromTop = v, fromBottom = 7 - v;
  const int side = right ? fromRight : fromLeft;
  switch (row) {
  case 0:
    return std::min(side, fromTop);
  case 1:
    return std::min(side, fromBottom);
  case 2:
  case 3:
    return side;
  case 4:
    return fromTop;
  case 5:
    return fromBottom;
  case 6:
    return std::max(side, fromTop);
  case 7:
    return std::max(side, fromBottom);
  default:
    return 99;
  }
}

// One 48-pixel-wide water column: three animation steps of 16 pixels side by side.
// Rows 8-9 are open water, 10-11 the quarters that border deep water, 12-13 deep water's
// border quarters and its whole tile, 14-15 open deep water.
void DrawWaterColumn(TIndexedPainter& p, int x0, int rows, int shore) {
  for (int y = 0; y < rows * 8; ++y)
    for (int x = 0; x < 48; ++x) {
      const int frame = x / 16, row = y / 8, right = (x / 8) % 2, u = x % 8, v = y % 8;
      const uint32_t h = PixelHash(x % 16, y % 16, 300 + frame) % 16;
      int shade = h < 10 ? 3 : h < 13 ? 4 : h < 15 ? 5 : 6;
      int ramp = Water;
      if (row == 10 || row == 11) shade -= (u + v + frame) % 3 == 0 ? 2 : 1;
      if (row >= 12) ramp = Deep;
      if (row == 12 || row == 13) shade = std::min(7, shade + 1);
      int index = ramp + shade;
      const int d = ShoreDistance(row, right, u, v);
      if (d < 3)
        index = shore + 2 + static_cast<int>(PixelHash(x % 16, y, 7) % 4);
      else if (d == 3)
        index = Water + 7;
      p.Pixel(x0 + x, y, index);
    }
}

// Animated tiles: four frames of 16 x 16 stacked in a 16 x 64 strip.
void DrawAnimatedStrips(TIndexedPainter& p) {
  for (int f = 0; f < 4; ++f) {
    const int y0 = 64 + 16 * f;
    // A stream running down.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool crest = (y + 16 - 4 * f) % 8 < 2 && x % 4 != 0;
        p.Pixel(48 + x, y0 + y, crest ? Water + 6 : Water + 3 + (x % 3 == 0));
      }
    // Bubbling lava.
    p.Speckle(64, y0, 16, 16, Lava + 2, 4, 400 + f);
    p.FillEllipse(64 + 2 + 3 * f, y0 + 9 - 2 * f, 5, 5, Lava + 7);
    // Flowers nodding in the grass.
    p.Speckle(80, y0, 16, 16, Grass + 3, 3, 17);
    for (int k = 0; k < 3; ++k) {
      const int fx = 80 + 2 + 5 * k + (f % 2 == k % 2 ? 1 : 0);
      const int fy = y0 + 4 + 4 * (k % 2);
      p.FillRect(fx + 1, fy + 3, 1, 4, Grass + 1);
      p.FillRect(fx, fy, 3, 3, Accent + k);
    }
  }
}

// A terrain autotile block of 48 x 64 at the pixel origin: its whole-tile icon at the top
// left, the same icon beside it (the block matches itself), the four inner-corner quarters
// at the top right, and a 3 x 3 patch of tiles with a rim below.
void DrawTerrainBlock(TIndexedPainter& p, int ox, int oy, int ramp, uint32_t seed) {
  p.Speckle(ox, oy, 48, 64, ramp + 3, 3, seed);
  auto rim = [&](int x, int y, int w, int h) {
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px) {
        const int edge = std::min(std::min(px, w - 1 - px), std::min(py, h - 1 - py));
        if (edge < 2) p.Pixel(x + px, y + py, ramp + edge);
      }
  };
  rim(ox, oy, 16, 16);
  rim(ox, oy + 16, 48, 48);
  // Inner corners: only the corner itself is rim.
  for (int q = 0; q < 4; ++q) {
    const int qx = ox + 32 + 8 * (q % 2), qy = oy + 8 * (q / 2);
    const int cx = q % 2 ? qx + 6 : qx, cy = q / 2 ? qy + 6 : qy;
    p.FillRect(cx, cy, 2, 2, ramp);
  }
  p.CopyRect(ox, oy, 16, 16, ox + 16, oy);
}

enum class TChipStyle { Speckle, Flowers, Grid, PlanksAcross, PlanksDown, Bricks, Checker, Steps };

struct TChipTheme {
  int Ramp;
  TChipStyle Style;
};

// One row of six lower chips per theme.
constexpr TChipTheme LowerThemes[24] = {
    {Grass, TChipStyle::Speckle},     {Grass, TChipStyle::Flowers},
    {Dirt, TChipStyle::Speckle},      {Sand, TChipStyle::Speckle},
    {Snow, TChipStyle::Speckle},      {Stone, TChipStyle::Grid},
    {Wood, TChipStyle::PlanksAcross}, {Carpet, TChipStyle::Grid},
    {Tile, TChipStyle::Checker},      {Brick, TChipStyle::Bricks},
    {Stone, TChipStyle::Bricks},      {Wood, TChipStyle::PlanksDown},
    {Roof, TChipStyle::Bricks},       {Dirt, TChipStyle::Steps},
    {Stone, TChipStyle::PlanksDown},  {Swamp, TChipStyle::Speckle},
    {Lava, TChipStyle::Speckle},      {Crystal, TChipStyle::Checker},
    {Gold, TChipStyle::Grid},         {Bark, TChipStyle::PlanksDown},
    {Stone, TChipStyle::Steps},       {Sand, TChipStyle::Grid},
    {Leaf, TChipStyle::Flowers},      {Deep, TChipStyle::Speckle},
};

void DrawLowerChip(TIndexedPainter& p, int x0, int y0, int theme, int variant) {
  const TChipTheme& t = LowerThemes[theme];
  const int base = t.Ramp + 1 + variant % 3;
  const uint32_t seed = 1000 + theme * 16 + variant;
  p.Speckle(x0, y0, 16, 16, base + 1, 3, seed);
  const int dark = t.Ramp + variant % 2;
  switch (t.Style) {
  case TChipStyle::Speckle:
    break;
  case TChipStyle::Flowers:
    for (int k = 0; k < 2 + variant; ++k) {
      const uint32_t h = PixelHash(k, variant, seed);
      p.FillRect(x0 + 1 + h % 13, y0 + 1 + (h >> 8) % 13, 2, 2, Accent + (h >> 16) % 6);
    }
    break;
  case TChipStyle::Grid:
    for (int i = 0; i < 16; i += 8) {
      p.FillRect(x0 + i, y0, 1, 16, dark);
      p.FillRect(x0, y0 + i, 16, 1, dark);
    }
    break;
  case TChipStyle::PlanksAcross:
    for (int i = 0; i < 16; i += 4)
      p.FillRect(x0, y0 + i, 16, 1, dark);
    p.FillRect(x0 + 3 + 2 * variant, y0 + 1, 1, 3, dark);
    break;
  case TChipStyle::PlanksDown:
    for (int i = 0; i < 16; i += 4)
      p.FillRect(x0 + i, y0, 1, 16, dark);
    break;
  case TChipStyle::Bricks:
    for (int row = 0; row < 4; ++row) {
      p.FillRect(x0, y0 + 4 * row + 3, 16, 1, dark);
      const int shift = row % 2 ? 4 : 0;
      for (int i = shift; i < 16; i += 8)
        p.FillRect(x0 + i, y0 + 4 * row, 1, 3, dark);
    }
    break;
  case TChipStyle::Checker:
    for (int cy = 0; cy < 2; ++cy)
      for (int cx = 0; cx < 2; ++cx)
        if ((cx + cy) % 2) p.Speckle(x0 + 8 * cx, y0 + 8 * cy, 8, 8, base + 3, 2, seed + 1);
    break;
  case TChipStyle::Steps:
    for (int i = 0; i < 4; ++i) {
      p.FillRect(x0, y0 + 4 * i, 16, 1, t.Ramp + 6);
      p.FillRect(x0, y0 + 4 * i + 3, 16, 1, dark);
    }
    break;
  }
}

// Upper chips stand on index 0, which the map shows through.
void DrawUpperChip(TIndexedPainter& p, int x0, int y0, int chip) {
  if (chip == 0) return; // upper chip 0 is every map's empty upper cell
  const int group = (chip / 6) % 8;
  const int shade = group % 3;
  const uint32_t seed = 2000 + chip;
  switch (chip % 6) {
  case 0: // tree
    p.FillRect(x0 + 6, y0 + 10, 4, 6, Bark + 2 + shade);
    p.FillEllipse(x0 + 1, y0 + 0, 14, 12, Leaf + 1);
    p.FillEllipse(x0 + 2, y0 + 1, 12, 10, Leaf + 3 + shade);
    p.FillEllipse(x0 + 4, y0 + 2, 5, 4, Leaf + 6);
    break;
  case 1: // bush with berries
    p.FillEllipse(x0 + 1, y0 + 5, 14, 10, Leaf + 2 + shade);
    for (int k = 0; k < 3; ++k) {
      const uint32_t h = PixelHash(k, chip, seed);
      p.FillRect(x0 + 3 + h % 9, y0 + 7 + (h >> 8) % 5, 2, 2, Accent + group % 6);
    }
    break;
  case 2: // rock
    p.FillEllipse(x0 + 2, y0 + 5, 12, 10, Stone + 1);
    p.FillEllipse(x0 + 3, y0 + 6, 10, 8, Stone + 3 + shade);
    p.FillRect(x0 + 5, y0 + 7, 3, 2, Stone + 7);
    break;
  case 3: // flowers
    for (int k = 0; k < 4; ++k) {
      const int fx = x0 + 2 + 3 * k, fy = y0 + 4 + (k % 2) * 5;
      p.FillRect(fx + 1, fy + 2, 1, 5, Grass + 2);
      p.FillRect(fx, fy, 3, 2, Accent + (group + k) % 6);
    }
    break;
  case 4: // barrel or chest
    if (group % 2) {
      p.FillRect(x0 + 2, y0 + 5, 12, 10, Wood + 3 + shade);
      p.FrameRect(x0 + 2, y0 + 5, 12, 10, Wood);
      p.FillRect(x0 + 2, y0 + 8, 12, 1, Gold + 4);
      p.FillRect(x0 + 7, y0 + 8, 2, 3, Gold + 6);
    } else {
      p.FillEllipse(x0 + 3, y0 + 2, 10, 14, Wood + 3 + shade);
      p.FillRect(x0 + 3, y0 + 5, 10, 1, Bark + 1);
      p.FillRect(x0 + 3, y0 + 12, 10, 1, Bark + 1);
    }
    break;
  case 5: // crystal
    p.FillEllipse(x0 + 4, y0 + 1, 8, 15, Crystal + 2 + shade);
    p.FillEllipse(x0 + 6, y0 + 3, 3, 7, Crystal + 7);
    break;
  }
}

} // namespace

TBitmap DrawChipSet() {
  TIndexedPainter p(480, 256);
  SetPalette(p);
  DrawWaterColumn(p, 0, 16, Grass); // water with grassy shores, shared water and deep sea
  DrawWaterColumn(p, 48, 8, Sand);  // the second water's sandy shores
  DrawAnimatedStrips(p);
  // Terrain blocks 6..17 at their origins (pixels).
  constexpr int origins[12][2] = {{0, 128},  {48, 128},  {0, 192},  {48, 192},
                                  {96, 0},   {144, 0},   {96, 64},  {144, 64},
                                  {96, 128}, {144, 128}, {96, 192}, {144, 192}};
  constexpr int ramps[12] = {Grass, Dirt,   Sand, Snow, Stone, Leaf,
                             Swamp, Carpet, Tile, Wood, Brick, Crystal};
  for (int b = 0; b < 12; ++b)
    DrawTerrainBlock(p, origins[b][0], origins[b][1], ramps[b], 500 + b);
  for (int k = 0; k < 144; ++k) {
    const int x = 8 * (24 + 12 * (k / 96) + 2 * (k % 6));
    const int y = 8 * 2 * ((k % 96) / 6);
    DrawLowerChip(p, x, y, k / 6, k % 6);
  }
  for (int i = 0; i < 144; ++i) {
    const int k = i + 48;
    const int x = 8 * (36 + 12 * (k / 96) + 2 * (i % 6));
    const int y = 8 * 2 * ((k % 96) / 6);
    DrawUpperChip(p, x, y, i);
  }
  return p.Bitmap();
}

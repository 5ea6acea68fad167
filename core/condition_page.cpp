#include "core/condition_page.h"

#include "core/glimra_sheet.h"

TConditionEnabling ConditionEnabling(bool special, int kind, bool blockSkills, bool blockMagic) {
  const bool common = !special;
  return TConditionEnabling{common, common && blockSkills, common && blockMagic,
                            common && kind == 1};
}

std::array<uint32_t, ConditionColorCount> ConditionColors(const TGlimraSheet& systemGraphic) {
  std::array<uint32_t, ConditionColorCount> colors{};
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 10; ++column) {
      const int x = column * 16;
      const int y = 56 + row * 16;
      // A sheet smaller than a system graphic gives palette entry 0 where it has no pixel.
      int index = 0;
      if (x < systemGraphic.Width() && y < systemGraphic.Height())
        index = systemGraphic.GetScanLine(y)[x];
      const TPaletteEntry& e = systemGraphic.Palette()[size_t(index)];
      colors[size_t(row * 10 + column)] =
          uint32_t(e.Red) | uint32_t(e.Green) << 8 | uint32_t(e.Blue) << 16;
    }
  return colors;
}

// The colour-tone preview of the screen tone and flash dialogs: eight bars of 45 x 16
// pixels side by side, re-tinted by the tone the dialog sets.
#pragma once

#include <QImage>
#include <array>
#include <memory>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"

class QPainter;

class TColorBar {
public:
  static constexpr int BarWidth = 45;
  static constexpr int BarHeight = 16;
  static constexpr int BarCount = 8;
  static constexpr int BoardWidth = 360;
  static constexpr int BoardHeight = 96;

  TColorBar();
  // Tone and saturation 0..200, 100 neutral.
  void SetTone(int red, int green, int blue, int saturation);
  // The bars on a 360 x 96 board drawn at (0, 0); the rows below them stay black.
  void DrawAll(QPainter& painter);
  const TGlimraSheet& Bar(int index) const { return *bars_.at(static_cast<size_t>(index)); }

private:
  std::array<std::unique_ptr<TGlimraSheet>, BarCount> bars_;
};

// A board as an image for the screen; the board's RGB565 pixels are copied.
QImage BoardToImage(const TGlimraBoard& board);

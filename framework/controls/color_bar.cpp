#include "framework/controls/color_bar.h"

#include <QPainter>
#include <cstring>

namespace {

// The eight bars: a grey ramp, then ramps from black to red, green, blue, yellow, cyan
// and magenta, and the hue circle. Each column of a bar is one palette entry from 1 on.
TPaletteEntry BarColor(int bar, int column) {
  const int level = column * 255 / (TColorBar::BarWidth - 1);
  const auto entry = [](int r, int g, int b) {
    return TPaletteEntry{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
  };
  switch (bar) {
  case 0:
    return entry(level, level, level);
  case 1:
    return entry(level, 0, 0);
  case 2:
    return entry(0, level, 0);
  case 3:
    return entry(0, 0, level);
  case 4:
    return entry(level, level, 0);
  case 5:
    return entry(0, level, level);
  case 6:
    return entry(level, 0, level);
  default: {
    const QColor hue = QColor::fromHsv(column * 359 / (TColorBar::BarWidth - 1), 255, 255);
    return entry(hue.red(), hue.green(), hue.blue());
  }
  }
}

} // namespace

TColorBar::TColorBar() {
  for (int bar = 0; bar < BarCount; ++bar) {
    auto sheet = std::make_unique<TGlimraSheet>();
    sheet->SetSize(BarWidth, BarHeight);
    for (int column = 0; column < BarWidth; ++column)
      sheet->Palette()[static_cast<size_t>(column + 1)] = BarColor(bar, column);
    for (int y = 0; y < BarHeight; ++y) {
      uint8_t* row = sheet->GetScanLine(y);
      for (int column = 0; column < BarWidth; ++column)
        row[column] = static_cast<uint8_t>(column + 1);
    }
    sheet->UpdateColorTable();
    bars_[static_cast<size_t>(bar)] = std::move(sheet);
  }
}

void TColorBar::SetTone(int red, int green, int blue, int saturation) {
  for (auto& bar : bars_)
    bar->Tone1.SetTone(red, green, blue, saturation);
}

void TColorBar::DrawAll(QPainter& painter) {
  TGlimraBoard board;
  board.SetSize(BoardWidth, BoardHeight);
  for (int i = 0; i < BarCount; ++i)
    board.DrawSheet(i * BarWidth, 0, *bars_[static_cast<size_t>(i)],
                    bars_[static_cast<size_t>(i)]->GetBoundsRect());
  painter.drawImage(0, 0, BoardToImage(board));
}

QImage BoardToImage(const TGlimraBoard& board) {
  if (board.GetWidth() <= 0 || board.GetHeight() <= 0) return {};
  QImage image(board.GetWidth(), board.GetHeight(), QImage::Format_RGB16);
  for (int y = 0; y < board.GetHeight(); ++y)
    std::memcpy(image.scanLine(y), board.GetRow(y), static_cast<size_t>(board.GetWidth()) * 2);
  return image;
}

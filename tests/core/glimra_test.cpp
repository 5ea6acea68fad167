// Colour tables, sheet operations and drawing on boards, with expected pixels worked out
// by hand from the RGB565 rules.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/image_messages.h"

namespace {

constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F;

// A sheet of one row per string, pixel indexes as digits; palette 1 red, 2 green,
// 3 blue, 4 white, the rest black.
void MakeSheet(TGlimraSheet& s, std::vector<std::string> rows) {
  s.SetSize(int(rows[0].size()), int(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      s.GetScanLine(int(y))[x] = uint8_t(rows[y][x] - '0');
  s.Palette()[1] = {255, 0, 0, 0};
  s.Palette()[2] = {0, 255, 0, 0};
  s.Palette()[3] = {0, 0, 255, 0};
  s.Palette()[4] = {255, 255, 255, 0};
  s.UpdateColorTable();
}

std::vector<uint16_t> Row(TGlimraBoard& b, int y) {
  return std::vector<uint16_t>(b.GetRow(y), b.GetRow(y) + b.GetWidth());
}

void Fill(TGlimraBoard& b, uint16_t v) {
  auto canvas = b.GetCanvas();
  canvas.BrushColor = v;
  canvas.FillRect(TRect{0, 0, b.GetWidth(), b.GetHeight()});
}

} // namespace

TEST(GlimraColorTable, ToneSaturationFlashAndBrightness) {
  TGlimraSheet s;
  MakeSheet(s, {"0"});
  EXPECT_EQ(s.ColorTable()[4], 0xFFFF);
  s.Brightness = 50;
  s.UpdateColorTable();
  EXPECT_EQ(s.ColorTable()[4], 15 << 11 | 31 << 5 | 15);
  s.Brightness = 100;

  s.Tone1.SetTone(150, 100, 100, 100);
  s.Tone2.SetTone(150, 100, 100, 100);
  EXPECT_EQ(s.ColorTable()[0], kRed); // combined 200 drives red to 31
  s.Tone1.SetTone(20, 100, 100, 100);
  s.Tone2.SetTone(20, 100, 100, 100);
  EXPECT_EQ(s.ColorTable()[1], 0); // combined 0
  s.Tone2.Reset();
  s.Tone1.SetTone(100, 100, 100, 0);
  // Red 31: gray = (31 x 3) div 10 = 9, so red 9, green 18, blue 9.
  EXPECT_EQ(s.ColorTable()[1], 9 << 11 | 18 << 5 | 9);
  s.Tone1.SetTone(100, 100, 100, 200);
  EXPECT_EQ(s.ColorTable()[1], kRed); // 75 clamped to 31; green and blue below 0 to 0

  s.Tone1.Reset();
  s.Tone1.SetFlash(31, 0, 0, 16);
  EXPECT_EQ(s.ColorTable()[0], 15 << 11); // (31 x 16 + 16 x 0) div 32
  s.Tone2.SetFlash(0, 31, 0, 32);
  EXPECT_EQ(s.ColorTable()[0], 62 << 5); // Tone2's flash after Tone1's

  // A setter with unchanged values does not rebuild the table.
  s.Palette()[0] = {255, 255, 255, 0};
  s.Tone2.SetFlash(0, 31, 0, 32);
  EXPECT_EQ(s.ColorTable()[0], 62 << 5);
  s.Tone2.SetFlash(0, 31, 0, 32 + 5); // clamped to 32: still unchanged
  EXPECT_EQ(s.ColorTable()[0], 62 << 5);
  s.Tone2.Reset(false);
  EXPECT_EQ(s.ColorTable()[0], 62 << 5);
  s.UpdateColorTable();
  EXPECT_NE(s.ColorTable()[0], 62 << 5);
}

TEST(GlimraColorTable, SettingsFlippedBackGiveTheTableMadeAnew) {
  TGlimraSheet s, fresh;
  MakeSheet(s, {"0"});
  const std::array<uint16_t, 256> plain = s.ColorTable();
  s.Brightness = 50;
  s.UpdateColorTable();
  s.Brightness = 100;
  s.UpdateColorTable();
  EXPECT_EQ(s.ColorTable(), plain);
  // Back to the plain controls, but with a palette entry changed in between.
  s.Tone1.SetTone(150, 100, 100, 100);
  s.Palette()[4] = {0, 0, 0, 0};
  s.Tone1.Reset();
  MakeSheet(fresh, {"0"});
  fresh.Palette()[4] = {0, 0, 0, 0};
  fresh.UpdateColorTable();
  EXPECT_EQ(s.ColorTable(), fresh.ColorTable());
  s.Palette()[4] = {255, 255, 255, 0};
  s.UpdateColorTable();
  EXPECT_EQ(s.ColorTable(), plain);
  // A cleared sheet's table is made again from its palette.
  s.Clear();
  s.Palette() = fresh.Palette();
  s.UpdateColorTable();
  EXPECT_EQ(s.ColorTable(), fresh.ColorTable());
}

TEST(GlimraBoard, TransparencyOpacityAndBrightness) {
  TGlimraSheet s;
  MakeSheet(s, {"0123"});
  TGlimraBoard b;
  b.SetSize(4, 1);
  Fill(b, 0x1234);
  b.DrawSheet(0, 0, s, s.GetBoundsRect());
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{0, kRed, kGreen, kBlue}));
  Fill(b, 0x1234);
  s.Transparent = true;
  b.DrawSheet(0, 0, s, s.GetBoundsRect());
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{0x1234, kRed, kGreen, kBlue}));

  // Red over blue, and over white: a = Opacity + 1; each channel (red x a + under x
  // (257 - a)) >> 8, up to 63 x 257 for green.
  TGlimraSheet red;
  MakeSheet(red, {"1"});
  TGlimraBoard one;
  one.SetSize(1, 1);
  for (auto [opacity, under, expected] : {std::tuple{128, kBlue, 15 << 11 | 15},
                                          {254, kBlue, 30 << 11 | 0},
                                          {0, kBlue, 31},
                                          {128, 0xFFFF, 31 << 11 | 31 << 5 | 15},
                                          {200, 0xFFFF, 31 << 11 | 13 << 5 | 6}}) {
    Fill(one, uint16_t(under));
    red.Opacity = opacity;
    one.DrawSheet(0, 0, red, red.GetBoundsRect());
    EXPECT_EQ(Row(one, 0)[0], expected) << opacity << " " << under;
  }

  one.Brightness = 50;
  TGlimraSheet white;
  MakeSheet(white, {"4"});
  one.DrawSheet(0, 0, white, white.GetBoundsRect());
  EXPECT_EQ(white.Brightness, 50);
  EXPECT_EQ(Row(one, 0)[0], 15 << 11 | 31 << 5 | 15);
}

TEST(GlimraBoard, BoardColoursDrawAsTheColourTableAfterEveryChange) {
  // Two equal sheets, one keeping board colours; after each change both draw the same.
  TGlimraSheet kept, plain;
  kept.KeepBoardColors = true;
  auto make = [](TGlimraSheet& s, int w, int h, int seed) {
    std::vector<std::string> rows(size_t(h), std::string(size_t(w), '0'));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        rows[size_t(y)][size_t(x)] = char('0' + (x * 7 + y * 3 + seed) % 5);
    MakeSheet(s, rows);
  };
  const std::vector<std::pair<const char*, std::function<void(TGlimraSheet&, TGlimraBoard&)>>>
      changes = {
          {"first draw", [&](TGlimraSheet& s, TGlimraBoard&) { make(s, 40, 36, 0); }},
          {"tone", [](TGlimraSheet& s, TGlimraBoard&) { s.Tone1.SetTone(150, 60, 100, 40); }},
          {"brightness", [](TGlimraSheet&, TGlimraBoard& b) { b.Brightness = 60; }},
          {"pixel", [](TGlimraSheet& s, TGlimraBoard&) { s.GetScanLine(17)[20] = 4; }},
          {"reloaded", [&](TGlimraSheet& s, TGlimraBoard&) { make(s, 40, 36, 2); }},
          {"resized", [&](TGlimraSheet& s, TGlimraBoard&) { make(s, 23, 19, 1); }},
      };
  TGlimraBoard onKept, onPlain;
  onKept.SetSize(48, 40);
  onPlain.SetSize(48, 40);
  for (const auto& [name, change] : changes) {
    change(kept, onKept);
    change(plain, onPlain);
    for (bool transparent : {false, true}) {
      kept.Transparent = plain.Transparent = transparent;
      for (TRect src :
           {TRect{16, 16, 32, 32}, TRect{8, 0, 16, 8}, TRect{3, 14, 21, 19}, TRect{0, 0, 40, 36}}) {
        for (TPoint at : {TPoint{5, 3}, TPoint{-4, 30}}) {
          Fill(onKept, 0x1234);
          Fill(onPlain, 0x1234);
          onKept.DrawSheet(at.X, at.Y, kept, src);
          onPlain.DrawSheet(at.X, at.Y, plain, src);
          for (int y = 0; y < 40; ++y)
            ASSERT_EQ(Row(onKept, y), Row(onPlain, y))
                << name << " transparent " << transparent << " row " << y;
        }
      }
    }
  }
}

TEST(GlimraBoard, ClippingOnEverySide) {
  TGlimraSheet s;
  MakeSheet(s, {"1231231231"});
  for (int i = 0; i < 10; ++i)
    s.GetScanLine(0)[i] = uint8_t(i);
  for (int i = 5; i < 10; ++i)
    s.Palette()[i] = {uint8_t(8 * i), 0, 0, 0};
  s.UpdateColorTable();
  TGlimraBoard b;
  b.SetSize(10, 1);
  b.DrawSheet(-5, 0, s, s.GetBoundsRect());
  const auto& t = s.ColorTable();
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{t[5], t[6], t[7], t[8], t[9], 0, 0, 0, 0, 0}));
  b.ClearBoard();
  b.DrawSheet(0, 0, s, TRect{-2, 0, 3, 1}); // source starting left of the sheet
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{0, 0, t[0], t[1], t[2], 0, 0, 0, 0, 0}));
  b.ClearBoard();
  b.DrawSheet(8, 0, s, TRect{1, 0, 5, 5}); // past the right and bottom edges
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{0, 0, 0, 0, 0, 0, 0, 0, t[1], t[2]}));
}

TEST(GlimraBoard, StretchedAndCentredDrawing) {
  TGlimraSheet two;
  MakeSheet(two, {"12"});
  TGlimraBoard b;
  b.SetSize(4, 1);
  b.StretchDrawSheet(TRect{0, 0, 4, 1}, two, two.GetBoundsRect());
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{kRed, kRed, kGreen, kGreen}));
  b.ClearBoard();
  TGlimraSheet three;
  MakeSheet(three, {"123"});
  b.StretchDrawSheet(TRect{1, 0, 3, 1}, three,
                     three.GetBoundsRect()); // columns 0 x 3 / 2, 1 x 3 / 2
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{0, kRed, kGreen, 0}));
  b.ClearBoard();
  b.StretchDrawSheet(TRect{-2, 0, 2, 1}, two, two.GetBoundsRect()); // left half cut off
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{kGreen, kGreen, 0, 0}));
  b.ClearBoard();
  b.StretchDrawSheet(TRect{0, 0, 4, 1}, two, TRect{1, 0, 3, 1}); // source half outside the sheet
  EXPECT_EQ(Row(b, 0), (std::vector<uint16_t>{kGreen, kGreen, 0, 0}));
  b.StretchDrawSheet(TRect{3, 0, 3, 1}, two, two.GetBoundsRect()); // empty: nothing, no fault

  TGlimraSheet square;
  MakeSheet(square, {"12", "31"});
  TGlimraBoard c;
  c.SetSize(6, 3);
  // Centre (3, 1), half size 1 x 1, scale 2: destination (1, -1) to (5, 3).
  c.DrawSheetCentered(3, 1, 2.0, 1, 1, square.GetBoundsRect(), square);
  EXPECT_EQ(Row(c, 0), (std::vector<uint16_t>{0, kRed, kRed, kGreen, kGreen, 0}));
  EXPECT_EQ(Row(c, 1), (std::vector<uint16_t>{0, kBlue, kBlue, kRed, kRed, 0}));
  EXPECT_EQ(Row(c, 2), Row(c, 1));
  c.ClearBoard();
  c.DrawSheetCentered(1.5, 1, 1.0, 1, 1, square.GetBoundsRect(), square); // round(0.5) = 0
  EXPECT_EQ(Row(c, 0), (std::vector<uint16_t>{kRed, kGreen, 0, 0, 0, 0}));
}

TEST(GlimraBoard, BoardCopies) {
  TGlimraBoard b;
  b.SetSize(3, 2);
  Fill(b, 7);
  std::vector<uint16_t> target(6 * 4, 0);
  const TSurface16 t{reinterpret_cast<uint8_t*>(target.data()), 12, 6, 4};
  b.Draw(t, 2, 1); // every column of the board arrives
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(target[y * 6 + x], (x >= 2 && x < 5 && y >= 1 && y < 3) ? 7 : 0) << x << "," << y;
  std::fill(target.begin(), target.end(), 0);
  b.StretchDraw(t, TRect{0, 0, 6, 4});
  EXPECT_EQ(std::count(target.begin(), target.end(), 7), 24);

  TGlimraBoard row;
  row.SetSize(4, 1);
  for (int i = 0; i < 4; ++i)
    row.GetRow(0)[i] = uint16_t(i + 1);
  row.DrawBoard(1, 0, row, TRect{0, 0, 3, 1});
  EXPECT_EQ(Row(row, 0), (std::vector<uint16_t>{1, 1, 2, 3}));
  TGlimraBoard column;
  column.SetSize(1, 3);
  for (int i = 0; i < 3; ++i)
    column.GetRow(i)[0] = uint16_t(i + 1);
  column.DrawBoard(0, 1, column, TRect{0, 0, 1, 2});
  EXPECT_EQ(column.GetRow(2)[0], 2);
  EXPECT_EQ(column.GetRow(1)[0], 1);
  EXPECT_EQ(column.RowStride(), 4);
  column.SetHeight(1);
  EXPECT_EQ(column.RowStride(), 0);
  EXPECT_EQ(column.GetRow(0)[0], 1); // kept by a change of one side
  EXPECT_THROW(column.GetRow(1), EInvalidGraphicOperation);
}

// A board of a new size starts cleared, whatever its memory held before: small ones, and
// large ones cleared in bands; empty sizes included.
TEST(GlimraBoard, ANewSizeStartsClearedWhateverItsMemoryHeld) {
  const auto cleared = [](const TGlimraBoard& b) {
    for (int y = 0; y < b.GetHeight(); ++y)
      for (int x = 0; x < b.GetWidth(); ++x)
        if (b.GetRow(y)[x] != 0) return false;
    return true;
  };
  for (const TPoint size : {TPoint{5, 3}, TPoint{1701, 1000}})
    for (int round = 0; round < 3; ++round) {
      {
        TGlimraBoard used;
        used.SetSize(size.X, size.Y);
        Fill(used, 0xFFFF);
      }
      TGlimraBoard board;
      board.SetSize(size.X, size.Y);
      EXPECT_TRUE(cleared(board)) << size.X << " round " << round;
      Fill(board, 0xFFFF);
      board.SetSize(size.X + 1, size.Y);
      EXPECT_TRUE(cleared(board)) << size.X << " round " << round;
    }
  TGlimraBoard empty;
  empty.SetSize(0, 7);
  empty.SetSize(7, 0);
  EXPECT_EQ(empty.RowStride(), 0);
}

TEST(GlimraSheet, LoadingAndPixelQueries) {
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf8bit, 3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      bitmap.SetIndexAt(x, y, uint8_t(10 * y + x));
  bitmap.Palette()[21] = {1, 2, 3, 0};
  TGlimraSheet s;
  s.SetSize(2, 2);
  s.LoadFromBitmap(bitmap, TPoint{1, 1});
  EXPECT_EQ(s.Pixels(), (std::vector<uint8_t>{11, 12, 21, 22}));
  EXPECT_EQ(s.Palette()[21], (TPaletteEntry{1, 2, 3, 0}));
  s.AutoSize = true;
  s.LoadFromBitmap(bitmap, TPoint{2, 0});
  EXPECT_EQ(s.Width(), 3);
  EXPECT_EQ(s.Pixels()[0], 2);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  try {
    s.LoadFromBitmap(bitmap);
    ADD_FAILURE();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "An image format is illegal");
  }
  s.LoadFromFile("/nonexistent/file.png", false);
  EXPECT_EQ(std::count(s.Pixels().begin(), s.Pixels().end(), 0), 9);
  EXPECT_THROW(s.LoadFromFile("/nonexistent/file.png", true), EFileError);

  MakeSheet(s, {"1200", "1200", "0034"});
  EXPECT_TRUE(s.SameRects(TRect{0, 0, 2, 2}, TRect{0, 0, 2, 2}));
  EXPECT_FALSE(s.SameRects(TRect{0, 0, 2, 2}, TRect{2, 0, 4, 2}));
  EXPECT_FALSE(s.SameRects(TRect{0, 0, 2, 2}, TRect{3, 2, 5, 4})); // outside the sheet
  EXPECT_TRUE(s.IsRectClear(TRect{2, 0, 4, 2}));
  EXPECT_FALSE(s.IsRectClear(TRect{1, 1, 4, 3}));
  EXPECT_TRUE(s.IsRectFilled(TRect{0, 0, 2, 2}));
  EXPECT_FALSE(s.IsRectFilled(TRect{0, 0, 3, 1}));
  s.FlipHorizontal();
  EXPECT_EQ(std::vector<uint8_t>(s.Pixels().begin() + 8, s.Pixels().end()),
            (std::vector<uint8_t>{4, 3, 0, 0}));

  s.Palette()[0] = {255, 0, 0, 0};
  s.RotateHue(120);
  EXPECT_EQ(s.Palette()[0], (TPaletteEntry{255, 0, 0, 0})); // entry 0 kept
  EXPECT_EQ(s.Palette()[1], (TPaletteEntry{0, 255, 0, 0}));
  s.RotateHue(-240);
  EXPECT_EQ(s.Palette()[1], (TPaletteEntry{0, 0, 255, 0}));
  EXPECT_EQ(s.ColorTable()[1], kBlue);
}

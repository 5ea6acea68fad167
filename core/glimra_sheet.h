// TGlimraSheet: an 8-bit palettised image, the source of every game graphic, with the
// 16-bit colour table through which it is drawn on a board (see glimra_board.h).
//
// The colour table turns each palette entry into RGB565 through the sheet's two colour
// controls (tone, saturation, flash) and its brightness; see UpdateColorTable.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bitmap.h"
#include "core/geometry.h"

class TGlimraSheet;

// Sine and cosine of i x pi / 128 for i = 0..255.
extern const std::array<double, 256> GlimraSinTable;
extern const std::array<double, 256> GlimraCosTable;

// One of a sheet's two colour settings. Tone and saturation run 0..200 with 100 neutral;
// the flash colour 0..31 per channel with FlashLevel 0..32 its weight out of 32 (0 = no
// flash). Values outside these ranges are clamped. Each setter does nothing when every
// value is unchanged, and otherwise, when Update is set, rebuilds the owner's colour table.
class TGlimraColorControl {
public:
  explicit TGlimraColorControl(TGlimraSheet* owner) : owner_(owner) {}
  TGlimraColorControl(const TGlimraColorControl&) = delete;
  TGlimraColorControl& operator=(const TGlimraColorControl&) = delete;

  void Reset(bool update = true);
  void SetTone(int red, int green, int blue, int saturation, bool update = true);
  void SetFlash(int red, int green, int blue, int level, bool update = true);
  void SetAll(int toneRed, int toneGreen, int toneBlue, int saturation, int flashRed,
              int flashGreen, int flashBlue, int flashLevel, bool update = true);

  int ToneRed() const { return v_[0]; }
  int ToneGreen() const { return v_[1]; }
  int ToneBlue() const { return v_[2]; }
  int Saturation() const { return v_[3]; }
  int FlashRed() const { return v_[4]; }
  int FlashGreen() const { return v_[5]; }
  int FlashBlue() const { return v_[6]; }
  int FlashLevel() const { return v_[7]; }
  const std::array<int, 8>& Values() const { return v_; }

private:
  void Store(const std::array<int, 8>& values, bool update);
  TGlimraSheet* owner_;
  std::array<int, 8> v_{100, 100, 100, 100, 0, 0, 0, 0};
};

class TGlimraSheet {
public:
  TGlimraSheet();
  TGlimraSheet(const TGlimraSheet&) = delete;
  TGlimraSheet& operator=(const TGlimraSheet&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Width x Height palette indexes, rows Width bytes apart.
  const std::vector<uint8_t>& Pixels() const { return pixels_; }
  TPalette& Palette() { return palette_; }
  const TPalette& Palette() const { return palette_; }
  const std::array<uint16_t, 256>& ColorTable() const { return color_table_; }

  bool Transparent = false; // index 0 is not drawn
  int Opacity = 255;        // 0..255, 255 opaque; clamped when drawing
  bool AutoSize = false;    // loading takes the image's size
  int Brightness = 100;     // 100 neutral; boards set it when they draw the sheet
  TGlimraColorControl Tone1{this};
  TGlimraColorControl Tone2{this};
  // A sheet drawn unscaled piece by piece all the time (the chipset) also keeps its pixels
  // in board colours, so that such a draw copies rows instead of looking up every pixel.
  bool KeepBoardColors = false;

  // When the size differs, new zeroed pixels of that size (negative sizes count as 0).
  void SetSize(int width, int height);
  // Zeroes the pixels, the palette and the colour table.
  void Clear();
  void UpdateColorTable();
  // Turns the hue of palette entries 1..255 by Degrees (entry 0 is kept), then rebuilds
  // the colour table (also for 0 degrees).
  void RotateHue(int degrees);
  TRect GetBoundsRect() const { return TRect{0, 0, width_, height_}; }
  // The first pixel of row Y; raises EInvalidGraphicOperation outside the sheet.
  uint8_t* GetScanLine(int y);
  const uint8_t* GetScanLine(int y) const;

  // Copies a pf8bit bitmap from Origin on (as far as both reach) and its 256 palette
  // entries; with AutoSize the sheet first takes the bitmap's size. Any other format
  // raises EInvalidGraphic "An image format is illegal".
  void LoadFromBitmap(const TBitmap& bitmap, TPoint origin = {});
  // Clear, then (for a non-empty name) LoadBitmapFromImageFile and LoadFromBitmap. Errors
  // reach the caller only with RaiseErrors; otherwise the sheet stays cleared.
  void LoadFromFileAt(const std::string& fileName, TPoint origin, bool raiseErrors);
  void LoadFromFile(const std::string& fileName, bool raiseErrors) {
    LoadFromFileAt(fileName, TPoint{}, raiseErrors);
  }
  void FlipHorizontal();

  // True when both rectangles lie in the sheet, have the same size and equal pixels.
  bool SameRects(const TRect& a, const TRect& b) const;
  // Whether every pixel of the part of Rect inside the sheet is 0, or none is.
  bool IsRectClear(const TRect& rect) const;
  bool IsRectFilled(const TRect& rect) const;

  // The pixels in board colours, Width apart, current at least within Rect (inside the
  // sheet); as many masks follow, 0xFFFF where the index is not 0. Only the 16 x 16
  // blocks a draw touches are converted, each again after the pixels or the colour table
  // changed (any writable scan line counts as a change).
  const uint16_t* BoardColors(const TRect& rect);

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
  TPalette palette_{};
  std::array<uint16_t, 256> color_table_{};
  // The last two colour tables made, with what they were made from (the palette, both
  // colour controls and the brightness): drawing code that flips a sheet between two
  // settings and back (a probe, two brightnesses) then takes a table instead of making it.
  struct TColorMemo {
    bool Made = false;
    std::array<int, 17> Controls{};
    TPalette Palette{};
    std::array<uint16_t, 256> Table{};
  };
  std::array<int, 17> ColorControls() const;
  std::array<TColorMemo, 2> colorMemos_;
  int currentMemo_ = 0; // the one color_table_ holds
  // Bumped by every change of the pixels or the colour table; a block of board colours is
  // current while it holds the value it was converted at.
  uint64_t changes_ = 1;
  std::vector<uint16_t> board_colors_;
  std::vector<uint64_t> board_blocks_;
};

// TXelAnimationGraphic: plays a battle animation onto a board, one frame at a time. Each
// cell of a frame is a 96 x 96 pattern of the animation image (5 patterns a row), centred
// on its position, scaled, toned and made translucent; the timings flash the target or
// the whole screen over six frames and play sound effects at their frames.
//
// Frames and cells are addressed by list index (frame 0 is the first); a timing's Frame
// counts from 1. Drawing never fails on data: a missing frame or cell, a pattern outside
// the image or a magnification of 0 or less draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/glimra_sheet.h"

class TGlimraBoard;
class TAnimationSoundSink;
class TXelAnimationItem;

inline constexpr int AnimationPatternSize = 96;
inline constexpr int AnimationPatternsPerRow = 5;

struct TAnimationFlash {
  int32_t Red = 0;
  int32_t Green = 0;
  int32_t Blue = 0;
  int32_t Power = 0;
  friend bool operator==(const TAnimationFlash&, const TAnimationFlash&) = default;
};

class TXelAnimationGraphic {
public:
  // Sounds go to the default sink (the sound library) unless one is given.
  TXelAnimationGraphic();
  explicit TXelAnimationGraphic(TAnimationSoundSink& sink);
  TXelAnimationGraphic(const TXelAnimationGraphic&) = delete;
  TXelAnimationGraphic& operator=(const TXelAnimationGraphic&) = delete;

  // Binds Item (nothing for nullptr), loads its graphic and builds the flash tables.
  void SetAnimation(const TXelAnimationItem* item, bool clearOnly);
  // When Name differs from FileName: the sheet cleared and loaded from the "Battle"
  // materials; a failure is raised only outside editor mode.
  void LoadGraphic(const std::string& name);
  // Both tables sized to the frame count + 10 and zeroed; unless ClearOnly, each timing
  // that flashes fills the six entries from its frame on with fading power.
  void BuildFlashTables(bool clearOnly);
  // The colour of palette entry 0 as 0x00RRGGBB.
  uint32_t GetBackgroundColor() const;
  // Opacity 255, both colour controls reset, the colour table rebuilt.
  void ResetEffects();

  void DrawPattern(TGlimraBoard& board, int x, int y, int pattern);
  // Tone1 (target) or Tone2 (screen) of Sheet takes the flash of Frame; a frame outside
  // the table resets that colour control.
  void ApplyTargetFlash(TGlimraSheet& sheet, int frame) const;
  void ApplyScreenFlash(TGlimraSheet& sheet, int frame) const;
  // Cell Cell of frame Frame centred at (X + cell X, Y + cell Y).
  void DrawCell(TGlimraBoard& board, int x, int y, bool withScreenFlash, int cell, int frame);
  // Every visible cell of Frame, in list order, with the screen flash.
  void DrawFrame(TGlimraBoard& board, int x, int y, int frame);
  // The sound of every timing at Frame whose file is found; "(OFF)" is never played.
  void PlayFrameSounds(int frame);

  const TXelAnimationItem* Animation = nullptr;
  std::string FileName;
  TGlimraSheet Sheet; // sizes itself to the image; colour 0 transparent
  std::vector<TAnimationFlash> TargetFlash;
  std::vector<TAnimationFlash> ScreenFlash;

private:
  // The source square of Pattern, false when it lies outside the image.
  bool PatternRect(int pattern, TRect& rect) const;

  TAnimationSoundSink* sink_;
};

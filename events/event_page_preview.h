// The event editor's preview of a page's graphic, as numbers: which 24 x 32 frame of the
// character block shows, and how fast the preview turns. Values out of range from a
// file are clamped here, so they select a frame without being changed in the page.
#pragma once

#include <array>
#include <cstdint>

#include "core/geometry.h"

class TGlimraBoard;
class TGlimraSheet;

inline constexpr int PreviewWidth = 56;
inline constexpr int PreviewHeight = 64;
// The animation type that spins the character instead of walking it.
inline constexpr int SpinAnimation = 5;

// The frame of Index's block in a character sheet (eight blocks of 72 x 128): stepping
// types (1 and 3) walk the columns 24, 0, 24, 48 by Counter, the spin type walks the
// rows, every other shows Pattern and Direction.
TRect PreviewFrame(int32_t index, int animationType, int32_t pattern, int direction,
                   int64_t counter);
// The turning preview of the hero walk graphic and vehicle commands: the character steps
// through the columns as the stepping types do, and every 16 ticks turns to the next
// direction of Rows.
TRect TurningFrame(int32_t index, const std::array<int, 4>& rows, int64_t tick);
// Fills Board with the sheet's colour 0 and draws Frame stretched into Dest, at opacity
// 160 when the graphic is see-through.
void DrawCharacterFrame(TGlimraBoard& board, TGlimraSheet& sheet, const TRect& dest,
                        const TRect& frame, bool seeThrough);
// Milliseconds between frames for the speed 1..6.
int PreviewInterval(int animationType, int32_t speed);
// The upper-layer tile that shows a page without a character.
int32_t PreviewTileId(int32_t index);

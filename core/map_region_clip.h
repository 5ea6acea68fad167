// Clipboard format 562: a block of map cells that the map editor copies and pastes.
// [u16 width][u16 height], then for x = 0..w-1, for y = 0..h-1 (x outer) the lower and the
// upper tile id, 16 bits each; no size field. Any program on the desktop may put such a
// block there, so a block counts only when both sides are at least 1 and it holds every
// cell; bytes beyond are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/map_layer.h"

struct TMapRegionClip {
  int Width = 0;
  int Height = 0;
  // Width x Height ids each, row-major as in a layer.
  std::vector<uint16_t> Lower;
  std::vector<uint16_t> Upper;
};

// The block of the two layers (of equal size; an empty layer gives an empty vector).
std::vector<uint8_t> BuildMapRegionClip(const TXelMapLayer& lower, const TXelMapLayer& upper);
// Nothing for a block that does not count; checked before anything is allocated.
std::optional<TMapRegionClip> ParseMapRegionClip(const std::vector<uint8_t>& bytes);
// Whether a block counts, without reading the cells.
bool IsMapRegionClip(const std::vector<uint8_t>& bytes);

// One tile layer of a map: a grid of 16-bit tile ids, row-major (cell (x, y) at index
// y * Width + x), that may repeat horizontally and vertically.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int DefaultMapWidth = 20;
inline constexpr int DefaultMapHeight = 15;

class TXelMapLayer {
public:
  // A 20 x 15 layer filled with FillValue.
  explicit TXelMapLayer(uint16_t fillValue = 0);

  // Size 20 x 15, every cell FillValue.
  void Reset();
  // Every cell FillValue.
  void Fill();
  // The cell, or -1 outside the layer. A coordinate outside is first brought back into
  // the layer along each axis that wraps.
  int GetCell(int x, int y) const;
  // Ignored outside the layer.
  void SetCell(int x, int y, uint16_t value);
  // Size, cells, wrap flags and FillValue.
  void Assign(const TXelMapLayer& source);
  // New grid of FillValue with the old cells kept where they still fit (the top-left
  // corner stays put). A negative size counts as 0.
  void Resize(int width, int height);
  // Width x Height cells taken from Bytes (two per cell, little-endian), over the storage
  // already held: a reload of a map of the same size allocates and fills nothing.
  void LoadCells(int width, int height, const uint8_t* bytes);
  // Exchanges the size and cells with Other; the wrap flags and FillValue stay.
  void SwapCells(TXelMapLayer& other) noexcept;
  void SetWidth(int width) { Resize(width, height_); }
  void SetHeight(int height) { Resize(width_, height); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<uint16_t>& Cells() const { return cells_; }
  // Row-major cell storage for block copies; always Width * Height entries.
  uint16_t* CellData() { return cells_.data(); }

  uint8_t WrapX = 0;
  uint8_t WrapY = 0;
  uint16_t FillValue;

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint16_t> cells_;
};

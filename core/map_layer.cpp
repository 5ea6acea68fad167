#include "core/map_layer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

// Brings V into 0..Size-1 when the axis wraps; -1 when it stays outside.
int WrapCoordinate(int v, int size, bool wrap) {
  if (v >= 0 && v < size) return v;
  if (!wrap || size <= 0) return -1;
  const int r = v % size;
  return r < 0 ? r + size : r;
}

} // namespace

TXelMapLayer::TXelMapLayer(uint16_t fillValue) : FillValue(fillValue) {
  Reset();
}

void TXelMapLayer::Reset() {
  width_ = DefaultMapWidth;
  height_ = DefaultMapHeight;
  cells_.assign(size_t(width_) * size_t(height_), FillValue);
}

void TXelMapLayer::Fill() {
  std::fill(cells_.begin(), cells_.end(), FillValue);
}

int TXelMapLayer::GetCell(int x, int y) const {
  x = WrapCoordinate(x, width_, WrapX != 0);
  y = WrapCoordinate(y, height_, WrapY != 0);
  if (x < 0 || y < 0) return -1;
  return cells_[size_t(y) * size_t(width_) + size_t(x)];
}

void TXelMapLayer::SetCell(int x, int y, uint16_t value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cells_[size_t(y) * size_t(width_) + size_t(x)] = value;
}

void TXelMapLayer::Assign(const TXelMapLayer& source) {
  if (&source == this) return;
  width_ = source.width_;
  height_ = source.height_;
  cells_ = source.cells_;
  WrapX = source.WrapX;
  WrapY = source.WrapY;
  FillValue = source.FillValue;
}

void TXelMapLayer::SwapCells(TXelMapLayer& other) noexcept {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  cells_.swap(other.cells_);
}

void TXelMapLayer::LoadCells(int width, int height, const uint8_t* bytes) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  cells_.resize(size_t(width_) * size_t(height_));
  std::memcpy(cells_.data(), bytes, cells_.size() * sizeof(uint16_t));
}

void TXelMapLayer::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<uint16_t> cells(size_t(width) * size_t(height), FillValue);
  const int keepW = std::min(width, width_);
  const int keepH = std::min(height, height_);
  for (int y = 0; y < keepH; ++y) {
    const auto from = cells_.begin() + ptrdiff_t(size_t(y) * size_t(width_));
    std::copy(from, from + keepW, cells.begin() + ptrdiff_t(size_t(y) * size_t(width)));
  }
  cells_ = std::move(cells);
  width_ = width;
  height_ = height;
}

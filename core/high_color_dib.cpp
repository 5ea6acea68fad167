#include "core/high_color_dib.h"

#include <algorithm>

#include "core/bitmap.h"
#include "core/image_messages.h"

EOutOfResources::EOutOfResources() : Exception(SShortOfResources) {}

void THighColorDIB::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  if (width < 0 || height < 0) throw EOutOfResources();
  if (int64_t(width) * height != 0 && !ImageSizeAllowed(width, height)) throw EOutOfResources();
  bits_.clear();
  bits_.shrink_to_fit();
  header_ = TBitmapInfoHeader{};
  width_ = width;
  height_ = height;
  row_bytes_ = (2 * width + 3) & ~3;
  if (int64_t(width) * height != 0) {
    header_.Width = width;
    header_.Height = height;
    header_.Planes = 1;
    header_.BitCount = 16;
    bits_.assign(size_t(row_bytes_ / 2) * size_t(height), 0);
  }
  if (canvas_) canvas_->Surface = Surface();
}

uint16_t* THighColorDIB::GetScanLine(int y) {
  if (y < 0 || y >= height_ || bits_.empty()) throw EInvalidGraphicOperation();
  return bits_.data() + size_t(height_ - 1 - y) * (row_bytes_ / 2);
}

void THighColorDIB::Clear() {
  std::fill(bits_.begin(), bits_.end(), 0);
}

TSurface16 THighColorDIB::Surface() {
  if (bits_.empty()) return TSurface16{};
  return TSurface16{reinterpret_cast<uint8_t*>(GetScanLine(0)), -ptrdiff_t(row_bytes_), width_,
                    height_};
}

TRasterCanvas& THighColorDIB::GetCanvas() {
  if (!canvas_) canvas_ = std::make_unique<TRasterCanvas>();
  canvas_->Surface = Surface();
  return *canvas_;
}

void THighColorDIB::FreeBitmap() {
  canvas_.reset();
  bits_.clear();
  bits_.shrink_to_fit();
  header_ = TBitmapInfoHeader{};
  width_ = height_ = row_bytes_ = 0;
}

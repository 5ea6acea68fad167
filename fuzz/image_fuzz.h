// Shared body of the image reader fuzz targets: whatever a reader accepts must write
// with the matching writer and read back to the same pixels.
#pragma once

#include <cstdlib>

#include "core/bitmap.h"
#include "core/errors.h"
#include "core/stream.h"

template <void (*Reader)(TStream&, TBitmap&), void (*Writer)(TStream&, const TBitmap&)>
void CheckImageRoundTrip(const uint8_t* data, size_t size) {
  TBitmap first;
  TMemoryStream in(data, size);
  try {
    Reader(in, first);
  } catch (const Exception&) {
    return;
  }
  if (first.Empty()) std::abort();
  // Huge images are legal but too slow to write on every run.
  if (int64_t(first.Width()) * first.Height() > (1 << 16)) return;
  TMemoryStream out;
  Writer(out, first);
  out.SetPosition(0);
  TBitmap second;
  Reader(out, second);
  if (second.Width() != first.Width() || second.Height() != first.Height()) std::abort();
  for (int y = 0; y < first.Height(); ++y)
    for (int x = 0; x < first.Width(); ++x)
      if (second.ColorAt(x, y) != first.ColorAt(x, y)) std::abort();
}

// XYZ files, our own compact format for 8-bit images:
//   "XYZ1", width and height (unsigned 16-bit little-endian), then one zlib stream that
//   inflates to the palette (256 x red, green, blue) followed by the rows, top to bottom,
//   each Width bytes.
#pragma once

#include "core/bitmap.h"

class TStream;

// Raises EInvalidGraphic "Invalid XYZ Image" for a wrong signature or a zero or oversized
// size, and "Zlib Error" when the data does not inflate to exactly palette and pixels.
void ReadXyz(TStream& stream, TBitmap& bitmap);
// Converts to pf8bit first (see ReduceToPalette). Raises "Empty Bitmap" for no pixels.
void WriteXyz(TStream& stream, const TBitmap& bitmap);

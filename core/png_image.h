// PNG files of the subset the game uses: 8-bit palette images (colour type 3) and 24-bit
// RGB images (colour type 2), bit depth 8, not interlaced.
//
// Reading yields pf8bit with the PLTE entries (the rest of the 256 black) or pf24bit.
// The CRCs of IHDR, PLTE, IDAT and IEND and the image data's Adler-32 are checked; a chunk
// the image does not need is skipped unchecked, so a damaged ancillary chunk still loads.
// A damaged file raises "Invalid PNG Image: " and the fault. The structure is: IHDR of 13 bytes
// first; at most one PLTE, before the first IDAT and required for palette images; IDAT chunks in
// one run until every row is complete; an empty IEND after the image data. Anything else raises
// "Invalid PNG Image"; colour types and depths outside the subset and interlacing raise
// "Unsupported PNG Image"; a stream that ends early raises the stream's read error.
//
// Writing converts 1-, 4- and 8-bit bitmaps to pf8bit (with a 256-entry PLTE) and all
// others to pf24bit, writes every row with filter 0 into one zlib stream at the default
// level, and cuts it into IDAT chunks of 65536 bytes plus a last, shorter one.
#pragma once

#include "core/bitmap.h"

class TStream;

void ReadPng(TStream& stream, TBitmap& bitmap);
// Raises EInvalidGraphic "Empty Bitmap" for a bitmap without pixels (no valid PNG has one).
void WritePng(TStream& stream, const TBitmap& bitmap);

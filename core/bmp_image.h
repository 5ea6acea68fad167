// BMP files: the bitmap's own file format.
//
// Read: the 14-byte file header, then a 40-byte or larger info header or the old 12-byte
// core header; 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, RLE8, RLE4 and
// bitfields; bottom-up or top-down rows. 1-, 4- and 8-bit files keep their format and
// palette; 16-bit files with 5-6-5 masks become pf16bit and other 16-bit files pf24bit;
// 24-bit files pf24bit; 32-bit files pf32bit.
// Written: a 40-byte info header, bottom-up uncompressed rows, the full palette of an
// indexed format, and 5-6-5 bitfields for pf16bit.
#pragma once

class TBitmap;
class TStream;

// Raises EInvalidGraphic "Invalid BMP Image" for a malformed file, "Unsupported BMP
// Image" for a compression or depth outside the list above, and EReadError when the data
// ends early.
void ReadBmp(TStream& stream, TBitmap& bitmap);
// Raises EInvalidGraphic "Empty Bitmap" for a bitmap without pixels.
void WriteBmp(TStream& stream, const TBitmap& bitmap);

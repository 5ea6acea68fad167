// Loading any game image by its content and saving by the file name's extension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TBitmap;
class TStream;

// Chooses the reader by the first four bytes: 0x89 "PNG" -> PNG, "XYZ1" -> XYZ, anything
// else -> BMP. Raises EInvalidGraphic "Empty Bitmap" when the result has no pixels.
// The image formats the editor adds to the platform's own (BMP), by extension, with the
// description file dialogs show for them.
struct TImageFormatInfo {
  const char* Extension;
  const char* Description;
};
inline constexpr TImageFormatInfo kRegisteredImageFormats[] = {
    {"png", "Portable Network Graphics"},
    {"xyz", "Original Graphics Format"},
};

// The bytes of an image file; raises EFileError when it is missing, unreadable or larger
// than any image file can sensibly be.
std::vector<uint8_t> ReadImageFileBytes(const std::string& fileName);

void LoadBitmapFromImageStream(TBitmap& bitmap, TStream& stream);
// What the bytes of a file hold, judged by their start, in words for the author: "a PNG
// image", "a BMP image", "a JPEG image", "text", "an empty file" ...
std::string DescribeFileContent(const std::vector<uint8_t>& bytes);
// Whether the bytes start like one of the images the readers take (BMP, PNG, XYZ).
bool IsReadableImageKind(const std::vector<uint8_t>& bytes);
void LoadBitmapFromImageFile(TBitmap& bitmap, const std::string& fileName);
// ".png" -> PNG, ".xyz" -> XYZ (the extension compared without case), anything else -> BMP.
// The file is replaced atomically.
void SaveBitmapToImageFile(const TBitmap& bitmap, const std::string& fileName);

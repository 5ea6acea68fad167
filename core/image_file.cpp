#include "core/image_file.h"

#include <cstring>

#include "core/atomic_file.h"
#include "core/bitmap.h"
#include "core/bmp_image.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/image_messages.h"
#include "core/png_image.h"
#include "core/stream.h"
#include "core/xyz_image.h"

namespace {

std::string LowerExtension(const std::string& fileName) {
  const auto slash = fileName.find_last_of("/\\");
  const auto dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = fileName.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return ext;
}

// Far above any game graphic; a larger file is not read into memory.
constexpr uint64_t kMaxImageFileBytes = uint64_t(1) << 28;

} // namespace

std::vector<uint8_t> ReadImageFileBytes(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(fileName, bytes, kMaxImageFileBytes))
    throw EFileError(FileMessage(SCannotOpenFile, fileName));
  return bytes;
}

void LoadBitmapFromImageStream(TBitmap& bitmap, TStream& stream) {
  const int64_t start = stream.GetPosition();
  uint8_t magic[4] = {0, 0, 0, 0};
  const size_t got = stream.Read(magic, 4);
  stream.SetPosition(start);
  if (got == 4 && std::memcmp(magic, "\x89PNG", 4) == 0)
    ReadPng(stream, bitmap);
  else if (got == 4 && std::memcmp(magic, "XYZ1", 4) == 0)
    ReadXyz(stream, bitmap);
  else
    ReadBmp(stream, bitmap);
  if (bitmap.Empty()) throw EInvalidGraphic(SEmptyBitmap);
}

void LoadBitmapFromImageFile(TBitmap& bitmap, const std::string& fileName) {
  TMemoryStream stream(ReadImageFileBytes(fileName));
  LoadBitmapFromImageStream(bitmap, stream);
}

void SaveBitmapToImageFile(const TBitmap& bitmap, const std::string& fileName) {
  const std::string ext = LowerExtension(fileName);
  TMemoryStream stream;
  if (ext == ".png")
    WritePng(stream, bitmap);
  else if (ext == ".xyz")
    WriteXyz(stream, bitmap);
  else
    WriteBmp(stream, bitmap);
  WriteFileAtomically(fileName, stream.Bytes());
}

#include "core/image_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

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

namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

} // namespace

bool IsReadableImageKind(const std::vector<uint8_t>& bytes) {
  return StartsWith(bytes, "\x89PNG") || StartsWith(bytes, "XYZ1") || StartsWith(bytes, "BM");
}

std::string DescribeFileContent(const std::vector<uint8_t>& bytes) {
  static const struct {
    std::string_view Magic;
    const char* Kind;
  } kinds[] = {
      {"\x89PNG", "a PNG image"},
      {"XYZ1", "an XYZ image"},
      {"BM", "a BMP image"},
      {"\xFF\xD8\xFF", "a JPEG image"},
      {"GIF8", "a GIF image"},
      {"II*", "a TIFF image"},
      {std::string_view("MM\0*", 4), "a TIFF image"},
      {"RIFF", "a RIFF file (WAV or AVI)"},
      {"MThd", "a MIDI file"},
  };
  if (bytes.empty()) return "an empty file";
  for (const auto& kind : kinds)
    if (StartsWith(bytes, kind.Magic)) return kind.Kind;
  const size_t look = std::min<size_t>(bytes.size(), 512);
  for (size_t i = 0; i < look; ++i)
    if ((bytes[i] < 0x20 && bytes[i] != '\t' && bytes[i] != '\r' && bytes[i] != '\n') ||
        bytes[i] == 0x7F)
      return "data of an unknown kind";
  return "text";
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

#include "framework/pickers/material_manager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/bitmap.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/image_file.h"
#include "core/path_resolver.h"
#include "core/stream.h"
#include "framework/pickers/material_messages.h"

namespace {

std::string LowerCase(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

} // namespace

bool ImageSizeFits(const TImageSizeRule& rule, int width, int height) {
  return width >= rule.MinWidth && width <= rule.MaxWidth && height >= rule.MinHeight &&
         height <= rule.MaxHeight;
}

void CheckMaterialImageSize(const TMaterialFolderInfo& folder, const TBitmap& bitmap) {
  if (ImageSizeFits(folder.Size, bitmap.Width(), bitmap.Height())) return;
  const TImageSizeRule& rule = folder.Size;
  char size[64];
  if (rule.MinWidth == rule.MaxWidth && rule.MinHeight == rule.MaxHeight)
    std::snprintf(size, sizeof size, SImageSizeExactly, rule.MaxWidth, rule.MaxHeight);
  else if (rule.MinWidth <= 1 && rule.MinHeight <= 1)
    std::snprintf(size, sizeof size, SImageSizeAtMost, rule.MaxWidth, rule.MaxHeight);
  else
    std::snprintf(size, sizeof size, SImageSizeBetween, rule.MinWidth, rule.MinHeight,
                  rule.MaxWidth, rule.MaxHeight);
  char detail[160];
  std::snprintf(detail, sizeof detail, SIllegalImageSizeDetail, bitmap.Width(), bitmap.Height(),
                folder.Name, size);
  throw EInvalidGraphic(std::string(SIllegalImageSize) + detail);
}

TFileDialogSetup ImportDialogSetup(TMaterialKind kind) {
  switch (kind) {
  case TMaterialKind::Movie:
    return {".avi", SFilterMovieImport};
  case TMaterialKind::Music:
    return {".mid", SFilterMusicImport};
  case TMaterialKind::Sound:
    return {".wav", SFilterWav};
  case TMaterialKind::Image:
    break;
  }
  return {".bmp", SFilterImageImport};
}

TFileDialogSetup ExportDialogSetup(TMaterialKind kind, const std::string& fileName) {
  const std::string ext = LowerCase(ExtractFileExt(fileName));
  switch (kind) {
  case TMaterialKind::Movie:
    return {ext, ext == ".avi" ? SFilterAvi : SFilterMpeg};
  case TMaterialKind::Music:
    return {ext, ext == ".mid" ? SFilterMidi : SFilterWav};
  case TMaterialKind::Sound:
    return {".wav", SFilterWav};
  case TMaterialKind::Image:
    break;
  }
  return {".bmp", SFilterImageExport};
}

std::string ImportTargetPath(const std::string& folderPath, const std::string& source,
                             TMaterialKind kind, TImportFormat format) {
  const std::string name = ExtractFileName(source);
  if (kind != TMaterialKind::Image) return folderPath + name;
  return folderPath + ChangeFileExt(name, format == ifXyz ? ".xyz" : ".png");
}

std::string ShadowingMaterialFile(const std::string& target, TMaterialKind kind) {
  const std::string ext = LowerCase(ExtractFileExt(target));
  for (const char* earlier : MaterialKindExtensions(kind)) {
    if (ext == std::string(".") + earlier) break;
    const TResolvedPath found = ResolvePath(ChangeFileExt(target, std::string(".") + earlier));
    if (found.Exists && FileExists(found.Path)) return found.Path;
  }
  return {};
}

void LoadImportImage(TBitmap& bitmap, const std::string& source,
                     const TMaterialFolderInfo& folder) {
  const std::vector<uint8_t> bytes = ReadImageFileBytes(source);
  // A reader's message alone ("Invalid BMP Image" for a text file) names neither the
  // file nor what it really holds.
  const auto unreadable = [&](const char* message) {
    const std::string name = ExtractFileName(source), found = DescribeFileContent(bytes);
    std::vector<char> text(name.size() + found.size() + std::strlen(message) + 128);
    if (IsReadableImageKind(bytes))
      std::snprintf(text.data(), text.size(), SImportUnreadableImage, name.c_str(), found.c_str(),
                    message);
    else
      std::snprintf(text.data(), text.size(), SImportNotAnImage, name.c_str(), found.c_str());
    return EInvalidGraphic(text.data());
  };
  try {
    TMemoryStream stream(bytes);
    LoadBitmapFromImageStream(bitmap, stream);
  } catch (const EInvalidGraphic& e) {
    throw unreadable(e.what());
  } catch (const EReadError& e) {
    throw unreadable(e.what());
  } catch (const EZlibError& e) {
    throw unreadable(e.what());
  }
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  CheckMaterialImageSize(folder, bitmap);
}

bool ExportMaterialFile(const std::string& source, const std::string& target, TMaterialKind kind) {
  if (kind != TMaterialKind::Image) return CopyFileReplacing(source, target);
  if (IsSameFile(source, target)) return false;
  TBitmap bitmap;
  LoadBitmapFromImageFile(bitmap, source);
  SaveBitmapToImageFile(bitmap, target);
  return true;
}

void SetTransparentColor(TBitmap& bitmap, const TBitmap& kept, uint8_t index) {
  std::swap(bitmap.Palette()[0], bitmap.Palette()[index]);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint8_t old = kept.IndexAt(x, y);
      bitmap.SetIndexAt(x, y, old == 0 ? index : old == index ? 0 : old);
    }
}

TMaterialManagerMemory& MaterialManagerMemory() {
  static TMaterialManagerMemory memory;
  return memory;
}

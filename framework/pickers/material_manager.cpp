#include "framework/pickers/material_manager.h"

#include <algorithm>
#include <cctype>

#include "core/bitmap.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/image_file.h"
#include "core/path_resolver.h"
#include "framework/pickers/material_messages.h"

namespace {

std::string LowerCase(std::string text) {
  for (char& c : text)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

} // namespace

TExtensionTable MaterialKindExtensions(TMaterialKind kind) {
  switch (kind) {
  case TMaterialKind::Movie:
    return MovieExtensions;
  case TMaterialKind::Music:
    return MusicExtensions;
  case TMaterialKind::Sound:
    return SoundExtensions;
  case TMaterialKind::Image:
    break;
  }
  return ImageExtensions;
}

bool ImageSizeFits(const TImageSizeRule& rule, int width, int height) {
  return width >= rule.MinWidth && width <= rule.MaxWidth && height >= rule.MinHeight &&
         height <= rule.MaxHeight;
}

void CheckMaterialImageSize(const TMaterialFolderInfo& folder, const TBitmap& bitmap) {
  if (!ImageSizeFits(folder.Size, bitmap.Width(), bitmap.Height()))
    throw EInvalidGraphic(SIllegalImageSize);
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
  LoadBitmapFromImageFile(bitmap, source);
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

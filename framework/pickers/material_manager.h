// The material manager's rules, without Qt: the fourteen folders with their kinds and
// the image sizes they accept, the file dialogs' filters, where an import goes, and the
// transparent-colour swap of the "Material Base" dialog.
#pragma once

#include <cstdint>
#include <string>

#include "core/material.h"
#include "core/material_folders.h"

class TBitmap;

enum class TMaterialKind { Image, Movie, Music, Sound };

// Width and height bounds in pixels, all inclusive.
struct TImageSizeRule {
  int MinWidth, MaxWidth, MinHeight, MaxHeight;
};

struct TMaterialFolderInfo {
  const char* Name;
  TMaterialKind Kind;
  // Images only.
  TImageSizeRule Size;
  // Images only: the transparent colour is chosen before saving.
  bool TransparentStep;
};

namespace material_rules {
constexpr TImageSizeRule Exactly(int w, int h) {
  return {w, w, h, h};
}
constexpr TImageSizeRule AtMost(int w, int h) {
  return {1, w, 1, h};
}
inline constexpr TImageSizeRule NoSize{0, 0, 0, 0};
} // namespace material_rules

inline constexpr TMaterialFolderInfo MaterialManagerFolders[MaterialFolderCount] = {
    {MaterialFolderNames[0], TMaterialKind::Image, material_rules::Exactly(320, 160), false},
    {MaterialFolderNames[1], TMaterialKind::Image, material_rules::AtMost(480, 480), true},
    {MaterialFolderNames[2], TMaterialKind::Image, material_rules::Exactly(288, 256), true},
    {MaterialFolderNames[3], TMaterialKind::Image, material_rules::Exactly(480, 256), true},
    {MaterialFolderNames[4], TMaterialKind::Image, material_rules::Exactly(192, 192), true},
    {MaterialFolderNames[5], TMaterialKind::Image, material_rules::Exactly(320, 240), false},
    {MaterialFolderNames[6], TMaterialKind::Image, {16, 320, 16, 160}, true},
    {MaterialFolderNames[7], TMaterialKind::Movie, material_rules::NoSize, false},
    {MaterialFolderNames[8], TMaterialKind::Music, material_rules::NoSize, false},
    {MaterialFolderNames[9], TMaterialKind::Image, {80, 640, 80, 480}, false},
    {MaterialFolderNames[10], TMaterialKind::Image, material_rules::AtMost(640, 480), true},
    {MaterialFolderNames[11], TMaterialKind::Sound, material_rules::NoSize, false},
    {MaterialFolderNames[12], TMaterialKind::Image, material_rules::Exactly(160, 80), true},
    {MaterialFolderNames[13], TMaterialKind::Image, material_rules::Exactly(320, 240), false},
};

// The extensions a kind's files carry, in lookup order.
constexpr TExtensionTable MaterialKindExtensions(TMaterialKind kind) {
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

// The project's own sweep of interrupted saves knows each folder's extensions too.
static_assert([] {
  for (int i = 0; i < MaterialFolderCount; ++i)
    if (MaterialKindExtensions(MaterialManagerFolders[i].Kind).data() !=
        MaterialFolderExtensions[i].data())
      return false;
  return true;
}());

bool ImageSizeFits(const TImageSizeRule& rule, int width, int height);
// Raises EInvalidGraphic "The image size (not filesize) of the bitmap is illegal" when
// Bitmap breaks the folder's rule, followed by its size and the size the folder takes.
void CheckMaterialImageSize(const TMaterialFolderInfo& folder, const TBitmap& bitmap);

// What a file dialog starts with: the extension added to a name typed without one (with
// its dot) and the filter, as description|patterns| pairs.
struct TFileDialogSetup {
  std::string DefaultExt;
  std::string Filter;
  friend bool operator==(const TFileDialogSetup&, const TFileDialogSetup&) = default;
};
TFileDialogSetup ImportDialogSetup(TMaterialKind kind);
// For exporting FileName, the material file found for the chosen entry.
TFileDialogSetup ExportDialogSetup(TMaterialKind kind, const std::string& fileName);

// The format imported images are stored in.
enum TImportFormat { ifPng = 0, ifXyz = 1 };
// The file an import of Source writes into FolderPath (with a trailing separator): the
// same name for movies, music and sounds; the base name with ".png" or ".xyz" for images.
std::string ImportTargetPath(const std::string& folderPath, const std::string& source,
                             TMaterialKind kind, TImportFormat format);
// A file of FolderPath that a lookup of Target's name finds before Target itself (the same
// name with an extension earlier in the kind's table), or empty when there is none.
std::string ShadowingMaterialFile(const std::string& target, TMaterialKind kind);

// Reads an image to import, as 8 bits per pixel: 8-bit sources keep palette and indexes,
// 1- and 4-bit sources widen their indexes, direct colour is reduced to a palette chosen
// from the image. A file that cannot be read raises EInvalidGraphic naming the file and
// what it holds; a size that breaks the folder's rule raises the size error.
void LoadImportImage(TBitmap& bitmap, const std::string& source, const TMaterialFolderInfo& folder);

// Copies an exported material to Target: images are read and written in the format of
// Target's extension (".png", ".xyz", else BMP), other files are copied. False when
// Target is Source itself: nothing is written then.
bool ExportMaterialFile(const std::string& source, const std::string& target, TMaterialKind kind);

// The "Material Base" OK: palette entries 0 and Index of Bitmap are swapped, and every
// pixel is remapped from Kept (the picture as it came): 0 becomes Index, Index becomes 0,
// all others stay. Index 0 is the game's transparent colour.
void SetTransparentColor(TBitmap& bitmap, const TBitmap& kept, uint8_t index);

// The dialog's memory for the whole run.
struct TMaterialManagerMemory {
  int FolderIndex = 0;
  // A TImportFormat.
  int ImportFormat = ifPng;
};
TMaterialManagerMemory& MaterialManagerMemory();

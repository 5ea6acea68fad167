#include "core/material_image.h"

#include "core/bitmap.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/glimra_sheet.h"
#include "core/image_file.h"
#include "core/material.h"

void LoadMaterialBitmap(TBitmap& bitmap, const std::string& name, const char* folder) {
  std::string path;
  if (!FindMaterialFile(name, folder, ImageExtensions, path))
    throw EFileError(FileMessage(SCannotOpenFile, name));
  LoadBitmapFromImageFile(bitmap, path);
}

bool LoadMaterialSheet(TGlimraSheet& sheet, const std::string& name, const char* folder,
                       bool raiseErrors) {
  sheet.Clear();
  if (name.empty()) return false;
  try {
    TBitmap bitmap;
    LoadMaterialBitmap(bitmap, name, folder);
    sheet.LoadFromBitmap(bitmap);
    return true;
  } catch (const Exception&) {
    sheet.Clear();
    if (raiseErrors) throw;
    return false;
  }
}

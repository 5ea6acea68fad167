// The shared images of the tool bars and menus: the normal glyphs and their disabled
// counterparts.
#pragma once

#include "framework/controls/image_buttons.h"
#include "shell/common/shell_pictures.h"

class TDataModule1 {
public:
  TDataModule1();
  // With the glyphs drawn already.
  explicit TDataModule1(const TToolGlyphs& glyphs);

  // The normal glyphs; their DisabledImages is ImageListEx2.
  TImageListEx ImageListEx1;
  TImageListEx ImageListEx2;

  void DataModuleCreate(const TToolGlyphs& glyphs);
};

// The data module of this run, or nothing.
extern TDataModule1* DataModule1;

// The shared images of the tool bars and menus: the normal glyphs and their disabled
// counterparts.
#pragma once

#include "framework/controls/image_buttons.h"

class TDataModule1 {
public:
  TDataModule1();

  // The normal glyphs; their DisabledImages is ImageListEx2.
  TImageListEx ImageListEx1;
  TImageListEx ImageListEx2;

  void DataModuleCreate();
};

// The data module of this run, or nothing.
extern TDataModule1* DataModule1;

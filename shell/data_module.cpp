#include "shell/data_module.h"

#include "shell/common/shell_pictures.h"

TDataModule1* DataModule1 = nullptr;

TDataModule1::TDataModule1()
    : ImageListEx1(ToolGlyphSize, ToolGlyphSize), ImageListEx2(ToolGlyphSize, ToolGlyphSize) {
  DataModuleCreate();
}

void TDataModule1::DataModuleCreate() {
  ImageListEx1.DisabledImages = &ImageListEx2;
  ImageListEx1.LoadFromStrip(ToolGlyphStrip(false));
  ImageListEx2.LoadFromStrip(ToolGlyphStrip(true));
}

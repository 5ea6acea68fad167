#include "shell/data_module.h"

TDataModule1* DataModule1 = nullptr;

TDataModule1::TDataModule1() : TDataModule1(DrawToolGlyphs()) {}

TDataModule1::TDataModule1(const TToolGlyphs& glyphs)
    : ImageListEx1(ToolGlyphSize, ToolGlyphSize), ImageListEx2(ToolGlyphSize, ToolGlyphSize) {
  DataModuleCreate(glyphs);
}

void TDataModule1::DataModuleCreate(const TToolGlyphs& glyphs) {
  ImageListEx1.DisabledImages = &ImageListEx2;
  ImageListEx1.LoadFromStrip(glyphs.Normal);
  ImageListEx2.LoadFromStrip(glyphs.Disabled);
}

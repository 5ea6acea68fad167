// Draws from arbitrary image files the way the editor does: the file is put where the
// materials live and loaded by name (the loader picks the reader by the content), then
// drawn as a chipset's tiles, a character set's cells, a battle animation's patterns or
// a plain sheet stretched onto a board. The first byte picks the drawer, the next two
// where and what it draws; the rest is the file.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 262144

#include <cstdlib>

#include "core/animation_graphic.h"
#include "core/animation_sound.h"
#include "core/bitmap.h"
#include "core/bmp_image.h"
#include "core/char_set_graphic.h"
#include "core/chip_set_graphic.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/png_image.h"
#include "core/stream.h"
#include "core/xyz_image.h"
#include "fuzz_seeds.h"
#include "fuzz_world.h"

namespace {

class TSilentSink : public TAnimationSoundSink {
public:
  void PlaySound(const std::string&, int, int, int) override {}
};

// Made once, in editor mode as the map editor has them (the chipset with its dimmed
// sheet); each input loads its file into them afresh.
struct TDrawWorld {
  TFuzzWorld& files = TFuzzWorld::Get();
  TApplicationTagScope editor{EditorModeTag};
  TXelChipSetGraphic chipSet;
  TXelCharSetGraphic charSets;
  TSilentSink sink;
  TXelAnimationGraphic animation{sink};
  TGlimraSheet sheet;
  TGlimraBoard board;
  TDrawWorld() {
    for (const char* folder : {"ChipSet", "CharSet", "Battle"})
      files.Mkdir(std::string("proj/") + folder);
    board.SetSize(96, 64);
  }
};

TDrawWorld& World() {
  static TDrawWorld world;
  return world;
}

void DrawChipSet(TDrawWorld& w, uint8_t a, uint8_t b) {
  w.chipSet.Clear();
  w.chipSet.LoadGraphic("Fuzz");
  w.chipSet.SetTransparent(a & 1);
  w.chipSet.SetOpacityLevel(a % 9);
  // Tile ids across the water, autotile, lower and upper ranges, at several sizes.
  for (int tileId : {int(a) * 20, 1000 + a * 17, 4000 + a * 11, 5000 + a * 4, 10000 + a}) {
    const int size = 1 + b % 48;
    w.chipSet.DrawChip(w.board, int(b % 80) - 8, int(a % 56) - 8, tileId, b, a & 2, size);
  }
  for (int block = -1; block <= 18; ++block)
    (void)w.chipSet.GetMatchingBlock(block);
}

void DrawCharSet(TDrawWorld& w, uint8_t a, uint8_t b) {
  w.charSets.Clear();
  const int index = w.charSets.LoadCharSet("Fuzz");
  TGlimraSheet* sheet = w.charSets.GetSheet(index);
  if (!sheet) std::abort();
  w.board.DrawSheet(int(b % 96) - 24, int(a % 64) - 32, *sheet,
                    CharSetCellRect(a % 8, (a / 8) % 4, (a / 32) % 3));
}

void DrawAnimation(TDrawWorld& w, uint8_t a, uint8_t b) {
  w.animation.FileName.clear(); // the same name loads again
  w.animation.LoadGraphic("Fuzz");
  w.animation.DrawPattern(w.board, int(b % 96) - 48, int(a % 64) - 48, a % 32);
  (void)w.animation.GetBackgroundColor();
}

void DrawStretched(TDrawWorld& w, uint8_t a, uint8_t b) {
  w.sheet.LoadFromFileAt(w.files.Path("proj/Battle/Fuzz.png"), TPoint{a % 4, b % 4}, false);
  const TRect dest = Bounds(int(a % 40) - 20, int(b % 40) - 20, a % 130, b % 90);
  const TRect source = Bounds(int(b % 16) - 4, int(a % 16) - 4, 1 + b % 200, 1 + a % 200);
  w.board.StretchDrawSheet(dest, w.sheet, source);
  w.board.DrawSheetCentered(48.5, 32.5, (a % 8) / 2.0, 24, 16, source, w.sheet);
}

// A pattern that packs well, so that full-size images make small seeds.
TBitmap Picture(TPixelFormat format, int width, int height) {
  TBitmap bitmap;
  bitmap.Reset(format, width, height);
  for (int i = 0; i < 256; ++i)
    bitmap.Palette()[i] = TPaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  const int bytes = (width * BitsPerPixel(format) + 7) / 8;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < bytes; ++x)
      bitmap.ScanLine(y)[x] = uint8_t((x / 16 + y / 16) * 37);
  return bitmap;
}

FuzzSeeds::value_type File(uint8_t drawer, void (*write)(TStream&, const TBitmap&),
                           const TBitmap& bitmap) {
  TMemoryStream s;
  const uint8_t head[3] = {drawer, 77, 131};
  s.WriteBuffer(head, 3);
  write(s, bitmap);
  return s.TakeBytes();
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  using enum TPixelFormat;
  return {
      File(0, WritePng, Picture(pf8bit, 480, 256)), File(0, WriteXyz, Picture(pf8bit, 48, 64)),
      File(1, WriteBmp, Picture(pf4bit, 288, 256)), File(1, WritePng, Picture(pf24bit, 30, 40)),
      File(2, WriteXyz, Picture(pf8bit, 480, 96)),  File(2, WriteBmp, Picture(pf1bit, 100, 3)),
      File(3, WritePng, Picture(pf24bit, 1, 1)),    File(3, WriteBmp, Picture(pf8bit, 5000, 2))};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  TDrawWorld& w = World();
  static const char* const kFiles[] = {"proj/ChipSet/Fuzz.png", "proj/CharSet/Fuzz.png",
                                       "proj/Battle/Fuzz.png", "proj/Battle/Fuzz.png"};
  const int drawer = data[0] % 4;
  w.files.Put(kFiles[drawer], data + 3, size - 3);
  switch (drawer) {
  case 0:
    DrawChipSet(w, data[1], data[2]);
    break;
  case 1:
    DrawCharSet(w, data[1], data[2]);
    break;
  case 2:
    DrawAnimation(w, data[1], data[2]);
    break;
  default:
    DrawStretched(w, data[1], data[2]);
  }
  return 0;
}

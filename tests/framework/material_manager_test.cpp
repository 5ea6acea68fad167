#include "framework/pickers/material_manager.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

#include "core/atomic_file.h"
#include "core/bitmap.h"
#include "core/errors.h"
#include "core/image_file.h"
#include "core/path_resolver.h"
#include "material_pictures.h"

namespace {

const TMaterialFolderInfo& Folder(const char* name) {
  for (const TMaterialFolderInfo& folder : MaterialManagerFolders)
    if (std::string(folder.Name) == name) return folder;
  throw std::logic_error(name);
}

TEST(MaterialFolders, SizeRulesHoldAtTheirBounds) {
  struct Row {
    const char* folder;
    int width, height;
    bool fits;
  } rows[] = {
      {"Backdrop", 320, 160, true},  {"Backdrop", 321, 160, false}, {"Backdrop", 320, 159, false},
      {"Battle", 480, 480, true},    {"Battle", 1, 1, true},        {"Battle", 481, 1, false},
      {"Battle", 1, 481, false},     {"CharSet", 288, 256, true},   {"CharSet", 289, 256, false},
      {"ChipSet", 480, 256, true},   {"ChipSet", 480, 255, false},  {"FaceSet", 192, 192, true},
      {"FaceSet", 191, 192, false},  {"GameOver", 320, 240, true},  {"GameOver", 320, 241, false},
      {"Monster", 16, 16, true},     {"Monster", 320, 160, true},   {"Monster", 15, 16, false},
      {"Monster", 16, 15, false},    {"Monster", 321, 160, false},  {"Monster", 320, 161, false},
      {"Panorama", 80, 80, true},    {"Panorama", 640, 480, true},  {"Panorama", 79, 80, false},
      {"Panorama", 640, 481, false}, {"Picture", 640, 480, true},   {"Picture", 1, 1, true},
      {"Picture", 641, 480, false},  {"System", 160, 80, true},     {"System", 160, 81, false},
      {"Title", 320, 240, true},     {"Title", 319, 240, false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ImageSizeFits(Folder(row.folder).Size, row.width, row.height), row.fits)
        << row.folder << " " << row.width << "x" << row.height;

  // The refusal says what the folder takes.
  const struct {
    const char* folder;
    int width, height;
    const char* takes;
  } refusals[] = {
      {"CharSet", 289, 256, "it is 289 x 256; the CharSet folder takes 288 x 256."},
      {"Battle", 481, 1, "it is 481 x 1; the Battle folder takes at most 480 x 480."},
      {"Monster", 15, 16, "it is 15 x 16; the Monster folder takes 16 x 16 up to 320 x 160."}};
  for (const auto& row : refusals) {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf8bit, row.width, row.height);
    try {
      CheckMaterialImageSize(Folder(row.folder), picture);
      ADD_FAILURE() << row.folder << " took it";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("The image size (not filesize) of the bitmap is illegal: ") +
                    row.takes);
    }
  }
}

TEST(MaterialDialogs, FiltersAndDefaultExtensionsByKind) {
  using K = TMaterialKind;
  EXPECT_EQ(ImportDialogSetup(K::Movie),
            (TFileDialogSetup{".avi", "Movie file (*.avi;*.mpg)|*.avi;*.mpg|"}));
  EXPECT_EQ(ImportDialogSetup(K::Music),
            (TFileDialogSetup{".mid", "MIDI file (*.mid)|*.mid|WAV file (*.wav)|*.wav|"}));
  EXPECT_EQ(ImportDialogSetup(K::Sound), (TFileDialogSetup{".wav", "WAV file (*.wav)|*.wav|"}));
  EXPECT_EQ(ImportDialogSetup(K::Image),
            (TFileDialogSetup{".bmp", "Image files (*.bmp;*.png;*.xyz)|*.bmp;*.png;*.xyz|"}));

  EXPECT_EQ(ExportDialogSetup(K::Movie, "/p/Movie/Intro.AVI"),
            (TFileDialogSetup{".avi", "AVI file (*.avi)|*.avi|"}));
  EXPECT_EQ(ExportDialogSetup(K::Movie, "/p/Movie/Intro.mpg"),
            (TFileDialogSetup{".mpg", "MPEG file (*.mpg)|*.mpg|"}));
  EXPECT_EQ(ExportDialogSetup(K::Music, "/p/Music/Theme.Mid"),
            (TFileDialogSetup{".mid", "MIDI file (*.mid)|*.mid|"}));
  EXPECT_EQ(ExportDialogSetup(K::Music, "/p/Music/Theme.wav"),
            (TFileDialogSetup{".wav", "WAV file (*.wav)|*.wav|"}));
  EXPECT_EQ(ExportDialogSetup(K::Sound, "/p/Sound/Bell.wav"),
            (TFileDialogSetup{".wav", "WAV file (*.wav)|*.wav|"}));
  EXPECT_EQ(ExportDialogSetup(K::Image, "/p/Picture/Hero.xyz"),
            (TFileDialogSetup{
                ".bmp", "BMP file (*.bmp)|*.bmp|PNG file (*.png)|*.png|XYZ file (*.xyz)|*.xyz|"}));
}

TEST(MaterialImport, TargetNamesAndFilesThatShadowThem) {
  using K = TMaterialKind;
  EXPECT_EQ(ImportTargetPath("/p/Battle/", "/in/Fire.Blast.BMP", K::Image, ifPng),
            "/p/Battle/Fire.Blast.png");
  EXPECT_EQ(ImportTargetPath("/p/Battle/", "/in/Fire", K::Image, ifXyz), "/p/Battle/Fire.xyz");
  EXPECT_EQ(ImportTargetPath("/p/Music/", "/in/Theme.MID", K::Music, ifXyz), "/p/Music/Theme.MID");

  QTemporaryDir temp;
  const std::string folder = temp.path().toStdString() + "/";
  PathResolver().Clear();
  for (const char* name : {"Hero.bmp", "Town.png", "Castle.PNG", "Theme.mid"})
    WriteFileAtomically(folder + name, std::string("x"));
  EXPECT_EQ(ShadowingMaterialFile(folder + "Hero.png", K::Image), folder + "Hero.bmp");
  EXPECT_EQ(ShadowingMaterialFile(folder + "Hero.xyz", K::Image), folder + "Hero.bmp");
  EXPECT_EQ(ShadowingMaterialFile(folder + "castle.xyz", K::Image), folder + "Castle.PNG");
  EXPECT_EQ(ShadowingMaterialFile(folder + "Town.png", K::Image), "");
  EXPECT_EQ(ShadowingMaterialFile(folder + "Hero.bmp", K::Image), "");
  EXPECT_EQ(ShadowingMaterialFile(folder + "Theme.wav", K::Music), folder + "Theme.mid");
  EXPECT_EQ(ShadowingMaterialFile(folder + "Theme.wav", K::Sound), "");
}

TEST(MaterialImport, ImagesBecomeEightBitsKeepingIndexesWhereTheyHaveThem) {
  QTemporaryDir temp;
  const std::string dir = temp.path().toStdString() + "/";
  const TMaterialFolderInfo& battle = Folder("Battle");
  struct Row {
    TPixelFormat format;
    int colours;
  } rows[] = {{TPixelFormat::pf1bit, 2}, {TPixelFormat::pf4bit, 16}, {TPixelFormat::pf8bit, 200}};
  for (const Row& row : rows) {
    const TBitmap source = IndexedPicture(row.format, 37, 23, row.colours);
    SaveBitmapToImageFile(source, dir + "in.bmp");
    TBitmap loaded;
    LoadImportImage(loaded, dir + "in.bmp", battle);
    ASSERT_EQ(loaded.PixelFormat(), TPixelFormat::pf8bit);
    for (int i = 0; i < row.colours; ++i)
      EXPECT_EQ(loaded.Palette()[i], source.Palette()[i]) << i;
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(loaded.IndexAt(x, y), source.IndexAt(x, y)) << x << "," << y;
  }

  // Direct colour goes through the palette reduction: few colours are kept exactly.
  TBitmap rgb;
  rgb.Reset(TPixelFormat::pf24bit, 4, 1);
  for (int x = 0; x < 4; ++x) {
    uint8_t* p = rgb.ScanLine(0) + 3 * x;
    p[0] = uint8_t(x * 50), p[1] = 7, p[2] = 200;
  }
  SaveBitmapToImageFile(rgb, dir + "rgb.png");
  TBitmap reduced;
  LoadImportImage(reduced, dir + "rgb.png", battle);
  ASSERT_EQ(reduced.PixelFormat(), TPixelFormat::pf8bit);
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(reduced.ColorAt(x, 0), rgb.ColorAt(x, 0));

  SaveBitmapToImageFile(IndexedPicture(TPixelFormat::pf8bit, 15, 16, 4), dir + "small.png");
  TBitmap refused;
  EXPECT_THROW(LoadImportImage(refused, dir + "small.png", Folder("Monster")), EInvalidGraphic);
}

TEST(MaterialImport, ATrueColourGradientKeepsItsShadesInThePaletteItChooses) {
  QTemporaryDir temp;
  const std::string path = temp.path().toStdString() + "/gradient.bmp";
  TBitmap gradient;
  gradient.Reset(TPixelFormat::pf24bit, 200, 150);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      uint8_t* p = gradient.ScanLine(y) + 3 * x; // blue, green, red
      p[0] = uint8_t((x + y) * 255 / 348), p[1] = uint8_t(y * 255 / 149),
      p[2] = uint8_t(x * 255 / 199);
    }
  SaveBitmapToImageFile(gradient, path);
  TBitmap imported;
  LoadImportImage(imported, path, Folder("Monster"));
  std::set<int> used;
  double squares = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      used.insert(imported.IndexAt(x, y));
      const uint32_t a = gradient.ColorAt(x, y), b = imported.ColorAt(x, y);
      for (int shift : {0, 8, 16}) {
        const int d = int(a >> shift & 0xFF) - int(b >> shift & 0xFF);
        squares += d * d;
      }
    }
  EXPECT_GE(used.size(), 200u);
  // The fixed 3-3-2 palette used before gave 90 colours and 21.9 dB on this picture.
  const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / (200 * 150 * 3)));
  EXPECT_GT(psnr, 30.0);
}

TEST(MaterialImport, AnUnreadableFileNamesItselfAndWhatItHolds) {
  QTemporaryDir temp;
  const std::string dir = temp.path().toStdString() + "/";
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } rows[] = {
      {"notes.png", "just some words\n",
       "Cannot import \"notes.png\": it holds text, not a BMP, PNG or XYZ image."},
      {"photo.bmp", "\xFF\xD8\xFF\xE0 jfif",
       "Cannot import \"photo.bmp\": it holds a JPEG image, not a BMP, PNG or XYZ image."},
      {"cut.png", "\x89PNG\r\n",
       "Cannot import \"cut.png\": it holds a PNG image that cannot be read (A reading error from "
       "the stream)."},
      {"none.png", "",
       "Cannot import \"none.png\": it holds an empty file, not a BMP, PNG or XYZ image."},
  };
  for (const auto& row : rows) {
    WriteFileAtomically(dir + row.name, std::vector<uint8_t>(row.bytes.begin(), row.bytes.end()));
    TBitmap bitmap;
    try {
      LoadImportImage(bitmap, dir + row.name, Folder("Battle"));
      ADD_FAILURE() << row.name << " was read";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()), row.message);
    }
  }
}

TEST(MaterialBase2, TheTransparentColourSwapsPaletteEntriesAndRemapsPixels) {
  const TBitmap kept = IndexedPicture(TPixelFormat::pf8bit, 9, 4, 7);
  TBitmap bitmap = kept;
  SetTransparentColor(bitmap, kept, 5);
  EXPECT_EQ(bitmap.Palette()[0], kept.Palette()[5]);
  EXPECT_EQ(bitmap.Palette()[5], kept.Palette()[0]);
  for (int i : {1, 2, 3, 4, 6})
    EXPECT_EQ(bitmap.Palette()[i], kept.Palette()[i]);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) {
      const int old = kept.IndexAt(x, y);
      EXPECT_EQ(bitmap.IndexAt(x, y), old == 0 ? 5 : old == 5 ? 0 : old);
      // Every pixel keeps its colour.
      EXPECT_EQ(bitmap.ColorAt(x, y), kept.ColorAt(x, y));
    }

  TBitmap same = kept;
  SetTransparentColor(same, kept, 0);
  EXPECT_EQ(same.Pixels(), kept.Pixels());
  EXPECT_EQ(same.Palette(), kept.Palette());
}

} // namespace

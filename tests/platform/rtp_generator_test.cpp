// The files the build lays beside the program: the default run-time package, the
// template database and the defaults file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "child_process.h"
#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/bitmap.h"
#include "core/chipset_record.h"
#include "core/database.h"
#include "core/hero_records.h"
#include "core/image_file.h"
#include "core/material.h"
#include "core/material_folders.h"
#include "core/monster_records.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "core/switch_records.h"
#include "core/system_records.h"
#include "core/vocabulary_record.h"
#include "core/vocabulary_terms.h"
#include "platform/rtp_generator/rtp_materials.h"
#include "platform/rtp_generator/template_files.h"
#include "sound_test_files.h"
#include "tests/core/file_test_env.h"

namespace fs = std::filesystem;

namespace {

const std::string ProgramDir = VELMORA_PROGRAM_DIR;
const std::string RtpDir = ProgramDir + "/rtp";

// Every regular file under Root, by its path relative to Root, with its bytes.
std::map<std::string, std::string> FilesUnder(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] = ReadWholeFile(entry.path().string());
  return files;
}

TBitmap LoadImage(const std::string& path) {
  TBitmap bitmap;
  LoadBitmapFromImageFile(bitmap, path);
  return bitmap;
}

bool RectHas(const TBitmap& b, int x, int y, int w, int h, bool wantZero) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px)
      if ((b.IndexAt(px, py) == 0) == wantZero) return true;
  return false;
}
bool IsFilled(const TBitmap& b, int x, int y, int w, int h) {
  return !RectHas(b, x, y, w, h, true);
}
bool IsClear(const TBitmap& b, int x, int y, int w, int h) {
  return !RectHas(b, x, y, w, h, false);
}
bool SameRects(const TBitmap& b, int ax, int ay, int bx, int by, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (b.IndexAt(ax + x, ay + y) != b.IndexAt(bx + x, by + y)) return false;
  return true;
}

// The sizes the editor's material import allows in each image folder.
bool SizeFitsFolder(const std::string& folder, int w, int h) {
  if (folder == "Backdrop") return w == 320 && h == 160;
  if (folder == "CharSet") return w == 288 && h == 256;
  if (folder == "ChipSet") return w == 480 && h == 256;
  if (folder == "FaceSet") return w == 192 && h == 192;
  if (folder == "GameOver" || folder == "Title") return w == 320 && h == 240;
  if (folder == "System") return w == 160 && h == 80;
  if (folder == "Monster") return w >= 16 && w <= 320 && h >= 16 && h <= 160;
  if (folder == "Panorama") return w >= 80 && w <= 640 && h >= 80 && h <= 480;
  // Battle graphics hold whole 96 x 96 cells.
  if (folder == "Battle") return w <= 480 && h <= 480 && w % 96 == 0 && h % 96 == 0;
  return false;
}

} // namespace

TEST(RuntimePackage, GeneratorWritesTheSameBytesAsTheBuildEveryTime) {
  TTempDir a, b;
  for (const TTempDir* dir : {&a, &b}) {
    const auto rtp = RunChild(VELMORA_GENERATOR, {"rtp", dir->Path + "/rtp"}, dir->Path);
    ASSERT_EQ(rtp.ExitCode, 0) << rtp.Output;
    const auto db =
        RunChild(VELMORA_GENERATOR, {"database", dir->Path + "/KOVAX.ldb.dat"}, dir->Path);
    ASSERT_EQ(db.ExitCode, 0) << db.Output;
  }
  const auto first = FilesUnder(a.Path + "/rtp");
  EXPECT_EQ(first, FilesUnder(b.Path + "/rtp"));
  EXPECT_EQ(ReadWholeFile(a / "KOVAX.ldb.dat"), ReadWholeFile(b / "KOVAX.ldb.dat"));

  // The build's own package is the same, plus the sound library copied in beside it.
  auto built = FilesUnder(RtpDir);
  ASSERT_EQ(built.count("libtunara.so"), 1u);
  built.erase("libtunara.so");
  EXPECT_EQ(first, built);
  EXPECT_EQ(ReadWholeFile(a / "KOVAX.ldb.dat"), ReadWholeFile(ProgramDir + "/KOVAX.ldb.dat"));

  std::set<std::string> expected = {"Sound/Chime.wav", "Music/Theme.mid"};
  for (const TGeneratedImage& image : GeneratedImages())
    expected.insert(std::string(image.Folder) + "/" + image.Name + ".png");
  std::set<std::string> names;
  for (const auto& [name, bytes] : first)
    names.insert(name);
  EXPECT_EQ(names, expected);
  for (const char* folder : MaterialFolderNames)
    EXPECT_TRUE(fs::is_directory(RtpDir + "/" + folder)) << folder;

  EXPECT_EQ(RunChild(VELMORA_GENERATOR, {"rtp"}, a.Path).ExitCode, 2);
  EXPECT_EQ(
      RunChild(VELMORA_GENERATOR, {"database", "/nonexistent/x/KOVAX.ldb.dat"}, a.Path).ExitCode,
      1);
}

TEST(RuntimePackage, ImagesAre8BitPngsOfTheSizesTheEditorExpectsAndPassPngfix) {
  for (const TGeneratedImage& image : GeneratedImages()) {
    const std::string path = RtpDir + "/" + image.Folder + "/" + image.Name + ".png";
    SCOPED_TRACE(path);
    const TBitmap b = LoadImage(path);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_TRUE(SizeFitsFolder(image.Folder, b.Width(), b.Height()))
        << b.Width() << " x " << b.Height();
    const auto fix = RunChild("/usr/bin/pngfix", {path}, RtpDir);
    EXPECT_EQ(fix.ExitCode, 0) << fix.Output;
  }
}

TEST(RuntimePackage, ChipSetFollowsTheTileLayout) {
  const TBitmap b = LoadImage(RtpDir + "/ChipSet/World.png");
  // Water, animated tiles and terrain blocks have no transparent pixel.
  EXPECT_TRUE(IsFilled(b, 0, 0, 96, 64));
  EXPECT_TRUE(IsFilled(b, 0, 64, 48, 64));
  for (int x : {48, 64, 80})
    EXPECT_TRUE(IsFilled(b, x, 64, 16, 64)) << x;
  constexpr int origins[12][2] = {{0, 16}, {6, 16}, {0, 24},  {6, 24},  {12, 0},  {18, 0},
                                  {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};
  for (int block = 0; block < 12; ++block) {
    const int x = 8 * origins[block][0], y = 8 * origins[block][1];
    EXPECT_TRUE(IsFilled(b, x, y, 48, 64)) << block;
    // Each terrain block matches itself: the first block whose top-left tile equals the
    // tile 16 pixels right of this block's origin.
    int match = -1;
    for (int m = 0; m < 12 && match < 0; ++m)
      if (SameRects(b, 8 * origins[m][0], 8 * origins[m][1], x + 16, y, 16, 16)) match = m;
    EXPECT_EQ(match, block);
  }
  for (int k = 0; k < 144; ++k) {
    const int x = 8 * (24 + 12 * (k / 96) + 2 * (k % 6)), y = 16 * ((k % 96) / 6);
    EXPECT_TRUE(IsFilled(b, x, y, 16, 16)) << "lower chip " << k;
  }
  for (int i = 0; i < 144; ++i) {
    const int k = i + 48;
    const int x = 8 * (36 + 12 * (k / 96) + 2 * (i % 6)), y = 16 * ((k % 96) / 6);
    // Upper chip 0 is what every empty upper cell shows: nothing.
    EXPECT_EQ(IsClear(b, x, y, 16, 16), i == 0) << "upper chip " << i;
  }
  // The three animation steps of the water differ.
  EXPECT_FALSE(SameRects(b, 0, 64, 16, 64, 16, 16));
  EXPECT_FALSE(SameRects(b, 16, 64, 32, 64, 16, 16));
}

TEST(RuntimePackage, CharacterSetCellsStandOnTransparentGroundAndAnimate) {
  const TBitmap b = LoadImage(RtpDir + "/CharSet/Folk.png");
  for (int c = 0; c < 8; ++c)
    for (int direction = 0; direction < 4; ++direction) {
      const int y = 128 * (c / 4) + 32 * direction;
      for (int pattern = 0; pattern < 3; ++pattern) {
        const int x = 72 * (c % 4) + 24 * pattern;
        SCOPED_TRACE(testing::Message()
                     << "character " << c << " direction " << direction << " pattern " << pattern);
        EXPECT_EQ(b.IndexAt(x, y), 0);
        EXPECT_EQ(b.IndexAt(x + 23, y + 31), 0);
        EXPECT_FALSE(IsClear(b, x, y, 24, 32));
      }
      const int x = 72 * (c % 4);
      EXPECT_FALSE(SameRects(b, x, y, x + 24, y, 24, 32)) << c << " " << direction;
    }
}

TEST(RuntimePackage, SystemGraphicHasTwentyDistinctTextColours) {
  const TBitmap b = LoadImage(RtpDir + "/System/Frame.png");
  std::set<uint32_t> colours;
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 10; ++column)
      colours.insert(b.ColorAt(16 * column, 56 + 16 * row));
  EXPECT_EQ(colours.size(), 20u);
}

namespace {

uint32_t LE(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = v << 8 | static_cast<uint8_t>(s.at(at + i));
  return v;
}
uint32_t BE(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v = v << 8 | static_cast<uint8_t>(s.at(at + i));
  return v;
}

} // namespace

TEST(RuntimePackage, ChimeIsAMonoPcmWaveThatStartsSoftlyAndDiesAway) {
  const std::string w = ReadWholeFile(RtpDir + "/Sound/Chime.wav");
  ASSERT_EQ(w.size(), 44u + 2 * 11025);
  EXPECT_EQ(w.substr(0, 4), "RIFF");
  EXPECT_EQ(LE(w, 4, 4), w.size() - 8);
  EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(LE(w, 16, 4), 16u);
  EXPECT_EQ(LE(w, 20, 2), 1u);     // PCM
  EXPECT_EQ(LE(w, 22, 2), 1u);     // mono
  EXPECT_EQ(LE(w, 24, 4), 22050u); // rate
  EXPECT_EQ(LE(w, 28, 4), 44100u); // bytes a second
  EXPECT_EQ(LE(w, 32, 2), 2u);
  EXPECT_EQ(LE(w, 34, 2), 16u);
  EXPECT_EQ(w.substr(36, 4), "data");
  EXPECT_EQ(LE(w, 40, 4), w.size() - 44);
  auto sample = [&](size_t i) { return static_cast<int16_t>(LE(w, 44 + 2 * i, 2)); };
  EXPECT_EQ(sample(0), 0);
  auto energy = [&](size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i)
      sum += double(sample(i)) * sample(i);
    return std::sqrt(sum / count);
  };
  const double start = energy(0, 2205), end = energy(11025 - 2205, 2205);
  EXPECT_GT(start, 3000);
  EXPECT_LT(end, start / 4);
}

TEST(RuntimePackage, ThemeIsAWellFormedSingleTrackMidiFile) {
  const std::string m = ReadWholeFile(RtpDir + "/Music/Theme.mid");
  ASSERT_GE(m.size(), 22u);
  EXPECT_EQ(m.substr(0, 4), "MThd");
  EXPECT_EQ(BE(m, 4, 4), 6u);
  EXPECT_EQ(BE(m, 8, 2), 0u);   // format 0
  EXPECT_EQ(BE(m, 10, 2), 1u);  // one track
  EXPECT_EQ(BE(m, 12, 2), 96u); // ticks a quarter
  EXPECT_EQ(m.substr(14, 4), "MTrk");
  ASSERT_EQ(BE(m, 18, 4), m.size() - 22);

  // Walk the events (we never use running status), pairing note-ons with note-offs.
  size_t at = 22;
  uint32_t tick = 0;
  std::map<int, int> sounding; // channel * 128 + note -> count
  std::set<int> programmedChannels;
  int notes = 0;
  bool ended = false;
  while (at < m.size() && !ended) {
    uint32_t delta = 0;
    uint8_t byte;
    do {
      byte = static_cast<uint8_t>(m.at(at++));
      delta = delta << 7 | (byte & 0x7F);
    } while (byte & 0x80);
    tick += delta;
    const uint8_t status = static_cast<uint8_t>(m.at(at++));
    ASSERT_TRUE(status & 0x80) << "running status at " << at;
    if (status == 0xFF) {
      const uint8_t type = static_cast<uint8_t>(m.at(at++));
      const uint8_t length = static_cast<uint8_t>(m.at(at++));
      ended = type == 0x2F && length == 0;
      at += length;
    } else if ((status & 0xF0) == 0xC0) {
      programmedChannels.insert(status & 0x0F);
      at += 1;
    } else {
      ASSERT_TRUE((status & 0xF0) == 0x90 || (status & 0xF0) == 0x80) << int(status);
      const int key = (status & 0x0F) * 128 + m.at(at);
      if ((status & 0xF0) == 0x90) {
        ++sounding[key];
        ++notes;
      } else {
        ASSERT_GT(sounding[key], 0) << "note-off without note-on";
        --sounding[key];
      }
      at += 2;
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, m.size());
  for (const auto& [key, count] : sounding)
    EXPECT_EQ(count, 0) << key;
  EXPECT_EQ(programmedChannels, (std::set<int>{0, 1}));
  EXPECT_GT(notes, 20);
  EXPECT_EQ(tick, 8u * 384 - 4); // eight bars of 4/4, the last note released just before
}

// The editor as it starts from the build's program folder: no user settings yet.
class ProgramFolder : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    OverrideProgramFile(ProgramDir + "/velmora-studio");
  }
};

TEST_F(ProgramFolder, DefaultsNameTheRuntimePackageAndItsSoundLibraryLoads) {
  EXPECT_EQ(GetRuntimePackagePath(), RtpDir + "/");
  FreeSoundLibrary();
  EXPECT_TRUE(LoadSoundLibrary(GetRuntimePackagePath()));
  FreeSoundLibrary();

  TTempDir dir;
  WriteDefaultsFile(dir / "defaults.ini", "/opt/velmora studio/rtp");
  EXPECT_EQ(ReadWholeFile(dir / "defaults.ini"),
            "[VELMORA]\r\nRuntimePackagePath=/opt/velmora studio/rtp/\r\n");
}

TEST_F(ProgramFolder, TemplateDataBaseLoadsAndNamesThePackagesMaterials) {
  TXelDataBase db;
  ASSERT_TRUE(db.LoadDataBaseFile(ProgramDir + "/KOVAX.ldb.dat"));
  EXPECT_EQ(db.Players().GetCount(), 1);
  EXPECT_EQ(db.MonGroups().GetCount(), 1);
  const TXelSystem& system = db.System();
  EXPECT_EQ(system.GetPartyCount(), 1);
  EXPECT_EQ(system.BoatIndex, RtpBoatIndex);
  EXPECT_EQ(system.ShipIndex, RtpShipIndex);
  EXPECT_EQ(system.AirshipIndex, RtpAirshipIndex);

  // Each list's one entry has a name to pick it by, short enough for its page's name box
  // (8 characters for attributes and conditions, 16 for terrains, 20 or more elsewhere).
  const std::pair<std::string, size_t> names[] = {
      {db.ChipSets().GetItemById(1)->Name, 20},     {db.Players().GetItemById(1)->Name, 20},
      {db.Skills().GetItemById(1)->Name, 20},       {db.Items().GetItemById(1)->Name, 20},
      {db.Monsters().GetItemById(1)->Name, 20},     {db.MonGroups().GetItemById(1)->Name, 20},
      {db.Grounds().GetItemById(1)->Name, 16},      {db.Attribs().GetItemById(1)->Name, 8},
      {db.Statuses().GetItemById(1)->Name, 8},      {db.Animations().GetItemById(1)->Name, 20},
      {db.CommonEvents().GetItemById(1)->Name, 20}, {db.Switches().GetItemById(1)->Name, 20},
      {db.Variables().GetItemById(1)->Name, 20}};
  for (const auto& [name, length] : names) {
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), length) << name;
  }
  // Every text the vocabulary pages edit is there, within its edit's length.
  for (const TVocabularyTerm& term : VocabularyTerms()) {
    const std::string& text = *db.Vocabulary().Text(term.Field);
    EXPECT_FALSE(text.empty()) << term.Field;
    EXPECT_LE(text.size(), size_t(term.MaxLength)) << term.Field << " " << text;
  }

  const TXelPlayerItem& hero = *db.Players().GetItemById(1);
  const std::vector<std::tuple<std::string, std::string, TExtensionTable>> named = {
      {db.ChipSets().GetItemById(1)->Graphic, "ChipSet", ImageExtensions},
      {hero.WalkGraphic, "CharSet", ImageExtensions},
      {hero.FaceGraphic, "FaceSet", ImageExtensions},
      {db.Monsters().GetItemById(1)->Graphic, "Monster", ImageExtensions},
      {db.Animations().GetItemById(1)->Graphic, "Battle", ImageExtensions},
      {db.Grounds().GetItemById(1)->BattleBackground, "Backdrop", ImageExtensions},
      {system.TitleGraphic, "Title", ImageExtensions},
      {system.GameOverGraphic, "GameOver", ImageExtensions},
      {system.SystemGraphic, "System", ImageExtensions},
      {system.BoatGraphic, "CharSet", ImageExtensions},
      {system.ShipGraphic, "CharSet", ImageExtensions},
      {system.AirshipGraphic, "CharSet", ImageExtensions},
      {system.TestBackground, "Backdrop", ImageExtensions},
      {system.TitleMusic.FileName, "Music", MusicExtensions},
      {system.DecisionSound.FileName, "Sound", SoundExtensions},
  };
  for (const auto& [name, folder, extensions] : named) {
    std::string path;
    EXPECT_TRUE(FindMaterialFile(name, folder, extensions, path)) << folder << "/" << name;
    EXPECT_EQ(path.rfind(RtpDir + "/" + folder + "/", 0), 0u) << path;
  }
}

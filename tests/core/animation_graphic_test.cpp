// The battle-animation player stepped frame by frame over a generated battle image: the
// drawn pixels, the flash tables and the sounds it plays.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/animation_graphic.h"
#include "core/animation_record.h"
#include "core/animation_sound.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "file_test_env.h"
#include "game_sheets.h"

namespace {

class TRecordingSink : public TAnimationSoundSink {
public:
  void PlaySound(const std::string& path, int volume, int tempo, int balance) override {
    Calls.emplace_back(path, volume, tempo, balance);
  }
  std::vector<std::tuple<std::string, int, int, int>> Calls;
};

// The colour of palette entry I under a flash of colour R, G, B (5-bit) and level L:
// each channel c := (flash x L + (32 - L) x c) div 32, green's flash doubled.
uint16_t Flashed(int i, int r, int g, int b, int level) {
  const uint16_t c = GameColor(i);
  const int cr = c >> 11, cg = (c >> 5) & 63, cb = c & 31;
  return uint16_t((r * level + (32 - level) * cr) / 32 << 11 |
                  (g * 2 * level + (32 - level) * cg) / 32 << 5 |
                  (b * level + (32 - level) * cb) / 32);
}

class AnimationGraphic : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    ProjectPath = Path("proj/");
    // Two rows of five patterns; every pixel whose x + y is a multiple of 5 is clear.
    image_ = MakeGameBitmap(480, 192, 11);
    for (int y = 0; y < 192; ++y)
      for (int x = 0; x < 480; ++x)
        if ((x + y) % 5 == 0) image_.SetIndexAt(x, y, 0);
    Mkdir("proj/Battle");
    SaveBitmapToImageFile(image_, Path("proj/Battle/Blast.png"));
    Put("proj/Sound/Hit.wav", "RIFF");

    anim_.Graphic = "Blast";
    anim_.SetFrameCount(2);
    AddCell(0, 6, 10, -5);
    AddCell(1, 7, -20, 0);
    // Frame 2: the sound "Hit" and a full red screen flash; a target flash, no sound.
    TXelSound& hit = AddTiming("Hit", 2, 31, 0, 0, 31)->Sound;
    hit.Volume = 80, hit.Tempo = 110, hit.Balance = 40;
    AddTiming("(OFF)", 1, 31, 10, 31, 12);
    board_.SetSize(200, 200);
  }
  TXelAnimationCellItem* AddCell(int frame, int pattern, int x, int y) {
    TXelAnimationCellItem* c = anim_.Frames().GetItem(frame)->Cells.Append();
    c->Pattern = pattern, c->X = x, c->Y = y;
    return c;
  }
  TXelAnimationTimingItem* AddTiming(const char* sound, int scope, int r, int g, int b, int power) {
    TXelAnimationTimingItem* t = anim_.Timings.Append();
    t->Frame = 2, t->Sound.FileName = sound, t->FlashScope = uint8_t(scope);
    t->FlashRed = r, t->FlashGreen = g, t->FlashBlue = b, t->FlashPower = power;
    return t;
  }
  // Checks that the square of Side at (Left, Top) shows the pattern at (SX, SY) scaled
  // from 96 with each pixel given by Colour, clear pixels and the rest of the board
  // keeping Background.
  template <class F>
  void ExpectPattern(int left, int top, int side, int sx, int sy, uint16_t background, F colour) {
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        uint16_t want = background;
        if (x >= left && x < left + side && y >= top && y < top + side) {
          const int i = image_.IndexAt(sx + (x - left) * 96 / side, sy + (y - top) * 96 / side);
          if (i != 0) want = colour(i);
        }
        ASSERT_EQ(board_.GetRow(y)[x], want) << x << "," << y;
      }
  }

  TBitmap image_;
  TXelAnimationItem anim_{1};
  TGlimraBoard board_;
  TRecordingSink sounds_;
};

} // namespace

TEST_F(AnimationGraphic, TwoFramesWithACellAFlashAndASound) {
  TXelAnimationGraphic player(sounds_);
  player.SetAnimation(&anim_, false);
  EXPECT_EQ(player.Sheet.Width(), 480); // sized by the image
  EXPECT_EQ(player.Sheet.Height(), 192);

  // Frame 0: pattern 6 (96, 96) centred at (100 + 10, 100 - 5), no flash, no sound.
  FillBoard(board_, kBoardMarker);
  player.DrawFrame(board_, 100, 100, 0);
  player.PlayFrameSounds(0);
  ExpectPattern(62, 47, 96, 96, 96, kBoardMarker, [](int i) { return GameColor(i); });
  EXPECT_TRUE(sounds_.Calls.empty());

  // Frame 1 is the timing's frame 2: pattern 7 (192, 96) at (80, 100) under the full red
  // screen flash, and the sound of the timing; the "(OFF)" timing plays nothing.
  FillBoard(board_, kBoardMarker);
  player.DrawFrame(board_, 100, 100, 1);
  player.PlayFrameSounds(1);
  ExpectPattern(32, 52, 96, 192, 96, kBoardMarker, [](int i) { return Flashed(i, 31, 0, 0, 31); });
  using Call = std::tuple<std::string, int, int, int>;
  EXPECT_EQ(sounds_.Calls, (std::vector<Call>{{Path("proj/Sound/Hit.wav"), 80, 110, 40}}));

  // A sound whose file is missing is not played.
  anim_.Timings.GetItem(0)->Sound.FileName = "Missing";
  player.PlayFrameSounds(1);
  EXPECT_EQ(sounds_.Calls.size(), 1u);
}

TEST_F(AnimationGraphic, FlashTablesFadeOverSixFrames) {
  anim_.Timings.GetItem(0)->Frame = 3;
  TXelAnimationGraphic player(sounds_);
  player.SetAnimation(&anim_, false);
  ASSERT_EQ(player.ScreenFlash.size(), 12u); // frame count + 10
  const int screen[] = {0, 0, 31, 31, 25, 20, 15, 10, 0, 0, 0, 0};
  const int target[] = {0, 14, 12, 10, 8, 6, 4, 0, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(player.ScreenFlash[i].Power, screen[i]) << i;
    EXPECT_EQ(player.TargetFlash[i].Power, target[i]) << i;
  }
  EXPECT_EQ(player.ScreenFlash[2], (TAnimationFlash{31, 0, 0, 31}));
  EXPECT_EQ(player.TargetFlash[1], (TAnimationFlash{31, 10, 31, 14}));

  // A timing near the end writes only the entries inside the table; a later timing
  // overwrites an earlier one; far-off frames write nothing.
  anim_.Timings.GetItem(0)->Frame = 10;
  anim_.Timings.GetItem(1)->Frame = -2147483647 - 1;
  TXelAnimationTimingItem* late = anim_.Timings.Append();
  late->Frame = 11;
  late->FlashScope = 2;
  late->FlashPower = 6;
  player.BuildFlashTables(false);
  EXPECT_EQ(player.ScreenFlash[9].Power, 31);
  EXPECT_EQ(player.ScreenFlash[10].Power, 7);
  EXPECT_EQ(player.ScreenFlash[11].Power, 6);
  for (const TAnimationFlash& f : player.TargetFlash)
    EXPECT_EQ(f.Power, 0);

  player.BuildFlashTables(true);
  for (const TAnimationFlash& f : player.ScreenFlash)
    EXPECT_EQ(f, TAnimationFlash{});

  // Applying a frame outside the table resets the colour control.
  TGlimraSheet other;
  player.BuildFlashTables(false);
  player.ApplyTargetFlash(other, 99);
  EXPECT_EQ(other.Tone1.FlashLevel(), 0);
  player.ApplyScreenFlash(other, 10);
  EXPECT_EQ(other.Tone2.FlashLevel(), 7);
  player.ApplyScreenFlash(other, -1);
  EXPECT_EQ(other.Tone2.FlashLevel(), 0);
}

TEST_F(AnimationGraphic, MagnificationToneAndTransparencyOfACell) {
  TXelAnimationGraphic player(sounds_);
  player.SetAnimation(&anim_, false);
  TXelAnimationCellItem* cell = anim_.Frames().GetItem(0)->Cells.GetItem(0);
  cell->Magnification = 200;
  cell->X = 0;
  cell->Y = 0;
  FillBoard(board_, kBoardMarker);
  player.DrawCell(board_, 100, 100, false, 0, 0);
  ExpectPattern(4, 4, 192, 96, 96, kBoardMarker, [](int i) { return GameColor(i); });

  // Half transparent over black: every channel halves.
  cell->Magnification = 100;
  cell->Transparency = 50;
  FillBoard(board_, 0);
  player.DrawCell(board_, 100, 100, false, 0, 0);
  ExpectPattern(52, 52, 96, 96, 96, 0, [](int i) {
    const uint16_t c = GameColor(i);
    return uint16_t((c >> 11) / 2 << 11 | ((c >> 5) & 63) / 2 << 5 | (c & 31) / 2);
  });
  EXPECT_EQ(player.Sheet.Opacity, 127);
  cell->Transparency = 0;
  cell->Red = 0; // the tone takes the red out
  FillBoard(board_, kBoardMarker);
  player.DrawCell(board_, 100, 100, false, 0, 0);
  EXPECT_EQ(board_.GetRow(60)[60], GameColor(image_.IndexAt(104, 104)) & 0x07FF);
  player.ResetEffects();
  EXPECT_EQ(player.Sheet.Opacity, 255);
  EXPECT_EQ(player.Sheet.ColorTable()[5], GameColor(5));
  EXPECT_EQ(player.GetBackgroundColor(), 0x0000F8u); // entry 0 is pure blue

  FillBoard(board_, kBoardMarker);
  player.DrawPattern(board_, 10, 20, 1);
  ExpectPattern(10, 20, 96, 96, 0, kBoardMarker, [](int i) { return GameColor(i); });
}

TEST_F(AnimationGraphic, CellsAndGraphicsWithoutAPictureDrawNothing) {
  TXelAnimationGraphic player(sounds_);
  player.DrawFrame(board_, 100, 100, 0); // nothing bound
  player.PlayFrameSounds(1);
  player.SetAnimation(&anim_, false);
  FillBoard(board_, kBoardMarker);
  TXelAnimationCellItem* cell = anim_.Frames().GetItem(0)->Cells.GetItem(0);
  for (int pattern : {10, 24, -1, 2147483647}) {
    cell->Pattern = pattern;
    player.DrawFrame(board_, 100, 100, 0);
    player.DrawPattern(board_, 0, 0, pattern);
  }
  cell->Pattern = 6;
  for (int magnification : {0, -100}) {
    cell->Magnification = magnification;
    player.DrawFrame(board_, 100, 100, 0);
  }
  cell->Magnification = 100;
  cell->Visible = 0;
  player.DrawFrame(board_, 100, 100, 0);
  player.DrawFrame(board_, 100, 100, 2);
  player.DrawFrame(board_, 100, 100, -1);
  player.DrawCell(board_, 100, 100, true, 1, 0);
  EXPECT_TRUE(BoardUntouched(board_));

  // A missing image: raised outside editor mode, silent in it; nothing draws.
  anim_.Graphic = "Nowhere";
  EXPECT_THROW(player.SetAnimation(&anim_, false), EFileError);
  cell->Visible = 1;
  player.DrawFrame(board_, 100, 100, 0);
  anim_.Graphic = "Elsewhere";
  {
    TApplicationTagScope editor(EditorModeTag);
    player.SetAnimation(&anim_, false);
  }
  EXPECT_EQ(player.FileName, "Elsewhere");
  player.DrawFrame(board_, 100, 100, 0);
  EXPECT_TRUE(BoardUntouched(board_));
}

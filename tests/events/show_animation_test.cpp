// The two "Show Battle Animation" dialogs, offscreen: their lines, and the preview driven
// by its tick handler on a clock of the test's own.
#include "events/command_rows.h"

#include "core/animation_record.h"
#include "core/glimra_board.h"
#include "events/animation_preview.h"
#include "events/command_pieces.h"

namespace {

class ShowAnimation : public CommandDialogs {
protected:
  void SetUp() override {
    CommandDialogs::SetUp();
    // A 3-frame animation whose screen flash tints its frames, and a 40-frame one.
    TXelAnimationItem* short_ = database.Animations().GetOrCreate(1);
    short_->SetFrameCount(3);
    TXelAnimationTimingItem* flash = short_->Timings.Append();
    flash->Frame = 1;
    flash->FlashScope = 2;
    flash->FlashRed = 31;
    flash->FlashPower = 31;
    database.Animations().GetOrCreate(2)->SetFrameCount(40);
  }

  // The dialog shown on the test's clock.
  std::unique_ptr<TFormEvCmdBase> OpenOnClock(int code, TContextKind context) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    Hand(*form, context);
    preview = form->findChild<TAnimationPreview*>("AnimationArea");
    preview->Clock = [this] { return now; };
    ShowAndActivate(form.get());
    return form;
  }
  // Ticks once at the next frame time: the counter, "#" for a drawn frame or "." for black.
  std::string Tick() {
    now += AnimationFrameTime;
    preview->AnimationTimerTimer();
    return std::to_string(preview->Counter()) + (Black() ? "." : "#");
  }
  bool Black() {
    TGlimraBoard board;
    preview->Draw(board);
    EXPECT_EQ(board.GetWidth(), preview->ClientSize().width());
    for (int y = 0; y < board.GetHeight(); ++y)
      for (int x = 0; x < board.GetWidth(); ++x)
        if (board.GetRow(y)[x] != 0) return false;
    return true;
  }

  int64_t now = 1000;
  TAnimationPreview* preview = nullptr;
};

TEST_F(ShowAnimation, MapCommandLines) {
  RunTable(11210, {
                      {Map, "", R"(0 11210 "" [1,10001,1,0])"},
                      {Map, R"(2 11210 "" [2,1,0,1])", ""},
                      {Map, R"(2 11210 "" [2,10005,1,0])", ""},
                      // A deleted target reads back as "Hero", a missing animation as the first.
                      {Map, R"(2 11210 "" [2,77,1,0])", R"(0 11210 "" [2,10001,1,0])"},
                      {Map, R"(2 11210 "" [9,1,1,0])", R"(0 11210 "" [1,1,1,0])"},
                      {Map, "", R"(0 11210 "" [2,2,0,1])",
                       Then(Then(Combo("ComboBox1", 1), Combo("ComboBox2", 6)),
                            Clicks({"CheckBox1", "CheckBox2"}))},
                  });
}

TEST_F(ShowAnimation, BattleCommandLines) {
  RunTable(13260,
           {
               {Battle, "", R"(0 13260 "" [1,-1,1])"},
               {Battle, R"(2 13260 "" [2,1,0])", ""},
               {Battle, R"(2 13260 "" [1,-1,1])", ""},
               {Battle, R"(2 13260 "" [1,7,1])", R"(0 13260 "" [1,0,1])"},
               {Battle, R"(0 13260 "" [2,2,1])", R"(0 13260 "" [2,-1,1])", Combo("ComboBox2", 0)},
           });
  // "All Group" is the first entry.
  auto form = Open(13260, Battle, R"(0 13260 "" [1,-1,1])");
  auto* target = FindControl<QComboBox>(form.get(), "ComboBox2");
  EXPECT_EQ(target->currentIndex(), 0);
  EXPECT_EQ(target->itemText(0), "All Group");
}

TEST_F(ShowAnimation, TheWaitFlagIsSharedWithTheOtherWaitingCommands) {
  EXPECT_EQ(Run(11210, {Map, "", "", Clicks({"CheckBox1"})}), R"(0 11210 "" [1,10001,0,0])");
  EXPECT_EQ(Run(13260, {Battle, "", ""}), R"(0 13260 "" [1,-1,0])");
  EXPECT_EQ(Run(11320, {Map, "", ""}), R"(0 11320 "" [10001,31,31,31,31,10,0])");
  EXPECT_EQ(Run(13260, {Battle, "", "", Clicks({"CheckBox1"})}), R"(0 13260 "" [1,-1,1])");
  EXPECT_EQ(Run(11320, {Map, "", ""}), R"(0 11320 "" [10001,31,31,31,31,10,1])");
}

TEST_F(ShowAnimation, ThePreviewPausesPlaysAndRests) {
  auto form = OpenOnClock(11210, Map);
  // Opening: ten frame times of black before frame 0.
  EXPECT_EQ(preview->Counter(), -10);
  EXPECT_TRUE(Black());
  std::string run;
  for (int i = 0; i < 19; ++i)
    run += Tick() + " ";
  EXPECT_EQ(run, "-9. -8. -7. -6. -5. -4. -3. -2. -1. 0# 1# 2# 3. 4. 5. 6. 7. 0# 1# ");
  // Another animation starts after two frame times; 40 frames rest for 20.
  Combo("ComboBox1", 1)(*form);
  EXPECT_EQ(preview->Counter(), -2);
  std::vector<int> counters;
  for (int i = 0; i < 63; ++i) {
    Tick();
    counters.push_back(preview->Counter());
  }
  EXPECT_EQ(counters[1], 0);
  EXPECT_EQ(counters[60], 59);
  EXPECT_EQ(counters[61], 0);
  // A clock read between frame times counts whole frames, also before frame 0.
  EXPECT_EQ(AnimationCounterAt(-1), -1);
  EXPECT_EQ(AnimationCounterAt(-33), -1);
  EXPECT_EQ(AnimationCounterAt(32), 0);
}

} // namespace

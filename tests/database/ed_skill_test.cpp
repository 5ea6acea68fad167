// The "Skills" page in the window: an edit applied and one discarded, the groups and
// captions that follow the kind and the range, the message presets, and the preview.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include "core/animation_record.h"
#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/hero_records.h"
#include "core/image_file.h"
#include "core/vocabulary_record.h"
#include "events/animation_preview.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/qt_text.h"
#include "framework/pickers/sel_switch.h"
#include "page_env.h"

namespace {

constexpr int SkillTab = 1;

using SkillPage = ListPageTest;

TEST_F(SkillPage, ASwitchSkillIsAppliedAndAnEditThenCancelLeavesTheFile) {
  const std::string original = FileBytes();
  OpenOn(SkillTab, 4);
  Find<QComboBox>("ComboBox1")->setCurrentIndex(3);
  EXPECT_TRUE(ApplyEnabled());
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  OpenOn(SkillTab, 4);
  Find<QComboBox>("ComboBox1")->setCurrentIndex(3); // "Switch"
  EXPECT_TRUE(Shown("GroupBox5"));
  EXPECT_TRUE(Shown("GroupBox10"));
  EXPECT_TRUE(Shown("GroupBox7"));
  EXPECT_FALSE(Shown("GroupNormal"));
  EXPECT_FALSE(Shown("GroupBoxN1"));
  NextModalAnswers().push_back([](TFormXelBase& form) -> std::optional<bool> {
    auto* picker = dynamic_cast<TFormSelSwitch*>(&form);
    if (!picker) return std::nullopt;
    picker->SelectedId = 7;
    return true;
  });
  Find<TDashBox>("DashBox2")->ButtonClick();
  EXPECT_EQ(Find<TDashBox>("DashBox2")->Text().left(5), "0007:");
  Apply();
  Cancel();
  const TXelSkillItem& skill = *SkillList->GetItem(4);
  EXPECT_EQ(skill.Kind, 3);
  EXPECT_EQ(skill.SwitchId, 7);
  EXPECT_NE(FileBytes(), original);
}

TEST_F(SkillPage, CaptionsFollowTheRangeAndPresetsWriteTheMessage) {
  SkillList->GetItem(2)->Kind = 0;
  SkillList->GetItem(2)->Name = "Fire";
  SkillList->GetItem(2)->UsingMessage2 = "old";
  OpenOn(SkillTab, 2);
  auto* range = Find<QComboBox>("ComboBox2");
  range->setCurrentIndex(2); // "User"
  EXPECT_EQ(Find<QGroupBox>("GroupBoxN9")->title(), "Ability Up");
  EXPECT_EQ(Find<QGroupBox>("GroupBoxN10")->title(), "Cure condition");
  EXPECT_EQ(Find<QGroupBox>("GroupBoxN11")->title(), "Defense Attribute");
  EXPECT_EQ(Find<QAbstractButton>("CheckBox9")->text(), "Defense Up");
  range->setCurrentIndex(0); // "Single Enemy"
  EXPECT_EQ(Find<QGroupBox>("GroupBoxN9")->title(), "Ability Down");
  EXPECT_EQ(Find<QAbstractButton>("CheckBox9")->text(), "Defense Down");
  Apply();
  ASSERT_FALSE(ApplyEnabled());

  Find<QAbstractButton>("Button2")->click(); // "[* Cast]"
  EXPECT_EQ(SkillList->GetItem(2)->UsingMessage1, " casts Fire!");
  EXPECT_EQ(SkillList->GetItem(2)->UsingMessage2, "");
  EXPECT_EQ(Find<QLineEdit>("OverEdit3")->text(), " casts Fire!");
  EXPECT_TRUE(ApplyEnabled());

  // The failure messages are the vocabulary's entries 24..27, in order.
  auto* failures = Find<QComboBox>("ComboBox3");
  ASSERT_EQ(failures->count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(failures->itemText(i), ToQString(*VocabularyData->Text(24 + i))) << i;
}

TEST_F(SkillPage, ThePreviewPausesPlaysFromTheBattleGraphicAndStartsOver) {
  // Animation 1: four frames, frame 0 showing pattern 0 of a generated graphic in the middle.
  const TBitmap image = MakeGameBitmap(480, 96, 5);
  Mkdir("Project/Battle");
  SaveBitmapToImageFile(image, Path("Project/Battle/Blast.png"));
  TXelAnimationItem& animation = *AnimationList->GetItem(0);
  animation.Graphic = "Blast";
  animation.Scope = 1;
  animation.Timings.Clear();
  animation.Frames().Clear();
  animation.SetFrameCount(4);
  animation.Frames().GetItem(0)->Cells.Append()->Pattern = 0;
  SkillList->GetItem(0)->Kind = 0;
  SkillList->GetItem(0)->BattleAnimation = 1;

  OpenOn(SkillTab, 1);
  auto* preview = Find<TAnimationPreview>("AnimationArea");
  int64_t now = 5000;
  preview->Clock = [&now] { return now; };
  Select(0); // binding starts the pause on the test's clock
  TGlimraBoard board;
  std::string run;
  for (int tick = 0; tick < 20; ++tick) {
    preview->Draw(board);
    bool black = true;
    for (int y = 0; y < board.GetHeight(); ++y)
      for (int x = 0; x < board.GetWidth(); ++x)
        black = black && board.GetRow(y)[x] == 0;
    run += std::to_string(preview->Counter()) + (black ? ". " : "# ");
    if (preview->Counter() == 0) {
      // The stage is twice the box: the box's middle shows the pattern's middle.
      const int x = board.GetWidth() / 2;
      const int y = board.GetHeight() / 2;
      EXPECT_EQ(board.GetRow(y)[x], GameColor(image.IndexAt(48, 48)));
    }
    now += AnimationFrameTime;
    preview->AnimationTimerTimer();
  }
  EXPECT_EQ(run, "-10. -9. -8. -7. -6. -5. -4. -3. -2. -1. 0# 1. 2. 3. 4. 5. 6. 7. 8. 0# ");
  // Longer animations rest as long as they play, between 5 and 20 frames.
  EXPECT_EQ(AnimationCycleEnd(4), 9);
  EXPECT_EQ(AnimationCycleEnd(10), 20);
  EXPECT_EQ(AnimationCycleEnd(30), 50);
  // Another animation starts after a pause of two frames.
  Find<QComboBox>("ComboBox4")->setCurrentIndex(1);
  EXPECT_EQ(preview->Counter(), -2);
}

} // namespace

// The battle-animation page and its dialogs in the database window over the scratch
// project (generated animations: 30 frames of 6 cells, timings on frames 3, 6 and 9).
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/animation_sound.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/stream.h"
#include "core/system_records.h"
#include "database/ed_animation.h"
#include "database/ed_animation_dialogs.h"
#include "database/report_list.h"
#include "database_window_env.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/catalog_model.h"

namespace {

// The record as a fresh full save writes it.
std::vector<uint8_t> Saved(const TXelAnimationItem& animation) {
  TXelAnimationItem copy(1);
  copy.Assign(animation);
  TMemoryStream stream;
  copy.SaveToStream(stream);
  return stream.Bytes();
}

class AnimationPage : public DataBaseWindowTest {
protected:
  // The page, bound to the first animation (the list keeps its place between tests).
  TFormEDAnimation& Page() {
    if (!window || !window->isVisible()) {
      Open(7);
      auto& page = CurrentPage<TFormEDAnimation>();
      page.SelectRow(0);
      page.DataListClick();
    }
    return CurrentPage<TFormEDAnimation>();
  }
  template <class T> T* Control(const char* name) { return FindControl<T>(&Page(), name); }
  TXelAnimationItem& Entry() { return *AnimationList->GetItem(0); }
  void Frame(int row) { Control<QListWidget>("ListBox1")->setCurrentRow(row); }
  // A mouse event at the stage point (relative to the origin).
  void Mouse(QEvent::Type type, TPoint at, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers = {}) {
    const TPoint o = Page().Geometry().Origin;
    const QPointF client(o.X + at.X, o.Y + at.Y);
    QMouseEvent event(type, client, client, button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      modifiers);
    if (type == QEvent::MouseButtonPress) Page().AnimationAreaMouseDown(&event);
    if (type == QEvent::MouseMove) Page().AnimationAreaMouseMove(&event);
    if (type == QEvent::MouseButtonRelease) Page().AnimationAreaMouseUp(&event);
  }
  void SetFrames(int count) {
    OnNextModal<TFormEDAnimationFrameMax>([count](TFormEDAnimationFrameMax* dialog) {
      FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(count);
      dialog->ButtonOkClick();
    });
    Page().DashBox2Click();
  }
  void AddTiming(int frame, const char* sound, int range) {
    auto* list = Control<TReportList>("ListView1");
    list->SetCurrentRow(list->Rows());
    OnNextModal<TFormEDAnimationTiming>([=](TFormEDAnimationTiming* dialog) {
      dialog->Work.Sound.FileName = sound;
      FindControl<TDialEdit>(dialog, "DialEdit5")->SetValue(frame);
      FindControl<QRadioButton>(dialog, ("RadioButton" + std::to_string(range + 1)).c_str())
          ->click();
      dialog->ButtonOkClick();
    });
    Page().Menu_TimingItemEditClick();
  }
  QString Cell(int row, int column) {
    return Control<TReportList>("ListView1")->topLevelItem(row)->text(column);
  }
};

TEST_F(AnimationPage, EditsAreAppliedInFullAndCancelDiscardsTheRest) {
  Frame(1);
  Page().Menu_FrameClearClick();
  Mouse(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
  Mouse(QEvent::MouseMove, {13, 0}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {13, 0}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, {-100, 40}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {-100, 40}, Qt::LeftButton);
  Page().Stage.SelectedCell = 0;
  Page().Menu_CellItemUpClick();
  AddTiming(2, "Zap", 2);
  SetFrames(25);
  const TXelAnimationCell& cells = Entry().Frames.GetItem(1)->Cells;
  ASSERT_EQ(cells.GetCount(), 2);
  EXPECT_EQ(cells.GetItem(1)->X, 16);   // snapped in steps of 8
  EXPECT_EQ(cells.GetItem(0)->X, -100); // placed where pressed
  EXPECT_EQ(Entry().GetFrameCount(), 25);
  ASSERT_TRUE(ApplyEnabled());
  const std::vector<uint8_t> edited = Saved(Entry());
  Apply();
  const std::string applied = FileBytes();
  Cancel();
  EXPECT_EQ(Saved(Entry()), edited);

  // An edit then Cancel: the file stays, and the reload does not keep the edited bytes.
  Frame(1);
  Page().Menu_FrameClearClick();
  OnNextModal<TFormEDAnimationComplement>([](TFormEDAnimationComplement* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit2")->SetValue(5);
    dialog->reject();
  });
  Page().Button3Click(); // a tool cancelled leaves the entry alone
  Cancel();
  EXPECT_EQ(FileBytes(), applied);
  EXPECT_EQ(Saved(Entry()), edited);
  EXPECT_EQ(Entry().Frames.GetItem(1)->Cells.GetCount(), 2);
}

TEST_F(AnimationPage, ScopeAndYLineKeepTheCellsWhereTheyAppear) {
  Page().VictimSheet.SetSize(30, 64);
  const int y = Entry().Frames.GetItem(5)->Cells.GetItem(2)->Y;
  auto cellY = [&] { return Entry().Frames.GetItem(5)->Cells.GetItem(2)->Y; };
  ASSERT_EQ(Entry().YLine, 2); // "Feet"
  Control<QComboBox>("ComboBox2")->setCurrentIndex(1);
  EXPECT_EQ(cellY(), y + 32);
  EXPECT_FALSE(Control<QComboBox>("ComboBox3")->isEnabled());
  Control<QComboBox>("ComboBox2")->setCurrentIndex(0);
  EXPECT_EQ(cellY(), y);
  Control<QComboBox>("ComboBox3")->setCurrentIndex(0);
  EXPECT_EQ(cellY(), y + 64);
  Control<QComboBox>("ComboBox3")->setCurrentIndex(2); // "Head" -> "Feet"
  EXPECT_EQ(cellY(), y);
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(AnimationPage, FramesInsertDeleteAndTheTimingList) {
  SetFrames(5);
  EXPECT_EQ(Control<QListWidget>("ListBox1")->item(1)->text(), " < 02 >");
  Frame(2);
  const std::vector<uint8_t> third = Saved(Entry());
  Page().Menu_FrameInsertClick();
  EXPECT_EQ(Entry().GetFrameCount(), 6);
  EXPECT_EQ(Entry().Timings.GetItem(0)->Frame, 4); // was on frame 3
  EXPECT_EQ(Entry().Frames.GetItem(3)->Cells.GetItem(0)->X,
            Entry().Frames.GetItem(2)->Cells.GetItem(0)->X);
  EXPECT_EQ(Control<QListWidget>("ListBox1")->count(), 6);
  Frame(2);
  Page().Menu_FrameDeleteClick();
  EXPECT_EQ(Entry().Timings.GetItem(0)->Frame, 3);
  EXPECT_EQ(Saved(Entry()), third);

  AddTiming(2, "(OFF)", 2);
  AddTiming(2, "Zap", 0);
  EXPECT_EQ(Cell(0, 0), " < 02 >");
  EXPECT_EQ(Cell(0, 1), "Zap");
  EXPECT_EQ(Cell(0, 2), "");
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(Cell(1, 2), "Screen(R31,G31,B31,V31)");
  EXPECT_EQ(Control<TReportList>("ListView1")->CurrentRow(), 0); // the edited one

  // A cancelled timing dialog leaves the row's timing as it was.
  Control<TReportList>("ListView1")->SetCurrentRow(1);
  OnNextModal<TFormEDAnimationTiming>([](TFormEDAnimationTiming* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit5")->SetValue(4);
    FindControl<QRadioButton>(dialog, "RadioButton1")->click();
    EXPECT_FALSE(FindControl<TSlider>(dialog, "Slider1")->isEnabled());
    EXPECT_EQ(FindControl<TDialEdit>(dialog, "DialEdit1")->text(), "31"); // greyed, shown
    EXPECT_EQ(dialog->SampleColour(), AppWorkSpaceColor());
    dialog->reject();
  });
  Page().Menu_TimingItemEditClick();
  EXPECT_EQ(Entry().Timings.GetItem(1)->Frame, 2);
  EXPECT_EQ(Entry().Timings.GetItem(1)->FlashScope, 2);
}

// Delete and Cut take the selected row's timing, as Edit and Copy do, also when the
// stored ids do not run 1..n.
TEST_F(AnimationPage, TimingDeleteAndCutTakeTheSelectedRow) {
  for (const bool cut : {false, true}) {
    SCOPED_TRACE(cut ? "Cut" : "Delete");
    TXelAnimationTiming& timings = Entry().Timings;
    ASSERT_EQ(timings.GetCount(), 3);
    const int32_t ids[] = {3, 7, 9};
    for (int i = 0; i < 3; ++i)
      timings.GetItem(i)->SetId(ids[i]);
    Control<TReportList>("ListView1")->SetCurrentRow(1);
    if (cut)
      Page().Menu_TimingItemCutClick();
    else
      Page().Menu_TimingItemDeleteClick();
    ASSERT_EQ(timings.GetCount(), 2);
    EXPECT_EQ(timings.GetItem(0)->Id, 3);
    EXPECT_EQ(timings.GetItem(0)->Frame, 3);
    EXPECT_EQ(timings.GetItem(1)->Frame, 9);
    EXPECT_EQ(Cell(1, 0), " < 09 >");
    EXPECT_EQ(Control<TReportList>("ListView1")->CurrentRow(), 1);
    if (cut) {
      TXelAnimationTimingItem clipped(0);
      ASSERT_TRUE(clipped.PasteFromClipboard(cfAnimationTiming));
      EXPECT_EQ(clipped.Frame, 6);
    }
    Cancel();
  }
}

class TRecordingSink : public TAnimationSoundSink {
public:
  void PlaySound(const std::string& path, int, int, int) override { Paths.push_back(path); }
  std::vector<std::string> Paths;
};

TEST_F(AnimationPage, PlaybackOfOneFrameRunsItsTicksAgainstTheClockWithItsSounds) {
  Mkdir("Project/Sound");
  Put("Project/Sound/Hit.wav", "RIFF");
  SetFrames(1);
  AddTiming(1, "Hit", 0);
  TRecordingSink sounds;
  Page().Player = std::make_unique<TXelAnimationGraphic>(sounds);
  Page().Player->SetAnimation(&Entry(), false);
  int64_t now = 0;
  int slept = 0;
  Page().PlaybackClock = {[&] { return now; }, [&](int ms) { now += ms, slept += ms; }};
  Page().Button5Click();
  EXPECT_EQ(slept, 20 * 33);
  ASSERT_EQ(sounds.Paths.size(), 1u);
  EXPECT_EQ(sounds.Paths[0], Path("Project/Sound/Hit.wav"));
}

TEST_F(AnimationPage, StagePressesDragsAndKeysStayWhereTheyBelong) {
  SystemData->AnimationSnapToGrid = 1;
  Frame(3);
  Page().Menu_FrameClearClick();
  TXelAnimationCell& cells = *Page().CurrentCells();
  Mouse(QEvent::MouseButtonPress, {400, 0}, Qt::LeftButton);
  EXPECT_EQ(cells.GetCount(), 0);

  Mouse(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {0, 0}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, {200, 8}, Qt::LeftButton);
  Mouse(QEvent::MouseMove, {213, 8}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(cells.GetItem(1)->X, 216);
  EXPECT_EQ(cells.GetItem(0)->X, 16); // Shift moves every cell
  // A right press during the drag puts the cells back as they were before the press.
  Mouse(QEvent::MouseButtonPress, {213, 8}, Qt::RightButton);
  ASSERT_EQ(cells.GetCount(), 1);
  EXPECT_EQ(cells.GetItem(0)->X, 0);
  Mouse(QEvent::MouseButtonRelease, {213, 8}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonPress, {200, 8}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {200, 8}, Qt::LeftButton);

  // Arrow keys belong to the list that has the focus, not to the stage's cells.
  auto* list = Control<QListWidget>("ListBox1");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Right);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 4);
  Frame(3);
  EXPECT_EQ(Page().CurrentCells()->GetItem(1)->X, 200);
  auto* stage = Control<TScrollFrame>("AnimationArea");
  EXPECT_EQ(stage->ClientSize(), QSize(320, 160));
  stage->setFocus();
  Page().Stage.SelectedCell = 1;
  QTest::keyClick(stage, Qt::Key_Right);
  EXPECT_EQ(Page().CurrentCells()->GetItem(1)->X, 208);
  QTest::keyClick(stage, Qt::Key_PageDown);
  EXPECT_EQ(Page().CurrentCells()->GetItem(0)->X, 208);
}

TEST(AnimationDialogs, RememberedLastFrameAndMarksBeyondAThousand) {
  {
    TFormEDAnimationFrameTool tool;
    tool.Work.SetFrameCount(30);
    ShowAndActivate(&tool);
    FindControl<TDialEdit>(&tool, "DialEdit2")->SetValue(30);
    FindControl<QRadioButton>(&tool, "RadioButton2")->click();
    tool.ButtonOkClick();
  }
  EXPECT_EQ(LastFrameTool.ToFrame, LastFrameMark);
  {
    TFormEDAnimationFrameTool tool;
    tool.Work.SetFrameCount(20);
    ShowAndActivate(&tool);
    EXPECT_EQ(FindControl<TDialEdit>(&tool, "DialEdit2")->Value(), 20);
    EXPECT_FALSE(FindControl<TDialEdit>(&tool, "DialEdit3")->isEnabled());
  }

  TFormEDAnimationManyCell many;
  many.Work.SetFrameCount(2000);
  many.Work.Frames.GetItem(1499)->Cells.Append();
  ShowAndActivate(&many);
  FindControl<TMarkListBox>(&many, "MarkListBox1")->SetChecked(1499, true);
  FindControl<QCheckBox>(&many, "CheckBoxCell1")->click();
  FindControl<QCheckBox>(&many, "CheckBox2")->click();
  FindControl<TDialEdit>(&many, "DialEdit6")->SetValue(250);
  many.ButtonOkClick();
  EXPECT_EQ(many.Work.Frames.GetItem(1499)->Cells.GetItem(0)->Magnification, 250);
  ASSERT_GE(LastManyCell.FrameMarks.size(), 2000u);
  EXPECT_EQ(LastManyCell.FrameMarks[1499], 1);
  LastManyCell = {};
  LastFrameTool = {};
}

} // namespace

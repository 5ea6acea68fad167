// The battle-animation page and its dialogs in the database window over the scratch
// project (generated animations: 30 frames of 6 cells, timings on frames 3, 6 and 9).
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
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
  std::vector<uint8_t> FrameBytes(int frame) {
    TMemoryStream stream;
    Entry().Frames().GetItem(frame)->SaveToStream(stream);
    return stream.Bytes();
  }
  std::vector<int> TimingFrames() {
    std::vector<int> frames;
    for (int i = 0; i < Entry().Timings.GetCount(); ++i)
      frames.push_back(Entry().Timings.GetItem(i)->Frame);
    return frames;
  }
};

// Picks Action of the menu that pops up next, as the author would.
std::shared_ptr<bool> PickFromNextMenu(const char* action) {
  auto picked = std::make_shared<bool>(false);
  QTimer::singleShot(0, [picked, action] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* item : menu->actions())
      if (item->objectName() == action && item->isEnabled()) {
        item->trigger();
        *picked = true;
      }
    menu->close();
  });
  return picked;
}

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
  const TXelAnimationCell& cells = Entry().Frames().GetItem(1)->Cells;
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
  EXPECT_EQ(Entry().Frames().GetItem(1)->Cells.GetCount(), 2);
}

TEST_F(AnimationPage, ScopeAndYLineKeepTheCellsWhereTheyAppear) {
  Page().VictimSheet.SetSize(30, 64);
  const int y = Entry().Frames().GetItem(5)->Cells.GetItem(2)->Y;
  auto cellY = [&] { return Entry().Frames().GetItem(5)->Cells.GetItem(2)->Y; };
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
  EXPECT_EQ(Entry().Frames().GetItem(3)->Cells.GetItem(0)->X,
            Entry().Frames().GetItem(2)->Cells.GetItem(0)->X);
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

TEST_F(AnimationPage, TheTimingAndFrameClipboardAndGetPrev) {
  // The generated timings, on frames 3, 6 and 9, have the ids 1 to 3.
  const std::vector<uint8_t> original = Saved(Entry());
  auto* timings = Control<TReportList>("ListView1");
  timings->SetCurrentRow(1);
  Page().Menu_TimingItemCopyClick();
  EXPECT_FALSE(ApplyEnabled());
  Page().Menu_TimingItemDeleteClick();
  EXPECT_EQ(TimingFrames(), (std::vector<int>{3, 9}));
  EXPECT_EQ(timings->CurrentRow(), 1);
  EXPECT_TRUE(ApplyEnabled());
  Page().Menu_TimingItemPasteClick();
  EXPECT_EQ(TimingFrames(), (std::vector<int>{3, 6, 9}));
  EXPECT_EQ(timings->CurrentRow(), 1); // the pasted one
  timings->SetCurrentRow(0);
  Page().Menu_TimingItemCutClick();
  EXPECT_EQ(TimingFrames(), (std::vector<int>{6, 9}));
  timings->SetCurrentRow(2); // the empty row: nothing to cut or delete, room to paste
  Page().Menu_TimingItemCutClick();
  Page().Menu_TimingItemDeleteClick();
  EXPECT_EQ(TimingFrames(), (std::vector<int>{6, 9}));
  Page().Menu_TimingItemPasteClick();
  EXPECT_EQ(Cell(0, 0), " < 03 >");
  EXPECT_EQ(Saved(Entry()), original);

  // Frames: a copy pasted over another, a cut that leaves the frame empty.
  const std::vector<uint8_t> second = FrameBytes(1), fifth = FrameBytes(4);
  Frame(1);
  Page().Menu_FrameCopyClick();
  Frame(6);
  Page().Menu_FramePasteClick();
  EXPECT_EQ(FrameBytes(6), second);
  Frame(4);
  Page().Menu_FrameCutClick();
  EXPECT_EQ(Entry().Frames().GetItem(4)->Cells.GetCount(), 0);
  Frame(7);
  Page().Menu_FramePasteClick();
  EXPECT_EQ(FrameBytes(7), fifth);

  // "Get Prev." copies the frame before into the current one; the first has none.
  auto* getPrev = Control<QPushButton>("Button1");
  Frame(0);
  EXPECT_FALSE(getPrev->isEnabled());
  Frame(2);
  ASSERT_TRUE(getPrev->isEnabled());
  QTest::mouseClick(getPrev, Qt::LeftButton);
  EXPECT_EQ(FrameBytes(2), second);
  EXPECT_EQ(FrameBytes(1), second);
}

TEST_F(AnimationPage, TheCellMenuAndTheCellDialog) {
  SystemData->AnimationSnapToGrid = 0;
  Frame(3);
  Page().Menu_FrameClearClick();
  Mouse(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {10, 20}, Qt::LeftButton);
  TXelAnimationCell& cells = *Page().CurrentCells();
  ASSERT_EQ(cells.GetCount(), 1);
  Apply();
  const TXelAnimationCellItem& cell = *cells.GetItem(0);
  const std::vector<uint8_t> placed = FrameBytes(3);

  // The dialog writes its working cell at every change; Cancel leaves the stage's cell.
  OnNextModal<TFormEDAnimationCell>([](TFormEDAnimationCell* dialog) {
    EXPECT_EQ(dialog->Work.X, 10);
    FindControl<TDialEdit>(dialog, "DialEdit5")->SetValue(7);
    EXPECT_EQ(dialog->Work.Pattern, 6);
    FindControl<TDialEdit>(dialog, "DialEdit6")->SetValue(250);
    EXPECT_EQ(dialog->Work.Magnification, 250);
    FindControl<TSlider>(dialog, "Slider2")->SetPosition(5);
    EXPECT_EQ(FindControl<TDialEdit>(dialog, "DialEdit2")->Value(), 50);
    EXPECT_EQ(dialog->Work.Green, 50);
    FindControl<TDialEdit>(dialog, "DialEdit4")->SetValue(150);
    EXPECT_EQ(FindControl<TSlider>(dialog, "Slider4")->Position(), 15);
    EXPECT_EQ(dialog->Work.Chroma, 150);
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonCancel"), Qt::LeftButton);
  });
  Page().Menu_CellItemPropertyClick();
  EXPECT_EQ(FrameBytes(3), placed);
  EXPECT_FALSE(ApplyEnabled());
  // A double-click opens it too; OK hands the cell back.
  OnNextModal<TFormEDAnimationCell>([](TFormEDAnimationCell* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit7")->SetValue(35);
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
  });
  Page().AnimationAreaDblClick();
  EXPECT_EQ(cell.Transparency, 35);
  EXPECT_EQ(cell.X, 10);
  EXPECT_TRUE(ApplyEnabled());

  // Copy, then Paste from the keyboard (under the stage's middle) and from the menu that
  // a right click on the empty stage opens (where clicked).
  Page().Menu_CellItemCopyClick();
  Page().Menu_CellItemPasteClick();
  ASSERT_EQ(cells.GetCount(), 2);
  const TPoint o = Page().Geometry().Origin;
  EXPECT_EQ(cells.GetItem(1)->X, 160 - o.X);
  EXPECT_EQ(cells.GetItem(1)->Y, 80 - o.Y);
  EXPECT_EQ(cells.GetItem(1)->Transparency, 35);
  Mouse(QEvent::MouseButtonPress, {-60, -30}, Qt::RightButton);
  const auto picked = PickFromNextMenu("Menu_CellItemPaste");
  Mouse(QEvent::MouseButtonRelease, {-60, -30}, Qt::RightButton);
  EXPECT_TRUE(*picked);
  ASSERT_EQ(cells.GetCount(), 3);
  EXPECT_EQ(cells.GetItem(2)->X, -60);
  EXPECT_EQ(cells.GetItem(2)->Y, -30);
  EXPECT_EQ(cells.GetItem(2)->Transparency, 35);
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
  many.Work.Frames().GetItem(1499)->Cells.Append();
  ShowAndActivate(&many);
  FindControl<TMarkListBox>(&many, "MarkListBox1")->SetChecked(1499, true);
  FindControl<QCheckBox>(&many, "CheckBoxCell1")->click();
  FindControl<QCheckBox>(&many, "CheckBox2")->click();
  FindControl<TDialEdit>(&many, "DialEdit6")->SetValue(250);
  many.ButtonOkClick();
  EXPECT_EQ(many.Work.Frames().GetItem(1499)->Cells.GetItem(0)->Magnification, 250);
  ASSERT_GE(LastManyCell.FrameMarks.size(), 2000u);
  EXPECT_EQ(LastManyCell.FrameMarks[1499], 1);
  LastManyCell = {};
  LastFrameTool = {};
}

TEST(AnimationDialogs, TheComplementRemembersItsSettingsForTheNextOpening) {
  {
    TFormEDAnimationComplement dialog;
    dialog.Work.SetFrameCount(10);
    ShowAndActivate(&dialog);
    FindControl<TDialEdit>(&dialog, "DialEdit1")->SetValue(10);
    FindControl<TDialEdit>(&dialog, "DialEdit2")->SetValue(8);
    FindControl<TDialEdit>(&dialog, "DialEdit3")->SetValue(6);
    FindControl<TDialEdit>(&dialog, "DialEdit4")->SetValue(2);
    FindControl<QCheckBox>(&dialog, "CheckBox2")->click();
    QTest::mouseClick(FindControl<QPushButton>(&dialog, "ButtonOk"), Qt::LeftButton);
  }
  // In ascending order, 0-based, the end as "the last frame".
  EXPECT_EQ(LastComplement, (TComplementSettings{7, LastFrameMark, 1, 5, {true, false, true}}));
  TFormEDAnimationComplement next;
  next.Work.SetFrameCount(20);
  ShowAndActivate(&next);
  EXPECT_EQ(FindControl<TDialEdit>(&next, "DialEdit1")->Value(), 8);
  EXPECT_EQ(FindControl<TDialEdit>(&next, "DialEdit2")->Value(), 20);
  EXPECT_EQ(FindControl<TDialEdit>(&next, "DialEdit3")->Value(), 2);
  EXPECT_EQ(FindControl<TDialEdit>(&next, "DialEdit4")->Value(), 6);
  EXPECT_TRUE(FindControl<QCheckBox>(&next, "CheckBox1")->isChecked());
  EXPECT_FALSE(FindControl<QCheckBox>(&next, "CheckBox2")->isChecked());
  EXPECT_TRUE(FindControl<QCheckBox>(&next, "CheckBox3")->isChecked());
  LastComplement = {};
}

} // namespace

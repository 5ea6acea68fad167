#include "framework/controls/script_list_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

#include "core/event_script.h"
#include "core/event_script_converter.h"
#include "framework/harness/widget_harness.h"

namespace {

const QStringList SampleLines = {
    "<>Message: Hi",      // 0
    ":       : more",     // 1 continuation
    "<>Branch if Switch", // 2
    "  <>Play Sound",     // 3
    "  <>Wait",           // 4
    "  <>",               // 5
    ":Else",              // 6
    "  <>",               // 7
    ":End",               // 8
    "<>Show Picture",     // 9
    "<>",                 // 10 the script's last line
};
// Their facts: depth, and whether the line starts a command.
const std::vector<TScriptLineFacts> SampleFacts = {{0, true},  {0, false}, {0, true},  {1, true},
                                                   {1, true},  {1, true},  {0, false}, {1, true},
                                                   {0, false}, {0, true},  {0, true}};

// A window with the list above an edit that can take the focus away from it.
class ScriptListWindow : public ::testing::Test {
protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    list = new TScriptListBox(&window);
    other = new QLineEdit(&window);
    layout->addWidget(list);
    layout->addWidget(other);
    list->SetItems(SampleLines, SampleFacts);
    ShowAndActivate(&window);
    ShowLines(20);
    list->setFocus();
  }

  // Makes exactly Lines whole lines visible.
  void ShowLines(int lines) {
    const int outside = list->height() - list->viewport()->height();
    list->setFixedHeight(outside + lines * list->LineHeight() + list->LineHeight() / 2);
    QApplication::processEvents();
    ASSERT_EQ(list->VisibleLines(), lines);
  }

  QPoint LineCentre(int index) const { return list->ItemRect(index).center(); }

  void Click(int index, Qt::KeyboardModifiers modifiers = {},
             Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(list->viewport(), button, modifiers, LineCentre(index));
  }

  void MoveHeldMouse(int y) {
    const QPointF at(5, y);
    QMouseEvent move(QEvent::MouseMove, at, list->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
  }

  QColor PixelAtLine(int index) {
    const QImage image = list->viewport()->grab().toImage();
    return image.pixelColor(list->viewport()->width() - 6, LineCentre(index).y());
  }

  QWidget window;
  TScriptListBox* list = nullptr;
  QLineEdit* other = nullptr;
};

} // namespace

TEST(ScriptListBox, ANewListIsEmptyAndKeepsNoCaretWhileEmpty) {
  TScriptListBox list;
  EXPECT_EQ(list.size(), QSize(121, 97));
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.SelStart(), 0);
  EXPECT_EQ(list.SelEnd(), 0);
  list.SetItemIndex(3);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.SelStart(), -1);
  list.SetItems({}, {});
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItems({"<>"}, {{0, true}});
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(list.SelStart(), 0);
  EXPECT_EQ(list.SelEnd(), 0);
}

TEST(ScriptListBox, LinesComeFromTheScriptThroughTheConverter) {
  TXelEventScriptList script;
  script.Add(10110, 0, "Caf\xE9");
  script.Add(20110, 0, "more");
  script.Add(0, 0);
  TEventScriptConverter converter;
  TScriptListBox list;
  list.SetScript(script, converter);
  EXPECT_EQ(list.Items(),
            QStringList({QString::fromUtf8("<>Message: Café"), ":          :more", "<>"}));
  EXPECT_EQ(list.SelStart(), 0);
  EXPECT_EQ(list.SelEnd(), 1);

  // A line whose text cannot be made starts no command, whatever its text shows.
  script.Clear();
  script.Add(11410, 0);
  script.Add(11330, 0)->Params = {1, 0, 0, 0, 0x80};
  script.Add(0, 0);
  list.SetScript(script, converter);
  EXPECT_EQ(list.Items()[1], QString::fromLatin1(SDataBroken));
  list.SetItemIndex(0);
  EXPECT_EQ(list.SelEnd(), 1);
  EXPECT_FALSE(list.IsCommandLine(1));
}

TEST_F(ScriptListWindow, ARefillOfAnotherLengthStartsAtTheFirstLine) {
  const auto waits = [](int count) {
    auto script = std::make_unique<TXelEventScriptList>();
    for (int i = 0; i < count; ++i)
      script->Add(11410, 0);
    script->Add(0, 0);
    return script;
  };
  TEventScriptConverter converter;
  list->Refill(*waits(40), converter);
  list->SetItemIndex(30);
  ASSERT_GT(list->TopIndex(), 0);
  // Another script of the same length: only the texts change.
  list->Refill(*waits(40), converter);
  EXPECT_EQ(list->ItemIndex(), 30);
  list->Refill(*waits(35), converter);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->SelStart(), 0);
  EXPECT_EQ(list->SelEnd(), 0);
  EXPECT_EQ(list->TopIndex(), 0);
  // After an edit the caret stays where it was.
  list->SetItemIndex(20);
  list->SetScript(*waits(36), converter);
  EXPECT_EQ(list->ItemIndex(), 20);
}

TEST_F(ScriptListWindow, ClickOnABranchSelectsTheWholeCommand) {
  Click(2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->SelStart(), 2);
  EXPECT_EQ(list->SelEnd(), 8);
  Click(6);
  EXPECT_EQ(list->ItemIndex(), 6);
  EXPECT_EQ(list->SelStart(), -1);
  EXPECT_EQ(list->SelEnd(), -1);
  // Below the last line is the last line.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 11 * list->LineHeight() + 3));
  EXPECT_EQ(list->ItemIndex(), 10);
  EXPECT_EQ(list->SelStart(), 10);
  EXPECT_EQ(list->SelEnd(), 10);
}

TEST_F(ScriptListWindow, ShiftClickExtendsFromTheAnchor) {
  Click(4);
  Click(0, Qt::ShiftModifier);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->SelStart(), 0);
  EXPECT_EQ(list->SelEnd(), 8);
  // The anchor stays at 4: down to the last line only the picture is of the lowest indent.
  Click(10, Qt::ShiftModifier);
  EXPECT_EQ(list->SelStart(), 9);
  EXPECT_EQ(list->SelEnd(), 9);
  // A plain click starts afresh.
  Click(9);
  EXPECT_EQ(list->SelStart(), 9);
  EXPECT_EQ(list->SelEnd(), 9);
}

TEST_F(ScriptListWindow, RightClickInsideTheSelectionKeepsIt) {
  Click(2);
  Click(4, {}, Qt::RightButton);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(list->SelEnd(), 8);
  Click(9, {}, Qt::RightButton);
  EXPECT_EQ(list->ItemIndex(), 9);
  EXPECT_FALSE(list->ScrollTimer()->isActive());
}

TEST_F(ScriptListWindow, ArrowKeysWalkTheCommandsAndShiftExtends) {
  list->SetItemIndex(0);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ItemIndex(), 2);
  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(list->ItemIndex(), 3);
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Left);
  EXPECT_EQ(list->ItemIndex(), 0);
  QTest::keyClick(list, Qt::Key_Left);
  EXPECT_EQ(list->ItemIndex(), 0);

  QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(list->SelStart(), 0);
  EXPECT_EQ(list->SelEnd(), 8);
  QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(list->ItemIndex(), 10);
  EXPECT_EQ(list->SelEnd(), 9);
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(list->SelStart(), 10);
  QTest::keyClick(list, Qt::Key_Home);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->SelEnd(), 1);
}

TEST_F(ScriptListWindow, PageKeysMoveHalfAPageThenToTheNextCommand) {
  ShowLines(4);
  list->SetItemIndex(0);
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_EQ(list->ItemIndex(), 3); // 0 + 2 is line 2; the next command after it is 3
  QTest::keyClick(list, Qt::Key_PageDown);
  EXPECT_EQ(list->ItemIndex(), 7);
  EXPECT_GE(list->TopIndex(), 4); // scrolled so that the caret line shows
  QTest::keyClick(list, Qt::Key_PageUp);
  EXPECT_EQ(list->ItemIndex(), 4);
  list->SetItemIndex(1);
  QTest::keyClick(list, Qt::Key_PageUp);
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(ScriptListWindow, ItemIndexIsLimitedAndRepeatsOnlyOnTheLastLine) {
  list->SetItemIndex(1000);
  EXPECT_EQ(list->ItemIndex(), 10);
  list->SetItemIndex(-5);
  EXPECT_EQ(list->ItemIndex(), 0);

  list->SetItemIndex(2);
  list->SetSelEnd(5);
  list->SetItemIndex(2);
  EXPECT_EQ(list->SelEnd(), 5);
  list->SetItemIndex(10);
  list->SetSelStart(0);
  list->SetSelEnd(9);
  list->SetItemIndex(10);
  EXPECT_EQ(list->SelStart(), 10);
  EXPECT_EQ(list->SelEnd(), 10);
}

TEST_F(ScriptListWindow, RefillingKeepsTheCaretLineWithinTheNewList) {
  list->SetItemIndex(9);
  list->SetItems(SampleLines.mid(0, 3) + QStringList{"<>"},
                 {SampleFacts[0], SampleFacts[1], SampleFacts[2], {0, true}});
  EXPECT_EQ(list->ItemIndex(), 3);
  EXPECT_EQ(list->SelStart(), 3);
  list->SetItemIndex(0);
  list->SetItems(SampleLines, SampleFacts);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->SelEnd(), 1);
}

TEST_F(ScriptListWindow, AShortListDisablesTheScrollBarAndStaysAtTheTop) {
  EXPECT_FALSE(list->verticalScrollBar()->isEnabled());
  list->SetTopIndex(5);
  EXPECT_EQ(list->TopIndex(), 0);
  ShowLines(4);
  EXPECT_TRUE(list->verticalScrollBar()->isEnabled());
  list->SetTopIndex(50);
  EXPECT_EQ(list->TopIndex(), 7);
  // Scrolling leaves the caret where it is.
  list->SetItemIndex(7);
  list->SetTopIndex(0);
  EXPECT_EQ(list->ItemIndex(), 7);
}

TEST_F(ScriptListWindow, DraggingAboveAndBelowScrollsOnEachTimerTick) {
  ShowLines(4);
  list->SetTopIndex(5);
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, LineCentre(5));
  EXPECT_TRUE(list->ScrollTimer()->isActive());
  EXPECT_EQ(list->ScrollTimer()->interval(), 50);

  MoveHeldMouse(-3);
  EXPECT_EQ(list->ItemIndex(), 5); // outside the list the move itself selects nothing
  list->TimerTimer();
  EXPECT_EQ(list->TopIndex(), 4);
  EXPECT_EQ(list->ItemIndex(), 4);
  MoveHeldMouse(-list->LineHeight() - 1);
  list->TimerTimer();
  EXPECT_EQ(list->TopIndex(), 2);
  EXPECT_EQ(list->ItemIndex(), 2);

  // Below the viewport (which shows half a line more) but within a line of the last
  // whole line.
  MoveHeldMouse(list->viewport()->height() + 1);
  list->TimerTimer();
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(list->ItemIndex(), 6);
  MoveHeldMouse(6 * list->LineHeight());
  list->TimerTimer();
  EXPECT_EQ(list->TopIndex(), 5);
  EXPECT_EQ(list->ItemIndex(), 8);

  // Moving inside picks the line under the mouse, whatever its x.
  MoveHeldMouse(list->ItemRect(9).center().y());
  EXPECT_EQ(list->ItemIndex(), 9);

  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, LineCentre(9));
  EXPECT_FALSE(list->ScrollTimer()->isActive());
  const int top = list->TopIndex();
  MoveHeldMouse(-3);
  list->TimerTimer();
  EXPECT_EQ(list->TopIndex(), top);
}

TEST_F(ScriptListWindow, LosingTheFocusOrHidingEndsADrag) {
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, LineCentre(2));
  EXPECT_TRUE(list->MouseCaptured());
  other->setFocus();
  EXPECT_FALSE(list->MouseCaptured());
  EXPECT_FALSE(list->ScrollTimer()->isActive());
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, LineCentre(2));

  list->setFocus();
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, LineCentre(2));
  list->hide();
  EXPECT_FALSE(list->ScrollTimer()->isActive());
}

TEST_F(ScriptListWindow, DoubleClickReportsWithoutMovingTheCaret) {
  QSignalSpy doubleClicks(list, &TScriptListBox::DblClick);
  Click(2);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, LineCentre(2));
  EXPECT_GE(doubleClicks.count(), 1);
  EXPECT_FALSE(list->MouseCaptured());
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(ScriptListWindow, TheSelectionShowsOnlyWhileTheListHasTheFocus) {
  Click(2);
  const QColor highlight = list->palette().color(QPalette::Highlight);
  const QColor base = list->palette().color(QPalette::Base);
  EXPECT_EQ(PixelAtLine(4), highlight);
  EXPECT_EQ(PixelAtLine(9), base);
  other->setFocus();
  EXPECT_EQ(PixelAtLine(4), base);
  EXPECT_EQ(PixelAtLine(2), base);
}

// A line nested deeper than the list shows depth starts in sight, not past its right
// edge; shallow lines keep their depth.
TEST_F(ScriptListWindow, ADeepLineShowsItsText) {
  TXelEventScriptList script;
  script.Add(11410, 0);
  script.Add(11410, 1);
  script.Add(12210, MaxShownIndent + 1);
  script.Add(0, 0);
  list->SetScript(script, TEventScriptConverter());
  other->setFocus();
  const QImage image = list->viewport()->grab().toImage();
  const QColor base = list->palette().color(QPalette::Base);
  auto firstInk = [&](int index) {
    const QRect row = list->ItemRect(index);
    for (int x = 0; x < row.width(); ++x)
      for (int y = row.top(); y <= row.bottom(); ++y)
        if (image.pixelColor(x, y) != base) return x;
    return -1;
  };
  EXPECT_GE(firstInk(0), 0);
  EXPECT_GT(firstInk(1), firstInk(0));
  EXPECT_GT(firstInk(2), firstInk(1));
}

TEST_F(ScriptListWindow, OtherKeysReachTheEditorUnused) {
  std::vector<int> keys;
  QObject::connect(list, &TScriptListBox::KeyDown, list,
                   [&](QKeyEvent* event) { keys.push_back(event->key()); });
  list->SetItemIndex(0);
  QTest::keyClick(list, Qt::Key_Space);
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], Qt::Key_Space);
  EXPECT_EQ(list->ItemIndex(), 2);
}

// An editor that refills the texts when another control is left: the click that takes the
// focus still lands on the line under the mouse, in the lines as scrolled.
TEST_F(ScriptListWindow, TheWheelScrollsOnlyTheFocusedListAndAClickKeepsTheScrolledLines) {
  ShowLines(4);
  QObject::connect(other, &QLineEdit::editingFinished, list,
                   [this] { list->SetItems(list->Items(), SampleFacts); });
  const auto wheel = [this](int delta) {
    const QPointF at(10, 10);
    QWheelEvent turn(at, list->viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &turn);
  };
  other->setFocus();
  QTest::keyClicks(other, "x");
  wheel(-120);
  EXPECT_EQ(list->TopIndex(), 0);
  list->SetTopIndex(5);
  Click(7);
  EXPECT_TRUE(list->hasFocus());
  EXPECT_EQ(list->ItemIndex(), 7);
  EXPECT_EQ(list->TopIndex(), 5);
  // Focused: one line a notch, the parts of a notch adding up.
  wheel(-60);
  EXPECT_EQ(list->TopIndex(), 5);
  wheel(-60);
  EXPECT_EQ(list->TopIndex(), 6);
  wheel(240);
  EXPECT_EQ(list->TopIndex(), 4);
  EXPECT_EQ(list->ItemIndex(), 7);
}

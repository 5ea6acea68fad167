#include "framework/controls/dial_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <climits>
#include <functional>
#include <gtest/gtest.h>

#include "framework/forms/form_builder.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

// A dialog with two dial edits and the standard buttons, as forms build them.
class TDialForm : public TFormXelBase {
public:
  TDialForm() {
    TFormBuilder b(this, "FormDialTest", "Dial test", 220, 90);
    // Unbound, so that the tests see the control alone (range 0 .. 100).
    DialEdit1 = b.Add<TDialEdit>("DialEdit1");
    DialEdit2 = b.Add<TDialEdit>("DialEdit2");
    ButtonOk = b.OkButton();
    b.CancelButton();
  }
  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
  QPushButton* ButtonOk;
};

class DialEditForm : public ::testing::Test {
protected:
  void SetUp() override {
    ShowAndActivate(&form);
    edit = form.DialEdit1;
    edit->setFocus();
  }
  TDialForm form;
  TDialEdit* edit = nullptr;
};

} // namespace

TEST(DialEdit, MaxLengthFollowsTheLongerBound) {
  TDialEdit edit;
  EXPECT_EQ(edit.maxLength(), 3);
  EXPECT_EQ(edit.text(), "0");
  edit.SetMinValue(-999999);
  edit.SetMaxValue(999999);
  EXPECT_EQ(edit.maxLength(), 7);
  edit.SetMinValue(-10);
  edit.SetMaxValue(5);
  EXPECT_EQ(edit.maxLength(), 3); // "-10": the minus sign counts
}

TEST(DialEdit, ValuesAreClampedWhateverSetsThem) {
  TDialEdit edit;
  edit.SetMaxValue(1000);
  edit.SetValue(1000);
  // Lowering the bound re-applies the value; the old text is not cut to "10" first.
  edit.SetMaxValue(50);
  EXPECT_EQ(edit.text(), "50");
  edit.SetValue(-7);
  EXPECT_EQ(edit.text(), "0");
  edit.SetMinValue(20);
  EXPECT_EQ(edit.text(), "20");
  EXPECT_EQ(edit.Value(), 20);
}

TEST(DialEdit, TextThatIsNotANumberReadsAsTheLastGoodValue) {
  TDialEdit edit;
  edit.SetValue(42);
  edit.setText("12a");
  EXPECT_EQ(edit.Value(), 42);
  edit.setText("");
  EXPECT_EQ(edit.Value(), 42);
  edit.setText("77");
  EXPECT_EQ(edit.Value(), 77);
  edit.setText("x");
  EXPECT_EQ(edit.Value(), 77);
}

TEST(DialEdit, ChangeFiresOnlyOnARealChange) {
  TDialEdit edit;
  edit.SetValue(5);
  QSignalSpy changes(&edit, &QLineEdit::textChanged);
  edit.SetValue(5);
  EXPECT_EQ(changes.count(), 0);
  edit.SetValue(6);
  EXPECT_EQ(changes.count(), 1);
}

TEST(DialEdit, StepsNeverOverflowAtTheIntegerLimits) {
  TDialEdit edit;
  edit.SetMinValue(INT_MIN);
  edit.SetMaxValue(INT_MAX);
  edit.SetIncrement(1000);
  edit.SetValue(INT_MAX);
  edit.SpinUp();
  EXPECT_EQ(edit.Value(), INT_MAX);
  edit.SetValue(INT_MIN);
  edit.SpinDown();
  EXPECT_EQ(edit.Value(), INT_MIN);
}

TEST_F(DialEditForm, LeavingWithTextThatIsNotANumberShowsTheLastGoodValue) {
  edit->SetValue(42);
  edit->selectAll();
  QTest::keyClicks(edit, "4x");
  EXPECT_EQ(edit->text(), "4x");
  form.DialEdit2->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(edit->text(), "42");
}

TEST_F(DialEditForm, ThreeNinesWithMaximum100ShowAHundredAtOnce) {
  edit->selectAll();
  QTest::keyClicks(edit, "99");
  EXPECT_EQ(edit->text(), "99");
  QTest::keyClick(edit, Qt::Key_9);
  EXPECT_EQ(edit->text(), "100");
  EXPECT_EQ(edit->cursorPosition(), 3);
  EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(DialEditForm, ArrowKeysAndTheWheelStepByTheIncrement) {
  edit->SetIncrement(10);
  edit->SetValue(50);
  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(edit->Value(), 60);
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(edit->Value(), 40);
  EXPECT_EQ(edit->selectedText(), "40");

  const QPointF at(5, 5);
  QWheelEvent up(at, edit->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit, &up);
  EXPECT_EQ(edit->Value(), 50);
  EXPECT_TRUE(up.isAccepted());
  QWheelEvent down(at, edit->mapToGlobal(at), QPoint(), QPoint(0, -360), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit, &down);
  EXPECT_EQ(edit->Value(), 40); // one step per wheel message, however far it turned
}

TEST_F(DialEditForm, SpinButtonRepeatsAfter400ThenEvery100MillisecondsAndStopsAtTheBound) {
  edit->SetMaxValue(3);
  edit->SetValue(0);
  TSpinButton* up = edit->UpButton();
  QTest::mousePress(up, Qt::LeftButton);
  EXPECT_EQ(edit->Value(), 1);
  ASSERT_NE(up->RepeatTimer(), nullptr);
  EXPECT_EQ(up->RepeatTimer()->interval(), 400);
  EXPECT_TRUE(up->RepeatTimer()->isActive());
  up->RepeatTimerTimer();
  EXPECT_EQ(edit->Value(), 2);
  EXPECT_EQ(up->RepeatTimer()->interval(), 100);
  up->RepeatTimerTimer();
  up->RepeatTimerTimer();
  EXPECT_EQ(edit->Value(), 3);
  QTest::mouseRelease(up, Qt::LeftButton);
  EXPECT_EQ(up->RepeatTimer(), nullptr);
  EXPECT_FALSE(up->Pressed());

  QTest::mouseClick(edit->DownButton(), Qt::LeftButton);
  EXPECT_EQ(edit->Value(), 2);
}

TEST_F(DialEditForm, DialDragIsMeasuredFromWhereItBegan) {
  edit->SetMaxValue(1000);
  edit->SetIncrement(10);
  edit->SetValue(5);
  TDialButton* dial = edit->Dial();
  const QPoint start(dial->width() / 2, 8);
  QTest::mousePress(dial, Qt::LeftButton, {}, start);
  QTest::mouseMove(dial, start - QPoint(0, 30));
  EXPECT_EQ(edit->Value(), 305);
  QTest::mouseMove(dial, start);
  EXPECT_EQ(edit->Value(), 5);
  QTest::mouseRelease(dial, Qt::LeftButton, {}, start);

  edit->SetMaxValue(100);
  QTest::mousePress(dial, Qt::LeftButton, {}, start);
  QTest::mouseMove(dial, start - QPoint(0, 30));
  EXPECT_EQ(edit->Value(), 100);
  QTest::mouseRelease(dial, Qt::LeftButton, {}, start);
}

TEST_F(DialEditForm, PasteTakesTheTextUpToTheFirstLineBreak) {
  edit->SetMaxValue(1000);
  edit->selectAll();
  QGuiApplication::clipboard()->setText("42\r\n7");
  QTest::keySequence(edit, QKeySequence::Paste);
  EXPECT_EQ(edit->text(), "42");
  edit->selectAll();
  edit->insert("8\t9");
  EXPECT_EQ(edit->text(), "8");
}

TEST_F(DialEditForm, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrOk);

  ShowAndActivate(&form);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrCancel);
}

TEST_F(DialEditForm, EnteringOrClickingIntoTheFieldSelectsAll) {
  edit->SetValue(12);
  form.DialEdit2->SetValue(34);
  form.DialEdit2->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(form.DialEdit2->selectedText(), "34");
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, 5));
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->selectedText(), "12");
  // A second click, with the focus already there, places the caret.
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, 5));
  EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(DialEditForm, OverEditSelectsItsTextWhenTheProgramChangesIt) {
  auto* over = new TOverEdit(&form);
  over->show();
  // Without the focus the box shows no selection, and its text from the start.
  over->setText("Hero");
  EXPECT_FALSE(over->hasSelectedText());
  EXPECT_EQ(over->cursorPosition(), 0);
  over->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(over->selectedText(), "Hero");
  over->setText("Heroine");
  EXPECT_EQ(over->selectedText(), "Heroine");
  // Another window hides the selection; it shows again when this one comes back.
  const auto showsSelection = [over] {
    const QPalette colours = QApplication::palette();
    const QImage shown = over->grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        for (auto group : {QPalette::Active, QPalette::Inactive})
          if (shown.pixel(x, y) == colours.color(group, QPalette::Highlight).rgb()) return true;
    return false;
  };
  EXPECT_TRUE(showsSelection());
  QWidget other;
  ShowAndActivate(&other);
  EXPECT_FALSE(showsSelection());
  ShowAndActivate(&form);
  EXPECT_TRUE(over->hasFocus());
  EXPECT_TRUE(showsSelection());
  EXPECT_EQ(over->selectedText(), "Heroine");
  over->end(false);
  QTest::keyClicks(over, "s");
  EXPECT_EQ(over->text(), "Heroines");
  EXPECT_FALSE(over->hasSelectedText());
}

// A drop reaches the edit only during a drag; the handler is called as the drag would.
struct TDropTarget : TOverEdit {
  using TOverEdit::dropEvent;
  using TOverEdit::TOverEdit;
};

TEST_F(DialEditForm, EveryWayInKeepsTheFirstLineOrLeavesTheBoxAsItWas) {
  auto* box = new TDropTarget(&form);
  box->show();
  using TEnter = std::function<void(const QString&)>;
  const struct {
    const char* way;
    bool replacesSelection; // a drop goes where it is dropped
    TEnter enter;
  } ways[] = {
      {"keys", true,
       [box](const QString& text) {
         QGuiApplication::clipboard()->setText(text);
         QTest::keySequence(box, QKeySequence::Paste);
       }},
      {"menu", true,
       [box](const QString& text) {
         QGuiApplication::clipboard()->setText(text);
         PickFromContextMenu(box, "Paste");
       }},
      {"drop", false,
       [box](const QString& text) {
         QMimeData data;
         data.setText(text);
         QDropEvent drop(QPointF(box->width() - 2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
         box->dropEvent(&drop);
         EXPECT_TRUE(drop.isAccepted());
       }},
      {"input method", true,
       [box](const QString& text) {
         QInputMethodEvent event;
         event.setCommitString(text);
         QApplication::sendEvent(box, &event);
       }},
      {"program", true, [box](const QString& text) { box->insert(text); }},
  };
  const struct {
    QString text;
    QString kept;
  } texts[] = {
      {"First\nSecond", "First"},
      {"First\r\nSecond", "First"},
      {QStringLiteral("First\u2028Second"), "First"},
      {QStringLiteral("First\u2029Second"), "First"},
      {QStringLiteral("First\u0085Second"), "First"},
      {"\nHero", ""},
      {"\tx", ""},
      // Only what the game's code page holds is taken.
      {QStringLiteral("\u03A9mega\u20AC"), QStringLiteral("mega\u20AC")},
      {QStringLiteral("\U0001F600"), ""},
  };
  for (const auto& way : ways) {
    for (const auto& text : texts) {
      SCOPED_TRACE(std::string(way.way) + " " + text.text.toStdString());
      box->setText("Name");
      box->setFocus();
      box->selectAll();
      way.enter(text.text);
      const QString expected = text.kept.isEmpty()     ? "Name"
                               : way.replacesSelection ? text.kept
                                                       : "Name" + text.kept;
      EXPECT_EQ(box->text(), expected);
    }
  }

  // A copied record puts no text on the clipboard: pasting it leaves the name.
  box->setText("Name");
  box->selectAll();
  auto* record = new QMimeData;
  record->setData("application/x-record", "bytes");
  QGuiApplication::clipboard()->setMimeData(record);
  QTest::keySequence(box, QKeySequence::Paste);
  EXPECT_EQ(box->text(), "Name");

  // What the program sets is kept whole, and the author's edits leave the rest of it.
  box->setText(QStringLiteral("A\nB\tC\u03A9"));
  box->end(false);
  QTest::keyClicks(box, "x");
  for (const QString& typed : {QStringLiteral("\u03A9"), QStringLiteral("y")})
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, typed, Qt::NoModifier);
  EXPECT_EQ(box->text(), QStringLiteral("A\nB\tC\u03A9xy"));
}

// An addition that was cut down is one step of the history; undo and redo bring back
// the texts as they were, whatever they hold.
TEST_F(DialEditForm, UndoAndRedoBringBackTheTextsAsTheyWere) {
  auto* box = new TOverEdit(&form);
  box->show();
  for (bool menu : {false, true}) {
    SCOPED_TRACE(menu ? "menu" : "keys");
    const auto step = [box, menu](QKeySequence::StandardKey key, const char* caption) {
      if (menu)
        PickFromContextMenu(box, caption);
      else
        QTest::keySequence(box, key);
    };
    box->setText("Hero");
    box->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText("He\nX");
    step(QKeySequence::Paste, "Paste");
    EXPECT_EQ(box->text(), "He");
    step(QKeySequence::Undo, "Undo");
    EXPECT_EQ(box->text(), "Hero");
    step(QKeySequence::Redo, "Redo");
    EXPECT_EQ(box->text(), "He");

    box->setText("A\tB");
    box->end(false);
    QTest::keyClicks(box, "x");
    box->selectAll();
    QTest::keyClicks(box, "y");
    step(QKeySequence::Undo, "Undo");
    EXPECT_EQ(box->text(), "A\tBx");
    step(QKeySequence::Redo, "Redo");
    EXPECT_EQ(box->text(), "y");
    step(QKeySequence::Undo, "Undo");
    // And the box goes on refusing what it cannot take.
    box->selectAll();
    QGuiApplication::clipboard()->setText("\nZ");
    step(QKeySequence::Paste, "Paste");
    EXPECT_EQ(box->text(), "A\tBx");
  }
}

TEST_F(DialEditForm, ABoxFilledByTheProgramShowsTheStartOfItsText) {
  auto* over = new TOverEdit(&form);
  over->setGeometry(0, 0, 60, over->sizeHint().height());
  over->show();
  const QString text = "Welcome! What would you like to buy today?";
  for (bool focused : {false, true}) {
    SCOPED_TRACE(focused ? "focused" : "not focused");
    if (focused) over->setFocus(Qt::TabFocusReason);
    over->setText(focused ? text : text.left(30));
    over->grab(); // the scroll follows the caret when the box is painted
    EXPECT_EQ(over->cursorPosition(), 0);
    EXPECT_LT(over->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), over->width() / 4);
  }
  EXPECT_EQ(over->selectedText(), text);
  // Entering the box selects the whole text and still shows its start.
  edit->setFocus(Qt::TabFocusReason);
  over->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(over->selectedText(), text);
  EXPECT_EQ(over->cursorPosition(), 0);
  // Once the author types, the caret follows the typing.
  over->end(false);
  QTest::keyClicks(over, "!");
  EXPECT_EQ(over->cursorPosition(), text.size() + 1);
}

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "framework/controls/button_list.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

// A dialog with a button list above its OK button, as the command palettes build it.
class TPaletteForm : public TFormXelBase {
public:
  TPaletteForm() {
    TFormBuilder b(this, "FormPaletteTest", "Palette test", 200, 160);
    ButtonList1 = b.Add<TButtonList>("ButtonList1");
    ButtonOk = b.OkButton();
    connect(ButtonOk, &QPushButton::clicked, this, [this] { done(mrOk); });
  }
  TButtonList* ButtonList1;
  QPushButton* ButtonOk;
};

class ButtonListForm : public ::testing::Test {
protected:
  void SetUp() override {
    ShowAndActivate(&form);
    list = form.ButtonList1;
    list->setFocus();
  }
  // The centre of a button in widget co-ordinates (inside the border).
  QPoint Centre(int index) const { return list->ButtonRect(index).center() + QPoint(2, 2); }

  TPaletteForm form;
  TButtonList* list = nullptr;
};

} // namespace

TEST(ButtonGrid, ButtonsRunDownEachColumnInTurn) {
  const TButtonGrid grid{2, 4, 80, 24, 7};
  EXPECT_EQ(grid.ButtonRect(5), QRect(80, 24, 80, 24));
  EXPECT_EQ(grid.ButtonAtPos({85, 30}, {160, 96}), 5);
  EXPECT_EQ(grid.ButtonAtPos({170, 10}, {200, 96}), -1); // past the last column
  EXPECT_EQ(grid.ButtonAtPos({100, 80}, {160, 96}), -1); // the cell of a ninth button
  EXPECT_EQ(grid.ButtonAtPos({-1, 5}, {160, 96}), -1);
  EXPECT_EQ((TButtonGrid{0, 4, 80, 24, 7}).ButtonRect(0), QRect());
}

TEST(ButtonGrid, ArrowsStopAtTheEdgesAndAtMissingButtons) {
  const TButtonGrid grid{2, 4, 80, 24, 7};
  EXPECT_EQ(grid.Step(3, Qt::Key_Down), 3);
  EXPECT_EQ(grid.Step(3, Qt::Key_Up), 2);
  EXPECT_EQ(grid.Step(2, Qt::Key_Right), 6);
  EXPECT_EQ(grid.Step(3, Qt::Key_Right), 3); // no eighth button
  EXPECT_EQ(grid.Step(6, Qt::Key_Right), 6);
  EXPECT_EQ(grid.Step(6, Qt::Key_Left), 2);
  EXPECT_EQ(grid.Step(0, Qt::Key_Left), 0);
}

TEST(ButtonList, DefaultItemsFillTwoColumnsAndAutoSizeShrinksToTheGrid) {
  TButtonList list;
  list.SetBorderStyle(TButtonList::bsNone);
  ShowAndActivate(&list);
  list.resize(164, 100);
  EXPECT_EQ(list.Columns(), 2);
  EXPECT_EQ(list.Rows(), 4);
  EXPECT_EQ(list.size(), QSize(160, 96));
  EXPECT_EQ(list.Items().first(), "1");
  EXPECT_EQ(list.ButtonAtPos({10, 10}), 0);
  EXPECT_EQ(list.ButtonAtPos({10, 80}), 3);
  EXPECT_EQ(list.ButtonAtPos({90, 10}), 4);
  list.SetButtonWidth(0); // ignored
  EXPECT_EQ(list.ButtonWidth(), 80);
  list.SetAutoSize(false);
  list.resize(300, 50);
  EXPECT_EQ(list.Columns(), 3);
  EXPECT_EQ(list.Rows(), 2);
}

TEST_F(ButtonListForm, ReleasingOnTheButtonClicksItAndElsewhereDoesNot) {
  QSignalSpy clicks(list, &TButtonList::ButtonClick);
  QTest::mouseClick(list, Qt::LeftButton, {}, Centre(5));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.takeFirst().at(0).toInt(), 5);
  EXPECT_EQ(list->FocusedButton(), 5);

  QTest::mousePress(list, Qt::LeftButton, {}, Centre(1));
  EXPECT_EQ(list->ButtonState(1), TButtonList::bsPressed);
  QMouseEvent away(QEvent::MouseMove, QPointF(Centre(6)), list->mapToGlobal(QPointF(Centre(6))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &away);
  EXPECT_EQ(list->ButtonState(1), TButtonList::bsNormal);
  QTest::mouseRelease(list, Qt::LeftButton, {}, Centre(6));
  EXPECT_EQ(clicks.count(), 0);

  QTest::mousePress(list, Qt::LeftButton, {}, Centre(1));
  QApplication::sendEvent(list, &away);
  QMouseEvent back(QEvent::MouseMove, QPointF(Centre(1)), list->mapToGlobal(QPointF(Centre(1))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &back);
  QTest::mouseRelease(list, Qt::LeftButton, {}, Centre(1));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.takeFirst().at(0).toInt(), 1);
}

TEST_F(ButtonListForm, ADisabledButtonTakesNoPress) {
  QSignalSpy clicks(list, &TButtonList::ButtonClick);
  list->EnableButton(2, false);
  EXPECT_EQ(list->ButtonState(2), TButtonList::bsDisabled);
  QTest::mouseClick(list, Qt::LeftButton, {}, Centre(2));
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(list->FocusedButton(), 0);
  list->SetFocusedButton(2);
  QTest::keyClick(list, Qt::Key_Space);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 0);
  list->EnableButton(2, true);
  EXPECT_EQ(list->ButtonState(2), TButtonList::bsNormal);
}

TEST_F(ButtonListForm, ArrowsMoveTheCurrentButtonAndSpacePressesIt) {
  QSignalSpy clicks(list, &TButtonList::ButtonClick);
  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(list->FocusedButton(), 4);
  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(list->FocusedButton(), 4);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->FocusedButton(), 5);
  QTest::keyPress(list, Qt::Key_Space);
  EXPECT_EQ(list->ButtonState(5), TButtonList::bsPressed);
  // While Space holds a button the arrows do nothing.
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->FocusedButton(), 5);
  QTest::keyRelease(list, Qt::Key_Space);
  EXPECT_EQ(list->ButtonState(5), TButtonList::bsNormal);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.takeFirst().at(0).toInt(), 5);
}

TEST_F(ButtonListForm, EnterChoosesTheCurrentButtonAndLeavesTheDialogOpen) {
  QSignalSpy clicks(list, &TButtonList::ButtonClick);
  list->SetFocusedButton(3);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.takeFirst().at(0).toInt(), 3);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.result(), 0);
}

TEST_F(ButtonListForm, LosingTheFocusLetsGoOfAHeldButton) {
  QSignalSpy clicks(list, &TButtonList::ButtonClick);
  QTest::mousePress(list, Qt::LeftButton, {}, Centre(1));
  form.ButtonOk->setFocus();
  EXPECT_EQ(list->ButtonState(1), TButtonList::bsNormal);
  QTest::mouseRelease(list, Qt::LeftButton, {}, Centre(1));
  EXPECT_EQ(clicks.count(), 0);
}

TEST(SliderGeometry, ThumbCentreAndDraggedValue) {
  EXPECT_EQ(SliderThumbCentre(5, 0, 10, 121), 60);
  EXPECT_EQ(SliderThumbCentre(0, 0, 10, 121), 4);
  EXPECT_EQ(SliderThumbCentre(10, 0, 10, 121), 116);
  EXPECT_EQ(SliderThumbCentre(7, 3, 3, 121), 4);
  EXPECT_EQ(SliderThumbRect(5, 0, 10, 121), QRect(56, 0, 9, 18));
  // 112 pixels for 10 steps: 11.2 a step; x 60 less offset 0 is 5 steps.
  EXPECT_EQ(SliderValueAt(60, 0, 0, 10, 121), 5);
  EXPECT_EQ(SliderValueAt(66, 6, 0, 10, 121), 5);
  EXPECT_EQ(SliderValueAt(-50, 0, 0, 10, 121), -5); // clamped later by the slider
  EXPECT_EQ(SliderValueAt(60, 0, 0, 10, 9), 0);     // no track to drag along
  // Halves round to even: 4 + 112 * 1 / 8 = 18.0; 4 + 112 * 3 / 32 = 14.5 gives 14.
  EXPECT_EQ(SliderThumbCentre(3, 0, 32, 121), 14);
}

TEST(Slider, PositionIsClampedAndChangeFiresOnMoves) {
  TSlider slider;
  EXPECT_EQ(slider.size(), QSize(121, 25));
  QSignalSpy changes(&slider, &TSlider::Change);
  slider.SetPosition(15);
  EXPECT_EQ(slider.Position(), 10);
  slider.SetPosition(10);
  slider.SetPosition(-3);
  EXPECT_EQ(slider.Position(), 0);
  EXPECT_EQ(changes.count(), 2);
  slider.SetPageSize(0);
  EXPECT_EQ(slider.PageSize(), 1);
  EXPECT_EQ(slider.BlinkTimer()->interval(), 200);
  EXPECT_TRUE(slider.BlinkTimer()->isActive());
}

TEST(Slider, ClicksBesideTheThumbStepByAPageAndOnItStartADrag) {
  QWidget window;
  auto* slider = new TSlider(&window);
  slider->SetPageSize(5);
  ShowAndActivate(&window);
  const int y = 8;
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(100, y));
  EXPECT_EQ(slider->Position(), 5);
  EXPECT_TRUE(slider->hasFocus());
  // The thumb at 60 grown by 2 reaches from 54 to 66; 67 is right of it.
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(67, y));
  EXPECT_EQ(slider->Position(), 10);
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(118, y));
  EXPECT_EQ(slider->Position(), 10);
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(2, y));
  EXPECT_EQ(slider->Position(), 5);

  // Grabbed 3 pixels right of the centre, then dragged to x 93: centre 90, value 7.6.
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(63, y));
  EXPECT_TRUE(slider->Dragging());
  QMouseEvent move(QEvent::MouseMove, QPointF(93, y), slider->mapToGlobal(QPointF(93, y)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(slider, &move);
  EXPECT_EQ(slider->Position(), 8);
  EXPECT_TRUE(slider->BlinkPhase());
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(93, y));
  EXPECT_FALSE(slider->Dragging());
}

TEST(Slider, ASliderWithoutRangeKeepsItsThumbAndIgnoresDragging) {
  QWidget window;
  auto* slider = new TSlider(&window);
  slider->SetMin(3);
  slider->SetMax(3);
  slider->SetPosition(3);
  ShowAndActivate(&window);
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(4, 8));
  EXPECT_TRUE(slider->Dragging());
  QMouseEvent move(QEvent::MouseMove, QPointF(80, 8), slider->mapToGlobal(QPointF(80, 8)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(slider, &move);
  EXPECT_EQ(slider->Position(), 3);
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(80, 8));
}

TEST(Slider, KeysStepByThePageAndTheFocusedThumbBlinks) {
  QWidget window;
  auto* slider = new TSlider(&window);
  slider->SetMax(20);
  slider->SetPageSize(4);
  ShowAndActivate(&window);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);
  QTest::keyClick(slider, Qt::Key_PageDown);
  EXPECT_EQ(slider->Position(), 8);
  QTest::keyClick(slider, Qt::Key_Up);
  EXPECT_EQ(slider->Position(), 4);
  QTest::keyClick(slider, Qt::Key_PageUp);
  QTest::keyClick(slider, Qt::Key_Left);
  EXPECT_EQ(slider->Position(), 0);

  EXPECT_FALSE(slider->BlinkPhase());
  slider->BlinkTimerTimer();
  EXPECT_TRUE(slider->BlinkPhase());
  slider->BlinkTimerTimer();
  EXPECT_FALSE(slider->BlinkPhase());
  slider->clearFocus();
  slider->BlinkTimerTimer();
  EXPECT_FALSE(slider->BlinkPhase());
}

TEST(Slider, TicksMarkTheEndsLongerThanThePages) {
  QWidget window;
  auto* slider = new TSlider(&window);
  slider->SetMax(10);
  slider->SetPageSize(5);
  ShowAndActivate(&window);
  const QImage image = slider->grab().toImage();
  const QRgb black = qRgb(0, 0, 0);
  // Ends at 4 and 116 reach row 22; the page tick at 60 ends at row 21.
  EXPECT_EQ(image.pixel(4, 22), black);
  EXPECT_EQ(image.pixel(116, 22), black);
  EXPECT_EQ(image.pixel(60, 21), black);
  EXPECT_NE(image.pixel(60, 22), black);
  EXPECT_NE(image.pixel(32, 20), black);
}

#include "framework/controls/dash_box.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "framework/controls/canvas_helpers.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

// A dialog that picks a value through a value box, the way command dialogs do.
class TPickForm : public TFormXelBase {
public:
  TPickForm() {
    TFormBuilder b(this, "FormPickTest", "Pick", 200, 80);
    DashBox1 = b.Add<TDashBox>("DashBox1");
    b.OkButton();
    connect(DashBox1, &TDashBox::Clicked, this, &TPickForm::DashBox1Click);
  }
  // Stands in for opening a picker: the chosen value comes back into the box.
  void DashBox1Click() {
    ++Picks;
    SwitchId = 7;
    DashBox1->SetText("0007:Door open");
  }
  int Picks = 0;
  int SwitchId = 3;
  TDashBox* DashBox1;
};

class DashBoxForm : public ::testing::Test {
protected:
  void SetUp() override { ShowAndActivate(&form); }
  TPickForm form;
  TDashBox* box() { return form.DashBox1; }
  QPoint TextArea() { return QPoint(10, box()->height() / 2); }
};

} // namespace

TEST_F(DashBoxForm, ASingleClickOnTheTextOnlyFocusesTheBox) {
  QTest::mouseClick(box(), Qt::LeftButton, {}, TextArea());
  EXPECT_TRUE(box()->hasFocus());
  EXPECT_EQ(form.Picks, 0);
}

TEST_F(DashBoxForm, ADoubleClickTheButtonAndSpaceEachOpenThePickerOnce) {
  QTest::mouseDClick(box(), Qt::LeftButton, {}, TextArea());
  EXPECT_EQ(form.Picks, 1);
  EXPECT_EQ(box()->Text(), "0007:Door open");
  QTest::mouseClick(box()->Button(), Qt::LeftButton);
  EXPECT_EQ(form.Picks, 2);
  EXPECT_TRUE(box()->hasFocus());
  QTest::keyClick(box(), Qt::Key_Space);
  EXPECT_EQ(form.Picks, 3);
  QTest::keyClick(box(), Qt::Key_A);
  EXPECT_EQ(form.Picks, 3);
}

TEST_F(DashBoxForm, ReleasingTheButtonOutsideItPicksNothing) {
  TDashButton* button = box()->Button();
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_TRUE(button->Pressed());
  QTest::mouseMove(button, QPoint(-20, 5));
  EXPECT_FALSE(button->Pressed());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, 5));
  EXPECT_EQ(form.Picks, 0);
}

TEST_F(DashBoxForm, ADisabledBoxShowsNothingAndOpensNothingWhileTheFormKeepsItsValue) {
  box()->SetText("0003:Gate");
  EnableControls({box()}, false);
  EXPECT_EQ(box()->Text(), "");
  QTest::mouseClick(box()->Button(), Qt::LeftButton);
  QTest::mouseDClick(box(), Qt::LeftButton, {}, TextArea());
  EXPECT_EQ(form.Picks, 0);
  EXPECT_EQ(form.SwitchId, 3);
  EnableControls({box()}, true);
  QTest::mouseClick(box()->Button(), Qt::LeftButton);
  EXPECT_EQ(form.Picks, 1);
}

TEST(DashBox, AnAutoSizedBoxIsEightPixelsHigherThanItsTextAndFixed) {
  TDashBox box;
  const int expected = box.fontMetrics().height() + 8;
  EXPECT_EQ(box.height(), expected);
  box.resize(121, 60);
  EXPECT_EQ(box.height(), expected);
  box.SetBorderStyle(TDashBox::bsNone);
  box.resize(121, 60);
  EXPECT_EQ(box.height(), 60);
  box.SetBorderStyle(TDashBox::bsSingle);
  box.SetAutoSize(false);
  box.resize(121, 40);
  EXPECT_EQ(box.height(), 40);
}

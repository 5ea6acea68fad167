#include "framework/forms/error_guard.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <new>

#include "core/errors.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

class TFailingForm : public TFormXelBase {
public:
  TFailingForm() {
    TFormBuilder b(this, "FormFailing", "Failing", 200, 80);
    ButtonOk = b.OkButton();
  }
  void ButtonOkClick() override {
    ++Clicks;
    if (Clicks == 1) throw EReadError();
    done(mrOk);
  }
  int Clicks = 0;
  QPushButton* ButtonOk;
};

// An event handler without a guard of its own: only the application's net catches it.
// (A plain object: an exception that crosses Qt's widget code skips its clean-up and
// leaks, which is why every handler has its own guard.)
class TThrowingObject : public QObject {
public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw EInvalidGraphic("Invalid XYZ Image");
    return QObject::event(e);
  }
};

} // namespace

TEST(ErrorGuard, AThrowingHandlerShowsTheErrorBoxAndTheFormGoesOn) {
  TScriptedMessageBoxes boxes;
  TFailingForm form;
  ShowAndActivate(&form);
  QTest::mouseClick(form.ButtonOk, Qt::LeftButton);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "A reading error from the stream");
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_ICONHAND);
  EXPECT_EQ(boxes.Boxes()[0].parent, &form);
  EXPECT_TRUE(form.isVisible());

  QTest::mouseClick(form.ButtonOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrOk);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(ErrorGuard, MessagesAreCodePageTextAndOtherFailuresGetATextToo) {
  TScriptedMessageBoxes boxes;
  GuardHandler(nullptr, [] { throw Exception("Caf\xE9 \x80 5"); });
  GuardHandler(nullptr, [] { throw std::bad_alloc(); });
  GuardHandler(nullptr, [] { throw 42; });
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  EXPECT_EQ(boxes.Boxes()[0].text, QString::fromUtf8("Caf\u00e9 \u20ac 5"));
  EXPECT_EQ(boxes.Boxes()[1].text, "Out of memory");
  EXPECT_EQ(boxes.Boxes()[2].text, "An unexpected error occurred");
}

TEST(ErrorGuard, TheApplicationCatchesWhatAnEventHandlerLetsThrough) {
  TScriptedMessageBoxes boxes;
  TFailingForm form;
  ShowAndActivate(&form);
  TThrowingObject object;
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Invalid XYZ Image");
  EXPECT_EQ(boxes.Boxes()[0].parent, &form); // over the active window
  EXPECT_TRUE(form.isVisible());
}

#include "framework/forms/form_xel_base.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "core/errors.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/help.h"
#include "framework/controls/message_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_builder.h"
#include "framework/harness/widget_harness.h"

namespace {

// The simplest form of the editor as a form would write it: the count dialog's layout.
class TDemoCountForm : public TFormXelBase {
public:
  explicit TDemoCountForm(QWidget* owner = nullptr, bool withHelp = true, bool withCancel = true)
      : TFormXelBase(owner) {
    TFormBuilder b(this, "FormDemoCount", "Data Maximum (30,000)", 217, 73);
    b.Row([&] {
      b.Group("GroupBox1", "Max Data Num.",
              [&] { DialEdit1 = b.DialEdit("DialEdit1", -10, 30000, &Count); });
      b.Column([&] {
        ButtonOk = b.OkButton();
        if (withCancel) ButtonCancel = b.CancelButton();
        if (withHelp) ButtonHelp = b.HelpButton();
      });
    });
  }

  int Count = 1;
  TDialEdit* DialEdit1;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;
};

// A line edit that notes whether its context menu was asked for.
class TMenuProbe : public QLineEdit {
public:
  using QLineEdit::QLineEdit;
  int Requests = 0;

protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    ++Requests;
    event->accept();
  }
};

QRect WorkArea() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(FormBuilder, NamesEveryControlAndTakesTheClientSize) {
  TDemoCountForm form;
  EXPECT_EQ(form.objectName(), "FormDemoCount");
  EXPECT_EQ(form.windowTitle(), "Data Maximum (30,000)");
  EXPECT_EQ(FindControl<QGroupBox>(&form, "GroupBox1")->title(), "Max Data Num.");
  TDialEdit* dial = FindControl<TDialEdit>(&form, "DialEdit1");
  EXPECT_EQ(dial->MinValue(), -10);
  EXPECT_EQ(dial->MaxValue(), 30000);
  EXPECT_EQ(dial->Value(), 1);
  EXPECT_EQ(FindControl<QPushButton>(&form, "ButtonOk")->text(), "&Ok");
  EXPECT_TRUE(form.ButtonOk->isDefault());
  EXPECT_EQ(FindControl<QPushButton>(&form, "ButtonCancel")->text(), "Cancel");
  EXPECT_EQ(FindControl<QPushButton>(&form, "ButtonHelp")->text(), "&Help");
  ShowAndActivate(&form);
  // The given client size, grown only where the texts need more room.
  EXPECT_GE(form.width(), 217);
  EXPECT_GE(form.height(), 73);
  EXPECT_LE(form.width(), 217 + 60);
}

TEST(FormXelBase, OkAndCancelCloseWithResultsOneAndTwo) {
  TDemoCountForm form;
  ShowAndActivate(&form);
  form.DialEdit1->SetValue(250);
  QTest::mouseClick(form.ButtonOk, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), 1);
  EXPECT_EQ(form.Count, 250);

  ShowAndActivate(&form);
  QTest::mouseClick(form.ButtonCancel, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), 2);
}

TEST(FormXelBase, EscapeAndTheTitleBarCloseActAsTheCancelButton) {
  TDemoCountForm form;
  ShowAndActivate(&form);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrCancel);

  ShowAndActivate(&form);
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), mrCancel);

  // A disabled cancel button cannot be pressed, so the dialog stays.
  ShowAndActivate(&form);
  form.ButtonCancel->setEnabled(false);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
}

TEST(FormXelBase, WithoutACancelButtonEscapeAndCloseLeaveTheDialogOpen) {
  TDemoCountForm form(nullptr, true, false);
  ShowAndActivate(&form);
  QTest::keyClick(form.DialEdit1, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
}

TEST(FormXelBase, F1PressesAnEnabledHelpButtonOnly) {
  TScriptedMessageBoxes boxes;
  TDemoCountForm form;
  ShowAndActivate(&form);
  form.DialEdit1->setFocus();
  QSignalSpy help(form.ButtonHelp, &QPushButton::clicked);
  QTest::keyClick(form.DialEdit1, Qt::Key_F1);
  EXPECT_EQ(help.count(), 1);
  // No help pages beside the program: one plain message says so, over the form.
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Help is not installed. This editor comes without help pages.");
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_ICONINFORMATION);
  EXPECT_EQ(boxes.Boxes()[0].parent, &form);
  form.ButtonHelp->setEnabled(false);
  QTest::keyClick(form.DialEdit1, Qt::Key_F1);
  EXPECT_EQ(help.count(), 1);
  EXPECT_EQ(boxes.Boxes().size(), 1u);

  TDemoCountForm plain(nullptr, false);
  ShowAndActivate(&plain);
  QTest::keyClick(plain.DialEdit1, Qt::Key_F1); // nothing to press, nothing happens
  EXPECT_TRUE(plain.isVisible());
}

TEST(FormXelBase, AnEmbeddedPageAnswersF1WithItsOwnHelpButton) {
  TDemoCountForm window;
  auto* page = new TFormXelWidget(&window);
  auto* pageHelp = new QPushButton("&Help", page);
  pageHelp->setObjectName("ButtonHelp");
  auto* field = new QLineEdit(page);
  window.layout()->addWidget(page);
  ShowAndActivate(&window);
  field->setFocus();
  QSignalSpy pageClicks(pageHelp, &QPushButton::clicked);
  QSignalSpy windowClicks(window.ButtonHelp, &QPushButton::clicked);
  QTest::keyClick(field, Qt::Key_F1);
  EXPECT_EQ(pageClicks.count(), 1);
  EXPECT_EQ(windowClicks.count(), 0);
}

TEST(FormXelBase, AContextMenuOpensOnlyOverTheControlUnderTheMouse) {
  TFormXelBase form;
  TFormBuilder b(&form, "FormMenus", "Menus", 200, 100);
  auto* first = b.Add<TMenuProbe>("Edit1");
  auto* second = b.Add<TMenuProbe>("Edit2");
  ShowAndActivate(&form);
  first->setFocus();
  QCursor::setPos(second->mapToGlobal(second->rect().center()));

  // The menu key while the mouse rests on another control opens nothing.
  QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                            first->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(first, &fromKey);
  EXPECT_EQ(first->Requests, 0);

  QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, second->rect().center(),
                              second->mapToGlobal(second->rect().center()));
  QApplication::sendEvent(second, &fromMouse);
  EXPECT_EQ(second->Requests, 1);
}

TEST(FormXelBase, APaintWhileUpdatingWaitsForItsEndAndAThrowingPaintEndsInTheErrorBox) {
  TScriptedMessageBoxes boxes;
  TDemoCountForm form;
  auto* frame = new TScrollFrame(&form);
  frame->setGeometry(0, 0, 60, 40);
  int paints = 0;
  bool fail = false;
  form.OnPaint(frame, [&](QPainter& canvas) {
    ++paints;
    if (fail) throw Exception("Paint failed");
    canvas.fillRect(0, 0, 10, 10, Qt::red);
  });
  ShowAndActivate(&form);
  ASSERT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));
  {
    TUpdatingScope updating(form);
    paints = 0;
    frame->viewport()->repaint();
    EXPECT_EQ(paints, 0);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints >= 1; }));
  EXPECT_EQ(frame->viewport()->grab().toImage().pixelColor(5, 5), QColor(Qt::red));

  fail = true;
  frame->viewport()->repaint();
  ASSERT_FALSE(boxes.Boxes().empty());
  EXPECT_EQ(boxes.Boxes()[0].text, "Paint failed");
  EXPECT_EQ(boxes.Boxes()[0].parent, &form);
  EXPECT_TRUE(form.isVisible());
}

TEST(HelpCall, OpensTheInstalledPageOfTheContextAndOtherwiseSaysThereIsNone) {
  THelpPages help({10110});
  TScriptedMessageBoxes boxes;

  ShowHelpContext(10120);
  EXPECT_TRUE(help.Opened.isEmpty());
  EXPECT_EQ(HelpPagePath(10120), "");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Help is not installed. This editor comes without help pages.");

  TDemoCountForm form;
  form.HelpContext = 10110;
  QTest::keyClick(&form, Qt::Key_F1);
  ASSERT_EQ(help.Opened.size(), 1);
  EXPECT_EQ(help.Opened[0], help.PageUrl(10110));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(MessageBoxes, GoThroughTheProviderCaptionedWithTheApplicationTitle) {
  TScriptedMessageBoxes boxes;
  TDemoCountForm owner;
  EXPECT_EQ(ShowErrorBox("Invalid PNG Image", &owner), IDOK);
  EXPECT_EQ(ShowInfoBox("Saved"), IDOK);
  boxes.Answer(IDNO);
  EXPECT_EQ(ShowYesNoBox("Maps were changed. Save them?", &owner), IDNO);
  boxes.Answer(IDYES);
  EXPECT_EQ(ShowMessageBox("Delete MAP0001. Ok?", 0x10034), IDYES);

  ASSERT_EQ(boxes.Boxes().size(), 4u);
  EXPECT_EQ(boxes.Boxes()[0].caption, "Velmora Studio ");
  EXPECT_EQ(boxes.Boxes()[0].text, "Invalid PNG Image");
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  EXPECT_EQ(boxes.Boxes()[0].parent, &owner);
  EXPECT_EQ(boxes.Boxes()[1].flags, 64);
  EXPECT_EQ(boxes.Boxes()[1].parent, nullptr);
  EXPECT_EQ(boxes.Boxes()[2].flags, 36);
  EXPECT_EQ(boxes.Boxes()[3].flags, 52); // only the low 16 bits reach the box
}

TEST(MessageBoxes, TheRealBoxMatchesItsFlags) {
  auto box = BuildMessageBox(nullptr, "Velmora Studio ", "Move <RTP> & more",
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
  EXPECT_EQ(box->windowTitle(), "Velmora Studio ");
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
  EXPECT_EQ(box->text(), "Move <RTP> & more");
  EXPECT_EQ(box->icon(), QMessageBox::Warning);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
  box->button(QMessageBox::No)->click();
  EXPECT_EQ(MessageBoxAnswer(*box), IDNO);

  auto error = BuildMessageBox(nullptr, "t", "x", MB_ICONHAND);
  EXPECT_EQ(error->icon(), QMessageBox::Critical);
  // A short text under a long caption: the box is still as wide as the caption.
  const QString caption = QString("Velmora Studio ").repeated(4);
  auto narrow = BuildMessageBox(nullptr, caption, "x", MB_ICONHAND);
  EXPECT_GE(narrow->sizeHint().width(),
            QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption));
  EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(MessageBoxAnswer(*error), IDCANCEL); // not closed by a button
}

TEST(MessageBoxes, TheLogAnswersWithTheDefaultButtonAndEscapesItsLines) {
  EXPECT_EQ(DefaultAnswer(MB_OK), IDOK);
  EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(TMessageLogBoxes::FormatLine("Cap", "a\tb\nc\\d", 52), "Cap\ta\\tb\\nc\\\\d\t52\n");
}

TEST(WindowPlacement, AMessageBoxIsCentredOverItsOwnerAndKeptOnTheScreen) {
  TDemoCountForm owner;
  owner.resize(300, 200);
  owner.move(100, 100);
  ShowAndActivate(&owner);
  auto box = BuildMessageBox(&owner, "t", "Centred", MB_OK);
  box->show();
  const QRect ownerFrame = owner.frameGeometry();
  const QRect boxFrame = box->frameGeometry();
  EXPECT_EQ(boxFrame.left(), ownerFrame.left() + ownerFrame.width() / 2 - boxFrame.width() / 2);
  EXPECT_EQ(boxFrame.top(), ownerFrame.top() + ownerFrame.height() / 2 - boxFrame.height() / 2);
  box->hide();

  // An owner at the right edge: the box is pulled back inside the work area.
  owner.move(WorkArea().right() - 120, 100);
  box->show();
  EXPECT_EQ(box->frameGeometry().right(), WorkArea().right());
  box->hide();

  // One whose centre would lie above the screen starts at the top.
  owner.move(100, -150);
  box->show();
  EXPECT_EQ(box->frameGeometry().top(), WorkArea().top());
}

TEST(WindowPlacement, ABoxWithoutOwnerIsCentredOverTheMainForm) {
  TDemoCountForm mainForm;
  mainForm.resize(400, 300);
  mainForm.move(300, 200);
  ShowAndActivate(&mainForm);
  SetMainForm(&mainForm);
  auto box = BuildMessageBox(nullptr, "t", "Main", MB_OK);
  box->show();
  const QRect main = mainForm.frameGeometry();
  const QRect boxFrame = box->frameGeometry();
  EXPECT_EQ(boxFrame.left(), std::min(main.left() + main.width() / 2 - boxFrame.width() / 2,
                                      WorkArea().right() + 1 - boxFrame.width()));
  SetMainForm(nullptr);
}

TEST(WindowPlacement, DialogsArePlacedByTheirOwnerWithinTheWorkArea) {
  TDemoCountForm owner;
  owner.resize(400, 300);
  owner.move(50, 40);
  ShowAndActivate(&owner);
  TDemoCountForm dialog(&owner);
  dialog.resize(200, 100);

  PlaceFormRelativeToOwner(&dialog, 14, 32);
  EXPECT_EQ(dialog.frameGeometry().topLeft(), owner.mapToGlobal(QPoint(14, 32)));

  CenterFormOverOwner(&dialog);
  const QRect o = owner.frameGeometry();
  const QRect d = dialog.frameGeometry();
  EXPECT_EQ(d.left(), o.left() + o.width() / 2 - d.width() / 2);
  EXPECT_EQ(d.top(), o.top() + o.height() / 2 - d.height() / 2);

  // Placed far to the bottom right: pulled back so the whole frame is on the screen.
  PlaceFormRelativeToOwner(&dialog, 700, 550);
  EXPECT_EQ(dialog.frameGeometry().right(), WorkArea().right());
  EXPECT_EQ(dialog.frameGeometry().bottom(), WorkArea().bottom());
  dialog.move(-30, -40);
  KeepFormOnScreen(&dialog);
  EXPECT_EQ(dialog.frameGeometry().topLeft(), WorkArea().topLeft());
}

TEST(WindowPlacement, RefreshMouseCursorSendsAMoveToTheWidgetUnderTheMouse) {
  struct TMoveProbe : QWidget {
    int Moves = 0;
    void mouseMoveEvent(QMouseEvent*) override { ++Moves; }
  } probe;
  probe.setMouseTracking(true);
  probe.resize(100, 100);
  ShowAndActivate(&probe);
  QCursor::setPos(probe.mapToGlobal(QPoint(50, 50)));
  QCoreApplication::processEvents();
  const int before = probe.Moves;
  RefreshMouseCursor();
  EXPECT_EQ(probe.Moves, before + 1);
}

// The contract every registered form keeps, checked over all of them: a form registered
// anywhere in the editor is tested here without a line of its own.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

#include "core/errors.h"
#include "core/settings.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

std::vector<const TRegisteredForm*> AllForms() {
  std::vector<const TRegisteredForm*> forms;
  for (const TRegisteredForm& form : RegisteredForms())
    forms.push_back(&form);
  return forms;
}

// Changes every enabled value control once, as the author would.
void ChangeEveryValue(QWidget* form) {
  for (QWidget* control : form->findChildren<QWidget*>()) {
    if (!control->isEnabled() || !control->isVisibleTo(form)) continue;
    if (auto* dial = qobject_cast<TDialEdit*>(control))
      dial->SetValue(dial->Value() == dial->MaxValue() ? dial->MinValue() : dial->Value() + 1);
    else if (auto* edit = qobject_cast<QLineEdit*>(control); edit && !edit->isReadOnly())
      edit->insert(QStringLiteral("x"));
    else if (auto* memo = qobject_cast<TFixedMemo*>(control))
      memo->insertPlainText(QStringLiteral("x"));
    else if (auto* check = qobject_cast<QCheckBox*>(control))
      check->click();
    else if (auto* radio = qobject_cast<QRadioButton*>(control); radio && !radio->isChecked())
      radio->click();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->count() > 1)
      combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    else if (auto* list = qobject_cast<QListWidget*>(control); list && list->count() > 1)
      list->setCurrentRow((list->currentRow() + 1) % list->count());
    else if (auto* slider = qobject_cast<TSlider*>(control))
      slider->SetPosition(slider->Position() == slider->Max() ? slider->Min()
                                                              : slider->Position() + 1);
  }
}

class FormContract : public ::testing::TestWithParam<const TRegisteredForm*> {
protected:
  static void SetUpTestSuite() {
    // The project dialogs make and list folders in the projects base folder.
    base_ = new QTemporaryDir();
    ProjectBaseOption.Set(QDir(base_->path()).filePath("projects/").toStdString());
    QDir().mkpath(QDir(base_->path()).filePath("projects"));
  }
  static void TearDownTestSuite() {
    delete base_;
    base_ = nullptr;
  }
  void SetUp() override {
    owner.resize(640, 480);
    ShowAndActivate(&owner);
  }
  std::unique_ptr<QWidget> Make() { return GetParam()->Create(&owner); }

  static QTemporaryDir* base_;
  QWidget owner;
  TScriptedMessageBoxes boxes;
};
QTemporaryDir* FormContract::base_ = nullptr;

} // namespace

TEST(FormRegistry, ClassesAndKeysAreUnique) {
  std::set<std::string> classes;
  std::set<std::pair<TFormGroup, int>> keys;
  for (const TRegisteredForm& form : RegisteredForms()) {
    EXPECT_TRUE(classes.insert(form.ClassName).second) << form.ClassName;
    if (form.Group != TFormGroup::Dialog) {
      EXPECT_TRUE(keys.insert({form.Group, form.Key}).second) << form.ClassName;
    }
  }
  EXPECT_GE(classes.size(), 2u);
}

TEST_P(FormContract, BuildsAndShowsWithUniqueNames) {
  const auto form = Make();
  EXPECT_EQ(form->objectName().toStdString(), GetParam()->ClassName.substr(1));
  QSet<QString> names;
  for (const QObject* child : form->findChildren<QObject*>()) {
    const QString name = child->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue; // Qt's own inner parts
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names.insert(name);
  }
  ShowAndActivate(form.get());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_P(FormContract, EscapeAndClosePressTheCancelButtonAndCancelLeavesTheCallersData) {
  struct TWay {
    const char* name;
    std::function<void(TFormXelBase&)> close;
  };
  const TWay ways[] = {
      {"Cancel", [](TFormXelBase& f) { QTest::mouseClick(f.CancelButton(), Qt::LeftButton); }},
      {"Escape", [](TFormXelBase& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
      {"title-bar close", [](TFormXelBase& f) { f.close(); }},
  };
  int cancelResult = mrCancel; // what the cancel button gives; the about box's is OK
  for (const TWay& way : ways) {
    SCOPED_TRACE(way.name);
    const auto widget = Make();
    auto* form = dynamic_cast<TFormXelBase*>(widget.get());
    if (!form) GTEST_SKIP() << "a page has no closing buttons";
    const TCallerDataCheck unchanged = GetParam()->RecordCallerData(form);
    ShowAndActivate(form);
    const bool cancellable = form->CancelButton() != nullptr;
    if (!cancellable && &way == &ways[0]) continue;
    ChangeEveryValue(form);
    way.close(*form);
    EXPECT_EQ(form->isVisible(), !cancellable);
    if (!cancellable) continue;
    if (&way == &ways[0]) cancelResult = form->result();
    EXPECT_EQ(form->result(), cancelResult);
    if (unchanged && cancelResult == mrCancel) {
      EXPECT_TRUE(unchanged());
    }
  }
}

TEST_P(FormContract, OkIsTheDefaultButtonAndClosesOnlyWithOk) {
  const auto widget = Make();
  auto* ok = widget->findChild<QPushButton*>("ButtonOk");
  if (!ok) GTEST_SKIP() << "no OK button";
  ShowAndActivate(widget.get());
  EXPECT_TRUE(ok->isDefault());
  QTest::mouseClick(ok, Qt::LeftButton);
  // A form may refuse (and stay); when it closes, it closes with OK.
  if (auto* form = dynamic_cast<TFormXelBase*>(widget.get()); form && !form->isVisible()) {
    EXPECT_EQ(form->result(), mrOk);
  }
}

TEST_P(FormContract, F1PressesTheHelpButtonOfTheFormsHelpContext) {
  const auto widget = Make();
  auto* form = dynamic_cast<TFormXelCommon*>(widget.get());
  ASSERT_NE(form, nullptr);
  ShowAndActivate(widget.get());
  auto* help = widget->findChild<QPushButton*>("ButtonHelp");
  if (help) {
    QSignalSpy helpClicks(help, &QPushButton::clicked);
    QTest::keyClick(widget.get(), Qt::Key_F1);
    EXPECT_EQ(helpClicks.count(), 1);
    EXPECT_NE(form->HelpContext, 0);
  } else {
    QTest::keyClick(widget.get(), Qt::Key_F1);
    EXPECT_TRUE(widget->isVisible());
  }
}

TEST_P(FormContract, AThrowingHandlerEndsInTheErrorBoxAndTheFormGoesOn) {
  const auto widget = Make();
  auto* form = dynamic_cast<TFormXelCommon*>(widget.get());
  ASSERT_NE(form, nullptr);
  auto* probe = new QPushButton(widget.get());
  form->On(probe, &QPushButton::clicked, [] { throw Exception("Handler failed"); });
  ShowAndActivate(widget.get());
  probe->click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Handler failed");
  EXPECT_EQ(boxes.Boxes()[0].parent, widget.get());
  EXPECT_TRUE(widget->isVisible());
  if (auto* dialog = dynamic_cast<TFormXelBase*>(form); dialog && dialog->CancelButton()) {
    dialog->CancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, FormContract, ::testing::ValuesIn(AllForms()),
                         [](const auto& info) { return info.param->ClassName; });

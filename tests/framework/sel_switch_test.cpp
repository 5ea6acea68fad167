#include "framework/pickers/sel_switch.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/database_tables.h"
#include "core/switch_records.h"
#include "framework/controls/dial_edit.h"
#include "framework/harness/widget_harness.h"
#include "picker_test_env.h"

namespace {

class SwitchPicker : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = SwitchList;
    SwitchList = &switches_;
    LastSwitchId = 1;
  }
  void TearDown() override { SwitchList = saved_; }
  void Names(int count) {
    switches_.Clear();
    for (int id = 1; id <= count; ++id)
      switches_.Append()->Name = std::string(1, 'S').append(std::to_string(id));
  }
  // Opens a picker as a caller would: it shows at once and is read after it closed.
  std::unique_ptr<TFormSelSwitch> Open() {
    auto form = std::make_unique<TFormSelSwitch>();
    ShowAndActivate(form.get());
    return form;
  }
  // The id the picker shows, from its label.
  static QString Shown(QWidget* form) { return FindControl<QLabel>(form, "Label1")->text(); }
  static QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
      lines << list->item(i)->text();
    return lines;
  }

  TXelSwitch switches_;
  TXelSwitch* saved_ = nullptr;
};

TEST_F(SwitchPicker, OpensOnTheIdLastConfirmedInTheRun) {
  Names(45);
  auto form = Open();
  auto* groups = FindControl<QListWidget>(form.get(), "GroupList");
  auto* items = FindControl<QListWidget>(form.get(), "DataList");
  EXPECT_EQ(Shown(form.get()), "0001:");
  EXPECT_EQ(Lines(groups), QStringList({"[ 0001 - 0020 ]", "[ 0021 - 0040 ]", "[ 0041 - 0045 ]"}));
  groups->setCurrentRow(2);
  EXPECT_EQ(Lines(items),
            QStringList({"0041:S41", "0042:S42", "0043:S43", "0044:S44", "0045:S45"}));
  EXPECT_EQ(FindControl<QLabel>(form.get(), "Label1")->text(), "0041:");
  EXPECT_EQ(FindControl<QLineEdit>(form.get(), "OverEdit1")->text(), "S41");
  items->setCurrentRow(4);
  QTest::mouseClick(FindControl<QPushButton>(form.get(), "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(form->result(), mrOk);
  EXPECT_EQ(form->SelectedId, 45);
  EXPECT_EQ(LastSwitchId, 45);

  Names(60);
  LastSwitchId = 57;
  auto next = std::make_unique<TFormSelSwitch>();
  next->SelectedId = 3; // the caller's id gives way to the one last confirmed
  ShowAndActivate(next.get());
  EXPECT_EQ(Shown(next.get()), "0057:");
  EXPECT_EQ(FindControl<QListWidget>(next.get(), "GroupList")->currentItem()->text(),
            "[ 0041 - 0060 ]");
  EXPECT_EQ(FindControl<QListWidget>(next.get(), "DataList")->currentItem()->text(), "0057:S57");
  next->reject();
  EXPECT_EQ(next->SelectedId, 3);
}

TEST_F(SwitchPicker, NamesReachTheCatalogOnlyThroughApplyOrOk) {
  Names(3);
  auto form = Open();
  auto* edit = FindControl<QLineEdit>(form.get(), "OverEdit1");
  auto* apply = FindControl<QPushButton>(form.get(), "ButtonApply");
  EXPECT_FALSE(apply->isEnabled());
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Door");
  EXPECT_EQ(FindControl<QListWidget>(form.get(), "DataList")->item(0)->text(), "0001:Door");
  EXPECT_TRUE(apply->isEnabled());
  form->reject();
  EXPECT_EQ(switches_.Items(0)->Name, "S1");
  EXPECT_EQ(form->NamesChanged, 0);

  auto second = Open();
  edit = FindControl<QLineEdit>(second.get(), "OverEdit1");
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Gate");
  QTest::mouseClick(FindControl<QPushButton>(second.get(), "ButtonApply"), Qt::LeftButton);
  second->reject();
  EXPECT_EQ(switches_.Items(0)->Name, "Gate");
  EXPECT_EQ(second->NamesChanged, 1);
  EXPECT_EQ(LastSwitchId, 1);

  // Typing stops at 20 characters; a pasted name is kept whole.
  auto third = Open();
  edit = FindControl<QLineEdit>(third.get(), "OverEdit1");
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString(25, 'k'));
  EXPECT_EQ(edit->text(), QString(20, 'k'));
  const QString pasted(30, 'p');
  QApplication::clipboard()->setText(pasted);
  auto* menu = third->findChild<QMenu*>("PopupMenu1");
  emit menu->aboutToShow();
  EXPECT_TRUE(FindControl<QAction>(third.get(), "MenuPaste")->isEnabled());
  FindControl<QAction>(third.get(), "MenuPaste")->trigger();
  QTest::mouseClick(FindControl<QPushButton>(third.get(), "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(switches_.Items(0)->Name, pasted.toStdString());

  // Without text on the clipboard there is nothing to paste.
  auto* image = new QMimeData;
  image->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QApplication::clipboard()->setMimeData(image);
  auto fourth = Open();
  emit fourth->findChild<QMenu*>("PopupMenu1")->aboutToShow();
  EXPECT_FALSE(FindControl<QAction>(fourth.get(), "MenuPaste")->isEnabled());
  FindControl<QAction>(fourth.get(), "MenuClear")->trigger();
  EXPECT_EQ(FindControl<QLineEdit>(fourth.get(), "OverEdit1")->text(), "");
  fourth->reject();
  EXPECT_EQ(switches_.Items(0)->Name, pasted.toStdString());
}

TEST_F(SwitchPicker, F4AndF5MoveAcrossGroups) {
  Names(45);
  LastSwitchId = 20;
  auto form = Open();
  QTest::keyClick(form.get(), Qt::Key_F5);
  QApplication::processEvents();
  EXPECT_EQ(Shown(form.get()), "0021:");
  QTest::keyClick(form.get(), Qt::Key_F4, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(Shown(form.get()), "0020:");
  QTest::keyClick(form.get(), Qt::Key_F4);
  QApplication::processEvents();
  EXPECT_EQ(Shown(form.get()), "0019:");
  form->reject();
}

TEST_F(SwitchPicker, HostileStartsAndMaximums) {
  // An id beyond the list opens on its last entry.
  Names(10);
  LastSwitchId = 57;
  auto form = Open();
  EXPECT_EQ(Shown(form.get()), "0010:");
  EXPECT_EQ(FindControl<QListWidget>(form.get(), "DataList")->currentRow(), 9);
  form->reject();

  // An empty list selects nothing and cannot be confirmed, but can be given entries.
  Names(0);
  auto empty = Open();
  EXPECT_EQ(Shown(empty.get()), "0000:");
  EXPECT_EQ(FindControl<QListWidget>(empty.get(), "DataList")->count(), 0);
  EXPECT_FALSE(FindControl<QPushButton>(empty.get(), "ButtonOk")->isEnabled());
  EXPECT_FALSE(FindControl<QPushButton>(empty.get(), "ButtonApply")->isEnabled());
  QTest::keyClick(empty.get(), Qt::Key_Return);
  EXPECT_TRUE(empty->isVisible());
  // A maximum of 0 is taken as 1.
  WhenModalOpens([](QWidget* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(0);
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
  });
  QTest::mouseClick(FindControl<QPushButton>(empty.get(), "ButtonMax"), Qt::LeftButton);
  EXPECT_EQ(empty->WorkingNames.Count(), 1);
  EXPECT_EQ(Shown(empty.get()), "0001:");
  EXPECT_TRUE(FindControl<QPushButton>(empty.get(), "ButtonOk")->isEnabled());
  QTest::mouseClick(FindControl<QPushButton>(empty.get(), "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(switches_.GetCount(), 1);
  EXPECT_EQ(LastSwitchId, 1);
}

TEST_F(SwitchPicker, AMaximumBelowTheSelectionSelectsTheLastGroup) {
  Names(45);
  LastSwitchId = 44;
  auto form = Open();
  TScriptedMessageBoxes boxes;
  boxes.Answer(IDYES);
  WhenModalOpens([](QWidget* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(22);
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
  });
  QTest::mouseClick(FindControl<QPushButton>(form.get(), "ButtonMax"), Qt::LeftButton);
  EXPECT_EQ(Shown(form.get()), "0022:");
  EXPECT_EQ(FindControl<QListWidget>(form.get(), "GroupList")->currentItem()->text(),
            "[ 0021 - 0022 ]");
  EXPECT_EQ(switches_.GetCount(), 45); // not before Apply or OK
  form->reject();
  EXPECT_EQ(switches_.GetCount(), 45);
}

} // namespace

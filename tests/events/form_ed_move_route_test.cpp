// The route editor offscreen; its pickers are answered through the modal opener.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database.h"
#include "core/map.h"
#include "core/switch_records.h"
#include "events/form_ed_move_route.h"
#include "events/last_used.h"
#include "framework/controls/button_list.h"
#include "framework/controls/list_boxes.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_switch.h"

namespace {

constexpr int SwitchOnButton = 38;
constexpr int ChangeGraphicButton = 40;

class MoveRouteEditor : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLastUsedRecords();
    Clipboard().SetData(cfEventPage, {});
  }

  std::unique_ptr<TFormEDMoveRoute> Open(bool eventMode, int commands = 0) {
    auto form = std::make_unique<TFormEDMoveRoute>();
    form->EventMode = eventMode;
    form->Map = &map_;
    for (int i = 0; i < commands; ++i)
      form->Route.Add(std::make_unique<TXelMoveRouteItem>())->Code = i % 12;
    ShowAndActivate(form.get());
    return form;
  }

  static QStringList Lines(TFormEDMoveRoute* form) {
    QStringList lines;
    auto* list = FindControl<TSmartListBox>(form, "ListBox1");
    for (int i = 0; i < list->count(); ++i)
      lines << list->item(i)->text();
    return lines;
  }

  static void Press(TFormEDMoveRoute* form, const char* list, int button) {
    auto* buttons = FindControl<TButtonList>(form, list);
    QTest::mouseClick(buttons, Qt::LeftButton, {}, buttons->ButtonRect(button).center());
  }

  TXelDataBase database_;
  TXelMap map_;
};

TEST_F(MoveRouteEditor, AnEmptyRouteShowsOnlyTheEndLineSelectedWithNothingToDelete) {
  auto form = Open(true);
  EXPECT_EQ(Lines(form.get()), QStringList{"<>"});
  EXPECT_EQ(FindControl<TSmartListBox>(form.get(), "ListBox1")->currentRow(), 0);
  auto* edit = FindControl<TButtonList>(form.get(), "ButtonList2");
  EXPECT_EQ(edit->ButtonState(0), TButtonList::bsDisabled);
  EXPECT_EQ(edit->ButtonState(1), TButtonList::bsDisabled);
  // Event mode: the object is the event itself and cannot be changed.
  auto* object = FindControl<QComboBox>(form.get(), "ComboBox1");
  EXPECT_FALSE(object->isEnabled());
  EXPECT_EQ(object->currentText(), "this Event");
  EXPECT_EQ(FindControl<TButtonList>(form.get(), "ButtonList1")->Items()[18],
            QString::fromUtf8("Turn Right 90\u00B0"));
}

TEST_F(MoveRouteEditor, SwitchPickerCancelledAddsNothingChosenCopiesAsOneCommand) {
  auto form = Open(true);
  // The picker opens on the switch last chosen in it, not on the route's own last one.
  for (int id = 1; id <= 30; ++id)
    database_.Switches().GetOrCreate(id);
  LastSwitchId = 20;
  LastUsedRecord<TMoveRouteMemory>().SwitchId = 3;
  QString openedOn;
  std::vector<int> answers = {0, 12};
  TScopedModalOpener opener([&](TFormXelBase& picker, const auto&) {
    const int id = answers.front();
    answers.erase(answers.begin());
    if (id == 0) {
      ShowAndActivate(&picker);
      openedOn = FindControl<QLabel>(&picker, "Label1")->text();
      // Names applied, then cancelled: the database still has to be saved.
      dynamic_cast<TFormSelSwitch&>(picker).NamesChanged = 1;
      return false;
    }
    dynamic_cast<TFormSelSwitch&>(picker).SelectedId = id;
    return true;
  });
  Press(form.get(), "ButtonList1", SwitchOnButton);
  LastSwitchId = 1;
  EXPECT_EQ(openedOn, "0020:");
  EXPECT_EQ(Lines(form.get()), QStringList{"<>"});
  EXPECT_TRUE(form->DataChanged);
  Press(form.get(), "ButtonList1", SwitchOnButton);
  EXPECT_EQ(Lines(form.get()), (QStringList{"<>Switch [0012]-ON", "<>"}));
  EXPECT_EQ(FindControl<TSmartListBox>(form.get(), "ListBox1")->currentRow(), 0);

  FindControl<QAction>(form.get(), "MenuCopy")->trigger();
  // Length 2, then the command: code 32, switch 12.
  EXPECT_EQ(Clipboard().GetData(cfMoveCommand),
            (std::vector<uint8_t>{0x02, 0x00, 0x00, 0x00, 0x20, 0x0C}));
  FindControl<QAction>(form.get(), "MenuPaste")->trigger();
  EXPECT_EQ(Lines(form.get()).size(), 3);

  // OK hands the route back; the picker's choice is where the next one starts.
  FindControl<QPushButton>(form.get(), "ButtonOk")->click();
  EXPECT_EQ(form->Route.GetCount(), 2);
  EXPECT_EQ(LastUsedRecord<TMoveRouteMemory>().SwitchId, 12);
}

TEST_F(MoveRouteEditor, AFullRouteRefusesButtonsAndPaste) {
  auto form = Open(true, 200);
  Clipboard().SetData(cfMoveCommand, {0x01, 0x00, 0x00, 0x00, 0x05});
  emit FindControl<QMenu>(form.get(), "PopupMenu1")->aboutToShow();
  EXPECT_FALSE(FindControl<QAction>(form.get(), "MenuPaste")->isEnabled());
  // The key stays live; the paste itself refuses.
  emit FindControl<QMenu>(form.get(), "PopupMenu1")->aboutToHide();
  FindControl<QAction>(form.get(), "MenuPaste")->trigger();
  Press(form.get(), "ButtonList1", 0);
  EXPECT_EQ(Lines(form.get()).size(), 201);
  EXPECT_EQ(FindControl<TButtonList>(form.get(), "ButtonList1")->ButtonState(0),
            TButtonList::bsDisabled);
  // Cancel leaves the caller's route as it was.
  Press(form.get(), "ButtonList2", 1);
  EXPECT_EQ(Lines(form.get()), QStringList{"<>"});
  FindControl<QPushButton>(form.get(), "ButtonCancel")->click();
  EXPECT_EQ(form->Route.GetCount(), 200);
}

TEST_F(MoveRouteEditor, CommandModeRemembersTargetFrequencyAndGraphic) {
  map_.Events.GetOrCreate(3)->Name = "Gate";
  {
    auto form = Open(false);
    auto* object = FindControl<QComboBox>(form.get(), "ComboBox1");
    EXPECT_TRUE(object->isEnabled());
    EXPECT_EQ(object->currentText(), "Hero");
    ASSERT_EQ(object->count(), 6);
    object->setCurrentIndex(5);
    FindControl<QRadioButton>(form.get(), "RadioButton3")->click();
    TScopedModalOpener opener([](TFormXelBase& picker, const auto&) {
      auto& chars = dynamic_cast<TFormSelChar&>(picker);
      EXPECT_EQ(chars.windowTitle(), "Change Graphic");
      chars.FileName = "Walker";
      chars.CharIndex = 2;
      return true;
    });
    Press(form.get(), "ButtonList1", ChangeGraphicButton);
    EXPECT_EQ(Lines(form.get()).front(), "<>Change Walker-3");
    FindControl<QPushButton>(form.get(), "ButtonOk")->click();
    EXPECT_EQ(form->TargetId, 3);
    EXPECT_EQ(form->Frequency, 3);
  }
  auto again = Open(false);
  EXPECT_EQ(FindControl<QComboBox>(again.get(), "ComboBox1")->currentText(), "Gate");
  EXPECT_TRUE(FindControl<QRadioButton>(again.get(), "RadioButton3")->isChecked());
  EXPECT_EQ(again->GraphicName, "Walker");
  // Cancel remembers nothing.
  FindControl<QComboBox>(again.get(), "ComboBox1")->setCurrentIndex(1);
  FindControl<QPushButton>(again.get(), "ButtonCancel")->click();
  EXPECT_EQ(LastUsedRecord<TMoveRouteMemory>().TargetId, 3);
}

} // namespace

// The "Monsters" page in the window with its action patterns, the action-pattern dialog
// and the monster-graphic picker.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/hero_records.h"
#include "core/image_file.h"
#include "core/map_tree.h"
#include "core/monster_page.h"
#include "database/ed_monster_act.h"
#include "database/report_list.h"
#include "database/sel_monster.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/slider.h"
#include "page_env.h"

namespace {

constexpr int MonsterTab = 3;

class MonsterPage : public ListPageTest {
protected:
  TReportList* Patterns() { return Find<TReportList>("ListView1"); }
  QAction* MenuItem(const char* name) {
    emit Patterns()->PopupOpening();
    return Patterns()->PopupMenu->findChild<QAction*>(QString::fromLatin1(name));
  }
  // A key as the author presses it in the list.
  void Key(QKeySequence key) {
    Patterns()->setFocus();
    QTest::keySequence(Patterns(), key);
  }
  // The next modal form fails the test: the page must not open one.
  void NoDialog() {
    NextModalAnswers().push_back([](TFormXelBase& form) -> std::optional<bool> {
      ADD_FAILURE() << "opened " << form.objectName().toStdString();
      return false;
    });
  }
};

TEST_F(MonsterPage, StatsAndANewPatternAreAppliedAndAnEditThenCancelLeavesTheFile) {
  const std::string original = FileBytes();
  OpenOn(MonsterTab, 5);
  Find<TDialEdit>("DialEdit1")->SetValue(777);
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  OpenOn(MonsterTab, 5);
  const int patterns = MonsterList->GetItem(5)->Actions.GetCount();
  Find<TDialEdit>("DialEdit1")->SetValue(777);
  Patterns()->SetCurrentRow(patterns);
  OnNextModal<TFormEDMonsterAct>([](TFormEDMonsterAct* dialog) {
    FindControl<QComboBox>(dialog, "ComboBox4")->setCurrentIndex(2); // "Turn Number"
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(5);
    FindControl<TDialEdit>(dialog, "DialEdit2")->SetValue(1);
    FindControl<QAbstractButton>(dialog, "ButtonOk")->click();
  });
  Key(QKeySequence(Qt::Key_Return));
  EXPECT_EQ(Patterns()->Rows(), patterns + 1);
  EXPECT_EQ(Patterns()->topLevelItem(patterns)->text(1), "Turn Number [5x+1]");
  Apply();
  Cancel();
  const TXelMonsterItem& monster = *MonsterList->GetItem(5);
  EXPECT_EQ(monster.MaxHp, 777);
  ASSERT_EQ(monster.Actions.GetCount(), patterns + 1);
  const TXelMonsterActItem& act = *monster.Actions.GetItem(patterns);
  EXPECT_EQ(act.ConditionType, 2);
  EXPECT_EQ(act.ConditionMin, 5);
  EXPECT_EQ(act.ConditionMax, 1);
}

TEST_F(MonsterPage, AReversedRangeIsRefusedAndTheNextPatternStartsFromTheLast) {
  OpenOn(MonsterTab, 0);
  Patterns()->SetCurrentRow(Patterns()->Rows());
  NextModalAnswers().push_back([this](TFormXelBase& form) -> std::optional<bool> {
    auto* dialog = dynamic_cast<TFormEDMonsterAct*>(&form);
    if (!dialog) return std::nullopt;
    ShowAndActivate(dialog);
    FindControl<QComboBox>(dialog, "ComboBox4")->setCurrentIndex(4); // "Oneself HP"
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(80);
    FindControl<TDialEdit>(dialog, "DialEdit2")->SetValue(20);
    FindControl<QAbstractButton>(dialog, "ButtonOk")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes().back().text, "Illegal range of value of behavior condition");
    dialog->done(mrCancel);
    return false;
  });
  const int rows = Patterns()->Rows();
  Key(QKeySequence(Qt::Key_Return));
  EXPECT_EQ(Patterns()->Rows(), rows);
  EXPECT_FALSE(ApplyEnabled());
  // A new pattern starts from the values of the last dialog.
  TFormEDMonsterAct next(nullptr);
  EXPECT_EQ(next.Act.ConditionType, 4);
  EXPECT_EQ(next.Act.ConditionMin, 80);
  EXPECT_EQ(next.Act.ConditionMax, 20);
}

TEST_F(MonsterPage, PatternsStopAt500AndAPasteTakesOnlyAPattern) {
  TXelMonsterAct& acts = MonsterList->GetItem(1)->Actions;
  acts.Clear();
  for (int i = 0; i < MaxActionPatterns - 1; ++i)
    acts.Append()->Priority = i + 1;
  OpenOn(MonsterTab, 1);
  // An encounter row shares the format but is no pattern.
  TXelEncountItem(1).CopyToClipboard(cfListRow);
  Patterns()->SetCurrentRow(3);
  Key(QKeySequence(Qt::CTRL | Qt::Key_V));
  EXPECT_EQ(acts.GetCount(), MaxActionPatterns - 1);
  EXPECT_FALSE(ApplyEnabled());
  // Copy and paste: the copy goes in before the selected row.
  Key(QKeySequence(Qt::CTRL | Qt::Key_C));
  Patterns()->SetCurrentRow(0);
  Key(QKeySequence(Qt::CTRL | Qt::Key_V));
  ASSERT_EQ(acts.GetCount(), MaxActionPatterns);
  EXPECT_EQ(acts.GetItem(0)->Priority, 4);
  EXPECT_EQ(acts.GetItem(4)->Priority, 4);
  EXPECT_EQ(Patterns()->topLevelItem(0)->text(2), "4");
  EXPECT_TRUE(ApplyEnabled());

  // Full: nothing is added, by the menu or by the keys.
  Patterns()->SetCurrentRow(MaxActionPatterns);
  EXPECT_FALSE(MenuItem("Menu_ActItemEdit")->isEnabled());
  EXPECT_FALSE(MenuItem("Menu_ActItemPaste")->isEnabled());
  NoDialog();
  Key(QKeySequence(Qt::Key_Return));
  NextModalAnswers().clear();
  Patterns()->SetCurrentRow(2);
  EXPECT_TRUE(MenuItem("Menu_ActItemEdit")->isEnabled());
  Key(QKeySequence(Qt::CTRL | Qt::Key_V));
  EXPECT_EQ(acts.GetCount(), MaxActionPatterns);
  // Delete takes the row out and selects the one now in its place.
  Key(QKeySequence(Qt::Key_Delete));
  EXPECT_EQ(acts.GetCount(), MaxActionPatterns - 1);
  EXPECT_EQ(Patterns()->CurrentRow(), 2);
  EXPECT_EQ(acts.GetItem(2)->Priority, 3);
}

TEST_F(MonsterPage, AnItemBeyondTheItemsShowsNoneAndBecomesNone) {
  for (int id = ItemList->GetCount(); id > 5; --id)
    ItemList->DeleteById(id);
  MonsterList->GetItem(2)->ItemId = 99;
  OpenOn(MonsterTab, 2);
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), "(None)");
  EXPECT_FALSE(Find<TDialEdit>("DialEdit9")->isEnabled());
  EXPECT_FALSE(ApplyEnabled());
  Find<QComboBox>("ComboBox1")->setCurrentIndex(3);
  EXPECT_TRUE(Find<TDialEdit>("DialEdit9")->isEnabled());
  Find<QComboBox>("ComboBox1")->setCurrentIndex(0);
  Apply();
  Cancel();
  EXPECT_EQ(MonsterList->GetItem(2)->ItemId, 0);
}

using MonsterPicker = DataBaseTestEnv;

TEST_F(MonsterPicker, TheSliderTurnsTheHueAndAnotherFileStartsFromNone) {
  Mkdir("Project/Monster");
  for (const char* name : {"Bat", "Slime"})
    SaveBitmapToImageFile(MakeGameBitmap(64, 48, 3), Path("Project/Monster/") + name + ".png");
  TFormSelMonster picker;
  picker.FileName = "Slime";
  picker.Hue = 90;
  ShowAndActivate(&picker);
  auto* list = FindControl<QListWidget>(&picker, "IconListBox1");
  auto* slider = FindControl<TSlider>(&picker, "Slider1");
  EXPECT_EQ(list->currentItem()->text(), "Slime");
  EXPECT_EQ(slider->Position(), 27);
  list->setCurrentRow(0);
  EXPECT_EQ(slider->Position(), 18);
  slider->SetPosition(0);
  FindControl<QAbstractButton>(&picker, "ButtonOk")->click();
  EXPECT_EQ(picker.FileName, "Bat");
  EXPECT_EQ(picker.Hue, 180);
}

} // namespace

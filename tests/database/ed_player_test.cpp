// The hero page through the window, and its dialogs driven as the author drives them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "core/animation_record.h"
#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/hero_records.h"
#include "core/image_file.h"
#include "core/record_chunks.h"
#include "core/system_records.h"
#include "database/ed_player.h"
#include "database/ed_player_dialogs.h"
#include "database/report_list.h"
#include "database_window_env.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/modal_opener.h"

namespace {

class HeroPage : public DataBaseWindowTest {
protected:
  TFormEDPlayer& OpenHero(int id) {
    Open(0);
    TFormEDPlayer& page = CurrentPage<TFormEDPlayer>();
    page.SelectRow(id - 1);
    return page;
  }
  template <class C = QWidget> C* Control(const char* name) {
    return FindControl<C>(&CurrentPage<TFormEDPlayer>(), name);
  }
  void Type(const char* name, const QString& text) {
    auto* edit = Control<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  // The combo line that stands for ItemId.
  void Choose(const char* combo, int itemId) {
    auto* box = Control<QComboBox>(combo);
    const int line = box->findText(ToQString(ItemList->FindById(itemId)->Name));
    ASSERT_GE(line, 1) << itemId;
    box->setCurrentIndex(line);
  }
  QStringList Row(int row) {
    QTreeWidgetItem* item = Control<QTreeWidget>("ListView1")->topLevelItem(row);
    return item ? QStringList{item->text(0), item->text(1)} : QStringList{"none"};
  }
};

TEST_F(HeroPage, EditsApplySurviveTheReloadAndLaterOnesAreDiscarded) {
  ItemList->FindById(2)->Kind = 1; // a weapon every hero may use
  ItemList->FindById(2)->Name = "Brand Sword";
  OpenHero(4);
  Type("OverEdit1", "Orla");
  Type("DialEdit2", "40");
  Type("DialEdit1", "7");
  Control<QCheckBox>("CheckBox3")->click();
  EXPECT_EQ(Control<QLabel>("Label2")->text(), "Weapon:");
  Choose("ComboBox1", 2);
  EXPECT_EQ(HeroModel().index(3, 0).data().toString(), "0004:Orla");
  const int saves = SystemData->SaveCount;
  ASSERT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(SystemData->SaveCount, saves + 1);
  Cancel();
  const TXelPlayerItem* hero = PlayerList->FindById(4);
  EXPECT_EQ(hero->Name, "Orla");
  EXPECT_EQ(hero->InitialLevel, 7);
  EXPECT_EQ(hero->MaxLevel, 40);
  EXPECT_EQ(hero->TwoSwords, 1);
  EXPECT_EQ(hero->GetEquipment(0), 2);

  const std::string applied = FileBytes();
  OpenHero(4);
  EXPECT_EQ(Control<QLineEdit>("OverEdit1")->text(), "Orla");
  Type("OverEdit2", "Seer");
  EXPECT_TRUE(ApplyEnabled());
  Cancel();
  EXPECT_EQ(FileBytes(), applied);
  EXPECT_EQ(PlayerList->FindById(4)->Title, "Warrior");
}

TEST_F(HeroPage, TheLevelsLimitEachOtherWithoutRefusingTheNextHerosValues) {
  PlayerList->FindById(1)->InitialLevel = 1;
  PlayerList->FindById(1)->MaxLevel = 20;
  PlayerList->FindById(2)->InitialLevel = 30;
  PlayerList->FindById(2)->MaxLevel = 45;
  OpenHero(1);
  auto* initial = Control<TDialEdit>("DialEdit1");
  auto* max = Control<TDialEdit>("DialEdit2");
  EXPECT_EQ(initial->MaxValue(), 20);
  Type("DialEdit1", "10");
  EXPECT_EQ(max->MinValue(), 10);
  Type("DialEdit2", "15");
  EXPECT_EQ(initial->MaxValue(), 15);
  Type("DialEdit1", "30");
  EXPECT_EQ(PlayerList->FindById(1)->InitialLevel, 15);
  // The next hero's initial level lies above this one's maximum: it shows as it is.
  CurrentPage<TFormEDPlayer>().SelectRow(1);
  EXPECT_EQ(initial->text(), "30");
  EXPECT_EQ(max->text(), "45");
  EXPECT_EQ(max->MinValue(), 30);
}

TEST_F(HeroPage, MaxFieldNumberLeavesThePageAloneWhileAskingAndZeroBindsADefaultEntryOne) {
  TXelPlayerItem* third = PlayerList->FindById(3);
  third->CriticalEnabled = 1;
  third->CriticalChance = 7;
  third->UseSkillSlotName = 1;
  third->SkillSlotName = "Arts";
  OpenHero(3);
  boxes.Answer(IDYES);
  OnNextModal<TFormXelBase>([this](TFormXelBase* dialog) {
    EXPECT_TRUE(Control("DialEdit3")->isEnabled());
    EXPECT_TRUE(Control("OverEdit3")->isEnabled());
    EXPECT_EQ(Control<TDialEdit>("DialEdit3")->text(), "7");
    EXPECT_EQ(Control<QLineEdit>("OverEdit3")->text(), "Arts");
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(0);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  Control<QPushButton>("ButtonMax")->click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  // Every hero went; hero 1 is back at its defaults and bound at once.
  ASSERT_EQ(PlayerList->GetCount(), 1);
  auto* list = Control<QListView>("DataList");
  EXPECT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(list->currentIndex().data().toString(), "0001:");
  EXPECT_EQ(Control<QLineEdit>("OverEdit1")->text(), "");
  EXPECT_EQ(Control<TDialEdit>("DialEdit1")->text(), "1");
  EXPECT_EQ(Control<TDialEdit>("DialEdit3")->text(), "30");
  EXPECT_FALSE(Control("OverEdit3")->isEnabled());
  Type("OverEdit1", "Solo");
  EXPECT_EQ(list->currentIndex().data().toString(), "0001:Solo");
  Apply();
  Cancel();
  ASSERT_EQ(PlayerList->GetCount(), 1);
  EXPECT_EQ(PlayerList->FindById(1)->Name, "Solo");
}

TEST_F(HeroPage, AnUnarmedAnimationBeyondTheListShowsAndKeepsTheFirst) {
  for (int id = AnimationList->GetCount(); id > 3; --id)
    AnimationList->DeleteById(id);
  CatalogsChanged();
  PlayerList->FindById(1)->UnarmedAnimation = 9;
  OpenHero(1);
  EXPECT_EQ(Control<QComboBox>("ComboBox6")->currentIndex(), 0);
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(ChunksOf(SaveBytes(*PlayerList->FindById(1))).count(56), 0u);
}

TEST_F(HeroPage, LearnedSkillsShowAddDeleteAndStopAt500) {
  SkillList->FindById(1)->Name = "Heal";
  TXelPlayerLearning& learning = PlayerList->FindById(1)->Learning;
  learning.Clear();
  learning.Append()->Level = 5, learning.GetItem(0)->SkillId = 1;
  learning.Append()->Level = 12, learning.GetItem(1)->SkillId = 9999;
  OpenHero(1);
  EXPECT_EQ(Row(0), (QStringList{"L  5", "Heal"}));
  EXPECT_EQ(Row(1), (QStringList{"L 12", "?"}));
  EXPECT_EQ(Row(2), (QStringList{"", ""}));
  EXPECT_EQ(Row(3), (QStringList{"none"}));

  // The empty row adds: skill 1 is taken by the other entry, so the list starts at 2.
  TFormEDPlayer& page = CurrentPage<TFormEDPlayer>();
  Control<TReportList>("ListView1")->SetCurrentRow(2);
  OnNextModal<TFormEDPlayerLearning>([](TFormEDPlayerLearning* dialog) {
    auto* skills = FindControl<QComboBox>(dialog, "ComboBox1");
    EXPECT_EQ(skills->count(), SkillList->GetCount() - 1);
    EXPECT_EQ(skills->itemText(0), ToQString(SkillList->FindById(2)->Name));
    auto* level = FindControl<TDialEdit>(dialog, "DialEdit1");
    level->setFocus();
    level->selectAll();
    QTest::keyClicks(level, "3");
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  page.MenuLearningItemEditClick();
  EXPECT_EQ(Row(0), (QStringList{"L  3", ToQString(SkillList->FindById(2)->Name)}));
  EXPECT_EQ(Control<TReportList>("ListView1")->CurrentRow(), 0);
  EXPECT_TRUE(ApplyEnabled());
  page.MenuLearningItemDeleteClick();
  EXPECT_EQ(Row(0), (QStringList{"L  5", "Heal"}));
  EXPECT_EQ(learning.GetCount(), 2);

  while (learning.GetCount() < MaxLearnedSkills)
    learning.Append()->Level = 50;
  page.SelectRow(1);
  page.SelectRow(0);
  Control<TReportList>("ListView1")->SetCurrentRow(MaxLearnedSkills);
  page.PopupMenu1Popup();
  EXPECT_FALSE(page.findChild<QAction*>("Menu_LearningItemEdit")->isEnabled());
  EXPECT_FALSE(page.findChild<QAction*>("Menu_LearningItemDelete")->isEnabled());
  TScopedModalOpener none([](TFormXelBase&, const std::function<bool()>&) {
    ADD_FAILURE() << "a dialog opened for a full list";
    return false;
  });
  page.MenuLearningItemEditClick();
  EXPECT_EQ(learning.GetCount(), MaxLearnedSkills);
}

TEST_F(HeroPage, ATwoHandedWeaponEmptiesTheOtherHand) {
  const struct { int id, kind, twoHanded; } items[] = {{1, 1, 1}, {2, 2, 0}, {3, 1, 0}};
  for (const auto& item : items) {
    ItemList->FindById(item.id)->Kind = uint8_t(item.kind);
    ItemList->FindById(item.id)->TwoHanded = uint8_t(item.twoHanded);
  }
  OpenHero(1);
  const TXelPlayerItem* hero = PlayerList->FindById(1);
  Choose("ComboBox1", 3);
  Choose("ComboBox2", 2);
  EXPECT_EQ(hero->GetEquipment(0), 3);
  Choose("ComboBox1", 1);
  EXPECT_EQ(hero->GetEquipment(1), 0);
  EXPECT_EQ(Control<QComboBox>("ComboBox2")->currentIndex(), 0);
  Choose("ComboBox2", 2);
  EXPECT_EQ(hero->GetEquipment(0), 0);
  EXPECT_EQ(Control<QComboBox>("ComboBox1")->currentText(), "(None)");
}

TEST_F(HeroPage, TheWalkPreviewStepsAndTurnsWithTheTimer) {
  Mkdir("Project/CharSet");
  SaveBitmapToImageFile(MakeGameBitmap(288, 256, 7), Path("Project/CharSet/Walker.png"));
  PlayerList->FindById(1)->WalkGraphic = "Walker";
  PlayerList->FindById(1)->WalkIndex = 5; // the second block of the second row
  TFormEDPlayer& page = OpenHero(1);
  // 17 ticks: the left step (x 0) of the second row (y 96), drawn doubled from x 4.
  for (int tick = 0; tick < 17; ++tick)
    page.Timer1Timer();
  TGlimraBoard board;
  page.DrawWalkPreview(board);
  ASSERT_EQ(board.GetWidth(), 56);
  for (int y = 0; y < 64; y += 7)
    for (int x = 0; x < 48; x += 5)
      ASSERT_EQ(board.GetRow(y)[4 + x], GameColor(HashedIndex(72 + x / 2, 128 + 96 + y / 2, 7)))
          << x << "," << y;
  EXPECT_EQ(board.GetRow(10)[1], GameColor(0));
  EXPECT_EQ(board.GetRow(10)[54], GameColor(0));
}

// ---- dialogs ----

class HeroDialogs : public DataBaseTestEnv {
protected:
  // A press, then a move through each point with Button held, then the release.
  static void Stroke(TScrollFrame* graph, Qt::MouseButton button, std::vector<QPoint> points) {
    QWidget* view = graph->viewport();
    QTest::mousePress(view, button, {}, points.front());
    for (QPoint to : points) {
      QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, {});
      QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, button, {}, points.back());
  }
  TScriptedMessageBoxes boxes;
};

TEST_F(HeroDialogs, TheCurveEditorDrawsPresetsAndGenerates) {
  TFormEDPlayerParameter dialog;
  dialog.SetCurrentTab(2); // attack: one value a pixel
  ShowAndActivate(&dialog);
  auto* graph = FindControl<TScrollFrame>(&dialog, "GraphArea");
  // A press without a move (the click that focuses the graph) changes nothing.
  QTest::mouseClick(graph->viewport(), Qt::LeftButton, {}, {45, 200});
  EXPECT_EQ(dialog.GetCurveValue(2, 5), 0);
  EXPECT_EQ(FindControl<TDialEdit>(&dialog, "DialEdit1")->text(), "1");
  // Level 5 at 50 to level 9 at 100 in one move: the levels between lie on the line.
  Stroke(graph, Qt::LeftButton, {{45, 200}, {85, 150}});
  const int drawn[] = {50, 62, 75, 87, 100};
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(dialog.GetCurveValue(2, 5 + k), drawn[k]) << 5 + k;
  EXPECT_EQ(FindControl<TDialEdit>(&dialog, "DialEdit2")->text(), "100");
  // The right button only moves the level shown.
  Stroke(graph, Qt::RightButton, {{125, 10}, {145, 20}});
  EXPECT_EQ(FindControl<TDialEdit>(&dialog, "DialEdit1")->text(), "15");
  EXPECT_EQ(dialog.GetCurveValue(2, 15), 0);
  EXPECT_EQ(dialog.GetCurveValue(2, 9), 100);

  std::mt19937 engine(5);
  dialog.Random = [&engine](int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); };
  FindControl<QPushButton>(&dialog, "Button2")->click(); // Genius
  EXPECT_GE(dialog.GetCurveValue(2, 1), 17);
  EXPECT_LE(dialog.GetCurveValue(2, 1), 19);
  for (int level = 2; level <= HeroMaxLevel; ++level)
    EXPECT_GE(dialog.GetCurveValue(2, level), dialog.GetCurveValue(2, level - 1)) << level;

  OnNextModal<TFormEDPlayerParamGen>([](TFormEDPlayerParamGen* generator) {
    EXPECT_EQ(FindControl<TDialEdit>(generator, "DialEdit2")->MaxValue(), 999);
    FindControl<TDialEdit>(generator, "DialEdit1")->SetValue(10);
    FindControl<TDialEdit>(generator, "DialEdit2")->SetValue(500);
    FindControl<QPushButton>(generator, "ButtonOk")->click();
  });
  FindControl<QPushButton>(&dialog, "Button1")->click();
  EXPECT_EQ(dialog.GetCurveValue(2, 1), 10);
  EXPECT_EQ(dialog.GetCurveValue(2, HeroMaxLevel), 500);
  for (int level = 2; level <= HeroMaxLevel; ++level)
    EXPECT_GE(dialog.GetCurveValue(2, level), dialog.GetCurveValue(2, level - 1)) << level;
  EXPECT_EQ(dialog.Curves[size_t(2 * HeroMaxLevel)], 0) << "handed back only on OK";
  FindControl<QPushButton>(&dialog, "ButtonOk")->click();
  EXPECT_EQ(dialog.Curves[size_t(2 * HeroMaxLevel)], 10);
}

TEST_F(HeroDialogs, TheExperienceSlidersAndEditsMoveTogetherAndTheGraphDarkensPastTheLimit) {
  TFormEDPlayerExp dialog;
  dialog.Standard = 50;
  dialog.Additional = 10;
  dialog.Corrected = 0;
  ShowAndActivate(&dialog);
  auto* slider = FindControl<TSlider>(&dialog, "Slider2");
  auto* edit = FindControl<TDialEdit>(&dialog, "DialEdit2");
  EXPECT_EQ(slider->Position(), 10);
  slider->SetPosition(20);
  EXPECT_EQ(edit->Value(), 20);
  auto* graph = FindControl<TScrollFrame>(&dialog, "ExpGraph");
  // A bar's bottom pixel: 4 pixels wide every 5, from level 1 on.
  auto bar = [graph](int level) {
    const QImage image = graph->viewport()->grab().toImage();
    return image.pixelColor(5 * (level - 1) + 1, image.height() - 1);
  };
  const QColor bright(0xFF, 0x44, 0x88), dark(0x88, 0x00, 0x44); // 0x8844FF, 0x440088 as BGR
  ASSERT_LT(ExpForLevel(50, 20, 0, 50), ExpLimit);
  EXPECT_EQ(bar(50), bright);
  // With 50 the total passes 999999 at level 42: the bars turn dark from there on.
  ASSERT_LT(ExpForLevel(50, 50, 0, 41), ExpLimit);
  ASSERT_EQ(ExpForLevel(50, 50, 0, 42), ExpLimit);
  edit->SetValue(50);
  EXPECT_EQ(slider->Position(), 50);
  EXPECT_EQ(bar(41), bright);
  EXPECT_EQ(bar(42), dark);
  EXPECT_EQ(bar(50), dark);
  QTest::mouseClick(FindControl<QPushButton>(&dialog, "ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(dialog.CallerData(), std::make_tuple(50, 50, 0));
}

TEST_F(HeroDialogs, TheLearnedSkillDialogOffersOnlyFreeSkills) {
  {
    TFormEDPlayerLearning dialog;
    dialog.Level = 8;
    dialog.SkillId = 3;
    for (int id : {1, 3, 0, 99999})
      dialog.MarkSkillTaken(id);
    ShowAndActivate(&dialog);
    auto* skills = FindControl<QComboBox>(&dialog, "ComboBox1");
    EXPECT_EQ(skills->count(), SkillList->GetCount() - 2);
    EXPECT_EQ(skills->currentIndex(), 1); // skill 4: the first free id from 3 on
    FindControl<QPushButton>(&dialog, "ButtonOk")->click();
    EXPECT_EQ(dialog.SkillId, 4);
  }
  TFormEDPlayerLearning next;
  EXPECT_EQ(next.Level, 8);
  EXPECT_EQ(next.SkillId, 4);
  for (int id = 1; id <= SkillList->GetCount(); ++id)
    next.MarkSkillTaken(id);
  ShowAndActivate(&next);
  EXPECT_FALSE(FindControl<QPushButton>(&next, "ButtonOk")->isEnabled());
  QTest::keyClick(&next, Qt::Key_Return);
  EXPECT_TRUE(next.isVisible());
}

} // namespace

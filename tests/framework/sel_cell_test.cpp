#include "framework/pickers/sel_cell.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/chip_set_graphic.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "picker_test_env.h"

namespace {

class CellPicker : public PickerTestEnv {
protected:
  static QListWidget* List(QWidget* form) { return FindControl<QListWidget>(form, "IconListBox1"); }
  static QWidget* View(QWidget* form, const char* name = "ScrollFrame1") {
    return FindControl<TScrollFrame>(form, name)->viewport();
  }
  static uint16_t Pixel(QWidget* view, int x, int y) {
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB16);
    return reinterpret_cast<const uint16_t*>(image.constScanLine(y))[x];
  }
  static void ClickOk(QWidget* form) {
    QTest::mouseClick(FindControl<QPushButton>(form, "ButtonOk"), Qt::LeftButton);
  }
  static constexpr uint16_t White = 0xFFFF;
};

TEST_F(CellPicker, CharactersAndFacesArePickedWhereTheyAreShown) {
  PutImage("proj/CharSet/Hero.png", 288, 256);
  PutImage("proj/FaceSet/Faces.png", 192, 192);
  auto walk = std::make_unique<TFormSelChar>();
  walk->FileName = "Hero";
  ShowAndActivate(walk.get());
  QTest::mouseClick(View(walk.get()), Qt::LeftButton, {}, QPoint(100, 70));
  EXPECT_EQ(Pixel(View(walk.get()), 97, 65), White); // the frame around character 6
  EXPECT_NE(Pixel(View(walk.get()), 1, 1), White);
  ClickOk(walk.get());
  EXPECT_EQ(walk->result(), mrOk);
  EXPECT_EQ(walk->FileName, "Hero");
  EXPECT_EQ(walk->CharIndex, 6);

  auto face = std::make_unique<TFormSelFace>();
  face->FileName = "Faces";
  ShowAndActivate(face.get());
  QTest::mouseClick(View(face.get()), Qt::LeftButton, {}, QPoint(50, 100));
  QTest::mouseDClick(View(face.get()), Qt::LeftButton, {}, QPoint(50, 100));
  EXPECT_EQ(face->result(), mrOk);
  EXPECT_EQ(face->FaceIndex, 9);
}

TEST_F(CellPicker, EventGraphicsOpenOnTheChipPageAndKeepThePlaceOnIt) {
  PutImage("proj/CharSet/Hero.png", 288, 256);
  PutImage("proj/ChipSet/World.png", 480, 256);
  TXelChipSetGraphic chips;
  chips.LoadGraphic("World");
  auto form = std::make_unique<TFormSelEvChar>();
  form->ChipId = 100;
  form->ChipSetGraphic = &chips;
  ShowAndActivate(form.get());
  EXPECT_EQ(List(form.get())->currentItem()->text(), "*ChipSet 3");
  EXPECT_TRUE(FindControl<QWidget>(form.get(), "Panel2")->isVisible());
  EXPECT_FALSE(FindControl<QWidget>(form.get(), "Panel1")->isVisible());
  QWidget* chipView = View(form.get(), "ScrollFrame2");
  EXPECT_EQ(Pixel(chipView, 129, 1), White); // column 4, row 0
  EXPECT_NE(Pixel(chipView, 1, 1), White);

  // Another page keeps the place on the page: chip 4 is framed on the first.
  List(form.get())->setCurrentRow(0);
  EXPECT_EQ(Pixel(chipView, 129, 1), White);
  List(form.get())->setCurrentRow(3);
  EXPECT_TRUE(FindControl<QWidget>(form.get(), "Panel1")->isVisible());
  QTest::mouseClick(FindControl<QRadioButton>(form.get(), "RadioButton1"), Qt::LeftButton, {},
                    QPoint(6, 8));
  form->reject();
  EXPECT_EQ(form->FileName, "");
  EXPECT_EQ(form->ChipId, 100);

  // A character with the direction and pattern clicked, confirmed by a double-click on
  // a pattern.
  auto hero = std::make_unique<TFormSelEvChar>();
  hero->FileName = "Hero";
  hero->CharIndex = 2;
  ShowAndActivate(hero.get());
  EXPECT_EQ(List(hero.get())->currentItem()->text(), "Hero");
  EXPECT_TRUE(FindControl<QRadioButton>(hero.get(), "RadioButton3")->isChecked());
  EXPECT_TRUE(FindControl<QRadioButton>(hero.get(), "RadioButton6")->isChecked());
  QTest::mouseClick(FindControl<QRadioButton>(hero.get(), "RadioButton1"), Qt::LeftButton, {},
                    QPoint(6, 8));
  QTest::mouseClick(View(hero.get()), Qt::LeftButton, {}, QPoint(150, 10));
  QTest::mouseDClick(FindControl<QRadioButton>(hero.get(), "RadioButton7"), Qt::LeftButton);
  EXPECT_EQ(hero->result(), mrOk);
  EXPECT_EQ(hero->FileName, "Hero");
  EXPECT_EQ(hero->CharIndex, 3);
  EXPECT_EQ(hero->Direction, 0);
  EXPECT_EQ(hero->Pattern, 1);

  // From a character to the second chip page: a chip at the place of the old one.
  auto chip = std::make_unique<TFormSelEvChar>();
  chip->FileName = "Hero";
  chip->ChipId = 100;
  chip->ChipSetGraphic = &chips;
  ShowAndActivate(chip.get());
  List(chip.get())->setCurrentRow(1);
  ClickOk(chip.get());
  EXPECT_EQ(chip->FileName, "");
  EXPECT_EQ(chip->ChipId, 52);
  auto clicked = std::make_unique<TFormSelEvChar>();
  clicked->ChipSetGraphic = &chips;
  ShowAndActivate(clicked.get());
  QTest::mouseClick(View(clicked.get(), "ScrollFrame2"), Qt::LeftButton, {}, QPoint(40, 70));
  ClickOk(clicked.get());
  EXPECT_EQ(clicked->ChipId, 13);
}

TEST_F(CellPicker, ValuesOutOfRangeAreShownInRangeAndComeBackUnchanged) {
  PutImage("proj/CharSet/Hero.png", 288, 256);
  auto walk = std::make_unique<TFormSelChar>();
  walk->FileName = "Hero";
  walk->CharIndex = 12;
  ShowAndActivate(walk.get());
  EXPECT_EQ(Pixel(View(walk.get()), 145, 65), White); // framed as character 7
  ClickOk(walk.get());
  EXPECT_EQ(walk->CharIndex, 12);

  auto face = std::make_unique<TFormSelFace>();
  face->FaceIndex = -4;
  ShowAndActivate(face.get());
  ClickOk(face.get());
  EXPECT_EQ(face->FaceIndex, -4);

  // No chipset: an empty page. A walk graphic found nowhere opens the first chip page.
  auto event = std::make_unique<TFormSelEvChar>();
  event->FileName = "Ghost";
  event->ChipId = 200;
  event->Direction = 7;
  event->Pattern = -1;
  ShowAndActivate(event.get());
  EXPECT_EQ(List(event.get())->currentRow(), 0);
  EXPECT_EQ(Pixel(View(event.get(), "ScrollFrame2"), 40, 40), 0);
  EXPECT_TRUE(FindControl<QRadioButton>(event.get(), "RadioButton4")->isChecked());
  EXPECT_TRUE(FindControl<QRadioButton>(event.get(), "RadioButton5")->isChecked());
  ClickOk(event.get());
  EXPECT_EQ(event->FileName, "");
  EXPECT_EQ(event->ChipId, 200);
  EXPECT_EQ(event->Direction, 7);
  EXPECT_EQ(event->Pattern, -1);

  auto chip = std::make_unique<TFormSelReplChip>();
  chip->ChipIndex = 150;
  ShowAndActivate(chip.get());
  ClickOk(chip.get());
  EXPECT_EQ(chip->ChipIndex, 150);
}

TEST_F(CellPicker, TheChipPaletteScrollsTheChoiceIntoViewAndTakesClicks) {
  PutImage("proj/ChipSet/World.png", 480, 256);
  TXelChipSetGraphic chips;
  chips.LoadGraphic("World");
  for (auto [index, scroll] : {std::pair{0, 0}, {60, 192}}) {
    auto form = std::make_unique<TFormSelReplChip>();
    form->ChipSource = &chips;
    form->Layer = 1;
    form->ChipIndex = index;
    ShowAndActivate(form.get());
    EXPECT_EQ(FindControl<TScrollFrame>(form.get(), "ScrollFrame1")->VertScrollBar()->Position(),
              scroll);
    auto* box = FindControl<TOpaquePaintBox>(form.get(), "PaintBox1");
    EXPECT_EQ(box->y(), -scroll);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(70, 330));
    const TGlimraBoard& board = form->Board();
    EXPECT_EQ(board.GetRow(321)[65], White);
    ClickOk(form.get());
    EXPECT_EQ(form->result(), mrOk);
    EXPECT_EQ(form->ChipIndex, 62);
  }
}

} // namespace

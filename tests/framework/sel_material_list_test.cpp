#include "framework/pickers/sel_material_list.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/list_routines.h"
#include "picker_test_env.h"

namespace {

class ListPicker : public PickerTestEnv {
protected:
  template <class Form> std::unique_ptr<Form> Open(const std::string& fileName) {
    auto form = std::make_unique<Form>();
    form->FileName = fileName;
    ShowAndActivate(form.get());
    return form;
  }
  static QListWidget* List(QWidget* form) { return FindControl<QListWidget>(form, "IconListBox1"); }
  static void ClickOk(QWidget* form) {
    QTest::mouseClick(FindControl<QPushButton>(form, "ButtonOk"), Qt::LeftButton);
  }
  // The preview as shown, in RGB565 terms.
  static QImage Preview(QWidget* form) {
    return FindControl<TScrollFrame>(form, "ScrollFrame1")
        ->viewport()
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB16);
  }
  static uint16_t At(const QImage& image, int x, int y) {
    return reinterpret_cast<const uint16_t*>(image.constScanLine(y))[x];
  }
};

TEST_F(ListPicker, TheProjectsEntryWinsAndPackageNamesComeBackBare) {
  PutImage("proj/Picture/Hill.png", 8, 8);
  PutImage("rtp/Picture/Hill.png", 8, 8);
  PutImage("rtp/Picture/Sea.bmp", 8, 8);
  auto both = Open<TFormSelPicture>("Hill");
  EXPECT_EQ(List(both.get())->currentItem()->text(), "Hill");
  both->reject();

  auto package = Open<TFormSelPicture>("Sea");
  EXPECT_EQ(List(package.get())->currentItem()->text(), "Sea <RTP>");
  ClickOk(package.get());
  EXPECT_EQ(package->result(), mrOk);
  EXPECT_EQ(package->FileName, "Sea");

  // A name found nowhere is not kept: the first entry is taken, and Cancel gives the
  // caller's name back.
  auto unknown = Open<TFormSelPicture>("Cave");
  EXPECT_EQ(List(unknown.get())->currentRow(), 0);
  unknown->reject();
  EXPECT_EQ(unknown->result(), mrCancel);
  EXPECT_EQ(unknown->FileName, "Cave");
  auto first = Open<TFormSelPicture>("Cave");
  ClickOk(first.get());
  EXPECT_EQ(first->FileName, "Hill");

  auto movie = Open<TFormSelMovie>("Intro");
  EXPECT_EQ(List(movie.get())->count(), 0);
  ClickOk(movie.get());
  EXPECT_EQ(movie->result(), mrOk);
  EXPECT_EQ(movie->FileName, "");
}

TEST_F(ListPicker, TheSelectionOpensOnTheSeventhLine) {
  for (int i = 10; i < 50; ++i)
    Put("proj/Movie/Clip" + std::to_string(i) + ".avi", "");
  auto picture = Open<TFormSelMovie>("Clip30");
  EXPECT_EQ(ListTopIndex(List(picture.get())), 16);
  picture->reject();
  for (int i = 10; i < 50; ++i)
    PutImage("proj/Title/Logo" + std::to_string(i) + ".png", 4, 4);
  auto title = Open<TFormSelTitle>("Logo30");
  EXPECT_EQ(ListTopIndex(List(title.get())), 14);
  title->reject();
}

TEST_F(ListPicker, FittedPreviewsShrinkLargeImagesAndCentreSmallOnes) {
  PutImage("proj/Picture/Wide.png", 640, 480, 7);
  PutImage("proj/Picture/Small.png", 100, 100, 9);
  auto form = Open<TFormSelPicture>("Wide");
  QImage shown = Preview(form.get());
  ASSERT_EQ(shown.size(), QSize(320, 240));
  // Halved: every shown pixel comes from the even column and row of the image.
  for (auto [x, y] : {std::pair{0, 0}, {319, 239}, {160, 17}})
    EXPECT_EQ(At(shown, x, y), GameColor(HashedIndex(2 * x, 2 * y, 7))) << x << "," << y;

  List(form.get())->setCurrentRow(List(form.get())->currentRow() == 0 ? 1 : 0);
  shown = Preview(form.get());
  // 1:1 in the middle of 320 x 240, black around it.
  EXPECT_EQ(At(shown, 110, 70), GameColor(HashedIndex(0, 0, 9)));
  EXPECT_EQ(At(shown, 209, 169), GameColor(HashedIndex(99, 99, 9)));
  EXPECT_EQ(At(shown, 109, 70), 0);
  EXPECT_EQ(At(shown, 210, 169), 0);

  // A double-click on the preview confirms.
  QTest::mouseDClick(FindControl<TScrollFrame>(form.get(), "ScrollFrame1")->viewport(),
                     Qt::LeftButton);
  EXPECT_EQ(form->result(), mrOk);
  EXPECT_EQ(form->FileName, "Small");
}

TEST_F(ListPicker, FixedPreviewsShowTheSheetOneToOneOrHalved) {
  PutImage("proj/Backdrop/Field.png", 400, 200, 3);
  auto backdrop = Open<TFormSelBackdrop>("Field");
  QImage shown = Preview(backdrop.get());
  EXPECT_EQ(At(shown, 319, 159), GameColor(HashedIndex(319, 159, 3)));
  backdrop->reject();

  PutImage("proj/ChipSet/World.png", 480, 256, 4);
  auto chipset = Open<TFormSelChipSet>("World");
  shown = Preview(chipset.get());
  EXPECT_EQ(At(shown, 239, 127), GameColor(HashedIndex(478, 254, 4)));
  // A double-click on the list confirms.
  QListWidget* list = List(chipset.get());
  const QPoint first = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
  EXPECT_EQ(chipset->result(), mrOk);
}

TEST_F(ListPicker, SystemGraphicsCarryTheWallpaperModeAndTheFont) {
  PutImage("proj/System/Frame.png", 160, 128);
  auto form = std::make_unique<TFormSelSystem>();
  form->WallpaperMode = 1;
  form->FontIndex = 0;
  ShowAndActivate(form.get());
  EXPECT_TRUE(FindControl<QRadioButton>(form.get(), "RadioGroupA_1")->isChecked());
  EXPECT_TRUE(FindControl<QRadioButton>(form.get(), "RadioGroupB_0")->isChecked());
  // On the button's mark: the rest of its row is not the button.
  for (const char* name : {"RadioGroupA_0", "RadioGroupB_1"})
    QTest::mouseClick(FindControl<QRadioButton>(form.get(), name), Qt::LeftButton, {},
                      QPoint(6, 10));
  ClickOk(form.get());
  EXPECT_EQ(form->WallpaperMode, 0);
  EXPECT_EQ(form->FontIndex, 1);
}

} // namespace

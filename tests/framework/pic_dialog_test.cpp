#include "framework/controls/pic_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "core/bitmap.h"
#include "core/image_file.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/harness/widget_harness.h"

namespace {

// A 24-bit picture in one colour, saved by the editor's own image writer.
void SavePicture(const QString& name, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf24bit, width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* line = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      line[3 * x] = b;
      line[3 * x + 1] = g;
      line[3 * x + 2] = r;
    }
  }
  SaveBitmapToImageFile(bitmap, name.toStdString());
}

QPoint CentredTopLeft(const QWidget& owner, const QWidget& box) {
  const QRect o = owner.frameGeometry();
  const QSize s = box.frameGeometry().size();
  return {o.left() + (o.width() - s.width()) / 2, o.top() + (o.height() - s.height()) / 2};
}

} // namespace

TEST(PicturePreviewRect, SmallPicturesAreCentredLargeOnesShrinkFromTheTopLeft) {
  EXPECT_EQ(PicturePreviewRect(QSize(141, 153), QSize(640, 480)), QRect(0, 0, 141, 105));
  EXPECT_EQ(PicturePreviewRect(QSize(141, 153), QSize(100, 400)), QRect(0, 0, 38, 153));
  EXPECT_EQ(PicturePreviewRect(QSize(160, 160), QSize(100, 50)), QRect(30, 55, 100, 50));
  EXPECT_EQ(PicturePreviewRect(QSize(160, 160), QSize(160, 160)), QRect(0, 0, 160, 160));
}

TEST(CenterOpenDialog, OpensCentredOverItsOwnerAndInsideTheWorkArea) {
  QWidget owner;
  owner.setGeometry(150, 100, 500, 400);
  ShowAndActivate(&owner);
  TCenterOpenDialog dialog(&owner);
  dialog.resize(300, 200);
  dialog.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
  // Within a pixel: odd differences round either way.
  EXPECT_LE((dialog.frameGeometry().topLeft() - CentredTopLeft(owner, dialog)).manhattanLength(),
            1);
  // The box keeps the size it opened with.
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  dialog.reject();

  // Over an owner in the corner the box is pulled back to the work area's origin.
  owner.setGeometry(0, 0, 100, 80);
  TCenterOpenDialog big(&owner);
  big.resize(500, 400);
  big.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&big));
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(big.frameGeometry().topLeft(), area.topLeft());
  big.reject();
}

TEST(CenterSaveDialog, SavingOverAnExistingFileAsksFirst) {
  QTemporaryDir temp;
  QFile existing(temp.filePath("Town.png"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  TScriptedMessageBoxes boxes;
  QWidget owner;
  ShowAndActivate(&owner);
  TCenterSaveDialog dialog(&owner);
  dialog.setDirectory(temp.path());
  dialog.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // Typed into the name box, as the author would.
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_TRUE(name);
  name->setText("Town.png");
  boxes.Answer(IDNO);
  dialog.accept();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Town.png already exists.\nDo you want to replace it?");
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_TRUE(dialog.isVisible());
  boxes.Answer(IDYES);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.FileName(), temp.filePath("Town.png"));

  // A new name needs no question.
  TCenterSaveDialog second(&owner);
  second.setDirectory(temp.path());
  second.open();
  second.findChild<QLineEdit*>("fileNameEdit")->setText("New.png");
  second.accept();
  EXPECT_EQ(second.result(), QDialog::Accepted);
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST(DialogFilter, PairsOfDescriptionAndPatterns) {
  const auto items =
      ParseDialogFilter("MIDI file (*.mid)|*.mid|Image files (*.bmp;*.png)|*.bmp;*.png|");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], (TDialogFilterItem{"MIDI file (*.mid)", {"*.mid"}}));
  EXPECT_EQ(items[1], (TDialogFilterItem{"Image files (*.bmp;*.png)", {"*.bmp", "*.png"}}));
  EXPECT_TRUE(ParseDialogFilter("").empty());
}

TEST(CenterOpenDialog, AFilterOfSeveralPatternsListsEachOfThem) {
  QTemporaryDir temp;
  for (const char* name : {"a.bmp", "b.PNG", "c.txt"}) {
    QFile file(temp.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QWidget owner;
  ShowAndActivate(&owner);
  TCenterOpenDialog dialog(&owner);
  dialog.SetFilter("Image files (*.bmp;*.png)|*.bmp;*.png|Text (*.txt)|*.txt|");
  dialog.setDirectory(temp.path());
  dialog.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.nameFilters(), QStringList({"Image files (*.bmp;*.png)", "Text (*.txt)"}));
  auto* files = dialog.findChild<QListView*>("listView");
  ASSERT_TRUE(files);
  const auto shown = [&] {
    QStringList names;
    const QModelIndex root = files->rootIndex();
    for (int row = 0; row < files->model()->rowCount(root); ++row)
      if (files->model()->flags(files->model()->index(row, 0, root)) & Qt::ItemIsEnabled)
        names << files->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
  };
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return shown() == QStringList({"a.bmp", "b.PNG"});
      },
      3000))
      << shown().join(',').toStdString();
  dialog.selectNameFilter("Text (*.txt)");
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == QStringList({"c.txt"}); }, 3000))
      << shown().join(',').toStdString();
  dialog.reject();
}

TEST(OpenPictureDialogEx, ThePreviewShowsTheSelectedPictureAndItsSize) {
  QTemporaryDir temp;
  SavePicture(temp.filePath("Hero.png"), 640, 480, 200, 40, 10);
  SavePicture(temp.filePath("Chip.bmp"), 20, 10, 0, 0, 255);
  QFile text(temp.filePath("notes.txt"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture");
  text.close();

  QWidget owner;
  ShowAndActivate(&owner);
  TOpenPictureDialogEx dialog(&owner);
  dialog.setDirectory(temp.path());
  dialog.open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.PictureLabel->text(), "Picture:");
  EXPECT_TRUE(dialog.PicturePanel->isVisible());
  // Choosing a file in the box's list shows it once the folder has been read.
  auto* files = dialog.findChild<QListView*>("listView");
  ASSERT_TRUE(files);
  QModelIndex chip;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const QModelIndex root = files->rootIndex();
        for (int row = 0; row < files->model()->rowCount(root); ++row)
          if (files->model()->index(row, 0, root).data().toString() == "Chip.bmp")
            chip = files->model()->index(row, 0, root);
        return chip.isValid();
      },
      20000));
  files->setCurrentIndex(chip);
  EXPECT_EQ(dialog.PictureLabel->text(), "Picture: (20x10)");

  dialog.SelectionChange(temp.filePath("Hero.png"));
  EXPECT_EQ(dialog.PictureLabel->text(), "Picture: (640x480)");
  EXPECT_EQ(dialog.Picture().size(), QSize(640, 480));
  // Larger than the box: shrunk into it from its top-left corner.
  dialog.PaintBox->resize(141, 153);
  QImage shown = dialog.PaintBox->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(200, 40, 10));
  EXPECT_EQ(shown.pixelColor(140, 104), QColor(200, 40, 10));
  EXPECT_NE(shown.pixelColor(70, 120), QColor(200, 40, 10));

  dialog.SelectionChange(temp.filePath("Chip.bmp"));
  EXPECT_EQ(dialog.PictureLabel->text(), "Picture: (20x10)");
  shown = dialog.PaintBox->grab().toImage();
  // Fits: drawn 1:1 in the middle.
  EXPECT_EQ(shown.pixelColor(70, 76), QColor(0, 0, 255));
  EXPECT_NE(shown.pixelColor(0, 0), QColor(0, 0, 255));

  for (const char* name : {"notes.txt", "missing.png", ""}) {
    dialog.SelectionChange(name[0] ? temp.filePath(name) : QString());
    EXPECT_EQ(dialog.PictureLabel->text(), "Picture:") << name;
    EXPECT_TRUE(dialog.Picture().isNull());
  }
  dialog.SelectionChange(temp.path());
  EXPECT_EQ(dialog.PictureLabel->text(), "Picture:");
  dialog.reject();
}

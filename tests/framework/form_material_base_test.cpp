#include "framework/pickers/form_material_base.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include "core/file_test_env.h"
#include "core/image_file.h"
#include "core/settings.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/pic_dialog.h"
#include "framework/controls/wheel_master.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/material_manager.h"
#include "material_pictures.h"

namespace {

// Chooses File in the file dialog that opens next; Then runs once it has closed.
void ChooseFile(const std::string& file, std::function<void()> then = {}) {
  OnNextModal<TCenterOpenDialog>([file, then](TCenterOpenDialog* dialog) {
    if (then) then();
    dialog->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(dialog)->accept();
  });
}

bool IsPng8(const std::string& bytes) {
  // Bit depth and colour type of IHDR, after the signature, the length and "IHDR".
  return bytes.size() > 26 && bytes.compare(12, 4, "IHDR") == 0 && bytes[24] == 8 && bytes[25] == 3;
}

class MaterialBase : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    for (const char* folder : MaterialFolderNames) {
      Mkdir(std::string("proj/") + folder);
      Mkdir(std::string("rtp/") + folder);
    }
    Mkdir("in");
    Mkdir("out");
    Settings().WriteString("RuntimePackagePath", Path("rtp"));
    ProjectPath = Path("proj/");
    MaterialManagerMemory() = {};
    char* cwd = getcwd(nullptr, 0);
    savedCwd_ = cwd;
    free(cwd);
    // As while a project is open.
    ASSERT_EQ(chdir(Path("proj").c_str()), 0);
  }
  void TearDown() override {
    form.reset();
    if (chdir(savedCwd_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << savedCwd_;
    FileTestEnv::TearDown();
  }

  void Open() {
    form = std::make_unique<TFormMaterialBase>(&owner);
    ShowAndActivate(form.get());
  }
  template <class Control = QWidget> Control* Find(const char* name) {
    return FindControl<Control>(form.get(), name);
  }
  void SelectFolder(const char* name) {
    auto* folders = Find<TIconListBox>("IconListBox1");
    folders->setCurrentItem(folders->findItems(name, Qt::MatchExactly).value(0));
  }
  QStringList Materials() {
    QStringList names;
    auto* list = Find<TIconListBox>("IconListBox2");
    for (int i = 0; i < list->count(); ++i)
      names << list->item(i)->text();
    return names;
  }
  void SelectMaterial(const char* entry) {
    auto* list = Find<TIconListBox>("IconListBox2");
    list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
  }
  // Imports File through the Import button. The "Material Base" dialog, when one opens,
  // is handed to Transparent; without one it must not open.
  void Import(const std::string& file, std::function<void(TFormMaterialBase2*)> transparent = {}) {
    ChooseFile(Path(file), [transparent] {
      if (transparent) OnNextModal<TFormMaterialBase2>(transparent);
    });
    QTimer watchdog;
    if (!transparent) {
      watchdog.setSingleShot(true);
      QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<TFormMaterialBase2*>(QApplication::activeModalWidget())) {
          ADD_FAILURE() << "the transparent colour was asked for";
          dialog->reject();
        }
      });
      watchdog.start(1000);
    }
    QTest::mouseClick(Find<QPushButton>("ButtonImport"), Qt::LeftButton);
  }
  void Export(const std::string& file) {
    ChooseFile(Path(file));
    QTest::mouseClick(Find<QPushButton>("ButtonExport"), Qt::LeftButton);
  }
  void Save(const TBitmap& bitmap, const std::string& file) {
    SaveBitmapToImageFile(bitmap, Path(file));
  }
  TBitmap Load(const std::string& file) {
    TBitmap bitmap;
    LoadBitmapFromImageFile(bitmap, Path(file));
    return bitmap;
  }

  QWidget owner;
  std::unique_ptr<TFormMaterialBase> form;
  TScriptedMessageBoxes boxes;

private:
  std::string savedCwd_;
};

const auto PressOk = [](TFormMaterialBase2* dialog) {
  QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
};

TEST_F(MaterialBase, ABackdropBecomesAnEightBitPngOrXyzWithoutTheTransparentColour) {
  Save(DirectPicture(320, 160), "in/Sky.bmp");
  Open();
  SelectFolder("Backdrop");
  EXPECT_EQ(Find<TIconListBox>("IconListBox1")->Glyph().size(), QSize(14, 14));
  EXPECT_EQ(Find<TIconListBox>("IconListBox2")->Glyph().size(), QSize(14, 14));
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
  Import("in/Sky.bmp");
  const std::string png = Get("proj/Backdrop/Sky.png");
  EXPECT_TRUE(IsPng8(png));
  EXPECT_EQ(
      std::system(("pngfix -q '" + Path("proj/Backdrop/Sky.png") + "' >/dev/null 2>&1").c_str()),
      0);
  EXPECT_EQ(Load("proj/Backdrop/Sky.png").PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Materials(), QStringList({"Sky"}));
  EXPECT_TRUE(Find<QPushButton>("ButtonExport")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>("ButtonDelete")->isEnabled());
  EXPECT_TRUE(boxes.Boxes().empty());

  QTest::mouseClick(Find<QRadioButton>("RadioButton2"), Qt::LeftButton);
  EXPECT_EQ(MaterialManagerMemory().ImportFormat, ifXyz);
  Import("in/Sky.bmp");
  EXPECT_EQ(Get("proj/Backdrop/Sky.xyz").substr(0, 4), "XYZ1");
  EXPECT_EQ(Load("proj/Backdrop/Sky.xyz").Width(), 320);
  // The PNG of the first import is found first under that name now, and the author is told.
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_TRUE(boxes.Boxes()[0].text.contains("'Sky.png'"));
}

TEST_F(MaterialBase, SizeRulesAreCheckedAtTheirBounds) {
  struct Row {
    const char* folder;
    int width, height;
    bool accepted;
  } rows[] = {{"CharSet", 289, 256, false}, {"Battle", 480, 480, true},
              {"Battle", 1, 1, true},       {"Monster", 16, 16, true},
              {"Monster", 320, 160, true},  {"Monster", 15, 16, false}};
  Open();
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.folder) + " " + std::to_string(row.width));
    const std::string name = "Pic" + std::to_string(++n);
    Save(IndexedPicture(TPixelFormat::pf8bit, row.width, row.height, 4), "in/" + name + ".png");
    SelectFolder(row.folder);
    const size_t before = boxes.Boxes().size();
    Import("in/" + name + ".png",
           row.accepted ? PressOk : std::function<void(TFormMaterialBase2*)>{});
    EXPECT_EQ(Exists("proj/" + std::string(row.folder) + "/" + name + ".png"), row.accepted);
    if (row.accepted) {
      EXPECT_EQ(boxes.Boxes().size(), before);
    } else {
      ASSERT_EQ(boxes.Boxes().size(), before + 1);
      EXPECT_TRUE(boxes.Boxes().back().text.startsWith(
          "The image size (not filesize) of the bitmap is illegal: it is "));
      EXPECT_EQ(boxes.Boxes().back().flags, MB_ICONHAND);
    }
  }
}

TEST_F(MaterialBase, TheTransparentColourSwapsPaletteAndPixels) {
  const TBitmap source = IndexedPicture(TPixelFormat::pf8bit, 96, 80, 10);
  Save(source, "in/Orb.png");
  Open();
  SelectFolder("Battle");
  Import("in/Orb.png", [](TFormMaterialBase2* dialog) {
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonZoomIn"), Qt::LeftButton);
    // Pixel (2, 1) holds index 5; at zoom 2 it covers (4..5, 2..3).
    QTest::mouseClick(FindControl<TOpaquePaintBox>(dialog, "PaintBox1"), Qt::LeftButton, {},
                      QPoint(5, 3));
    EXPECT_EQ(dialog->SelectedIndex(), 5);
    PressOk(dialog);
  });
  const TBitmap orb = Load("proj/Battle/Orb.png");
  EXPECT_EQ(orb.Palette()[0], source.Palette()[5]);
  EXPECT_EQ(orb.Palette()[5], source.Palette()[0]);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 96; ++x) {
      const int old = source.IndexAt(x, y);
      ASSERT_EQ(orb.IndexAt(x, y), old == 0 ? 5 : old == 5 ? 0 : old) << x << "," << y;
    }

  // Index 0 kept: the same bytes as an import that never asks (a panorama).
  Import("in/Orb.png", PressOk);
  SelectFolder("Panorama");
  Import("in/Orb.png");
  EXPECT_EQ(Get("proj/Battle/Orb.png"), Get("proj/Panorama/Orb.png"));

  SelectFolder("Picture");
  Import("in/Orb.png", [](TFormMaterialBase2* dialog) {
    QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonCancel"), Qt::LeftButton);
  });
  EXPECT_FALSE(Exists("proj/Picture/Orb.png"));
}

TEST_F(MaterialBase, TheTransparentColourDialogZoomsBlinksAndPans) {
  TBitmap picture = IndexedPicture(TPixelFormat::pf8bit, 300, 200, 10);
  picture.Palette()[3] = {200, 50, 120, 0};
  TFormMaterialBase2 dialog;
  dialog.Bitmap = &picture;
  ShowAndActivate(&dialog);
  auto* zoomIn = FindControl<QPushButton>(&dialog, "ButtonZoomIn");
  auto* zoomOut = FindControl<QPushButton>(&dialog, "ButtonZoomOut");
  auto* box = FindControl<TOpaquePaintBox>(&dialog, "PaintBox1");
  EXPECT_EQ(box->size(), QSize(300, 200));
  EXPECT_TRUE(zoomIn->isEnabled());
  EXPECT_FALSE(zoomOut->isEnabled());
  for (int i = 0; i < 5; ++i)
    QTest::mouseClick(zoomIn, Qt::LeftButton);
  EXPECT_EQ(dialog.Zoom(), 4);
  EXPECT_FALSE(zoomIn->isEnabled());
  EXPECT_TRUE(zoomOut->isEnabled());
  EXPECT_EQ(box->size(), QSize(1200, 800));
  QTest::mouseClick(zoomOut, Qt::LeftButton);
  QTest::mouseClick(zoomOut, Qt::LeftButton);
  EXPECT_EQ(dialog.Zoom(), 2);

  // Each picture pixel is a sharp 2 x 2 square; pixel (1, 0) holds index 1.
  QImage shown = box->grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, 0), QColor(11, 21, 31));
  EXPECT_EQ(shown.pixelColor(3, 1), QColor(11, 21, 31));
  // Pixel (3, 0) holds index 3: choose it, then blink.
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, 1));
  EXPECT_EQ(dialog.SelectedIndex(), 3);
  dialog.Timer1Timer();
  shown = box->grab().toImage();
  EXPECT_EQ(shown.pixelColor(6, 0), QColor(180, 80, 100));
  EXPECT_EQ(shown.pixelColor(2, 0), QColor(11, 21, 31));
  dialog.Timer1Timer();
  EXPECT_EQ(box->grab().toImage().pixelColor(6, 0), QColor(200, 50, 120));

  // The middle button pans the picture, which is larger than the frame.
  auto* wheel = dialog.findChild<TWheelMaster*>();
  ASSERT_TRUE(wheel);
  QTest::mousePress(box, Qt::MiddleButton, {}, QPoint(10, 10));
  EXPECT_TRUE(wheel->Panning());
  wheel->Stop();
  dialog.reject();
  EXPECT_EQ(picture.Palette()[3], (TPaletteEntry{200, 50, 120, 0}));
}

TEST_F(MaterialBase, MusicAndSoundAreCopiedWholeAndNeverOntoThemselves) {
  std::string tune(100000, '\0');
  for (size_t i = 0; i < tune.size(); ++i)
    tune[i] = char(i * 7 + i / 300);
  Put("in/Theme.mid", tune);
  Put("in/Bell.wav", "RIFF bell");
  Open();
  SelectFolder("Music");
  EXPECT_FALSE(Find<QRadioButton>("RadioButton1")->isEnabled());
  EXPECT_FALSE(Find<QGroupBox>("Panel1")->isEnabled());
  Import("in/Theme.mid");
  EXPECT_EQ(Get("proj/Music/Theme.mid"), tune);
  SelectFolder("Sound");
  Import("in/Bell.wav");
  EXPECT_EQ(Get("proj/Sound/Bell.wav"), "RIFF bell");

  // The project's own file chosen again: left as it is.
  Import("proj/Sound/Bell.wav");
  EXPECT_EQ(Get("proj/Sound/Bell.wav"), "RIFF bell");
  EXPECT_TRUE(boxes.Boxes().empty());

  // A folder that cannot be written to: the failure is reported, naming the file.
  SelectFolder("Music");
  chmod(Path("proj/Music").c_str(), 0555);
  if (access(Path("proj/Music").c_str(), W_OK) == 0) {
    // Permissions do not hold back root: a file in the folder's place does.
    chmod(Path("proj/Music").c_str(), 0755);
    std::filesystem::remove_all(Path("proj/Music"));
    Put("proj/Music", "not a folder");
  }
  Import("in/Theme.mid");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_ICONHAND);
  EXPECT_TRUE(boxes.Boxes()[0].text.contains(QString::fromStdString(Path("proj/Music/Theme.mid"))))
      << boxes.Boxes()[0].text.toStdString();
  chmod(Path("proj/Music").c_str(), 0755);
}

TEST_F(MaterialBase, ExportDeleteAndWhatTheDialogLeavesBehind) {
  const TBitmap hero = IndexedPicture(TPixelFormat::pf8bit, 40, 30, 20);
  Save(hero, "proj/Picture/Hero.png");
  Save(hero, "rtp/Picture/Shared.png");
  Settings().WriteString("MaterialPath", Path("in"));
  Open();
  SelectFolder("Picture");
  EXPECT_EQ(Materials(), QStringList({"Hero", "Shared <RTP>"}));
  EXPECT_FALSE(Find<QPushButton>("ButtonExport")->isEnabled());

  // The file dialog starts in the remembered folder.
  SelectMaterial("Hero");
  OnNextModal<TCenterOpenDialog>([this](TCenterOpenDialog* dialog) {
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), Path("in"));
    EXPECT_EQ(dialog->windowTitle(), "Export");
    dialog->selectFile(QString::fromStdString(Path("out/Hero.bmp")));
    static_cast<QDialog*>(dialog)->accept();
  });
  QTest::mouseClick(Find<QPushButton>("ButtonExport"), Qt::LeftButton);
  Export("out/Hero.xyz");
  for (const char* file : {"out/Hero.bmp", "out/Hero.xyz"}) {
    const TBitmap back = Load(file);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf8bit) << file;
    EXPECT_EQ(back.Palette(), hero.Palette()) << file;
    EXPECT_EQ(back.Pixels(), hero.Pixels()) << file;
  }
  EXPECT_EQ(Get("out/Hero.bmp").substr(0, 2), "BM");

  // Exported onto itself: after the replace question nothing is written (a rewrite would
  // give the file a new inode).
  struct stat before, after;
  ASSERT_EQ(stat(Path("proj/Picture/Hero.png").c_str(), &before), 0);
  boxes.Answer(IDYES);
  Export("proj/Picture/Hero.png");
  ASSERT_EQ(stat(Path("proj/Picture/Hero.png").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_TRUE(boxes.Boxes()[0].text.contains("Hero.png already exists"));

  // A package entry: exported, never deleted.
  SelectMaterial("Shared <RTP>");
  EXPECT_TRUE(Find<QPushButton>("ButtonExport")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("ButtonDelete")->isEnabled());
  Export("out/Shared.png");
  EXPECT_EQ(Load("out/Shared.png").Pixels(), hero.Pixels());

  SelectMaterial("Hero");
  boxes.Answer(IDNO);
  QTest::mouseClick(Find<QPushButton>("ButtonDelete"), Qt::LeftButton);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, "Do you want to erase 'Hero.png'?");
  EXPECT_EQ(boxes.Boxes()[1].flags, 52);
  EXPECT_TRUE(Exists("proj/Picture/Hero.png"));
  boxes.Answer(IDYES);
  QTest::mouseClick(Find<QPushButton>("ButtonDelete"), Qt::LeftButton);
  EXPECT_FALSE(Exists("proj/Picture/Hero.png"));
  EXPECT_EQ(Materials(), QStringList({"Shared <RTP>"}));
  EXPECT_FALSE(Find<QPushButton>("ButtonDelete")->isEnabled());

  QTest::mouseClick(Find<QPushButton>("ButtonClose"), Qt::LeftButton);
  EXPECT_EQ(form->result(), mrCancel);
  EXPECT_EQ(Settings().ReadString("MaterialPath", ""), Path("out"));
  EXPECT_EQ(MaterialManagerMemory().FolderIndex, 10);
  char* cwd = getcwd(nullptr, 0);
  EXPECT_EQ(std::string(cwd), Path("proj"));
  free(cwd);
}

TEST_F(MaterialBase, AnImportHiddenByAnOlderFileSaysWhichFileHidesIt) {
  Save(DirectPicture(320, 160), "in/Sky.bmp");
  Save(DirectPicture(320, 160), "proj/Backdrop/Sky.bmp");
  Open();
  SelectFolder("Backdrop");
  Import("in/Sky.bmp");
  EXPECT_TRUE(Exists("proj/Backdrop/Sky.png"));
  EXPECT_TRUE(Exists("proj/Backdrop/Sky.bmp"));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_ICONINFORMATION);
  EXPECT_TRUE(boxes.Boxes()[0].text.contains("'Sky.bmp'")) << boxes.Boxes()[0].text.toStdString();
}

} // namespace

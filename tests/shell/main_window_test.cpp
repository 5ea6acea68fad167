#include "shell/form_xel_main.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include <QLabel>

#include "core/database.h"
#include "core/editor_mode.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "framework/controls/smart_splitter.h"
#include "framework/controls/window_placement.h"
#include "framework/harness/widget_harness.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"
#include "shell/map/chip_selector.h"
#include "shell/project_manager.h"
#include "shell/splash.h"
#include "shell_test_env.h"
#include <QFontMetrics>

namespace {

class MainWindow : public ShellTestEnv {
protected:
  std::string WorkingFolder() const {
    return Path("tmp/velmora-" + std::to_string(getuid()) + "/VELM_TEMP/");
  }
};

} // namespace

TEST_F(MainWindow, CreationBuildsTheWorkingSetAndDestructionTakesItDown) {
  TApplicationTagScope tag(0);
  Put("tmp/velmora-" + std::to_string(getuid()) + "/VELM_TEMP/Map0002.lmu", "left over");
  Settings().WriteBool("ShowTitleFlag", true);
  {
    TFormXelMain form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Velmora Studio "));
    EXPECT_EQ(MainForm(), &form);
    EXPECT_EQ(FormXelMain, &form);
    EXPECT_TRUE(IsEditorMode());
    EXPECT_NE(GlobalDataBase, nullptr);
    ASSERT_NE(form.MapTree, nullptr);
    ASSERT_NE(form.Map, nullptr);
    EXPECT_EQ(form.WorkingFolder, WorkingFolder());
    EXPECT_TRUE(FolderExists(WorkingFolder()));
    EXPECT_FALSE(FileExists(WorkingFolder() + "Map0002.lmu"));
    EXPECT_TRUE(form.FullScreenFlag);
    EXPECT_TRUE(form.ShowTitleFlag);
    EXPECT_EQ(form.width(), 800);
    ASSERT_NE(form.ProjectManager, nullptr);
    EXPECT_FALSE(form.ProjectManager->IsOpen);
    EXPECT_EQ(Settings().ReadString("ApplicationPath", ""), Path("prog/"));
    form.FullScreenFlag = false;
    form.setGeometry(20, 10, 740, 580);
  }
  EXPECT_EQ(GlobalDataBase, nullptr);
  EXPECT_EQ(FormXelMain, nullptr);
  EXPECT_FALSE(FolderExists(WorkingFolder()));
  EXPECT_FALSE(FullScreenOption.Get());
  EXPECT_TRUE(ShowTitleOption.Get());
  // The frame's corner: the offscreen platform draws a frame of 2 pixels.
  EXPECT_EQ(Settings().ReadString("FormXelMain_Placement", ""), "18,8,740,580,1");

  // The next start comes back where the last one ended.
  TFormXelMain next;
  EXPECT_EQ(next.geometry(), QRect(20, 10, 740, 580));
}

TEST_F(MainWindow, AWorkingFolderThatCannotBeMadeIsReported) {
  TApplicationTagScope tag(0);
  // A file where the private temporary folder belongs.
  Put("tmp/velmora-" + std::to_string(getuid()), "in the way");
  TScriptedMessageBoxes boxes;
  {
    TFormXelMain form;
    EXPECT_TRUE(form.WorkingFolder.empty());
  }
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  EXPECT_EQ(boxes.Boxes()[0].text.toStdString(),
            "The temporary folder " + Path("tmp/velmora-" + std::to_string(getuid())) +
                " is not private");
  // What was in the way is left alone at exit.
  EXPECT_EQ(Get("tmp/velmora-" + std::to_string(getuid())), "in the way");
}

TEST_F(MainWindow, TheLeftColumnHoldsThePaletteAboveTheMapTree) {
  TFormXelMain form;
  QTest::qWait(0);
  // Each docked window fills its place; the column has the palette's width.
  for (const auto& [place, name] :
       {std::pair{form.MapArea, "FormMapEditor"}, std::pair{form.Panel3, "FormChipSelector"},
        std::pair{form.Panel2, "FormMapTree"}}) {
    const auto* docked = place->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    ASSERT_NE(docked, nullptr) << name;
    EXPECT_EQ(docked->geometry(), place->rect()) << name;
  }
  EXPECT_EQ(form.Panel1->width(), TFormChipSelector().width());
  EXPECT_EQ(form.Panel1->x(), 0);
  EXPECT_GT(form.MapArea->x(), form.Panel1->width());
  EXPECT_LT(form.Panel3->y(), form.Splitter2->y());
  EXPECT_LT(form.Splitter2->y(), form.Panel2->y());
  EXPECT_EQ(form.Panel2->y() + form.Panel2->height(), form.Panel1->height());
  EXPECT_EQ(form.Splitter2->MinSize(), 52);
  EXPECT_FALSE(form.Splitter1->isEnabled());
}

TEST_F(MainWindow, TheHintPanelFitsTheLongestHintAsFarAsTheLeastWidthLeavesRoom) {
  TFormXelMain form;
  const QFontMetrics metrics = form.StatusBar->fontMetrics();
  int longest = 320;
  for (const QAction* action : form.actions())
    longest = std::max(longest, metrics.horizontalAdvance(LongHint(action->statusTip())) + 8);
  EXPECT_EQ(form.StatusPanels[0]->minimumWidth(), std::min(longest, 440));
  EXPECT_EQ(form.StatusPanels[0]->maximumWidth(), std::min(longest, 440));
}

TEST(DataModule, HoldsEveryToolGlyphWithItsDisabledTwin) {
  TDataModule1 module;
  EXPECT_EQ(module.ImageListEx1.Count(), ToolGlyphCount);
  EXPECT_EQ(module.ImageListEx2.Count(), ToolGlyphCount);
  EXPECT_EQ(module.ImageListEx1.DisabledImages, &module.ImageListEx2);
  // The mask colour is see-through.
  EXPECT_EQ(qAlpha(module.ImageListEx1.Image(tgToolPen).toImage().pixel(0, 15)), 0);
}

TEST_F(MainWindow, EveryActionsIconAndEveryCursorComesFromTheResources) {
  TDataModule1 module;
  DataModule1 = &module;
  {
    TFormXelMain form;
    int withIcon = 0;
    for (QAction* action : form.actions()) {
      if (!action->objectName().startsWith(QStringLiteral("Action_"))) continue;
      // Some pixel of the normal and of the disabled picture is drawn.
      for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        const QImage image = action->icon().pixmap(16, 16, mode).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << action->objectName().toStdString();
        bool drawn = false;
        for (int y = 0; y < 16 && !drawn; ++y)
          for (int x = 0; x < 16 && !drawn; ++x)
            drawn = qAlpha(image.pixel(x, y)) != 0;
        EXPECT_TRUE(drawn) << action->objectName().toStdString() << " mode " << mode;
      }
      ++withIcon;
    }
    // Every glyph up to the tools' is an action's; Play and Stop are dialog buttons'.
    EXPECT_GE(withIcon, tgToolFill + 1);
  }
  DataModule1 = nullptr;
  for (int glyph = 0; glyph < ToolGlyphCount; ++glyph)
    EXPECT_EQ(QImage(ToolGlyphResource(glyph)).size(), QSize(16, 16)) << glyph;
  for (int slot = 1; slot <= ScreenCursorSlots; ++slot) {
    EXPECT_EQ(QImage(CursorResource(slot)).size(), QSize(32, 32)) << slot;
    EXPECT_EQ(ScreenCursor(slot).pixmap().size(), QSize(32, 32)) << slot;
  }
  EXPECT_EQ(ProgramIconPixmap().size(), QSize(32, 32));
  EXPECT_EQ(FolderIconPixmap().size(), QSize(16, 16));
  EXPECT_EQ(SplashPicture().size(), QSize(512, 256));
}

TEST(Splash, TitleTextsShrinkToFitTheirBoxWithTheInstalledFonts) {
  QFont bold;
  bold.setBold(true);
  for (const auto& [text, box] : {std::pair{QStringLiteral("Velmora Studio"), QSize(320, 56)},
                                  std::pair{QString(12, 'W'), QSize(100, 20)}}) {
    const QFont font = FitFontToBox(bold, text, box, 40);
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(text), box.width()) << text.toStdString();
    EXPECT_LE(QFontMetrics(font).height(), box.height());
    EXPECT_TRUE(font.bold());
  }
}

TEST(Splash, HidesAtTheFirstTickAndLendsItsPictureToTheAboutBox) {
  TFormSplash splash;
  FormSplash = &splash;
  splash.show();
  EXPECT_EQ(splash.size(), QSize(512, 256));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 20000));
  TFormAboutBox about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Velmora Studio version info"));
  EXPECT_EQ(FindControl<QLabel>(&about, "ImageSplash")->pixmap().toImage(),
            splash.Picture().toImage());
  FormSplash = nullptr;
}

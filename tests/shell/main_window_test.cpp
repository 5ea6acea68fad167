#include "shell/form_xel_main.h"

#include <QLabel>

#include "core/database.h"
#include "core/editor_mode.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "framework/harness/widget_harness.h"
#include "framework/smart_splitter.h"
#include "framework/window_placement.h"
#include "shell/data_module.h"
#include "shell/project_manager.h"
#include "shell/shell_pictures.h"
#include "shell/splash.h"
#include "shell_test_env.h"

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
    form.setGeometry(20, 30, 760, 540);
  }
  EXPECT_EQ(GlobalDataBase, nullptr);
  EXPECT_EQ(FormXelMain, nullptr);
  EXPECT_FALSE(FolderExists(WorkingFolder()));
  EXPECT_FALSE(GetFullScreenFlag());
  EXPECT_TRUE(GetShowTitleFlag());
  // The frame's corner: the offscreen platform draws a frame of 2 pixels.
  EXPECT_EQ(Settings().ReadString("FormXelMain_Placement", ""), "18,28,760,540,1");

  // The next start comes back where the last one ended.
  TFormXelMain next;
  EXPECT_EQ(next.geometry(), QRect(20, 30, 760, 540));
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

TEST_F(MainWindow, TheLeftColumnHoldsThePalettePlaceAboveTheMapTreePlace) {
  TFormXelMain form;
  QTest::qWait(0);
  EXPECT_EQ(form.Panel1->width(), 214);
  EXPECT_EQ(form.Panel1->x(), 0);
  EXPECT_GT(form.MapArea->x(), form.Panel1->width());
  EXPECT_LT(form.Panel3->y(), form.Splitter2->y());
  EXPECT_LT(form.Splitter2->y(), form.Panel2->y());
  EXPECT_EQ(form.Panel2->y() + form.Panel2->height(), form.Panel1->height());
  EXPECT_EQ(form.Splitter2->MinSize(), 52);
  EXPECT_FALSE(form.Splitter1->isEnabled());
}

TEST(DataModule, HoldsEveryToolGlyphWithItsDisabledTwin) {
  TDataModule1 module;
  EXPECT_EQ(module.ImageListEx1.Count(), ToolGlyphCount);
  EXPECT_EQ(module.ImageListEx2.Count(), ToolGlyphCount);
  EXPECT_EQ(module.ImageListEx1.DisabledImages, &module.ImageListEx2);
  // The mask colour is see-through.
  EXPECT_EQ(qAlpha(module.ImageListEx1.Image(tgToolPen).toImage().pixel(0, 15)), 0);
}

TEST(Splash, HidesAtTheFirstTickAndLendsItsPictureToTheAboutBox) {
  TFormSplash splash;
  FormSplash = &splash;
  splash.show();
  EXPECT_EQ(splash.size(), QSize(512, 256));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 20000));
  TFormAboutBox about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Velmora Studio version info"));
  EXPECT_EQ(about.ImageSplash->pixmap().toImage(), splash.ImageSplash->pixmap().toImage());
  FormSplash = nullptr;
}

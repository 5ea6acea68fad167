// The project manager with test handlers for its three events, and its dialogs driven
// as the author would.
#include "shell/project_manager.h"

#include <QPushButton>
#include <QTreeWidget>

#include "core/errors.h"
#include "core/file_utils.h"
#include "core/project_path.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/folder_view.h"
#include "framework/harness/widget_harness.h"
#include "shell/project_dialogs.h"
#include "shell_test_env.h"

namespace {

class Projects : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    Mkdir("base");
    SetProjectBasePath(Path("base/"));
  }

  // The handlers the main window would give, recording what they saw.
  void Wire(TProjectManager& manager) {
    manager.OnCreateProject = [this](TProjectManager*, const std::string& title, bool& ok) {
      events.push_back("create " + title + " in " + ProjectPath);
      if (throwOnCreate) throw Exception("no room");
      Put("base/" + ExtractFileName(ProjectPath.substr(0, ProjectPath.size() - 1)) + "/KOVAX.exe",
          "runtime");
      ok = createOk;
    };
    manager.OnOpenProject = [this](TProjectManager*, bool& ok) {
      events.push_back("open " + ProjectPath + " at " + CurrentFolder());
      if (throwOnOpen) throw Exception("broken");
      ok = openOk;
    };
    manager.OnCloseProject = [this](TProjectManager*) { events.push_back("close " + ProjectPath); };
  }

  void MakeProject(const std::string& name, const std::string& title = "") {
    Put("base/" + name + "/KOVAX.exe", "runtime");
    if (!title.empty()) WriteGameTitle(Path("base/" + name), title);
  }

  std::vector<std::string> events;
  bool createOk = true, openOk = true, throwOnCreate = false, throwOnOpen = false;
};

QStringList ListedFolders(const TFormProjectOpen& dialog) {
  QStringList names;
  for (int i = 0; i < dialog.ListView1->topLevelItemCount(); ++i)
    names << dialog.ListView1->topLevelItem(i)->text(0) + "|" +
                 dialog.ListView1->topLevelItem(i)->text(1);
  names.sort();
  return names;
}

} // namespace

TEST_F(Projects, NewOpensAndCloseForgetsTheProject) {
  TProjectManager manager(nullptr);
  Wire(manager);
  Mkdir("base/Game");
  manager.NewProject("Game", "My Game");
  const std::string folder = Path("base/Game/");
  EXPECT_EQ(events, (std::vector<std::string>{"create My Game in " + folder,
                                              "open " + folder + " at " + folder}));
  EXPECT_TRUE(manager.IsOpen);
  EXPECT_EQ(ProjectPath, folder);
  EXPECT_EQ(manager.ProjectFolderName, "Game");
  EXPECT_EQ(CurrentFolder(), folder);
  EXPECT_EQ(GetOpenedProjectFolder(), "Game");

  // While one is open, neither another new one nor another opening does anything.
  manager.NewProject("Other", "x");
  manager.OpenProject("Other");
  EXPECT_EQ(events.size(), 2u);

  manager.CloseProject();
  EXPECT_EQ(events.back(), "close " + folder);
  EXPECT_FALSE(manager.IsOpen);
  EXPECT_EQ(ProjectPath, "");
  EXPECT_EQ(CurrentFolder(), Path("base/"));
  EXPECT_EQ(GetOpenedProjectFolder(), "");
}

TEST_F(Projects, TheLastOpenedProjectReopensOnTheNextStartUnlessItWasClosed) {
  MakeProject("Saga");
  {
    TProjectManager manager(nullptr);
    Wire(manager);
    manager.OpenProject("Saga");
    EXPECT_TRUE(manager.IsOpen);
  }
  ProjectPath.clear();
  TProjectManager next(nullptr);
  Wire(next);
  next.OpenLastProject();
  EXPECT_TRUE(next.IsOpen);
  EXPECT_EQ(ProjectPath, Path("base/Saga/"));
  next.CloseProject();

  TProjectManager third(nullptr);
  Wire(third);
  events.clear();
  third.OpenLastProject();
  EXPECT_FALSE(third.IsOpen);
  EXPECT_TRUE(events.empty());
}

TEST_F(Projects, AFailedOpeningLeavesNoProjectHalfSet) {
  MakeProject("Saga");
  TProjectManager manager(nullptr);
  Wire(manager);
  openOk = false;
  manager.OpenProject("Saga");
  EXPECT_FALSE(manager.IsOpen);
  EXPECT_EQ(ProjectPath, "");
  EXPECT_EQ(manager.ProjectFolderName, "");
  EXPECT_EQ(CurrentFolder(), Path("base/"));

  throwOnOpen = true;
  EXPECT_THROW(manager.OpenProject("Saga"), Exception);
  EXPECT_EQ(ProjectPath, "");
  EXPECT_EQ(CurrentFolder(), Path("base/"));

  // A folder that cannot be entered is quietly not opened; OpenLastProject swallows all.
  events.clear();
  manager.OpenProject("Missing");
  SetOpenedProjectFolder("Saga");
  manager.OpenLastProject();
  EXPECT_EQ(events.size(), 1u);
  EXPECT_FALSE(manager.IsOpen);
}

TEST_F(Projects, AFailedCreationRemovesTheHalfMadeFolder) {
  TProjectManager manager(nullptr);
  Wire(manager);
  for (const bool throwing : {false, true}) {
    Mkdir("base/Broken/Music");
    Put("base/Broken/.hidden", "x");
    createOk = throwing;
    throwOnCreate = throwing;
    try {
      manager.NewProject("Broken", "t");
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Project Making Failure");
    }
    EXPECT_FALSE(Exists("base/Broken"));
    EXPECT_TRUE(Exists("base"));
    EXPECT_EQ(ProjectPath, "");
    EXPECT_EQ(manager.ProjectFolderName, "");
    EXPECT_FALSE(manager.IsOpen);
  }
  // An empty name never takes the base folder with it.
  createOk = false;
  throwOnCreate = false;
  EXPECT_THROW(manager.NewProject("", "t"), Exception);
  EXPECT_TRUE(Exists("base"));
}

TEST_F(Projects, TheNewProjectDialogProposesAFreeNameAndMakesTheFolder) {
  Mkdir("base/Project1");
  Mkdir("base/Project2");
  TFormProjectNew dialog;
  ShowAndActivate(&dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create New Project"));
  EXPECT_EQ(dialog.OverEdit1->text(), QStringLiteral("Project3"));
  EXPECT_EQ(dialog.OverEdit2->text(), QStringLiteral("Untitled"));
  EXPECT_EQ(dialog.DashBox1->Text().toStdString(), Path("base/"));
  EXPECT_EQ(dialog.OverEdit1->maxLength(), 40);

  TScriptedMessageBoxes boxes;
  for (const char* bad : {"a/b", "a\\b", "a:b", "a?b", "a*b", "a<b", "a>b", "a|b", "a\"b"}) {
    dialog.OverEdit1->setText(QString::fromLatin1(bad));
    QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
  }
  dialog.OverEdit1->setText("Project2");
  QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
  ASSERT_EQ(boxes.Boxes().size(), 10u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            QStringLiteral("The character which can't be used for the folder name is contained"));
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  EXPECT_EQ(boxes.Boxes()[9].text, QStringLiteral("A project folder can't be made"));
  EXPECT_TRUE(dialog.isVisible());

  dialog.OverEdit1->setText(QString::fromUtf8("Héros"));
  dialog.OverEdit2->setText(QString::fromUtf8("Café"));
  QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_TRUE(FolderExists(Path("base/H\xC3\xA9ros")));
  EXPECT_EQ(dialog.FolderName, "H\xC3\xA9ros");
  EXPECT_EQ(dialog.Title, "Caf\xE9");
}

TEST_F(Projects, TheOpenDialogListsOnlyProjectsWithTheirTitles) {
  MakeProject("Alpha", "First Game");
  MakeProject("Beta");
  Put("base/Gamma/kovax.EXE", "runtime");
  Put("base/.Hidden/KOVAX.exe", "runtime");
  Put("base/NotAProject/KOVAX.ldb", "db");
  Put("base/Loose.txt", "x");
  TFormProjectOpen dialog;
  EXPECT_EQ(ListedFolders(dialog),
            QStringList({"Alpha|First Game", "Beta|Untitled", "Gamma|Untitled"}));
  ASSERT_NE(dialog.ListView1->currentItem(), nullptr);
  EXPECT_EQ(dialog.ListView1->currentItem(), dialog.ListView1->topLevelItem(0));
  EXPECT_TRUE(dialog.ListView1->currentItem()->isSelected());

  dialog.ListView1->setCurrentItem(dialog.FindItem("Beta"));
  QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(dialog.ChosenFolder, "Beta");
}

TEST_F(Projects, RenamingRefusesAnyExistingTargetAndRewritesTheTitle) {
  MakeProject("Alpha", "Old");
  Mkdir("base/Empty");
  TScriptedMessageBoxes boxes;
  {
    TFormProjectRename dialog(nullptr, Path("base"), "Alpha", "Old");
    EXPECT_EQ(dialog.OverEdit1->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(dialog.OverEdit2->text(), QStringLiteral("Old"));
    dialog.OverEdit1->setText("Empty");
    QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              QStringLiteral("The name change of the project folder can't be done"));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(Exists("base/Alpha/KOVAX.exe"));
    EXPECT_EQ(ReadGameTitle(Path("base/Alpha")), "Old");

    dialog.OverEdit1->setText("a:b");
    QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    EXPECT_EQ(boxes.Boxes().back().text,
              QStringLiteral("The character which can't be used for the folder name is contained"));

    // The same name with a new title only rewrites the title.
    dialog.OverEdit1->setText("Alpha");
    dialog.OverEdit2->setText("New");
    QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_EQ(ReadGameTitle(Path("base/Alpha")), "New");
  }
  TFormProjectOpen open;
  open.ListView1->setCurrentItem(open.FindItem("Alpha"));
  OnNextModal<TFormProjectRename>([](TFormProjectRename* rename) {
    rename->OverEdit1->setText("Omega");
    rename->OverEdit2->setText("Last");
    QTest::mouseClick(rename->ButtonOk, Qt::LeftButton);
  });
  open.ButtonRenameClick();
  EXPECT_FALSE(Exists("base/Alpha"));
  EXPECT_EQ(ReadGameTitle(Path("base/Omega")), "Last");
  ASSERT_NE(open.ListView1->currentItem(), nullptr);
  EXPECT_EQ(open.ListView1->currentItem()->text(0), QStringLiteral("Omega"));
  EXPECT_EQ(open.ListView1->currentItem()->text(1), QStringLiteral("Last"));
}

TEST_F(Projects, DeletingAsksFirstTakesHiddenFilesAndNeverFollowsLinks) {
  MakeProject("Doomed");
  Put("base/Doomed/.secret/.inner", "x");
  Put("outside/keep.txt", "keep");
  std::filesystem::create_directory_symlink(Path("outside"), Path("base/Doomed/Link"));
  TFormProjectOpen dialog;
  dialog.ListView1->setCurrentItem(dialog.FindItem("Doomed"));
  TScriptedMessageBoxes boxes;
  boxes.Answer(IDNO);
  dialog.ButtonDeleteClick();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(
      boxes.Boxes()[0].text,
      QStringLiteral("Delete 'Doomed'. A deleted project can't be restored again. Delete it?"));
  EXPECT_EQ(boxes.Boxes()[0].flags, 52);
  EXPECT_TRUE(Exists("base/Doomed/KOVAX.exe"));

  boxes.Answer(IDYES);
  dialog.ButtonDeleteClick();
  EXPECT_FALSE(Exists("base/Doomed"));
  EXPECT_EQ(Get("outside/keep.txt"), "keep");
  EXPECT_EQ(dialog.ListView1->topLevelItemCount(), 0);
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(Projects, TheBasePathDialogAcceptsOnlyAnExistingAbsoluteFolder) {
  Mkdir("chosen");
  TFormProjectBasePath dialog;
  dialog.Path = Path("chosen");
  ShowAndActivate(&dialog);
  EXPECT_EQ(dialog.Edit1->text().toStdString(), Path("chosen"));
  EXPECT_EQ(dialog.FolderView1->GetSelectedPath().toStdString(), Path("chosen"));
  EXPECT_TRUE(dialog.ButtonOk->isEnabled());
  dialog.FolderView1->SetSelectedPath(QString::fromStdString(Path("base")));
  EXPECT_EQ(dialog.Edit1->text().toStdString(), Path("base"));
  dialog.Edit1->setText("chosen");
  EXPECT_FALSE(dialog.ButtonOk->isEnabled());
  dialog.Edit1->setText(QString::fromStdString(Path("missing")));
  EXPECT_FALSE(dialog.ButtonOk->isEnabled());
  dialog.Edit1->setText(QString::fromStdString(Path("base/../chosen")));
  EXPECT_TRUE(dialog.ButtonOk->isEnabled());
  QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(dialog.Path, Path("chosen/"));
}

TEST_F(Projects, ChoosingAnotherBaseFolderInTheOpenDialogRefillsTheList) {
  MakeProject("Here");
  Put("elsewhere/There/KOVAX.exe", "runtime");
  TFormProjectOpen dialog;
  OnNextModal<TFormProjectBasePath>([this](TFormProjectBasePath* base) {
    base->Edit1->setText(QString::fromStdString(Path("elsewhere")));
    QTest::mouseClick(base->ButtonOk, Qt::LeftButton);
  });
  dialog.DashBox1Click();
  EXPECT_EQ(ListedFolders(dialog), QStringList({"There|Untitled"}));
  EXPECT_EQ(GetProjectBasePath(), Path("elsewhere/"));
  EXPECT_EQ(dialog.DashBox1->Text().toStdString(), Path("elsewhere/"));
}

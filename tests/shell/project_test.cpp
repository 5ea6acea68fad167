// The project manager with test handlers for its three events, and its dialogs driven
// as the author would.
#include "shell/project_manager.h"

#include <QLineEdit>
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
    ProjectBaseOption.Set(Path("base/"));
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

QTreeWidget* List(const QWidget* dialog) {
  return FindControl<QTreeWidget>(dialog, "ListView1");
}

QStringList ListedFolders(const QWidget* dialog) {
  QStringList names;
  for (int i = 0; i < List(dialog)->topLevelItemCount(); ++i)
    names << List(dialog)->topLevelItem(i)->text(0) + "|" + List(dialog)->topLevelItem(i)->text(1);
  return names;
}

// Makes the line of that folder the current one.
void Choose(const QWidget* dialog, const QString& folderName) {
  const auto items = List(dialog)->findItems(folderName, Qt::MatchExactly, 0);
  ASSERT_EQ(items.size(), 1);
  List(dialog)->setCurrentItem(items[0]);
}

TOverEdit* Edit(const QWidget* dialog, const char* name) {
  return FindControl<TOverEdit>(dialog, name);
}

void ClickOk(const QWidget* dialog) {
  QTest::mouseClick(FindControl<QPushButton>(dialog, "ButtonOk"), Qt::LeftButton);
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
  OpenedProjectOption.Set("Saga");
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
  EXPECT_EQ(Edit(&dialog, "OverEdit1")->text(), QStringLiteral("Project3"));
  EXPECT_EQ(Edit(&dialog, "OverEdit2")->text(), QStringLiteral("Untitled"));
  EXPECT_EQ(FindControl<TDashBox>(&dialog, "DashBox1")->Text().toStdString(), Path("base/"));
  EXPECT_EQ(Edit(&dialog, "OverEdit1")->maxLength(), 40);

  TScriptedMessageBoxes boxes;
  for (const char* bad : {"a/b", "a\\b", "a:b", "a?b", "a*b", "a<b", "a>b", "a|b", "a\"b", "   "}) {
    Edit(&dialog, "OverEdit1")->setText(QString::fromLatin1(bad));
    ClickOk(&dialog);
  }
  for (const char* taken : {"Project2", ""}) {
    Edit(&dialog, "OverEdit1")->setText(taken);
    ClickOk(&dialog);
  }
  ASSERT_EQ(boxes.Boxes().size(), 12u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            QStringLiteral("The character which can't be used for the folder name is contained"));
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  EXPECT_EQ(boxes.Boxes()[0].parent, &dialog);
  EXPECT_EQ(boxes.Boxes()[9].text, boxes.Boxes()[0].text); // blanks only
  EXPECT_EQ(boxes.Boxes()[10].text, QStringLiteral("A project folder can't be made"));
  EXPECT_EQ(boxes.Boxes()[11].text, QStringLiteral("A project folder can't be made"));
  EXPECT_TRUE(dialog.isVisible());

  Edit(&dialog, "OverEdit1")->setText(QString::fromUtf8("Héros"));
  Edit(&dialog, "OverEdit2")->setText(QString::fromUtf8("Café"));
  ClickOk(&dialog);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_TRUE(FolderExists(Path("base/H\xC3\xA9ros")));
  EXPECT_EQ(dialog.FolderName, "H\xC3\xA9ros");
  EXPECT_EQ(dialog.Title, "Caf\xE9");
}

TEST_F(Projects, TheOpenDialogListsOnlyProjectsWithTheirTitlesByName) {
  MakeProject("Alpha", "First Game");
  MakeProject("beta");
  Put("base/Gamma/kovax.EXE", "runtime");
  Put("base/.Hidden/KOVAX.exe", "runtime");
  Put("base/NotAProject/KOVAX.ldb", "db");
  Put("base/Loose.txt", "x");
  TFormProjectOpen dialog;
  EXPECT_EQ(ListedFolders(&dialog),
            QStringList({"Alpha|First Game", "beta|Untitled", "Gamma|Untitled"}));
  ASSERT_NE(List(&dialog)->currentItem(), nullptr);
  EXPECT_EQ(List(&dialog)->currentItem(), List(&dialog)->topLevelItem(0));
  EXPECT_TRUE(List(&dialog)->currentItem()->isSelected());

  Choose(&dialog, "beta");
  ClickOk(&dialog);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(dialog.ChosenFolder, "beta");
}

TEST_F(Projects, TheOpenDialogsColumnsFitOnFirstShow) {
  MakeProject("Quest One", "A Title");
  TFormProjectOpen dialog;
  ShowAndActivate(&dialog);
  QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  QTreeWidget* list = List(&dialog);
  // The folder name reads whole beside its icon; the title column ends at the list's edge.
  EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1), list->viewport()->width());
  const int shown = list->columnWidth(0);
  list->resizeColumnToContents(0);
  EXPECT_GE(shown, list->columnWidth(0));
}

TEST_F(Projects, RenamingRefusesAnyExistingTargetAndRewritesTheTitle) {
  MakeProject("Alpha", "Old");
  Mkdir("base/Empty");
  TScriptedMessageBoxes boxes;
  {
    TFormProjectRename dialog;
    dialog.BaseFolder = Path("base");
    dialog.OldName = "Alpha";
    dialog.Title = "Old";
    ShowAndActivate(&dialog);
    EXPECT_EQ(Edit(&dialog, "OverEdit1")->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(Edit(&dialog, "OverEdit2")->text(), QStringLiteral("Old"));
    for (const char* taken : {"Empty", ""}) {
      Edit(&dialog, "OverEdit1")->setText(taken);
      ClickOk(&dialog);
      EXPECT_EQ(boxes.Boxes().back().text,
                QStringLiteral("The name change of the project folder can't be done"));
    }
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Exists("base/Alpha/KOVAX.exe"));
    EXPECT_EQ(ReadGameTitle(Path("base/Alpha")), "Old");

    Edit(&dialog, "OverEdit1")->setText("a:b");
    ClickOk(&dialog);
    EXPECT_EQ(boxes.Boxes().back().text,
              QStringLiteral("The character which can't be used for the folder name is contained"));

    // The same name with a new title only rewrites the title.
    Edit(&dialog, "OverEdit1")->setText("Alpha");
    Edit(&dialog, "OverEdit2")->setText("New");
    ClickOk(&dialog);
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_EQ(ReadGameTitle(Path("base/Alpha")), "New");
  }
  TFormProjectOpen open;
  Choose(&open, "Alpha");
  OnNextModal<TFormProjectRename>([](TFormProjectRename* rename) {
    Edit(rename, "OverEdit1")->setText("Omega");
    Edit(rename, "OverEdit2")->setText("Last");
    ClickOk(rename);
  });
  open.ButtonRenameClick();
  EXPECT_FALSE(Exists("base/Alpha"));
  EXPECT_EQ(ReadGameTitle(Path("base/Omega")), "Last");
  ASSERT_NE(List(&open)->currentItem(), nullptr);
  EXPECT_EQ(List(&open)->currentItem()->text(0), QStringLiteral("Omega"));
  EXPECT_EQ(List(&open)->currentItem()->text(1), QStringLiteral("Last"));
}

TEST_F(Projects, DeletingAsksFirstTakesHiddenFilesAndNeverFollowsLinks) {
  MakeProject("Doomed");
  Put("base/Doomed/.secret/.inner", "x");
  Put("outside/keep.txt", "keep");
  std::filesystem::create_directory_symlink(Path("outside"), Path("base/Doomed/Link"));
  TFormProjectOpen dialog;
  Choose(&dialog, "Doomed");
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
  EXPECT_EQ(List(&dialog)->topLevelItemCount(), 0);
  EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(Projects, TheBasePathDialogAcceptsOnlyAnExistingAbsoluteFolder) {
  Mkdir("chosen");
  TFormProjectBasePath dialog;
  dialog.Path = Path("chosen");
  ShowAndActivate(&dialog);
  auto* edit = FindControl<QLineEdit>(&dialog, "Edit1");
  auto* folders = FindControl<TFolderView>(&dialog, "FolderView1");
  auto* ok = FindControl<QPushButton>(&dialog, "ButtonOk");
  EXPECT_EQ(edit->text().toStdString(), Path("chosen"));
  EXPECT_EQ(folders->GetSelectedPath().toStdString(), Path("chosen"));
  EXPECT_TRUE(ok->isEnabled());
  folders->SetSelectedPath(QString::fromStdString(Path("base")));
  EXPECT_EQ(edit->text().toStdString(), Path("base"));
  edit->setText("chosen");
  EXPECT_FALSE(ok->isEnabled());
  edit->setText(QString::fromStdString(Path("missing")));
  EXPECT_FALSE(ok->isEnabled());
  edit->setText(QString::fromStdString(Path("base/../chosen")));
  EXPECT_TRUE(ok->isEnabled());
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(dialog.Path, Path("chosen/"));
}

TEST_F(Projects, TheDiskPathDialogRefusesDiscsAndAbsentDrivesAndMakesMissingFolders) {
  Mkdir("cd");
  Mkdir("disks");
  TFormProjectDiskPath dialog;
  // A disc in a drive, and a stick whose mount point is gone.
  dialog.Mounts = [this] {
    return ParseMountTable("/dev/sr0 " + Path("cd") + " iso9660 ro 0 0\n/dev/sdz1 " +
                           Path("stick") + " vfat rw 0 0\n");
  };
  dialog.Path = Path("disks/");
  ShowAndActivate(&dialog);
  auto* edit = FindControl<QLineEdit>(&dialog, "Edit1");
  auto* ok = FindControl<QPushButton>(&dialog, "ButtonOk");
  EXPECT_EQ(dialog.windowTitle(), "Choose Disk Path");
  EXPECT_TRUE(ok->isEnabled());
  edit->setText("disks");
  EXPECT_FALSE(ok->isEnabled());

  TScriptedMessageBoxes boxes;
  const std::pair<const char*, const char*> refusals[] = {
      {"cd/game", "It can't be set up in the specified pass"}, {"stick/game", "Device not ready"}};
  for (const auto& [path, text] : refusals) {
    edit->setText(QString::fromStdString(Path(path)));
    ClickOk(&dialog);
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().back().text, text);
    EXPECT_EQ(boxes.Boxes().back().flags, MB_ICONHAND);
    EXPECT_TRUE(dialog.isVisible());
  }

  // A folder that does not exist yet is offered for making.
  edit->setText(QString::fromStdString(Path("disks/new game")));
  boxes.Answer(IDNO);
  ClickOk(&dialog);
  EXPECT_EQ(boxes.Boxes().back().text, "A folder doesn't exist. Create it?");
  EXPECT_FALSE(Exists("disks/new game"));
  boxes.Answer(IDYES);
  ClickOk(&dialog);
  EXPECT_TRUE(FolderExists(Path("disks/new game")));
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(dialog.Path, Path("disks/new game/"));
}

TEST_F(Projects, TheDiskPathDialogSaysWhenTheFolderCannotBeMade) {
  Put("plain", "a file, not a folder");
  TFormProjectDiskPath dialog;
  dialog.Path = Path("plain/sub");
  ShowAndActivate(&dialog);
  TScriptedMessageBoxes boxes;
  boxes.Answer(IDYES);
  ClickOk(&dialog);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, "A folder couldn't be made");
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(Projects, ChoosingAnotherBaseFolderInTheOpenDialogRefillsTheList) {
  MakeProject("Here");
  Put("elsewhere/There/KOVAX.exe", "runtime");
  TFormProjectOpen dialog;
  OnNextModal<TFormProjectBasePath>([this](TFormProjectBasePath* base) {
    FindControl<QLineEdit>(base, "Edit1")->setText(QString::fromStdString(Path("elsewhere")));
    ClickOk(base);
  });
  dialog.DashBox1Click();
  EXPECT_EQ(ListedFolders(&dialog), QStringList({"There|Untitled"}));
  EXPECT_EQ(GetProjectBasePath(), Path("elsewhere/"));
  EXPECT_EQ(FindControl<TDashBox>(&dialog, "DashBox1")->Text().toStdString(), Path("elsewhere/"));
}

TEST_F(Projects, TheManagerAsksThroughTheDialogsItIsGiven) {
  TProjectManager manager(nullptr);
  Wire(manager);
  manager.ShowNewProjectDialog(); // nobody to ask: nothing happens
  EXPECT_TRUE(events.empty());
  manager.QueryNewProject = [this](TProjectManager*, std::string& folder, std::string& title) {
    Mkdir("base/Asked");
    folder = "Asked";
    title = "Answered";
    return true;
  };
  manager.ShowNewProjectDialog();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], "create Answered in " + Path("base/Asked/"));
  EXPECT_TRUE(manager.IsOpen);
}

// The main window with projects: making, opening and closing them, what its actions
// allow meanwhile, the save questions and test plays.
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolTip>
#include <filesystem>
#include <sstream>

#include "core/database.h"
#include "core/database_generator.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/hero_records.h"
#include "core/map.h"
#include "core/map_edit_engine.h"
#include "core/map_tree.h"
#include "core/sound_library.h"
#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "platform/runtime/runtime_log.h"
#include "shell/form_xel_main.h"
#include "shell/map/chip_selector.h"
#include "shell/map/form_map_tree.h"
#include "shell/map/map_editor.h"
#include "shell/map/map_event_operations.h"
#include "shell/map/map_read_ahead.h"
#include "shell/project_manager.h"
#include "shell_test_env.h"

namespace fs = std::filesystem;

namespace {

class MainWindowProjects : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    Mkdir(BaseName);
    ProjectBaseOption.Set(Path(BaseName + "/"));
    for (const char* name : {"KOVAX.exe.dat", "KOVAX.ldb.dat"})
      fs::copy_file(std::string(VELMORA_PROGRAM_DIR) + "/" + name,
                    Path(std::string("prog/") + name));
  }

  std::string Project(const std::string& file = "") const { return BaseName + "/Game/" + file; }
  void Create(TFormXelMain& form, const std::string& folder = "Game") {
    Mkdir(BaseName + "/" + folder);
    form.ProjectManager->NewProject(folder, "Untitled");
  }
  // The map's only change: one stroke of the pen.
  static void Stroke(TFormXelMain& form) {
    TMapEditEngine engine;
    engine.SetMap(form.Map.get());
    engine.SetMode(emUpperLayer);
    engine.Pen().SetCell(0, 0, 10005);
    engine.BeginStroke({3, 4}, {0, 0});
    engine.PutPen(3, 4);
    engine.EndStroke();
  }
  // An action as the author runs it: enabled by the idle update first.
  static void Execute(TFormXelMain& form, QAction* action) {
    form.ActionList1Update();
    action->trigger();
  }
  static std::vector<std::string> Enabled(TFormXelMain& form) {
    form.ActionList1Update();
    std::vector<std::string> names;
    for (const QAction* action : form.findChildren<QAction*>(Qt::FindDirectChildrenOnly))
      if (action->isEnabled() && action->objectName().startsWith("Action_"))
        names.push_back(action->objectName().toStdString());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string BaseName = "base";
  TApplicationTagScope tag{0};
  TScriptedMessageBoxes boxes;
};

// Chunk helpers for the golden files below: a chunk is its id, its length and its bytes
// (ids and lengths here are below 128, so one byte each, except the layers').
std::string Chunk(int id, const std::string& payload) {
  return std::string(1, char(id)) + char(payload.size()) + payload;
}
std::string Str(const std::string& text) {
  return std::string(1, char(text.size())) + text;
}
const std::string Z(1, '\0');

// An integer field's chunk is its id, the count of its 7-bit groups (also the chunk's
// length) and the groups.
//
// A map tree entry (the record of its list, after its Id): Name (1), Depth (3, only when
// not 0), Kind (4, fixed byte), MusicMode (11), Music (12: the record of FileName "(OFF)"
// and its end), BackgroundMode (21), TeleportMode (31), EscapeMode (32), SaveMode (33), the
// empty encounter list (41: count 0), EncounterSteps at its default 25 (left out), AreaRect
// (51: 16 zero bytes), the end. Fixed fields, records and lists are always written.
std::string TreeEntry(const std::string& name, int depth, char kind, char modes,
                      bool expanded = false) {
  std::string bytes = Chunk(1, name);
  if (depth) bytes += Chunk(3, std::string(1, char(depth)));
  bytes += Chunk(4, std::string(1, kind));
  if (expanded) bytes += Chunk(7, "\x01");
  bytes += Chunk(11, std::string(1, modes));
  bytes += Chunk(12, Chunk(1, "(OFF)") + Z);
  for (int id : {21, 31, 32, 33})
    bytes += Chunk(id, std::string(1, modes));
  return bytes + Chunk(41, Z) + Chunk(51, std::string(16, '\0')) + Z;
}

// "KOVAX.lmt" of a fresh project: the header string, the list (count 2; Id 0 the root
// "Untitled" at depth 0 with modes 0; Id 1 "MAP0001" at depth 1, kind 1, modes 1), the order
// (count 2: 0, 1), the active map 1 and the start positions all at 0 (the empty record).
// 11 + 1 + (1 + 60) + (1 + 62) + 3 + 1 + 1 = 141 bytes.
// Once shown in the tree, the root is kept expanded (Expanded, 7), as the author sees it.
std::string FreshTree(bool shown = false) {
  return Str("XelMapTree") + "\x02" + Z + TreeEntry("Untitled", 0, 0, 0, shown) + "\x01" +
         TreeEntry("MAP0001", 1, 1, 1) + "\x02" + Z + "\x01" + "\x01" + Z;
}

// "Map0001.lmu": the header string, Width 100 (2) and Height 100 (3), ScrollType (11), the lower
// layer (71: 20,000 bytes of tile 0, length 0x81 0x9C 0x20), the upper layer (72: tile 10000 =
// 0x2710, little-endian), the empty event list (81), SaveCount 2 (91: the working copy, then the
// project copy) and the end. ChipSetId 1 is the default. 11 + 3 + 3 + 3 + 20,004 + 20,004 + 3 + 3 +
// 1 = 40,035 bytes.
std::string FreshMap() {
  std::string upper;
  for (int i = 0; i < 10000; ++i)
    upper += "\x10\x27";
  const std::string length = "\x81\x9C\x20";
  return Str("XelMapUnit") + Chunk(2, "\x64") + Chunk(3, "\x64") + Chunk(11, Z) + "\x47" + length +
         std::string(20000, '\0') + "\x48" + length + upper + Chunk(81, Z) + Chunk(91, "\x02") + Z;
}

} // namespace

TEST_F(MainWindowProjects, ANewProjectGetsItsFoldersTemplatesTitleTreeAndFirstMap) {
  TFormXelMain form;
  Create(form);
  ASSERT_TRUE(form.ProjectManager->IsOpen);
  for (const char* folder :
       {"Backdrop", "Battle", "CharSet", "ChipSet", "FaceSet", "GameOver", "Monster", "Movie",
        "Music", "Panorama", "Picture", "Sound", "System", "Title"})
    EXPECT_TRUE(FolderExists(Path(Project(folder)))) << folder;
  EXPECT_EQ(Get(Project("KOVAX.exe")), Get("prog/KOVAX.exe.dat"));
  EXPECT_EQ(fs::status(Path(Project("KOVAX.exe"))).permissions() & fs::perms::all, fs::perms(0755));
  EXPECT_EQ(Get(Project("KOVAX.ldb")), Get("prog/KOVAX.ldb.dat"));
  EXPECT_EQ(ReadGameTitle(Path(Project())), "Untitled");
  EXPECT_EQ(FreshTree().size(), 141u);
  EXPECT_EQ(Get(Project("KOVAX.lmt")), FreshTree());
  EXPECT_EQ(FreshMap().size(), 40035u);
  EXPECT_EQ(Get(Project("Map0001.lmu")), FreshMap());

  // A start set in one project is not carried into the next one.
  form.MapTree->StartPosition.SetMapId(0, 1);
  form.MapTree->StartPosition.SetX(0, 5);
  Execute(form, form.Action_ProjectClose);
  EXPECT_NE(Get(Project("KOVAX.lmt")), FreshTree());
  Create(form, "Next");
  EXPECT_EQ(Get(BaseName + "/Next/KOVAX.lmt"), FreshTree());
}

TEST_F(MainWindowProjects, AProjectThatCannotBeLaidOutIsRemovedAndReported) {
  // A missing template, and a template that the project's file already is (the program
  // folder taken as the projects' base): neither is copied, and nothing stays.
  for (const std::string row : {"missing", "itself"}) {
    TFormXelMain form;
    Mkdir(Project());
    if (row == "missing")
      fs::remove(Path("prog/KOVAX.ldb.dat"));
    else
      fs::create_symlink(Path("prog/KOVAX.exe.dat"), Path(Project("KOVAX.exe")));
    try {
      form.ProjectManager->NewProject("Game", "Untitled");
      ADD_FAILURE() << row;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Project Making Failure") << row;
    }
    EXPECT_FALSE(Exists(Project())) << row;
    EXPECT_FALSE(form.ProjectManager->IsOpen) << row;
  }
  EXPECT_GT(Get("prog/KOVAX.exe.dat").size(), 0u);
}

TEST_F(MainWindowProjects, OpeningRestoresTheModeAndZoomAndAlwaysTakesThePen) {
  TFormXelMain form;
  Create(form);
  Execute(form, form.Action_ProjectClose);
  struct Row {
    std::string ini;
    QAction* mode;
    QAction* zoom;
    const char* status;
    int editorMode;
    int cellSize;
  };
  const Row rows[] = {
      {"[KOVAX]\r\nMapEditMode=2\r\nMapEditZoom=3\r\n", form.Action_MapModeEvent,
       form.Action_MapScale4, "Event editing mode", emEvents, 4},
      {"[KOVAX]\r\nMapEditMode=1\r\nMapEditZoom=1\r\n", form.Action_MapModeLayer2,
       form.Action_MapScale2, "Upper Layer editing mode", emUpperLayer, 16},
      {"", form.Action_MapModeLayer1, form.Action_MapScale1, "Lower Layer editing mode",
       emLowerLayer, 32},
  };
  auto* editor = dynamic_cast<TFormMapEditor*>(form.MapEditor);
  ASSERT_NE(editor, nullptr);
  for (const Row& row : rows) {
    if (row.ini.empty())
      fs::remove(Path(Project("KOVAX.ini")));
    else
      Put(Project("KOVAX.ini"), row.ini);
    form.Action_MapToolSelect->setChecked(true);
    form.ProjectManager->OpenProject("Game");
    ASSERT_TRUE(form.ProjectManager->IsOpen) << row.status;
    EXPECT_TRUE(row.mode->isChecked()) << row.status;
    EXPECT_TRUE(row.zoom->isChecked()) << row.status;
    EXPECT_EQ(form.StatusPanels[1]->text().toStdString(), row.status);
    EXPECT_TRUE(form.Action_MapToolPen->isChecked()) << row.status;
    EXPECT_EQ(editor->EditMode(), row.editorMode);
    EXPECT_EQ(editor->Scale(), row.cellSize);
    EXPECT_EQ(editor->EditTool(), etPen);
    Execute(form, form.Action_ProjectClose);
    EXPECT_EQ(form.EditMode, emNoMap);
  }
  // What the last row found is written back at its close.
  EXPECT_EQ(Get(Project("KOVAX.ini")), "[KOVAX]\r\nMapEditMode=0\r\nMapEditZoom=0\r\n");
}

TEST_F(MainWindowProjects, TheLastProjectsReadAheadIsTakenOnlyWhileTheFilesAreUnchanged) {
  {
    TFormXelMain form;
    Create(form);
    GlobalDataBase->Items().GetOrCreate(1)->Name = "Tonic";
    GlobalDataBase->SaveProjectDataBase();
    form.Map->LowerLayer.SetCell(2, 3, 1234);
    form.Map->SaveProjectMap(1);
  }
  ProjectPath.clear();
  const std::string file = Path(Project("KOVAX.ldb"));
  const std::string mapFile = Path(Project("Map0001.lmu"));
  for (const bool rewritten : {false, true}) {
    TDataBaseReadAhead readAhead;
    DataBaseReadAhead = &readAhead;
    TMapReadAhead mapReadAhead(LastProjectFolder());
    MapReadAhead = &mapReadAhead;
    readAhead.Wait();
    mapReadAhead.Wait();
    if (rewritten) {
      TXelDataBase writer(TXelDataBase::TUnpublished{});
      writer.LoadDataBaseFileStrict(file);
      writer.Items().GetItemById(1)->Name = "Elixir";
      writer.SaveDataBaseFile(file);
      TXelMap map;
      map.LoadFromFileStrict(mapFile);
      map.LowerLayer.SetCell(2, 3, 1500);
      map.SaveToFile(mapFile);
    }
    {
      TFormXelMain form;
      ASSERT_TRUE(form.ProjectManager->IsOpen);
      EXPECT_EQ(GlobalDataBase->Items().GetItemById(1)->Name, rewritten ? "Elixir" : "Tonic");
      EXPECT_EQ(ItemList, &GlobalDataBase->Items());
      EXPECT_EQ(GlobalDataBase->CachedStamp(), GetFileStamp(file));
      EXPECT_EQ(form.Map->Id, 1);
      EXPECT_EQ(form.Map->LowerLayer.GetCell(2, 3), rewritten ? 1500 : 1234);
    }
    // Taken once at most.
    TXelDataBase again(TXelDataBase::TUnpublished{});
    EXPECT_FALSE(readAhead.TakeInto(again, file));
    TXelMap mapAgain;
    EXPECT_FALSE(mapReadAhead.TakeInto(mapAgain, 1, ProjectMapPath(1)));
    DataBaseReadAhead = nullptr;
    MapReadAhead = nullptr;
    ProjectPath.clear();
  }
  // Taken only as the map and from the file that were read.
  TXelMap taken;
  EXPECT_FALSE(TMapReadAhead(LastProjectFolder()).TakeInto(taken, 2, mapFile));
  EXPECT_TRUE(TMapReadAhead(LastProjectFolder()).TakeInto(taken, 1, mapFile));
  EXPECT_EQ(taken.LowerLayer.GetCell(2, 3), 1500);
}

TEST_F(MainWindowProjects, AProjectWithABrokenTreeIsClosedAgainAndNothingOfItIsSaved) {
  {
    TFormXelMain form;
    Create(form);
    Execute(form, form.Action_MapModeEvent);
    Execute(form, form.Action_ProjectClose);
  }
  Put(Project("KOVAX.lmt"), "broken");
  const std::string ini = Get(Project("KOVAX.ini"));
  TFormXelMain form;
  form.ProjectManager->QueryOpenProject = [](TProjectManager*, std::string& folder) {
    folder = "Game";
    return true;
  };
  form.ActionList1Update();
  Execute(form, form.Action_ProjectOpen);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Error in KOVAX.lmt, the Map Tree file. This project is "
                                   "probably protected, and can't be read");
  EXPECT_TRUE(ProjectPath.empty());
  EXPECT_FALSE(form.ProjectManager->IsOpen);
  EXPECT_EQ(form.EditMode, emNoMap);
  EXPECT_FALSE(form.MapTree->HasItems());
  EXPECT_TRUE(form.StatusPanels[1]->text().isEmpty());
  EXPECT_EQ(Enabled(form),
            (std::vector<std::string>{"Action_Exit", "Action_HelpAbout", "Action_HelpContents",
                                      "Action_ProjectNew", "Action_ProjectOpen"}));
  EXPECT_TRUE(form.close());
  EXPECT_EQ(Get(Project("KOVAX.lmt")), "broken");
  EXPECT_EQ(Get(Project("KOVAX.ini")), ini);
}

// Opening says which database file failed to load and why, and that database is not saved
// over its file. What saves cut short left beside the files goes; the author's files stay.
TEST_F(MainWindowProjects, OpeningReportsADamagedDataBaseAndDropsStaleTemporaryFiles) {
  TFormXelMain form;
  Create(form);
  Execute(form, form.Action_ProjectClose);
  const std::string good = Get(Project("KOVAX.ldb"));
  const std::string damaged = DamageTable(good, 14);
  Put(Project("KOVAX.ldb"), damaged);
  Put(Project(".KOVAX.ldb.tmp4242-0-17"), "cut short");
  Put(Project(".KOVAX.ldb.tmp.old"), "the author's");
  form.ProjectManager->OpenProject("Game");
  ASSERT_TRUE(form.ProjectManager->IsOpen);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text.toStdString(), GlobalDataBase->LastLoadError());
  EXPECT_EQ(GlobalDataBase->LastLoadError().rfind("KOVAX.ldb could not be read completely;", 0),
            0u);
  EXPECT_THROW(GlobalDataBase->SaveProjectDataBase(), Exception);
  EXPECT_EQ(Get(Project("KOVAX.ldb")), damaged);
  EXPECT_FALSE(Exists(Project(".KOVAX.ldb.tmp4242-0-17")));
  EXPECT_EQ(Get(Project(".KOVAX.ldb.tmp.old")), "the author's");

  // Mended outside the editor: the next opening reads it whole and saves it again.
  Execute(form, form.Action_ProjectClose);
  Put(Project("KOVAX.ldb"), good);
  form.ProjectManager->OpenProject("Game");
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  GlobalDataBase->SaveProjectDataBase();
}

TEST_F(MainWindowProjects, ActionsFollowTheProjectTheModeAndTheMapChanges) {
  TFormXelMain form;
  Create(form);
  // The idle update alone follows the new project.
  QEventLoop idle;
  QTimer::singleShot(20, &idle, &QEventLoop::quit);
  idle.exec();
  EXPECT_TRUE(form.Action_ProjectClose->isEnabled());
  EXPECT_FALSE(form.Action_ProjectNew->isEnabled());
  const std::vector<std::string> open = Enabled(form);
  EXPECT_EQ(open.size(), 24u); // all but New, Open, Save, Revert and Undo
  for (const char* name : {"Action_ProjectNew", "Action_MapSave", "Action_MapToolUndo"})
    EXPECT_EQ(std::count(open.begin(), open.end(), name), 0) << name;

  // F7: event mode, where no map tool works.
  ShowAndActivate(&form);
  QTest::keyClick(&form, Qt::Key_F7);
  EXPECT_TRUE(form.Action_MapModeEvent->isChecked());
  const std::vector<std::string> events = Enabled(form);
  EXPECT_EQ(events.size(), 18u);
  EXPECT_EQ(std::count(events.begin(), events.end(), "Action_MapToolPen"), 0);

  Stroke(form);
  const std::vector<std::string> changed = Enabled(form);
  EXPECT_EQ(std::count(changed.begin(), changed.end(), "Action_MapSave"), 1);
  EXPECT_EQ(std::count(changed.begin(), changed.end(), "Action_MapRevert"), 1);
  // The editor's own zoom (its zoom tool) moves the check marks along.
  for (const auto& [size, zoom] :
       {std::pair{8, form.Action_MapScale3}, std::pair{4, form.Action_MapScale4},
        std::pair{32, form.Action_MapScale1}}) {
    form.MapEditorScaleChanged(size);
    EXPECT_TRUE(zoom->isChecked()) << size;
  }

  boxes.Answer(IDNO);
  Execute(form, form.Action_MapRevert);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Discard all changes. Ok?");
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_YESNO | MB_ICONQUESTION);
  EXPECT_TRUE(form.Map->Modified);
}

TEST_F(MainWindowProjects, ClosingRewritesTheTreeAndKeepsModeAndZoomEvenWhenCancelled) {
  {
    TFormXelMain form;
    Create(form);
    Execute(form, form.Action_MapScale3);
    Put(Project("KOVAX.lmt"), "stale");
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Get(Project("KOVAX.lmt")), FreshTree(true));
    EXPECT_EQ(Get(Project("KOVAX.ini")),
              "[KOVAX]\r\nGameTitle=Untitled\r\nMapEditMode=0\r\nMapEditZoom=2\r\n");
  }
  TFormXelMain form;
  ShowAndActivate(&form);
  ASSERT_TRUE(form.ProjectManager->IsOpen); // the last project comes back
  Execute(form, form.Action_MapModeLayer2);
  Stroke(form);
  boxes.Answer(IDCANCEL);
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Maps were changed. Save them?");
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  EXPECT_EQ(Get(Project("KOVAX.ini")),
            "[KOVAX]\r\nGameTitle=Untitled\r\nMapEditMode=1\r\nMapEditZoom=2\r\n");

  // A project that cannot be written: the failures are shown and the editor still closes.
  form.Map->Modified = false;
  for (const char* file : {"KOVAX.lmt", "KOVAX.ini"}) {
    fs::remove(Path(Project(file)));
    Mkdir(Project(file) + "/in the way");
  }
  EXPECT_TRUE(form.close());
  EXPECT_EQ(boxes.Boxes().size(), 3u);
}

TEST_F(MainWindowProjects, TheStatusBarShowsTheCellTheMapAndTheLongHint) {
  TFormXelMain form;
  Create(form);
  // The map's name shows as soon as the map is chosen, before the mouse comes by.
  EXPECT_EQ(form.StatusPanels[2]->text().toStdString(), " MAP0001");
  for (const auto& [cell, text] :
       {std::pair{QPoint(5, 7), "(005,007) MAP0001"},
        std::pair{QPoint(99, 99), "(099,099) MAP0001"}, std::pair{QPoint(100, 7), " MAP0001"},
        std::pair{QPoint(3, -1), " MAP0001"}}) {
    form.MapEditorCursorMoved(cell);
    EXPECT_EQ(form.StatusPanels[2]->text().toStdString(), text);
  }
  QStatusTipEvent tip(form.Action_ToolDataBase->statusTip());
  QApplication::sendEvent(&form, &tip);
  EXPECT_EQ(form.StatusPanels[0]->text(), " there are hero and data such as item editors.");
  EXPECT_TRUE(form.StatusBar->currentMessage().isEmpty());
  EXPECT_EQ(form.Action_ToolDataBase->toolTip(), "A data base ");
  // The panel holds the whole hint.
  EXPECT_GE(form.StatusPanels[0]->width(),
            form.StatusPanels[0]->fontMetrics().horizontalAdvance(form.StatusPanels[0]->text()));
  // A hint longer than the panel shows whole in its tool tip.
  QStatusTipEvent longTip(form.Action_ProjectPack->statusTip());
  QApplication::sendEvent(&form, &longTip);
  const QLabel* panel = form.StatusPanels[0];
  const bool fits =
      panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width();
  EXPECT_FALSE(fits);
  EXPECT_EQ(panel->toolTip(), panel->text());
  // The hint goes when the mouse leaves the tool bar.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(form.ToolBar1, &leave);
  EXPECT_TRUE(form.StatusPanels[0]->text().isEmpty());

  // While another window drags, neither its hints nor tool tips show.
  ShowAndActivate(&form);
  QWidget* button = form.ToolBar1->widgetForAction(form.Action_ProjectNew);
  auto toolTip = [button] {
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(button, &help);
    return QToolTip::isVisible();
  };
  QWidget other;
  other.show();
  other.grabMouse();
  QStatusTipEvent drag(QStringLiteral("Select Tool"));
  QApplication::sendEvent(&form, &drag);
  EXPECT_NE(form.StatusPanels[0]->text(), "Select Tool");
  EXPECT_FALSE(toolTip());
  other.releaseMouse();
  EXPECT_TRUE(toolTip());
  // The platform hides a resting hint after some seconds; here no timer of the hint
  // window ends it within the hour: it goes only when the mouse moves away.
  QWidget* hint = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->inherits("QTipLabel") && window->isVisible()) hint = window;
  ASSERT_NE(hint, nullptr);
  for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(hint))
    EXPECT_GT(timer.interval, 3600 * 1000);
  QToolTip::hideText();

  // F1 without help pages: the message, not silence.
  Execute(form, form.Action_HelpContents);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Help is not installed. This editor comes without help pages.");
}

namespace {

// The docked windows of a new project's window, and the mouse on their canvases at cells.
// The event operations come from the events library, which this program does not link: the
// status bar only asks them for the name on a cell.
class TNamingOperations : public TMapEventOperations {
public:
  void SetMap(TXelMapTree*, TXelMap*) override {}
  std::string NameAt(int x, int y) override { return x == 5 && y == 7 ? "Door" : ""; }
  void EditAt(int, int, int) override {}
  void CutAt(int, int) override {}
  void CopyAt(int, int) override {}
  void PasteAt(int, int) override {}
  void DeleteAt(int, int) override {}
  void NewTeleportEvent(int, int) override {}
  void SetPartyStart(int, int) override {}
  void SetVehicleStart(int, int) override {}
};

class MainWindowDocks : public MainWindowProjects {
protected:
  void SetUp() override {
    MainWindowProjects::SetUp();
    InstallMapEventOperations([](QWidget*) { return std::make_unique<TNamingOperations>(); });
    form = std::make_unique<TFormXelMain>();
    Create(*form);
    ShowAndActivate(form.get());
    editor = dynamic_cast<TFormMapEditor*>(form->MapEditor);
    palette = dynamic_cast<TFormChipSelector*>(form->ChipSelector);
    ASSERT_TRUE(editor && palette);
    canvas = FindControl<QWidget>(editor, "PaintBox");
    paletteBox = FindControl<QWidget>(palette, "PaintBox");
  }
  void TearDown() override {
    form.reset();
    InstallMapEventOperations(nullptr);
    MainWindowProjects::TearDown();
  }
  static QPoint At(int x, int y) { return QPoint(x * 32 + 16, y * 32 + 16); }
  // Moves count only once the canvas has shown the last one.
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    canvas->repaint();
    QTest::mouseMove(canvas, At(x, y));
    QTest::mouseClick(canvas, button, {}, At(x, y));
    canvas->repaint();
  }
  // A drag on the palette from cell (0, Top) to cell (Right, Bottom).
  void PaletteDrag(int top, int right, int bottom) {
    QTest::mousePress(paletteBox, Qt::LeftButton, {}, At(0, top));
    palette->Timer1Timer();
    QTest::mouseMove(paletteBox, At(right, bottom));
    QTest::mouseRelease(paletteBox, Qt::LeftButton, {}, At(right, bottom));
  }
  int Lower(int x, int y) const { return form->Map->LowerLayer.GetCell(x, y); }

  std::unique_ptr<TFormXelMain> form;
  TFormMapEditor* editor = nullptr;
  TFormChipSelector* palette = nullptr;
  QWidget* canvas = nullptr;
  QWidget* paletteBox = nullptr;
};

} // namespace

TEST_F(MainWindowDocks, TheWindowsPassTheirCallBacksOnThroughTheMainWindow) {
  // The tree's selection named the map and loaded it into the editor; the column fits the
  // palette.
  EXPECT_EQ(form->MapName, "MAP0001");
  EXPECT_EQ(editor->Painter().Map(), form->Map.get());
  EXPECT_EQ(form->Panel1->width(), palette->width());

  // A 2 x 2 block from the palette's plain chips becomes the pen, and a stroke with it.
  PaletteDrag(3, 1, 4);
  const TXelCurrentChip& pen = editor->Engine().Pen();
  ASSERT_EQ(pen.Width(), 2);
  ASSERT_EQ(pen.Height(), 2);
  EXPECT_EQ(pen.GetCell(0, 0), 5000);
  EXPECT_EQ(pen.GetCell(1, 1), 5007);
  Click(5, 7);
  EXPECT_EQ(Lower(5, 7), 5000);
  EXPECT_EQ(Lower(6, 8), 5007);
  const std::vector<std::string> enabled = Enabled(*form);
  for (const char* name : {"Action_MapSave", "Action_MapRevert", "Action_MapToolUndo"})
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), name), 1) << name;
  EXPECT_EQ(form->StatusPanels[2]->text(), "(005,007) MAP0001");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(canvas, &leave);
  EXPECT_EQ(form->StatusPanels[2]->text(), " MAP0001");

  // A pick of one cell selects its palette cell; a pick of two clears the selection.
  Click(6, 8, Qt::RightButton);
  EXPECT_EQ(palette->GetSelection(), Bounds(1, 4, 1, 1));
  QTest::mousePress(canvas, Qt::RightButton, {}, At(5, 7));
  editor->TriggerTimerTimer();
  QTest::mouseMove(canvas, At(6, 7));
  QTest::mouseRelease(canvas, Qt::RightButton, {}, At(6, 7));
  EXPECT_TRUE(palette->GetSelection().IsEmpty());

  // The right double click switches the layer: the action, its page and status follow.
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(At(2, 2)),
                    canvas->mapToGlobal(QPointF(At(2, 2))), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(canvas, &twice);
  EXPECT_TRUE(form->Action_MapModeLayer2->isChecked());
  EXPECT_EQ(palette->Page(), emUpperLayer);
  EXPECT_TRUE(palette->GetSelection().IsEmpty());
  EXPECT_EQ(form->StatusPanels[1]->text(), "Upper Layer editing mode");

  // Undo follows the editor's count.
  Execute(*form, form->Action_MapModeLayer1);
  Execute(*form, form->Action_MapToolUndo);
  EXPECT_EQ(Lower(5, 7), 0);
  form->ActionList1Update();
  EXPECT_FALSE(form->Action_MapToolUndo->isEnabled());

  // A reload the tree asks to keep the view keeps the editor's scroll position once; the
  // next one goes to the map's kept view position.
  FindControl<TScrollFrame>(editor, "MapFrame")->ScrollBy(96, 64);
  const TPoint scrolled = editor->ScrollPos();
  ASSERT_NE(scrolled, (TPoint{0, 0}));
  form->MapTree->GetActiveItem()->ViewX = form->MapTree->GetActiveItem()->ViewY = 0;
  form->MapTreeWindow->KeepView = true;
  form->MapTreeWindow->OnMapSelected(form->MapTreeWindow);
  EXPECT_EQ(editor->ScrollPos(), scrolled);
  EXPECT_FALSE(form->MapTreeWindow->KeepView);
  form->MapTreeWindow->OnMapSelected(form->MapTreeWindow);
  EXPECT_EQ(editor->ScrollPos(), (TPoint{0, 0}));

  // In event mode the name of what stands on the cell follows the map's.
  Execute(*form, form->Action_MapModeEvent);
  Click(5, 7);
  EXPECT_EQ(form->StatusPanels[2]->text(), "(005,007) MAP0001 Door");
  Click(6, 7);
  EXPECT_EQ(form->StatusPanels[2]->text(), "(006,007) MAP0001 ");
}

TEST_F(MainWindowDocks, DeactivationEndsTheStrokeAndThePaletteDrag) {
  QWidget other;
  QTest::mousePress(canvas, Qt::LeftButton, {}, At(3, 3));
  ASSERT_EQ(editor->UndoCount(), 0);
  ShowAndActivate(&other);
  EXPECT_EQ(editor->UndoCount(), 1);
  QTest::mouseMove(canvas, At(8, 5));
  EXPECT_EQ(Lower(8, 5), 0);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, At(8, 5));

  ShowAndActivate(form.get());
  QTest::mousePress(paletteBox, Qt::LeftButton, {}, At(0, 3));
  ASSERT_TRUE(palette->Dragging());
  ShowAndActivate(&other);
  EXPECT_FALSE(palette->Dragging());
  EXPECT_EQ(editor->Engine().Pen().GetCell(0, 0), 5000);
}

TEST_F(MainWindowDocks, SaveWritesTheMapsAndRevertTakesBackTheRest) {
  PaletteDrag(3, 0, 3);
  Click(5, 7);
  Execute(*form, form->Action_MapSave);
  EXPECT_FALSE(form->IsMapsModified());
  EXPECT_EQ(editor->UndoCount(), 0);
  EXPECT_NE(Get(Project("Map0001.lmu")), FreshMap());

  Click(8, 5);
  boxes.Answer(IDYES);
  form->StatusPanels[2]->clear();
  Execute(*form, form->Action_MapRevert);
  EXPECT_EQ(boxes.Boxes().back().text, "Discard all changes. Ok?");
  EXPECT_EQ(Lower(8, 5), 0);
  EXPECT_EQ(Lower(5, 7), 5000);
  EXPECT_FALSE(form->IsMapsModified());
  EXPECT_EQ(editor->UndoCount(), 0);
  // The status bar names the map again without the mouse moving, and a pasted map at once.
  EXPECT_EQ(form->StatusPanels[2]->text(), "(008,005) MAP0001");
  auto* tree = dynamic_cast<TFormMapTree*>(form->MapTreeWindow);
  ASSERT_NE(tree, nullptr);
  tree->MenuCopyClick();
  tree->MenuPasteClick();
  EXPECT_EQ(form->StatusPanels[2]->text(), "(008,005) MAP0002");
}

TEST_F(MainWindowProjects, AFailedAllocationEndsTheRunAndOtherErrorsDoNot) {
  TFormXelMain form;
  Create(form);
  form.ActionList1Update();
  for (const bool memory : {false, true}) {
    MainWindowTools().MusicSelector = [memory](QWidget*) {
      if (memory) throw std::bad_alloc();
      throw Exception("broken");
    };
    QEventLoop loop;
    QTimer::singleShot(0, [&] { Execute(form, form.Action_ToolSelectMusic); });
    QTimer::singleShot(300, &loop, [&] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), memory ? 1 : 7);
    EXPECT_EQ(boxes.Boxes().back().text.toStdString(), memory ? "It is short of memory" : "broken");
    EXPECT_EQ(boxes.Boxes().back().flags, 16);
  }
  MainWindowTools().MusicSelector = nullptr;
  // The run goes on in the later tests: a loop of the application's own clears the end.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

namespace {

// Test plays with the stand-in runtime and the sound library's recording backend, in a
// projects folder whose name has blanks.
class MainWindowTestPlay : public MainWindowProjects {
protected:
  void SetUp() override {
    BaseName = "my games";
    MainWindowProjects::SetUp();
    ASSERT_TRUE(LoadSoundLibrary(fs::path(TUNARA_LIBRARY).parent_path().string()));
    setenv("VELMORA_SOUND_LOG", Path("sound.log").c_str(), 1);
    setenv("VELMORA_RUNTIME_LOG", Path("runtime.log").c_str(), 1);
    setenv("VELMORA_RUNTIME_EXIT_MS", "50", 1);
  }
  void TearDown() override {
    FreeSoundLibrary();
    for (const char* name : {"VELMORA_SOUND_LOG", "VELMORA_RUNTIME_LOG", "VELMORA_RUNTIME_EXIT_MS"})
      unsetenv(name);
    MainWindowProjects::TearDown();
  }
  // The sound calls since the last look.
  std::string SoundCalls() {
    const std::string log = Get("sound.log");
    std::string calls = log.substr(soundSeen_);
    soundSeen_ = log.size();
    return calls;
  }
  std::vector<std::vector<std::string>> Runs() {
    std::vector<std::vector<std::string>> runs;
    std::istringstream in(Get("runtime.log"));
    for (std::string line; std::getline(in, line);)
      runs.push_back(ParseRuntimeLogLine(line));
    return runs;
  }

private:
  size_t soundSeen_ = 0;
};

} // namespace

TEST_F(MainWindowTestPlay, RunsTheProjectsRuntimeWithoutTheEditorsSound) {
  TFormXelMain form;
  Create(form);
  ShowAndActivate(&form);
  form.ActionList1Update();
  SoundCalls();
  const std::string sequence = "TunaraRelease()\nTunaraCreate()\nTunaraInitWave()\n";
  Execute(form, form.Action_GameTestPlay);
  EXPECT_EQ(SoundCalls(), sequence);
  Execute(form, form.Action_GameFullScreen);
  Execute(form, form.Action_GameShowTitle);
  Execute(form, form.Action_GameTestPlay);
  EXPECT_EQ(SoundCalls(), sequence);
  const std::string folder = Path(Project());
  const std::vector<std::vector<std::string>> expected = {
      {folder.substr(0, folder.size() - 1), folder + "KOVAX.exe", "TestPlay", "HideTitle",
       "FullScreen"},
      {folder.substr(0, folder.size() - 1), folder + "KOVAX.exe", "TestPlay", "ShowTitle",
       "Window"}};
  EXPECT_EQ(Runs(), expected);
  EXPECT_TRUE(boxes.Boxes().empty());

  // Declining to save starts nothing and leaves the sound alone.
  Stroke(form);
  boxes.Answer(IDNO);
  Execute(form, form.Action_GameTestPlay);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_EQ(SoundCalls(), "");
  EXPECT_EQ(Runs().size(), 2u);
  form.Map->Modified = false;

  // Without a runtime: the error box, and the sound comes back all the same.
  fs::remove(Path(Project("KOVAX.exe")));
  Execute(form, form.Action_GameTestPlay);
  EXPECT_EQ(boxes.Boxes().back().text, "Initialization failed. Test play impossible");
  EXPECT_EQ(boxes.Boxes().back().flags, 16);
  EXPECT_EQ(SoundCalls(), sequence);
}

TEST_F(MainWindowTestPlay, ExitReleasesTheSoundOnce) {
  {
    TFormXelMain form;
    Create(form);
    ShowAndActivate(&form);
    SoundCalls();
    form.close();
  }
  EXPECT_EQ(SoundCalls(), "TunaraRelease()\n");
}

#include "shell/form_xel_main.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QActionGroup>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolTip>
#include <cstdio>
#include <sys/stat.h>

#include "core/atomic_file.h"
#include "core/busy_cursor.h"
#include "core/char_set_graphic.h"
#include "core/current_chip.h"
#include "core/database.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/map.h"
#include "core/map_edit_engine.h"
#include "core/map_tree.h"
#include "core/material_folders.h"
#include "core/music_playback.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "framework/controls/align_layout.h"
#include "framework/controls/form_arranger.h"
#include "framework/controls/help.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/smart_splitter.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/error_guard.h"
#include "shell/common/shell_pictures.h"
#include "shell/map/chip_selector.h"
#include "shell/map/form_map_tree.h"
#include "shell/map/map_editor.h"
#include "shell/map/map_read_ahead.h"
#include "shell/process_wait.h"
#include "shell/project_dialogs.h"
#include "shell/project_manager.h"
#include "shell/project_pack.h"
#include "shell/shell_messages.h"
#include "shell/splash.h"

TFormXelMain* FormXelMain = nullptr;

namespace {

constexpr int MainFormWidth = 800;
constexpr int LeftColumnWidth = 214;
constexpr int MapTreeHeight = 164;
constexpr int MapTreeMinHeight = 52;
constexpr int MinimumWidth = 720;
constexpr int MinimumHeight = 573;
const char* const ModeTexts[] = {SLowerLayerMode, SUpperLayerMode, SEventMode};
// Milliseconds a resting hint stays: in effect until the mouse moves away.
constexpr int HintHidePause = 2147483000; // whole seconds: Qt rounds long timers up

// Copies a template beside the program into the project, with the permission bits the
// project file needs. A file is never copied onto itself (the program folder may be the
// projects base folder); false when nothing was copied.
bool CopyTemplate(const std::string& source, const std::string& target, mode_t mode) {
  try {
    if (!CopyFileReplacing(source, target)) return false;
  } catch (const std::exception&) {
    return false;
  }
  return chmod(target.c_str(), mode) == 0;
}

// A docked window filling its place.
template <class TWindow> TWindow* FillPlace(QWidget* place) {
  auto* window = new TWindow(place);
  (new TAlignLayout(place))->AddControl(window, alClient);
  return window;
}

QWidget* AddPanel(QWidget* parent, const char* name) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

// A global, not made on first use, so its hooks are listed before anyone installs them.
TMainWindowTools tools;

} // namespace

TMainWindowTools& MainWindowTools() {
  return tools;
}

std::string CursorStatusText(int x, int y, int mapWidth, int mapHeight,
                             const std::string& mapName) {
  std::string text;
  if (x >= 0 && y >= 0 && x < mapWidth && y < mapHeight) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "(%.3d,%.3d)", x, y);
    text = cell;
  }
  return text + " " + mapName;
}

QStringList TestPlayArguments(bool showTitle, bool fullScreen) {
  return {QStringLiteral("TestPlay"),
          showTitle ? QStringLiteral("ShowTitle") : QStringLiteral("HideTitle"),
          fullScreen ? QStringLiteral("FullScreen") : QStringLiteral("Window")};
}

TFormXelMain::TFormXelMain(QWidget* parent) : QMainWindow(parent), TFormXelCommon(this, 0) {
  setObjectName(QStringLiteral("FormXelMain"));
  FormCreate();
}

TFormXelMain::~TFormXelMain() {
  FormDestroy();
}

void TFormXelMain::CreateLayout() {
  auto* client = AddPanel(this, "ClientPanel");
  auto* layout = new TAlignLayout(client);
  Panel1 = AddPanel(client, "Panel1");
  Panel1->resize(LeftColumnWidth, Panel1->height());
  layout->AddControl(Panel1, alLeft);
  Splitter1 = new TSmartSplitter(client, alLeft);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  // The column keeps the palette's width: this splitter neither drags nor rescales it.
  Splitter1->setEnabled(false);
  Splitter1->SetAutoResize(false);
  layout->AddControl(Splitter1, alLeft);
  MapArea = AddPanel(client, "MapArea");
  // Drawn first of the panels, which lie side by side: the map takes longest, and the
  // server's answers that the tree's drawing waits for are ready by the time it is done.
  MapArea->lower();
  layout->AddControl(MapArea, alClient);

  auto* column = new TAlignLayout(Panel1);
  Panel2 = AddPanel(Panel1, "Panel2");
  Panel2->resize(Panel2->width(), MapTreeHeight);
  column->AddControl(Panel2, alBottom);
  Splitter2 = new TSmartSplitter(Panel1, alBottom);
  Splitter2->setObjectName(QStringLiteral("Splitter2"));
  Splitter2->SetMinSize(MapTreeMinHeight);
  Splitter2->SetPercentage(50.0);
  column->AddControl(Splitter2, alBottom);
  Panel3 = AddPanel(Panel1, "Panel3");
  column->AddControl(Panel3, alClient);
  setCentralWidget(client);
  setMinimumSize(MinimumWidth, MinimumHeight);
}

void TFormXelMain::FormCreate() {
  FormXelMain = this;
  SetMainForm(this);
  setWindowTitle(ApplicationTitle());
  setWindowIcon(ProgramIcon());
  QToolTip::setFont(QFont(QStringLiteral("Arial")));
  CreateLayout();
  CreateActions();
  CreateMenus();
  CreateToolBars();
  CreateStatusBar();
  SetApplicationTag(EditorModeTag);
  CreateSoundOutput();
  GlobalDataBase = new TXelDataBase();
  MakeWorkingFolder();
  MapTree = std::make_unique<TXelMapTree>();
  Map = std::make_unique<TXelMap>();
  CreateDockedWindows();
  FullScreenFlag = FullScreenOption.Get();
  Action_GameFullScreen->setChecked(FullScreenFlag);
  ShowTitleFlag = ShowTitleOption.Get();
  Action_GameShowTitle->setChecked(ShowTitleFlag);
  resize(MainFormWidth, height());
  FormArranger = new TFormArranger(this);
  FormArranger->KeyName = "Orvane\\VELMORA";
  FormArranger->Restore(true);
  MapEditorSizeChanged();
  ProjectManager = std::make_unique<TProjectManager>(this);
  ProjectManager->OnCreateProject = [this](TProjectManager* sender, const std::string& title,
                                           bool& ok) { CreateProjectFiles(sender, title, ok); };
  ProjectManager->OnOpenProject = [this](TProjectManager* sender, bool& ok) {
    ProjectOpened(sender, ok);
  };
  ProjectManager->OnCloseProject = [this](TProjectManager* sender) { ProjectClosing(sender); };
  WireProjectDialogs();
  // Out of memory there is no safe way on: the box, then an orderly end of the run.
  SetOutOfMemoryHandler([] { QCoreApplication::exit(1); });
  qApp->installEventFilter(this);
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    On(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &TFormXelMain::ActionList1Update);
  ProjectManager->OpenLastProject();
  // A database or map read ahead for a project that did not open is not kept for the run.
  if (DataBaseReadAhead) DataBaseReadAhead->Discard();
  if (MapReadAhead) MapReadAhead->Discard();
  show();
  if (windowState() == Qt::WindowNoState) KeepFormOnScreen(this);
}

void TFormXelMain::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QMainWindow::keyPressEvent(event);
}

void TFormXelMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  HandleShow(event);
  ActionList1Update();
}

void TFormXelMain::WireProjectDialogs() {
  ProjectManager->QueryNewProject = [this](TProjectManager*, std::string& folderName,
                                           std::string& title) {
    TFormProjectNew dialog(this);
    if (!dialog.Execute()) return false;
    folderName = dialog.FolderName;
    title = dialog.Title;
    return true;
  };
  ProjectManager->QueryOpenProject = [this](TProjectManager*, std::string& folderName) {
    TFormProjectOpen dialog(this);
    if (!dialog.Execute()) return false;
    folderName = dialog.ChosenFolder;
    return true;
  };
  ProjectManager->GameDiskDialog = [this](TProjectManager*) {
    TFormProjectPack dialog(this);
    dialog.Execute();
  };
}

void TFormXelMain::MakeWorkingFolder() {
  // Working copies of maps left by an earlier run are never taken for this run's.
  try {
    const std::string folder = GetWorkingFolder();
    if (!DeleteFolderTree(folder)) throw EFileError(FileMessage(SCannotCreateFolder, folder));
    ForceDirectories(folder, 0700);
    WorkingFolder = folder;
  } catch (...) {
    ShowCurrentException(this);
  }
}

void TFormXelMain::FormDestroy() noexcept {
  qApp->removeEventFilter(this);
  SetOutOfMemoryHandler(nullptr);
  ReleaseSoundOutput();
  ProjectManager.reset();
  if (!WorkingFolder.empty()) DeleteFolderTree(WorkingFolder);
  Map.reset();
  MapTree.reset();
  delete GlobalDataBase;
  GlobalDataBase = nullptr;
  try {
    FormArranger->Save();
    FullScreenOption.Set(FullScreenFlag);
    ShowTitleOption.Set(ShowTitleFlag);
  } catch (...) {
    // Settings that cannot be written at exit are simply not kept.
  }
  if (MainForm() == this) SetMainForm(nullptr);
  if (FormXelMain == this) FormXelMain = nullptr;
}

// --- docking ---

void TFormXelMain::CreateDockedWindows() {
  auto* editor = FillPlace<TFormMapEditor>(MapArea);
  editor->SetMapTree(MapTree.get());
  editor->SetMap(Map.get());
  DockMapEditor(editor);
  editor->show();

  auto* palette = FillPlace<TFormChipSelector>(Panel3);
  palette->SetMap(Map.get());
  DockChipSelector(palette);
  palette->show();

  auto* tree = FillPlace<TFormMapTree>(Panel2);
  tree->SetMapTree(MapTree.get());
  tree->SetMap(Map.get());
  DockMapTree(tree);
  tree->show();
}

void TFormXelMain::DockMapEditor(TMapEditorDock* editor) {
  MapEditor = editor;
  editor->OnSizeChanged = [this](TMapEditorDock*) { MapEditorSizeChanged(); };
  editor->OnCursorMoved = [this](TMapEditorDock*, QPoint cell) { MapEditorCursorMoved(cell); };
  editor->OnPickedFromMap = [this](TMapEditorDock*) { MapEditorPickedFromMap(); };
  editor->OnLayerSwitchWanted = [this](TMapEditorDock*) { MapEditorLayerSwitchWanted(); };
  editor->OnScaleChanged = [this](TMapEditorDock*, int size) { MapEditorScaleChanged(size); };
}

void TFormXelMain::DockChipSelector(TChipSelectorDock* selector) {
  ChipSelector = selector;
  selector->OnSelectionMade = [this](TChipSelectorDock*) { ChipSelectorSelectionMade(); };
  Panel1->resize(selector->PaletteWidth(), Panel1->height());
}

void TFormXelMain::DockMapTree(TMapTreeDock* tree) {
  MapTreeWindow = tree;
  tree->OnMapSelected = [this](TMapTreeDock*) { MapTreeMapSelected(); };
}

void TFormXelMain::MapEditorSizeChanged() {
  if (!MapEditor || !MapTreeWindow) return;
  const QSize size = MapEditor->VisibleClientSize();
  MapTreeWindow->SetEditorClientSize(size.width(), size.height());
}

void TFormXelMain::MapEditorCursorMoved(QPoint cell) {
  CursorCell = cell;
  std::string text = CursorStatusText(cell.x(), cell.y(), Map->Width(), Map->Height(), MapName);
  // Appended piece by piece: `" " + name` into a temporary trips a false -Wrestrict in
  // optimised builds of g++ 12.
  if (MapEditor && MapEditor->EditMode() == 2)
    text.append(" ").append(MapEditor->EventNameAt(cell));
  StatusPanels[2]->setText(ToQString(text));
  StatusPanels[2]->repaint();
}

void TFormXelMain::MapEditorPickedFromMap() {
  if (!MapEditor || !ChipSelector) return;
  const TXelCurrentChip& pen = MapEditor->Pen();
  if (pen.Width() == 1 && pen.Height() == 1)
    ChipSelector->SelectTile(pen.GetCell(0, 0));
  else
    ChipSelector->ClearSelection();
}

void TFormXelMain::MapEditorLayerSwitchWanted() {
  if (!MapEditor) return;
  QAction* action = MapEditor->EditMode() == emLowerLayer   ? Action_MapModeLayer1
                    : MapEditor->EditMode() == emUpperLayer ? Action_MapModeLayer2
                                                            : nullptr;
  if (action) {
    action->setEnabled(true);
    action->trigger();
  }
  if (ChipSelector) ChipSelector->ClearSelection();
}

void TFormXelMain::MapEditorScaleChanged(int cellSize) {
  for (QAction* action : ScaleGroup->actions())
    if ((32 >> (action->data().toInt() - 1)) == cellSize) action->setChecked(true);
}

void TFormXelMain::ChipSelectorSelectionMade() {
  if (!MapEditor || !ChipSelector) return;
  if (ChipSelector->SelectedBlock(MapEditor->Pen())) MapEditor->PenChanged();
}

void TFormXelMain::MapTreeMapSelected() {
  const TXelMapTreeItem* active = MapTree->FindById(MapTree->ActiveId);
  MapName.clear();
  if (active && active->Kind == mkMap) MapName = active->Name;
  if (active && active->Kind == mkArea)
    if (const TXelMapTreeItem* parent = MapTree->FindById(active->ParentId)) MapName = parent->Name;
  const bool keepView = MapTreeWindow && MapTreeWindow->KeepView;
  if (MapEditor) MapEditor->MapLoaded(keepView);
  if (MapTreeWindow) MapTreeWindow->KeepView = false;
  if (ChipSelector) ChipSelector->ReloadPalette();
  // The name shows at once, not only when the mouse next crosses the canvas.
  MapEditorCursorMoved(CursorCell);
}

// --- the state the actions follow ---

bool TFormXelMain::IsMapsModified() const {
  return MapTreeWindow->IsMapsModified();
}

int TFormXelMain::ScaleIndex() const {
  const QAction* checked = ScaleGroup->checkedAction();
  return checked ? checked->data().toInt() - 1 : 0;
}

void TFormXelMain::ActionList1Update() {
  const bool open = ProjectManager && ProjectManager->IsOpen;
  Action_ProjectNew->setEnabled(!open);
  Action_ProjectOpen->setEnabled(!open);
  for (QAction* action :
       {Action_ProjectClose, Action_ProjectPack, Action_ToolDataBase, Action_ToolMaterial,
        Action_ToolSelectMusic, Action_GameTestPlay, Action_GameFullScreen, Action_GameShowTitle})
    action->setEnabled(open);
  // Action by action: an action of a disabled group could not be enabled on its own.
  for (QActionGroup* group : {ModeGroup, ScaleGroup})
    for (QAction* action : group->actions())
      action->setEnabled(open);
  const bool modified = open && IsMapsModified();
  Action_MapSave->setEnabled(modified);
  Action_MapRevert->setEnabled(modified);
  Action_MapToolUndo->setEnabled(open && MapEditor && MapEditor->UndoCount() > 0);
  for (QAction* action : ToolGroup->actions())
    action->setEnabled(open && (EditMode == emLowerLayer || EditMode == emUpperLayer));
  Action_HelpContents->setEnabled(true);
  Action_HelpAbout->setEnabled(true);
}

// --- saving ---

bool TFormXelMain::QuerySaveBeforeRun() {
  if (!IsMapsModified()) return true;
  if (ShowMessageBox(QString::fromLatin1(SMapsChangedQuery), MB_YESNO | MB_ICONEXCLAMATION, this) !=
      IDYES)
    return false;
  Action_MapSaveExecute();
  return !IsMapsModified();
}

bool TFormXelMain::QuerySaveMaps() {
  if (!ProjectManager->IsOpen) return true;
  // Only a failed save of changed maps keeps the editor open: what merely keeps the
  // author's place (the tree's order, the mode and zoom) is reported and the close goes on,
  // so a project that cannot be written never traps the editor.
  bool goOn = true;
  if (!IsMapsModified()) {
    GuardHandler(this, [this] { MapTree->SaveMapTree(); });
  } else {
    const int answer = ShowMessageBox(QString::fromLatin1(SMapsChangedQuery),
                                      MB_YESNOCANCEL | MB_ICONEXCLAMATION, this);
    if (answer == IDYES) GuardHandler(this, [this] { Action_MapSaveExecute(); });
    goOn = answer == IDNO || (answer == IDYES && !IsMapsModified());
  }
  GuardHandler(this, [this] {
    MapEditModeOption.Set(EditMode);
    MapEditZoomOption.Set(ScaleIndex());
  });
  return goOn;
}

void TFormXelMain::Action_MapSaveExecute() {
  TBusyCursor busy;
  if (MapTreeWindow) MapTreeWindow->SaveMaps();
  if (MapEditor) MapEditor->ResetUndo();
}

void TFormXelMain::Action_MapRevertExecute() {
  if (ShowMessageBox(QString::fromLatin1(SDiscardChangesQuery), MB_YESNO | MB_ICONQUESTION, this) !=
      IDYES)
    return;
  if (MapEditor) MapEditor->DropSelection();
  if (MapTreeWindow) MapTreeWindow->LoadMapTreeView();
  if (MapEditor) {
    MapEditor->ResetUndo();
    MapEditor->MapLoaded(false);
  }
}

// --- modes and tools ---

void TFormXelMain::Action_MapModeExecute(QAction* action) {
  TBusyCursor busy;
  EditMode = action->data().toInt() - 1;
  if (MapEditor) MapEditor->SetEditMode(EditMode);
  if (ChipSelector) ChipSelector->ShowPage(EditMode);
  StatusPanels[1]->setText(QString::fromLatin1(ModeTexts[EditMode]));
  if (EditMode == emEvents && MapEditor) MapEditor->ResetUndo();
  action->setChecked(true);
}

void TFormXelMain::Action_MapScaleExecute(QAction* action) {
  TBusyCursor busy;
  if (MapEditor) MapEditor->SetScale(32 >> (action->data().toInt() - 1));
  action->setChecked(true);
}

void TFormXelMain::Action_MapToolExecute(QAction* action) {
  if (MapEditor) MapEditor->SetEditTool(action->data().toInt() - 1);
  action->setChecked(true);
}

void TFormXelMain::Action_MapToolUndoExecute() {
  if (MapEditor) MapEditor->UndoLast();
}

// --- projects ---

void TFormXelMain::Action_ProjectCloseExecute() {
  if (QuerySaveMaps()) ProjectManager->CloseProject();
}

void TFormXelMain::Action_ProjectPackExecute() {
  if (!QuerySaveBeforeRun()) return;
  ActionList1Update();
  ProjectManager->ShowGameDiskDialog();
}

void TFormXelMain::CreateProjectFiles(TProjectManager*, const std::string& title, bool& ok) {
  ok = false;
  for (const char* folder : MaterialFolderNames)
    if (mkdir((ProjectPath + folder).c_str(), 0755) != 0) return;
  const std::string program = GetProgramFolder();
  ok = CopyTemplate(program + "KOVAX.exe.dat", ProjectPath + "KOVAX.exe", 0755) &&
       CopyTemplate(program + "KOVAX.ldb.dat", ProjectPath + "KOVAX.ldb", 0644);
  if (!ok) return;
  WriteGameTitle(ProjectPath, title);
  MapTree->Clear();
  TXelMapTreeItem* root = MapTree->AddMap(0, 0);
  root->Kind = mkRoot;
  root->Name = title;
  MapTree->ActiveId = 0;
  MapTree->SaveMapTree();
  TXelMapTreeItem* first = MapTree->AddMap(0, 1);
  first->Kind = mkMap;
  first->Name = "MAP0001";
  first->MusicMode = first->BackgroundMode = first->TeleportMode = 1;
  first->EscapeMode = first->SaveMode = 1;
  first->EncounterSteps = 25;
  first->Changed = true;
  Map->Clear();
  Map->SetWidth(100);
  Map->SetHeight(100);
  Map->SaveTempMap(1);
  MapTree->ActiveId = 1;
  MapTree->SaveMapTree();
}

void TFormXelMain::ProjectOpened(TProjectManager*, bool& ok) {
  try {
    repaint();
    if (TXelCharSetGraphic* charSets = Map->Graphics().CharSetGraphic()) charSets->Clear();
    const bool dataBaseRead = (DataBaseReadAhead && DataBaseReadAhead->TakeInto(
                                                        *GlobalDataBase, ProjectDataBaseFile())) ||
                              GlobalDataBase->LoadProjectDataBase();
    MapTreeWindow->LoadMapTreeView();
    if (ChipSelector) ChipSelector->ResetPalette();
    const int mode = MapEditModeOption.Get(), zoom = MapEditZoomOption.Get();
    for (QActionGroup* group : {ModeGroup, ScaleGroup})
      for (QAction* action : group->actions())
        action->setEnabled(true);
    (mode == 1   ? Action_MapModeLayer2
     : mode == 2 ? Action_MapModeEvent
                 : Action_MapModeLayer1)
        ->trigger();
    (zoom == 1   ? Action_MapScale2
     : zoom == 2 ? Action_MapScale3
     : zoom == 3 ? Action_MapScale4
                 : Action_MapScale1)
        ->trigger();
    Action_MapToolPen->setEnabled(true);
    Action_MapToolPen->trigger();
    // The project opens to show what was read, but the author must know that the
    // database is incomplete and will not be saved.
    if (!dataBaseRead) ShowErrorBox(ToQString(GlobalDataBase->LastLoadError()), this);
  } catch (...) {
    // Nothing of a project that did not open may stay in the editor, to be saved later.
    ProjectClosing(nullptr);
    throw;
  }
  ok = true;
}

void TFormXelMain::ProjectClosing(TProjectManager*) {
  GlobalDataBase->Reset();
  MapTreeWindow->ClearTree();
  EditMode = emNoMap;
  if (MapEditor) MapEditor->SetEditMode(emNoMap);
  if (ChipSelector) ChipSelector->ShowPage(emNoMap);
  Map->ClearChipSetGraphic();
  MapName.clear();
  StatusPanels[1]->clear();
  StatusPanels[2]->clear();
}

// --- tools of other subsystems ---

void TFormXelMain::ReloadAfterTool(bool charSets) {
  ActionList1Update();
  Map->ReloadChipSet();
  if (charSets) {
    if (TXelCharSetGraphic* cache = Map->Graphics().CharSetGraphic()) cache->Clear();
    Map->LoadCharSets();
  }
  if (MapEditor) MapEditor->Redraw();
  if (ChipSelector) ChipSelector->ReloadPalette();
}

void TFormXelMain::Action_ToolDataBaseExecute() {
  if (!MainWindowTools().DataBase) return;
  // The battle test of the database window reads it from the settings.
  FullScreenOption.Set(FullScreenFlag);
  MainWindowTools().DataBase(this, *MapTree, *Map);
  ReloadAfterTool(false);
}

void TFormXelMain::Action_ToolMaterialExecute() {
  if (!MainWindowTools().MaterialManager) return;
  MainWindowTools().MaterialManager(this);
  ReloadAfterTool(true);
}

void TFormXelMain::Action_ToolSelectMusicExecute() {
  if (MainWindowTools().MusicSelector) MainWindowTools().MusicSelector(this);
}

// --- the game ---

void TFormXelMain::Action_GameTestPlayExecute() {
  if (!QuerySaveBeforeRun()) return;
  ActionList1Update();
  // The runtime takes the sound device: whatever played here has stopped when it ends.
  PlayingMusicName = "(OFF)";
  ReleaseSoundOutput();
  const QString folder = QString::fromStdString(ProjectPath);
  if (!RunProcessAndWait(this, QString::fromLatin1(STestPlayCloseCaption),
                         folder + QStringLiteral("KOVAX.exe"),
                         TestPlayArguments(ShowTitleFlag, FullScreenFlag), folder))
    ShowErrorBox(QString::fromLatin1(STestPlayFailed), this);
  CreateSoundOutput();
}

void TFormXelMain::Action_GameFullScreenExecute() {
  FullScreenFlag = !FullScreenFlag;
  Action_GameFullScreen->setChecked(FullScreenFlag);
}

void TFormXelMain::Action_GameShowTitleExecute() {
  ShowTitleFlag = !ShowTitleFlag;
  Action_GameShowTitle->setChecked(ShowTitleFlag);
}

void TFormXelMain::Action_HelpContentsExecute() {
  ShowHelpContext(0, this);
}

void TFormXelMain::Action_HelpAboutExecute() {
  TFormAboutBox about(this);
  about.Execute();
}

// --- window events ---

bool TFormXelMain::event(QEvent* event) {
  // Qt would show the tip over the status bar's panels; it goes into the first panel.
  if (event->type() == QEvent::StatusTip) {
    const QWidget* grabber = QWidget::mouseGrabber();
    if (!grabber || grabber->window() == this) {
      QLabel* panel = StatusPanels[0];
      const QString hint = LongHint(static_cast<QStatusTipEvent*>(event)->tip());
      panel->setText(hint);
      // A hint longer than the panel reads whole in its tool tip.
      const bool cut = panel->fontMetrics().horizontalAdvance(hint) > panel->contentsRect().width();
      panel->setToolTip(cut ? hint : QString());
    }
    return true;
  }
  return QMainWindow::event(event);
}

bool TFormXelMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // No tool tip while a drag holds the mouse.
    if (QWidget::mouseGrabber()) return true;
    // A hint stays until the mouse moves away, however long it rests.
    if (auto* widget = qobject_cast<QWidget*>(watched);
        widget && widget->toolTipDuration() != HintHidePause)
      widget->setToolTipDuration(HintHidePause);
  }
  // A tool bar's hint goes with the mouse: a button left sideways may send no empty tip.
  if (event->type() == QEvent::Leave && (watched == ToolBar1 || watched == ToolBar2))
    StatusPanels[0]->clear();
  return QMainWindow::eventFilter(watched, event);
}

void TFormXelMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || isActiveWindow()) return;
  GuardHandler(this, [this] {
    if (MapEditor) MapEditor->FinishMouseOperation();
    if (ChipSelector) ChipSelector->FinishDrag();
  });
}

void TFormXelMain::closeEvent(QCloseEvent* event) {
  bool canClose = false;
  GuardHandler(this, [&] { canClose = QuerySaveMaps(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  ReleaseSoundOutput();
  QMainWindow::closeEvent(event);
}

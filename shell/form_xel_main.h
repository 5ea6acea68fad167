// The editor's main window. Its creation builds the working set (editor mode, the sound
// library started, the database, a fresh working folder, the map tree and the current
// map, the placement and flags from the settings, the project manager with the last
// project) and its destruction takes it down again in the opposite order.
//
// Between the two it drives the editor through its actions (menus and tool bars), keeps
// them enabled from the project and map state, asks before map changes are lost, lays
// out new projects, loads and empties the working set as projects open and close, and
// starts test plays.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <string>

#include "framework/forms/form_xel_base.h"
#include "shell/common/main_window_docks.h"

class QAction;
class QActionGroup;
class QLabel;
class QStatusBar;
class QToolBar;
class TFormArranger;
class TProjectManager;
class TSmartSplitter;
class TXelMap;
class TXelMapTree;

// On the form toolkit's base like every other window: handlers through On, F1, FormShow.
class TFormXelMain : public QMainWindow, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelMain(QWidget* parent = nullptr);
  ~TFormXelMain() override;

  // The working folder of this run ("VELM_TEMP" in the private temporary folder); empty
  // when it could not be made.
  std::string WorkingFolder;
  std::unique_ptr<TProjectManager> ProjectManager;
  std::unique_ptr<TXelMapTree> MapTree;
  std::unique_ptr<TXelMap> Map;
  std::string MapName;
  // The cell the cursor was last reported on ((-1, -1): off the map); the status text is
  // rebuilt from it when another map comes in.
  QPoint CursorCell{-1, -1};
  bool FullScreenFlag = true;
  bool ShowTitleFlag = false;

  // The left column (Panel3 for the tile palette above Splitter2, Panel2 for the map tree
  // below it), the fixed Splitter1 beside it, and the map area filling the rest.
  QWidget* Panel1;
  QWidget* Panel2;
  QWidget* Panel3;
  TSmartSplitter* Splitter1;
  TSmartSplitter* Splitter2;
  QWidget* MapArea;
  TFormArranger* FormArranger;

  // The docked windows, each set when it is created (none until then).
  TMapEditorDock* MapEditor = nullptr;
  TChipSelectorDock* ChipSelector = nullptr;
  TMapTreeDock* MapTreeWindow = nullptr;
  // Wires the call-backs of a docked window and hands it what it shows.
  void DockMapEditor(TMapEditorDock* editor);
  void DockChipSelector(TChipSelectorDock* selector);
  void DockMapTree(TMapTreeDock* tree);

  // The map editor's mode: 0 lower layer, 1 upper layer, 2 events, 3 no map.
  int EditMode = 3;

  QAction* Action_ProjectNew;
  QAction* Action_ProjectOpen;
  QAction* Action_ProjectClose;
  QAction* Action_ProjectPack;
  QAction* Action_Exit;
  QAction* Action_MapSave;
  QAction* Action_MapRevert;
  QAction* Action_MapModeLayer1;
  QAction* Action_MapModeLayer2;
  QAction* Action_MapModeEvent;
  QAction* Action_MapScale1;
  QAction* Action_MapScale2;
  QAction* Action_MapScale3;
  QAction* Action_MapScale4;
  QAction* Action_ToolDataBase;
  QAction* Action_ToolMaterial;
  QAction* Action_ToolSelectMusic;
  QAction* Action_GameTestPlay;
  QAction* Action_GameFullScreen;
  QAction* Action_GameShowTitle;
  QAction* Action_HelpContents;
  QAction* Action_HelpAbout;
  QAction* Action_MapToolUndo;
  QAction* Action_MapToolSelect;
  QAction* Action_MapToolZoom;
  QAction* Action_MapToolPen;
  QAction* Action_MapToolRectangle;
  QAction* Action_MapToolEllipse;
  QAction* Action_MapToolSeedFill;
  QActionGroup* ModeGroup;
  QActionGroup* ScaleGroup;
  QActionGroup* ToolGroup;
  QToolBar* ToolBar1;
  QToolBar* ToolBar2;
  QStatusBar* StatusBar;
  // 0 the hint, 1 the mode, 2 the cursor cell and the map name.
  std::array<QLabel*, 3> StatusPanels;

  // Enables every action from the project and map state.
  void ActionList1Update();
  bool IsMapsModified() const;
  // The checked zoom: 0 for 1/1 .. 3 for 1/8.
  int ScaleIndex() const;
  // Asks before map changes are lost at a close; false when the author cancelled or the
  // maps could not be saved. Keeps the mode and zoom in the project's ini in every case.
  bool QuerySaveMaps();
  // Asks to save changed maps before a game disk or a test play; false stops it.
  bool QuerySaveBeforeRun();

  // The project manager's three events.
  void CreateProjectFiles(TProjectManager* sender, const std::string& title, bool& ok);
  void ProjectOpened(TProjectManager* sender, bool& ok);
  void ProjectClosing(TProjectManager* sender);

  // The docked windows' call-backs.
  void MapEditorSizeChanged();
  void MapEditorCursorMoved(QPoint cell);
  void MapEditorPickedFromMap();
  void MapEditorLayerSwitchWanted();
  void MapEditorScaleChanged(int cellSize);
  void ChipSelectorSelectionMade();
  void MapTreeMapSelected();

  // Handlers.
  void Action_ProjectCloseExecute();
  void Action_ProjectPackExecute();
  void Action_MapSaveExecute();
  void Action_MapRevertExecute();
  void Action_MapModeExecute(QAction* action);
  void Action_MapScaleExecute(QAction* action);
  void Action_MapToolExecute(QAction* action);
  void Action_ToolDataBaseExecute();
  void Action_ToolMaterialExecute();
  void Action_ToolSelectMusicExecute();
  void Action_GameTestPlayExecute();
  void Action_GameFullScreenExecute();
  void Action_GameShowTitleExecute();
  void Action_HelpContentsExecute();
  void Action_HelpAboutExecute();
  void Action_MapToolUndoExecute();

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void FormCreate();
  // The map editor in MapArea, the tile palette in Panel3 and the map tree in Panel2.
  void CreateDockedWindows();
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreateStatusBar();
  // The database window and the material manager may change chipsets and graphics.
  void ReloadAfterTool(bool charSets);
  // The project manager asks the author through the project dialogs.
  void WireProjectDialogs();
  void FormDestroy() noexcept;
  void CreateLayout();
  void MakeWorkingFolder();
};

// The part of a hint after "|" (the whole hint without one): the status bar's text.
QString LongHint(const QString& hint);
// The text of status panel 2: "(%.3d,%.3d)" of a cell inside the map, else nothing,
// then a blank and the map's name.
std::string CursorStatusText(int x, int y, int mapWidth, int mapHeight, const std::string& mapName);
// The arguments of a test play's runtime, after its path.
QStringList TestPlayArguments(bool showTitle, bool fullScreen);

// The main window of this run, or nothing.
extern TFormXelMain* FormXelMain;

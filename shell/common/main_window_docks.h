// What the main window asks of the windows it docks (the map editor in MapArea, the tile
// palette in Panel3, the map tree window in Panel2) and how they call back. Each docked
// window derives from its interface, and the main window sets the call-backs when it
// creates it; the main window knows the windows only through these.
#pragma once

#include <QPoint>
#include <QSize>
#include <functional>
#include <string>

#include "core/hook.h"

class QWidget;
class TXelCurrentChip;
class TXelMap;
class TXelMapTree;

class TMapEditorDock {
public:
  virtual ~TMapEditorDock() = default;

  // Modes 0 lower layer, 1 upper layer, 2 events, 3 no map.
  virtual int EditMode() const = 0;
  virtual void SetEditMode(int mode) = 0;
  // Cell size 32, 16, 8 or 4.
  virtual void SetScale(int cellSize) = 0;
  // 0 select, 1 zoom, 2 pen, 3 rectangle, 4 ellipse, 5 seed fill.
  virtual void SetEditTool(int tool) = 0;
  virtual int UndoCount() const = 0;
  // Forgets what could be undone.
  virtual void ResetUndo() = 0;
  virtual void UndoLast() = 0;
  // Drops the selection and repaints the canvas.
  virtual void DropSelection() = 0;
  // The current map was (re)loaded: shown anew, at its kept view position when KeepView.
  virtual void MapLoaded(bool keepView) = 0;
  virtual void Redraw() = 0;
  // Ends a drag or stroke in progress (the window lost the focus).
  virtual void FinishMouseOperation() = 0;
  // The pen block of the current mode, and the step after it changed.
  virtual TXelCurrentChip& Pen() = 0;
  virtual void PenChanged() = 0;
  // The visible client size of the canvas in pixels.
  virtual QSize VisibleClientSize() const = 0;
  // The name of the event or start mark on Cell; empty for none.
  virtual std::string EventNameAt(QPoint cell) const = 0;

  std::function<void(TMapEditorDock*)> OnSizeChanged;
  // Cell is the map cell under the cursor; outside the map when the cursor left it.
  std::function<void(TMapEditorDock*, QPoint cell)> OnCursorMoved;
  std::function<void(TMapEditorDock*)> OnPickedFromMap;
  std::function<void(TMapEditorDock*)> OnLayerSwitchWanted;
  std::function<void(TMapEditorDock*, int cellSize)> OnScaleChanged;
};

class TChipSelectorDock {
public:
  virtual ~TChipSelectorDock() = default;

  // The page of editor mode Mode (3: the empty page).
  virtual void ShowPage(int mode) = 0;
  // Back to its state for a freshly opened project.
  virtual void ResetPalette() = 0;
  // Draws again, reloading the chipset it shows.
  virtual void ReloadPalette() = 0;
  // Selects the cell of tile Id, or nothing when Id has no cell.
  virtual void SelectTile(int id) = 0;
  virtual void ClearSelection() = 0;
  // Ends a drag selection in progress.
  virtual void FinishDrag() = 0;
  // The selected rectangle as a pen block; false (and Pen unchanged) when none.
  virtual bool SelectedBlock(TXelCurrentChip& pen) const = 0;
  // The width the left column needs for it.
  virtual int PaletteWidth() const = 0;

  std::function<void(TChipSelectorDock*)> OnSelectionMade;
};

class TMapTreeDock {
public:
  virtual ~TMapTreeDock() = default;

  // Reads "KOVAX.lmt" (dropping every working copy) and selects the active map, which
  // loads it; raises when the file cannot be read.
  virtual void LoadMapTreeView() = 0;
  // Saves every changed map and the tree file.
  virtual void SaveMaps() = 0;
  // Empties the tree and unloads the map.
  virtual void ClearTree() = 0;
  virtual bool IsMapsModified() const = 0;
  virtual void SetEditorClientSize(int width, int height) = 0;

  // Set by the window before a selection whose map should keep the editor's view; the
  // main window clears it once the editor has the map.
  bool KeepView = false;
  // After a node was selected and its map loaded, and after the tree was cleared.
  std::function<void(TMapTreeDock*)> OnMapSelected;
};

// The windows of other subsystems that the menus open, installed by the program's
// composition (they belong to libraries above the shell or come later); an empty one
// makes its action do nothing.
struct TMainWindowTools {
  THook<void(QWidget* owner, TXelMapTree& tree, TXelMap& map)> DataBase{"DataBase"};
  THook<void(QWidget* owner)> MaterialManager{"MaterialManager"};
  THook<void(QWidget* owner)> MusicSelector{"MusicSelector"};
};
TMainWindowTools& MainWindowTools();

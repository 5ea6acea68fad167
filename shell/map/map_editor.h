// TFormMapEditor: the map canvas. In the two layer modes it draws with the pen block and
// five tools, selects, moves, copies and pastes blocks and takes changes back; in the
// event mode it chooses cells, drags events and start marks and offers the event
// operations. The work on the layers is TMapEditEngine's; this window turns mouse and
// keys into its calls and shows the result.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>

#include "core/map_edit_engine.h"
#include "shell/common/main_window_docks.h"
#include "shell/map/map_viewer.h"

class QAction;
class QMenu;
class QKeyEvent;
class TMapEventOperations;

// Tools of the layer modes.
enum TMapEditTool : uint8_t { etSelect, etZoom, etPen, etRectangle, etEllipse, etSeedFill };

class TFormMapEditor : public TFormMapViewer, public TMapEditorDock {
  Q_OBJECT
public:
  explicit TFormMapEditor(QWidget* parent = nullptr);
  ~TFormMapEditor() override;

  int EditMode() const override { return engine_.Mode(); }
  void SetEditMode(int mode) override;
  int EditTool() const { return tool_; }
  void SetEditTool(int tool) override;
  void SetScale(int cellSize) override { TFormMapViewer::SetScale(cellSize); }
  std::string EventNameAt(QPoint cell) const override;
  // After the pen block of the current mode was filled (from the palette).
  void PenChanged() override;
  TXelCurrentChip& Pen() override { return engine_.Pen(); }
  // The pen blocks of modes 0..3 and the rest of the layer work.
  TMapEditEngine& Engine() { return engine_; }
  // Takes back the last change of the layers.
  void UndoLast() override;
  int UndoCount() const override { return engine_.Undo.Count(); }
  // Nothing left to undo (after Save and Revert).
  void ResetUndo() override { engine_.Undo.ClearCount(); }
  void DropSelection() override;
  // Ends a mouse operation as its button's release does (also when the main window is
  // deactivated).
  void FinishMouseOperation() override;
  void MapLoaded(bool keepView) override;
  void Redraw() override { RepaintAll(); }
  QSize VisibleClientSize() const override;

  // Cells under the pen frame, the cell under the mouse ((-1, -1) outside) and the pen
  // offset (the mouse's cell in the pen block).
  TRect CursorRect() const { return cursorRect_; }
  TPoint CursorCell() const { return cursorCell_; }
  TPoint PenOffset() const { return penOffset_; }

  // The installed event operations (nullptr when none are); the status bar names cells
  // with their NameAt.
  TMapEventOperations* EventOperations() const { return events_.get(); }

  void MapLoaded() override;

  // Handlers (tests call the timer ticks directly).
  void TriggerTimerTimer();
  void AnimateSelectionTimerTimer();
  void PopupMenu1Popup();
  void PopupMenu2Popup();
  void MenuCutClick();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuClearClick();
  void MenuSelectAllClick();
  void EventMenuClick(QAction* item);
  // The view scrolls, and a selection being dragged follows the cell under the mouse.
  void AutoScrollFrom(QPoint pixel) override;

protected:
  void PaintBoxMouseDown(QMouseEvent* event) override;
  void PaintBoxMouseMove(QMouseEvent* event) override;
  void PaintBoxMouseUp(QMouseEvent* event) override;
  void PaintOver(QPainter& canvas) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  friend class TMapEditorPainter;
  bool LayerMode() const { return EditMode() == emLowerLayer || EditMode() == emUpperLayer; }
  bool Drawing() const { return tool_ >= etPen; }
  bool Busy() const { return stroke_ || pick_ || moving_ || eventDrag_; }
  void Flush();
  void RefreshCursor();
  // Tells the owner the cell under the cursor.
  void ReportCursor();
  void MoveCursorTo(TPoint cell);
  void CancelMouseOperation();
  void ZoomAt(QPoint pixel, bool in);
  void StartStroke(TPoint cell);
  void ShowSelection();
  // The selection spans the anchor and the corner nearest Pixel.
  void DragSelectionTo(QPoint pixel);
  void DoubleClick(QMouseEvent* event);
  void EventMouseDown(QMouseEvent* event, TPoint cell);
  void EventMouseUp();
  void SelectAreaMouseDown(QMouseEvent* event);
  void SelectAreaMouseMove(QMouseEvent* event);
  void SelectAreaMouseUp(QMouseEvent* event);
  bool EventKey(QKeyEvent* event);
  bool SelectKey(QKeyEvent* event);
  void CreateMenus();
  QRect PixelRect(const TRect& cells) const;

  TMapEditEngine engine_;
  std::unique_ptr<TMapEventOperations> events_;
  int tool_ = etSelect;
  TRect cursorRect_{-1, -1, -1, -1};
  TPoint penOffset_;
  TPoint savedPenOffset_;
  TPoint cursorCell_{-1, -1};
  TPoint lastCell_;
  TPoint shapeStart_;
  TRect shape_;
  TPoint selectAnchor_;
  bool stroke_ = false;
  bool pick_ = false;
  bool triggerFired_ = false;
  bool moving_ = false;
  QPoint moveOrigin_;
  bool eventDrag_ = false;
  TPoint dragOrigin_;
  TPoint dragTarget_;

  QTimer* TriggerTimer;
  QTimer* AnimateSelectionTimer;
  TOpaquePaintBox* SelectArea;
  QMenu* PopupMenu1;
  QAction* MenuCut;
  QAction* MenuCopy;
  QAction* MenuPaste;
  QAction* MenuClear;
  QAction* MenuSelectAll;
  QMenu* PopupMenu2;
  QAction* Menu_Event_New;
  QAction* Menu_Event_Edit;
  QAction* Menu_Event_Cut;
  QAction* Menu_Event_Copy;
  QAction* Menu_Event_Paste;
  QAction* Menu_Event_Delete;
  QAction* Menu_Event_MoveEvent;
  QAction* Menu_SetPartyPosition;
  QAction* Menu_SetShipPosition;
};

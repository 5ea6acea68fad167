#include "shell/map/map_editor.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "core/busy_cursor.h"
#include "core/chip_palette.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/map.h"
#include "core/map_region_clip.h"
#include "core/map_tree.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "shell/common/shell_pictures.h"
#include "shell/map/board_frames.h"
#include "shell/map/event_map.h"
#include "shell/map/map_event_operations.h"
#include "shell/map/map_view_geometry.h"

namespace {

constexpr int kPickDelayMs = 150;
constexpr int kAntsMs = 50;
constexpr int kUpperOpacity = 160;
constexpr int kPickCursorSlot = 6;
// Screen cursor slots of the tools select, zoom, pen, rectangle, ellipse and seed fill.
constexpr int kToolCursorSlots[] = {1, 2, 4, 8, 9, 3};
constexpr uint16_t kGridColor = 0;

QColor FrameColor(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

// The editor's cells: both layers with the one not being drawn on dimmed, the upper layer
// see-through, and in the event mode a grid and the events' own graphics.
class TMapEditorPainter : public TMapViewPainter {
public:
  explicit TMapEditorPainter(const TFormMapEditor* editor) : editor_(editor) {}

protected:
  // The looks of the cells: the upper layer dimmed, the lower one dimmed, neither (any
  // other tool), or the event mode's.
  int CellStyle() const override {
    const int mode = editor_->EditMode();
    if (mode == emEvents) return 3;
    if (!editor_->Drawing()) return 0;
    return mode == emLowerLayer ? 1 : mode == emUpperLayer ? 2 : 0;
  }
  bool LayerLook(TLayerLook& look) const override {
    const int mode = editor_->EditMode();
    const bool drawing = editor_->Drawing();
    look = {drawing && mode == emUpperLayer, drawing && mode == emLowerLayer, kUpperOpacity};
    return mode != emEvents;
  }
  void PaintCell(TGlimraBoard& board, int x, int y, int left, int top) override {
    TLayerLook look;
    const bool events = !LayerLook(look);
    PaintLayers(board, x, y, left, top, look.DimLower, look.DimUpper, look.UpperOpacity);
    const int scale = Scale();
    if (events) {
      FillRect(board.Surface(), Bounds(left, top + scale - 1, scale, 1), kGridColor);
      FillRect(board.Surface(), Bounds(left + scale - 1, top, 1, scale), kGridColor);
    }
    const int id = EventMap().Get(x, y);
    if (id > 0) EventMap().Draw(board, left, top, !events, id, scale);
  }

private:
  const TFormMapEditor* editor_;
};

TFormMapEditor::TFormMapEditor(QWidget* parent)
    : TFormMapViewer(parent, std::make_unique<TMapEditorPainter>(this)) {
  setObjectName("FormMapEditor");
  setFocusPolicy(Qt::StrongFocus);
  events_ = CreateMapEventOperations(this);
  if (events_)
    events_->OnChange = [this] {
      if (!Map()) return;
      ViewPainter().SetMap(MapTree(), Map());
      Map()->Modified = true;
      RepaintAll();
    };
  TriggerTimer = new QTimer(this);
  TriggerTimer->setObjectName("TriggerTimer");
  TriggerTimer->setInterval(kPickDelayMs);
  AnimateSelectionTimer = new QTimer(this);
  AnimateSelectionTimer->setObjectName("AnimateSelectionTimer");
  AnimateSelectionTimer->setInterval(kAntsMs);
  // Lies over a held block and takes the mouse for moving it; it draws nothing itself.
  SelectArea = new TOpaquePaintBox(PaintBox);
  SelectArea->setObjectName("SelectArea");
  SelectArea->SetOpaque(false);
  SelectArea->setAutoFillBackground(false);
  SelectArea->hide();
  CreateMenus();

  On(TriggerTimer, &QTimer::timeout, &TFormMapEditor::TriggerTimerTimer);
  On(AnimateSelectionTimer, &QTimer::timeout, &TFormMapEditor::AnimateSelectionTimerTimer);
  On(SelectArea, &TOpaquePaintBox::MouseDown, &TFormMapEditor::SelectAreaMouseDown);
  On(SelectArea, &TOpaquePaintBox::MouseMove, &TFormMapEditor::SelectAreaMouseMove);
  On(SelectArea, &TOpaquePaintBox::MouseUp, &TFormMapEditor::SelectAreaMouseUp);
  On(PaintBox, &TOpaquePaintBox::RightDblClick, [this] {
    if (!LayerMode() || tool_ == etZoom) return;
    SetEditMode(EditMode() == emLowerLayer ? emUpperLayer : emLowerLayer);
    if (OnLayerSwitchWanted) OnLayerSwitchWanted(this);
  });
  On(MapFrame, &TScrollFrame::Resize, [this] {
    if (OnSizeChanged) OnSizeChanged(this);
  });
  On(qApp, &QGuiApplication::applicationStateChanged, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) FinishMouseOperation();
  });
  TFormMapViewer::OnScaleChanged = [this](TFormMapViewer*) {
    if (TMapEditorDock::OnScaleChanged) TMapEditorDock::OnScaleChanged(this, Scale());
  };
  PaintBox->installEventFilter(this);
  RefreshCursor();
}

bool TFormMapEditor::eventFilter(QObject* watched, QEvent* event) {
  // The mouse left the canvas: no pen frame, and the status bar shows no cell. The event
  // mode's cell is chosen by clicks and keys and stays.
  if (watched == PaintBox && event->type() == QEvent::Leave && LayerMode() && !Busy())
    GuardHandler(this, [this] {
      cursorRect_ = TRect{-1, -1, -1, -1};
      PaintBox->update();
      if (cursorCell_ == TPoint{-1, -1}) return;
      cursorCell_ = TPoint{-1, -1};
      ReportCursor();
    });
  return TFormMapViewer::eventFilter(watched, event);
}

void TFormMapEditor::showEvent(QShowEvent* event) {
  TFormMapViewer::showEvent(event);
  // The window system makes a cursor from its picture when the mouse first enters the
  // canvas, and waits for the display server's answer: just after the window's first frame
  // the server is still busy drawing it. Made before the window is on the screen, the
  // canvas's cursor is ready by then.
  QWindow* window = this->window()->windowHandle();
  if (!window || window->isExposed() || !PaintBox->testAttribute(Qt::WA_SetCursor)) return;
  const QCursor shown = window->cursor();
  window->setCursor(PaintBox->cursor());
  window->setCursor(shown);
}

TFormMapEditor::~TFormMapEditor() = default;

void TFormMapEditor::CreateMenus() {
  auto item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence keys) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    // The keys are the canvas's own (keyPressEvent); the menu only shows them.
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
  };
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  MenuCut = item(PopupMenu1, "MenuCut", "Cu&t", QKeySequence("Ctrl+X"));
  MenuCopy = item(PopupMenu1, "MenuCopy", "&Copy", QKeySequence("Ctrl+C"));
  MenuPaste = item(PopupMenu1, "MenuPaste", "&Paste", QKeySequence("Ctrl+V"));
  MenuClear = item(PopupMenu1, "MenuClear", "C&lear", QKeySequence(Qt::Key_Delete));
  MenuSelectAll = item(PopupMenu1, "MenuSelectAll", "Select &All", QKeySequence("Ctrl+A"));
  On(PopupMenu1, &QMenu::aboutToShow, &TFormMapEditor::PopupMenu1Popup);
  On(MenuCut, &QAction::triggered, &TFormMapEditor::MenuCutClick);
  On(MenuCopy, &QAction::triggered, &TFormMapEditor::MenuCopyClick);
  On(MenuPaste, &QAction::triggered, &TFormMapEditor::MenuPasteClick);
  On(MenuClear, &QAction::triggered, &TFormMapEditor::MenuClearClick);
  On(MenuSelectAll, &QAction::triggered, &TFormMapEditor::MenuSelectAllClick);

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  const QKeySequence enter(Qt::Key_Return);
  Menu_Event_New = item(PopupMenu2, "Menu_Event_New", "New &Event...", enter);
  Menu_Event_Edit = item(PopupMenu2, "Menu_Event_Edit", "&Edit event...", enter);
  Menu_Event_Cut = item(PopupMenu2, "Menu_Event_Cut", "Cu&t", QKeySequence("Ctrl+X"));
  Menu_Event_Copy = item(PopupMenu2, "Menu_Event_Copy", "&Copy", QKeySequence("Ctrl+C"));
  Menu_Event_Paste = item(PopupMenu2, "Menu_Event_Paste", "&Paste", QKeySequence("Ctrl+V"));
  Menu_Event_Delete =
      item(PopupMenu2, "Menu_Event_Delete", "&Delete", QKeySequence(Qt::Key_Delete));
  Menu_Event_MoveEvent = item(PopupMenu2, "Menu_Event_MoveEvent", "&Teleport Position..", {});
  Menu_SetPartyPosition =
      item(PopupMenu2, "Menu_SetPartyPosition", "Set &Start Party position...", {});
  Menu_SetShipPosition = item(PopupMenu2, "Menu_SetShipPosition", "Set &Vehicle position...", {});
  On(PopupMenu2, &QMenu::aboutToShow, &TFormMapEditor::PopupMenu2Popup);
  On(PopupMenu2, &QMenu::triggered, &TFormMapEditor::EventMenuClick);
}

// ---- modes, tools, pen ----

void TFormMapEditor::SetEditMode(int mode) {
  if (mode == EditMode()) return;
  CancelMouseOperation();
  engine_.SetMode(mode);
  if (mode == emEvents) {
    cursorRect_ = TRect{-1, -1, -1, -1};
    cursorCell_ = TPoint{-1, -1};
    DropSelection();
  }
  RefreshCursor();
  ReportCursor();
  RepaintAll();
}

void TFormMapEditor::SetEditTool(int tool) {
  CancelMouseOperation();
  DropSelection();
  tool_ = std::clamp(tool, int(etSelect), int(etSeedFill));
  RefreshCursor();
  RepaintAll();
}

void TFormMapEditor::PenChanged() {
  penOffset_ = TPoint{};
  if (engine_.Held && !engine_.Selection.IsEmpty()) engine_.Lift(engine_.Selection);
  if (cursorRect_.Left >= 0)
    cursorRect_ =
        Bounds(cursorRect_.Left, cursorRect_.Top, engine_.Pen().Width(), engine_.Pen().Height());
  PaintBox->update();
}

void TFormMapEditor::RefreshCursor() {
  if (pick_)
    PaintBox->setCursor(ScreenCursor(kPickCursorSlot));
  else if (LayerMode())
    PaintBox->setCursor(ScreenCursor(kToolCursorSlots[tool_]));
  else
    PaintBox->unsetCursor();
}

void TFormMapEditor::MapLoaded(bool keepView) {
  KeepView = keepView;
  MapLoaded();
  KeepView = false;
}

std::string TFormMapEditor::EventNameAt(QPoint cell) const {
  return events_ ? events_->NameAt(cell.x(), cell.y()) : std::string();
}

QSize TFormMapEditor::VisibleClientSize() const {
  const TPoint size = ClientSize();
  return QSize(size.X, size.Y);
}

void TFormMapEditor::ReportCursor() {
  if (OnCursorMoved) OnCursorMoved(this, QPoint(cursorCell_.X, cursorCell_.Y));
}

void TFormMapEditor::MapLoaded() {
  CancelMouseOperation();
  engine_.SetMap(Map() && Map()->Width() > 0 ? Map() : nullptr);
  if (events_) events_->SetMap(MapTree(), Map());
  DropSelection();
  TFormMapViewer::MapLoaded();
}

// ---- drawing ----

void TFormMapEditor::Flush() {
  const TRect dirty = engine_.TakeDirty();
  if (!dirty.IsEmpty()) RepaintCells(dirty);
}

QRect TFormMapEditor::PixelRect(const TRect& cells) const {
  const TRect r = CellsToPixels(cells, ScrollPos(), Scale());
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

void TFormMapEditor::PaintOver(QPainter& canvas) {
  if (const TXelMapTreeItem* item = MapTree() ? MapTree()->GetActiveItem() : nullptr) {
    const TAreaRect& a = item->AreaRect;
    const TRect area{a.Left, a.Top, a.Right, a.Bottom};
    if (!area.IsEmpty())
      for (const TFrameRing& ring : AreaFrameRings(CellsToPixels(area, ScrollPos(), Scale()))) {
        canvas.setPen(FrameColor(ring.Color));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(ring.Rect.Left, ring.Rect.Top, ring.Rect.Width() - 1,
                        ring.Rect.Height() - 1);
      }
  }
  canvas.setBrush(Qt::NoBrush);
  if (LayerMode() && tool_ == etSelect) {
    const TRect selection = engine_.Selection;
    if (!selection.IsEmpty()) {
      // Two pixels of black and white dashes that run around the block.
      const int time = int((QDateTime::currentMSecsSinceEpoch() / kAntsMs) % 16);
      const QRect r = PixelRect(selection);
      DrawMarchingAntsRect(canvas, time, 1024, Qt::white, Qt::black, Qt::DashLine, r);
      DrawMarchingAntsRect(canvas, time, 1024, Qt::white, Qt::black, Qt::DashLine,
                           r.adjusted(1, 1, -1, -1));
    }
    return;
  }
  auto frame = [&](const TRect& cells) {
    const QRect r = PixelRect(cells);
    canvas.setPen(Qt::black);
    canvas.drawRect(r.adjusted(0, 0, -1, -1));
    canvas.setPen(Qt::white);
    canvas.drawRect(r.adjusted(1, 1, -2, -2));
  };
  if (eventDrag_) frame(Bounds(dragTarget_.X, dragTarget_.Y, 1, 1));
  if (cursorRect_.Left >= 0 && !cursorRect_.IsEmpty()) frame(cursorRect_);
}

void TFormMapEditor::AnimateSelectionTimerTimer() {
  if (engine_.Selection.IsEmpty() || tool_ != etSelect) {
    AnimateSelectionTimer->stop();
    return;
  }
  PaintBox->update(PixelRect(engine_.Selection).adjusted(-1, -1, 1, 1));
}

void TFormMapEditor::ShowSelection() {
  const bool shown = tool_ == etSelect && LayerMode() && !engine_.Selection.IsEmpty();
  if (shown) {
    SelectArea->setGeometry(PixelRect(engine_.Selection));
    SelectArea->setCursor(PaintBox->cursor());
    AnimateSelectionTimer->start();
  } else {
    AnimateSelectionTimer->stop();
  }
  SelectArea->setVisible(shown && !stroke_);
  PaintBox->update();
}

void TFormMapEditor::DropSelection() {
  engine_.DropSelection();
  ShowSelection();
}

// ---- the mouse on the canvas ----

void TFormMapEditor::MoveCursorTo(TPoint cell) {
  const TRect rect = EditMode() == emEvents ? Bounds(cell.X, cell.Y, 1, 1)
                                            : Bounds(cell.X - penOffset_.X, cell.Y - penOffset_.Y,
                                                     engine_.Pen().Width(), engine_.Pen().Height());
  const bool moved = !(cell == cursorCell_);
  if (rect != cursorRect_) {
    // Only the old and the new frame are shown again, not the whole canvas.
    for (const TRect& r : {cursorRect_, rect})
      if (!r.IsEmpty()) PaintBox->update(PixelRect(r));
    cursorRect_ = rect;
  }
  cursorCell_ = cell;
  if (moved) ReportCursor();
}

void TFormMapEditor::PaintBoxMouseDown(QMouseEvent* event) {
  // Qt sends a double click in place of the second press: it starts nothing.
  if (event->type() == QEvent::MouseButtonDblClick) {
    DoubleClick(event);
    return;
  }
  setFocus();
  if (event->button() == Qt::MiddleButton) {
    cursorRect_ = TRect{-1, -1, -1, -1};
    TFormMapViewer::PaintBoxMouseDown(event);
    return;
  }
  engine_.RawFlag = event->modifiers() & Qt::ShiftModifier;
  engine_.EdgeFlag = event->modifiers() & Qt::ControlModifier;
  // Another button during an operation takes the operation back.
  if (Busy()) {
    CancelMouseOperation();
    return;
  }
  if (!engine_.Map()) return;
  const TPoint cell = CellAt(event->pos());
  if (EditMode() == emEvents) {
    EventMouseDown(event, cell);
    return;
  }
  if (!LayerMode()) return;
  if (tool_ == etZoom) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
      ZoomAt(event->pos(), event->button() == Qt::LeftButton);
    return;
  }
  MoveCursorTo(cell);
  shapeStart_ = TPoint{cursorRect_.Left, cursorRect_.Top};
  if (event->button() == Qt::LeftButton) {
    StartStroke(cell);
    if (tool_ == etSelect) {
      const TPoint corner = CornerAt(event->pos());
      selectAnchor_ =
          TPoint{std::clamp(corner.X, 0, Map()->Width()), std::clamp(corner.Y, 0, Map()->Height())};
      AutoScrollTimer->start();
    }
  } else if (event->button() == Qt::RightButton) {
    if (tool_ == etSelect) {
      DropSelection();
      PopupMenu1->popup(event->globalPosition().toPoint());
      return;
    }
    pick_ = true;
    triggerFired_ = false;
    savedPenOffset_ = penOffset_;
    cursorRect_ = Bounds(cell.X, cell.Y, 1, 1);
    shapeStart_ = cell;
    penOffset_ = TPoint{};
    RefreshCursor();
    TriggerTimer->start();
    PaintBox->update();
  }
}

void TFormMapEditor::StartStroke(TPoint cell) {
  DropSelection();
  engine_.BeginStroke(cell, penOffset_);
  lastCell_ = cell;
  stroke_ = true;
  switch (tool_) {
  case etPen:
    engine_.PutPen(cursorRect_.Left, cursorRect_.Top);
    break;
  case etRectangle:
  case etEllipse:
    shapeStart_ = cell;
    shape_ = Bounds(cell.X, cell.Y, 1, 1);
    engine_.DrawShape(tool_ == etEllipse, shape_, shape_);
    break;
  case etSeedFill: {
    TBusyCursor busy;
    engine_.SeedFill(cell.X, cell.Y);
    break;
  }
  default:
    break;
  }
  Flush();
}

void TFormMapEditor::PaintBoxMouseMove(QMouseEvent* event) {
  if (!engine_.Map()) return;
  engine_.RawFlag = event->modifiers() & Qt::ShiftModifier;
  engine_.EdgeFlag = event->modifiers() & Qt::ControlModifier;
  const TPoint cell = CellAt(event->pos());
  if (EditMode() == emEvents) {
    if (eventDrag_ && !(cell == dragTarget_)) {
      dragTarget_ = cell;
      PaintBox->update();
    }
    return;
  }
  if (!LayerMode()) return;
  if (pick_) {
    if (!triggerFired_) return;
    const TPickDrag pick = PickDrag(shapeStart_, cell, Map()->Width(), Map()->Height());
    cursorRect_ = pick.Rect;
    penOffset_ = pick.PenOffset;
    PaintBox->update();
    return;
  }
  if (stroke_) {
    // The canvas catches up first; the next move draws the whole way.
    if (RepaintPending()) return;
    if (tool_ == etSelect) {
      DragSelectionTo(event->pos());
    } else if (tool_ == etPen) {
      engine_.PenLine(TPoint{lastCell_.X - penOffset_.X, lastCell_.Y - penOffset_.Y},
                      TPoint{cell.X - penOffset_.X, cell.Y - penOffset_.Y});
    } else if (tool_ == etRectangle || tool_ == etEllipse) {
      const TRect shape = ShapeRect(shapeStart_, cell);
      if (shape != shape_) engine_.DrawShape(tool_ == etEllipse, shape, shape_);
      shape_ = shape;
    }
    lastCell_ = cell;
    Flush();
  }
  MoveCursorTo(cell);
}

void TFormMapEditor::DragSelectionTo(QPoint pixel) {
  const TPoint c = CornerAt(pixel);
  const TPoint corner{std::clamp(c.X, 0, Map()->Width()), std::clamp(c.Y, 0, Map()->Height())};
  const TRect span{std::min(corner.X, selectAnchor_.X), std::min(corner.Y, selectAnchor_.Y),
                   std::max(corner.X, selectAnchor_.X), std::max(corner.Y, selectAnchor_.Y)};
  const TRect selection = span.IsEmpty() ? TRect{} : span;
  if (selection != engine_.Selection) {
    engine_.Selection = selection;
    ShowSelection();
  }
}

void TFormMapEditor::AutoScrollFrom(QPoint pixel) {
  TFormMapViewer::AutoScrollFrom(pixel);
  // The mouse rests past the edge: no move comes, yet the cell under it changed.
  if (stroke_ && tool_ == etSelect && LayerMode() && Map()) DragSelectionTo(pixel);
}

void TFormMapEditor::PaintBoxMouseUp(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) return;
  if (eventDrag_)
    EventMouseUp();
  else
    FinishMouseOperation();
}

void TFormMapEditor::FinishMouseOperation() {
  AutoScrollTimer->stop();
  if (eventDrag_) {
    eventDrag_ = false;
    PaintBox->update();
  }
  if (stroke_) {
    stroke_ = false;
    if (tool_ == etSelect) {
      if (!engine_.Selection.IsEmpty()) engine_.Lift(engine_.Selection);
      ShowSelection();
    } else {
      engine_.EndStroke();
    }
  }
  if (pick_) {
    pick_ = false;
    TriggerTimer->stop();
    const bool exact = QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
    engine_.PickPen(cursorRect_, exact);
    if (OnPickedFromMap) OnPickedFromMap(this);
  }
  if (moving_) {
    moving_ = false;
    if (Map()) Map()->Modified = true;
  }
  RefreshCursor();
}

void TFormMapEditor::CancelMouseOperation() {
  AutoScrollTimer->stop();
  TriggerTimer->stop();
  if (stroke_) {
    stroke_ = false;
    if (tool_ == etSelect)
      engine_.DropSelection();
    else
      engine_.CancelStroke();
    Flush();
    ShowSelection();
  }
  if (pick_) {
    pick_ = false;
    penOffset_ = savedPenOffset_;
    cursorRect_ =
        Bounds(cursorRect_.Left, cursorRect_.Top, engine_.Pen().Width(), engine_.Pen().Height());
    PaintBox->update();
  }
  if (moving_) {
    // A block being moved goes back where it was.
    moving_ = false;
    UndoLast();
    if (Map()) engine_.Undo.Record(*Map());
  }
  if (eventDrag_) {
    eventDrag_ = false;
    PaintBox->update();
  }
  RefreshCursor();
}

void TFormMapEditor::TriggerTimerTimer() {
  TriggerTimer->stop();
  triggerFired_ = true;
  RefreshCursor();
}

void TFormMapEditor::ZoomAt(QPoint pixel, bool in) {
  static constexpr int scales[] = {4, 8, 16, 32};
  const int* at = std::find(std::begin(scales), std::end(scales), Scale());
  if (at == std::end(scales)) return;
  if ((in && at == std::end(scales) - 1) || (!in && at == std::begin(scales))) return;
  const int scale = in ? at[1] : at[-1];
  // The map point under the mouse, at full scale, stays under it.
  const TPoint scroll = ScrollPos();
  const int px = (pixel.x() + scroll.X) * FullMapScale / Scale();
  const int py = (pixel.y() + scroll.Y) * FullMapScale / Scale();
  const QPoint offset = PaintBox->pos();
  SetScale(scale);
  const QPoint now = PaintBox->mapFrom(Background, pixel + offset);
  MapFrame->ScrollBy(px * scale / FullMapScale - now.x() - ScrollPos().X,
                     py * scale / FullMapScale - now.y() - ScrollPos().Y);
}

void TFormMapEditor::DoubleClick(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || EditMode() != emEvents) return;
  // The states first: a start mark never reaches the edit of an event.
  PopupMenu2Popup();
  QAction* edit = Menu_Event_New->isVisible() ? Menu_Event_New : Menu_Event_Edit;
  if (edit->isEnabled()) edit->trigger();
}

// ---- the select tool's block ----

void TFormMapEditor::SelectAreaMouseDown(QMouseEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) return;
  if (event->button() == Qt::MiddleButton) {
    WheelMaster1->Start(MapFrame);
    return;
  }
  if (event->button() == Qt::RightButton) {
    if (moving_)
      CancelMouseOperation();
    else
      PopupMenu1->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  engine_.BeginMove();
  moving_ = true;
  moveOrigin_ = event->globalPosition().toPoint();
}

void TFormMapEditor::SelectAreaMouseMove(QMouseEvent* event) {
  if (!moving_ || RepaintPending()) return;
  const QPoint at = event->globalPosition().toPoint();
  const int scale = Scale();
  // Whole cells passed: the origin steps a cell each time the mouse is half a cell beyond.
  auto cells = [scale](int d) { return FloorDiv(d + scale / 2, scale); };
  const int dx = cells(at.x() - moveOrigin_.x()), dy = cells(at.y() - moveOrigin_.y());
  if (dx == 0 && dy == 0) return;
  moveOrigin_ += QPoint(dx * scale, dy * scale);
  engine_.MoveSelection(dx, dy);
  Flush();
  ShowSelection();
}

void TFormMapEditor::SelectAreaMouseUp(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && moving_) FinishMouseOperation();
}

// ---- popup menu 1: the block ----

void TFormMapEditor::PopupMenu1Popup() {
  const bool selected = !engine_.Selection.IsEmpty();
  MenuCut->setEnabled(selected);
  MenuCopy->setEnabled(selected);
  MenuPaste->setEnabled(engine_.Map() && IsMapRegionClip(ClipboardBytes(cfMapRegion)));
  MenuClear->setEnabled(selected);
  MenuSelectAll->setEnabled(engine_.Map() != nullptr);
}

void TFormMapEditor::MenuCopyClick() {
  if (engine_.Selection.IsEmpty()) return;
  Clipboard().SetData(cfMapRegion, engine_.CopySelection());
  Flush();
  ShowSelection();
}

void TFormMapEditor::MenuCutClick() {
  if (engine_.Selection.IsEmpty()) return;
  const TRect selection = engine_.Selection;
  MenuCopyClick();
  engine_.Selection = selection;
  MenuClearClick();
}

void TFormMapEditor::MenuClearClick() {
  engine_.ClearSelection();
  Flush();
  ShowSelection();
}

void TFormMapEditor::MenuPasteClick() {
  // Any program may have put the block there: it is checked before anything changes.
  const std::optional<TMapRegionClip> clip = ParseMapRegionClip(ClipboardBytes(cfMapRegion));
  if (!clip || !engine_.Map()) return;
  engine_.Paste(
      *clip, PasteTopLeft(Painter().ViewSize(), ScrollPos(), Scale(), clip->Width, clip->Height));
  Flush();
  ShowSelection();
}

void TFormMapEditor::MenuSelectAllClick() {
  if (!engine_.Map()) return;
  engine_.BeginStroke(TPoint{}, TPoint{});
  engine_.SelectAll();
  Flush();
  ShowSelection();
}

void TFormMapEditor::UndoLast() {
  if (engine_.Undo.Count() < 1) return;
  TBusyCursor busy;
  engine_.UndoLast();
  Flush();
  ShowSelection();
}

// ---- event mode ----

void TFormMapEditor::EventMouseDown(QMouseEvent* event, TPoint cell) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  MoveCursorTo(cell);
  ReportCursor();
  if (event->button() == Qt::LeftButton) {
    if (EventMap().Get(cell.X, cell.Y) > 0) {
      eventDrag_ = true;
      dragOrigin_ = cell;
      dragTarget_ = cell;
    }
    return;
  }
  PopupMenu2->popup(event->globalPosition().toPoint());
}

void TFormMapEditor::EventMouseUp() {
  eventDrag_ = false;
  PaintBox->update();
  // Only an empty cell of the map takes it: -1 lies outside, anything above 0 is taken.
  if (EventMap().Get(dragTarget_.X, dragTarget_.Y) != 0) return;
  const int id = EventMap().Get(dragOrigin_.X, dragOrigin_.Y);
  if (id >= StartMarkId && id < StartMarkId + StartMarkCount) {
    if (!MapTree()) return;
    MapTree()->StartPosition.SetX(id - StartMarkId, dragTarget_.X);
    MapTree()->StartPosition.SetY(id - StartMarkId, dragTarget_.Y);
  } else if (TXelEventItem* moved = Map()->Events.FindById(id)) {
    moved->X = dragTarget_.X;
    moved->Y = dragTarget_.Y;
  } else {
    return;
  }
  MoveCursorTo(dragTarget_);
  ViewPainter().SetMap(MapTree(), Map());
  Map()->Modified = true;
  RepaintAll();
  ReportCursor();
}

void TFormMapEditor::PopupMenu2Popup() {
  const int id = EventMap().Get(cursorCell_.X, cursorCell_.Y);
  const bool empty = id == 0, taken = id > 0;
  Menu_Event_New->setVisible(empty);
  Menu_Event_Edit->setVisible(taken);
  PopupMenu2->setDefaultAction(empty ? Menu_Event_New : taken ? Menu_Event_Edit : nullptr);
  Menu_Event_New->setEnabled(empty);
  Menu_Event_Edit->setEnabled(taken && id < StartMarkId);
  Menu_Event_Cut->setEnabled(taken);
  Menu_Event_Copy->setEnabled(taken);
  Menu_Event_Paste->setEnabled(empty && Clipboard().HasFormat(cfMapEvent));
  Menu_Event_Delete->setEnabled(taken);
  for (QAction* item : {Menu_Event_MoveEvent, Menu_SetPartyPosition, Menu_SetShipPosition})
    item->setEnabled(empty);
}

void TFormMapEditor::EventMenuClick(QAction* item) {
  CancelMouseOperation();
  RepaintAll();
  if (!events_) return;
  const int x = cursorCell_.X, y = cursorCell_.Y;
  const int graphic = engine_.Pens[emEvents].GetCell(0, 0) - UpperChipId;
  if (item == Menu_Event_New || item == Menu_Event_Edit)
    events_->EditAt(x, y, graphic);
  else if (item == Menu_Event_Cut)
    events_->CutAt(x, y);
  else if (item == Menu_Event_Copy)
    events_->CopyAt(x, y);
  else if (item == Menu_Event_Paste)
    events_->PasteAt(x, y);
  else if (item == Menu_Event_Delete)
    events_->DeleteAt(x, y);
  else if (item == Menu_Event_MoveEvent)
    events_->NewTeleportEvent(x, y);
  else if (item == Menu_SetPartyPosition)
    events_->SetPartyStart(x, y);
  else if (item == Menu_SetShipPosition)
    events_->SetVehicleStart(x, y);
  if (item == Menu_Event_Cut || item == Menu_Event_Paste || item == Menu_Event_Delete)
    ReportCursor();
}

// ---- keys ----

namespace {

bool Is(QKeyEvent* event, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return event->key() == key && (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                       Qt::AltModifier)) == modifiers;
}

// Clicks Item when it is enabled; true when the key was Item's.
bool Press(QAction* item) {
  if (item->isEnabled() && item->isVisible()) item->trigger();
  return true;
}

} // namespace

bool TFormMapEditor::EventKey(QKeyEvent* event) {
  const bool valid = EventMap().Get(cursorCell_.X, cursorCell_.Y) >= 0;
  if (valid) {
    PopupMenu2Popup();
    if (Is(event, Qt::Key_C, Qt::ControlModifier)) return Press(Menu_Event_Copy);
    if (Is(event, Qt::Key_V, Qt::ControlModifier)) return Press(Menu_Event_Paste);
    if (Is(event, Qt::Key_X, Qt::ControlModifier)) return Press(Menu_Event_Cut);
    if (Is(event, Qt::Key_Delete)) return Press(Menu_Event_Delete);
    if (Is(event, Qt::Key_Return) || Is(event, Qt::Key_Enter))
      return Press(Menu_Event_New->isVisible() ? Menu_Event_New : Menu_Event_Edit);
  }
  const int key = event->key();
  const TPoint step = key == Qt::Key_Left    ? TPoint{-1, 0}
                      : key == Qt::Key_Right ? TPoint{1, 0}
                      : key == Qt::Key_Up    ? TPoint{0, -1}
                      : key == Qt::Key_Down  ? TPoint{0, 1}
                                             : TPoint{};
  if (step == TPoint{} || !Map() || Map()->Width() <= 0) return false;
  const TPoint cell{std::clamp(cursorCell_.X + step.X, 0, Map()->Width() - 1),
                    std::clamp(cursorCell_.Y + step.Y, 0, Map()->Height() - 1)};
  MoveCursorTo(cell);
  // The cell stays in view: the last visible one at the far edges, the first at the near.
  const int scale = Scale();
  const TPoint scroll = ScrollPos(), view = Painter().ViewSize();
  int dx = 0, dy = 0;
  if ((cell.X + 1) * scale > scroll.X + view.X) dx = (cell.X + 1) * scale - view.X - scroll.X;
  if (cell.X * scale < scroll.X) dx = cell.X * scale - scroll.X;
  if ((cell.Y + 1) * scale > scroll.Y + view.Y) dy = (cell.Y + 1) * scale - view.Y - scroll.Y;
  if (cell.Y * scale < scroll.Y) dy = cell.Y * scale - scroll.Y;
  if (dx != 0 || dy != 0) MapFrame->ScrollBy(dx, dy);
  return true;
}

bool TFormMapEditor::SelectKey(QKeyEvent* event) {
  PopupMenu1Popup();
  if (Is(event, Qt::Key_A, Qt::ControlModifier)) return Press(MenuSelectAll);
  if (Is(event, Qt::Key_C, Qt::ControlModifier)) return Press(MenuCopy);
  if (Is(event, Qt::Key_V, Qt::ControlModifier)) return Press(MenuPaste);
  if (Is(event, Qt::Key_X, Qt::ControlModifier)) return Press(MenuCut);
  if (Is(event, Qt::Key_Delete)) return Press(MenuClear);
  return false;
}

void TFormMapEditor::keyPressEvent(QKeyEvent* event) {
  bool used = false;
  GuardHandler(this, [&] {
    if (Is(event, Qt::Key_Z, Qt::ControlModifier)) {
      UndoLast();
      used = true;
    } else if (EditMode() == emEvents) {
      used = EventKey(event);
    } else if (LayerMode() && tool_ == etSelect) {
      used = SelectKey(event);
    }
  });
  if (!used) TFormMapViewer::keyPressEvent(event);
}

#include "shell/map/chip_selector.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "core/chip_palette.h"
#include "core/chip_set_graphic.h"
#include "core/current_chip.h"
#include "core/map.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "shell/common/shell_pictures.h"
#include "shell/map/map_view_geometry.h"
#include "shell/map/map_view_painter.h"

namespace {

constexpr int kPickDelayMs = 150;
constexpr int kAutoScrollMs = 40;
constexpr int kPickCursorSlot = 6;
const QColor kSelectionColor(255, 0, 0);

} // namespace

TFormChipSelector::TFormChipSelector(QWidget* parent) : TFormXelWidget(parent) {
  // The frame is placed by FormResize, not by a layout.
  setObjectName("FormChipSelector");
  ScrollFrame1 = new TScrollFrame(this);
  ScrollFrame1->setObjectName("ScrollFrame1");
  ScrollFrame1->SetOpaque(true);
  ScrollFrame1->HorzScrollBar()->SetIncrement(CellSize);
  ScrollFrame1->VertScrollBar()->SetIncrement(CellSize);
  Background = new TOpaquePaintBox(ScrollFrame1->viewport());
  Background->setObjectName("Background");
  PaintBox = new TOpaquePaintBox(Background);
  PaintBox->setObjectName("PaintBox");
  PaintBox->setCursor(ScreenCursor(kPickCursorSlot));
  DummyPaintBox = new TOpaquePaintBox(Background);
  DummyPaintBox->setObjectName("DummyPaintBox");
  DummyPaintBox->setGeometry(0, 0, 0, 0);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kPickDelayMs);
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setInterval(kAutoScrollMs);
  WheelMaster1 = new TWheelMaster(this);
  WheelMaster1->setObjectName("WheelMaster1");
  board_.SetSize(BoardWidth, BoardHeight);

  On(ScrollFrame1, &TScrollFrame::Change, &TFormChipSelector::ScrollFrame1Change);
  On(ScrollFrame1, &TScrollFrame::Resize, &TFormChipSelector::ScrollFrame1Resize);
  OnPaint(Background, [this](QPainter& canvas) {
    FillHatchedBackground(canvas, ScrollPos().X, ScrollPos().Y);
  });
  OnPaint(PaintBox, [this](QPainter& canvas) { PaintBoxPaint(canvas); });
  for (TOpaquePaintBox* box : {Background, PaintBox, DummyPaintBox}) {
    On(box, &TOpaquePaintBox::MouseDown, &TFormChipSelector::PaintBoxMouseDown);
    On(box, &TOpaquePaintBox::MouseMove, &TFormChipSelector::PaintBoxMouseMove);
    On(box, &TOpaquePaintBox::MouseUp, &TFormChipSelector::PaintBoxMouseUp);
  }
  On(Timer1, &QTimer::timeout, &TFormChipSelector::Timer1Timer);
  On(Timer2, &QTimer::timeout, &TFormChipSelector::Timer2Timer);
  On(qApp, &QGuiApplication::applicationStateChanged, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) EndDrag();
  });

  resize(BoardWidth + FrameBorderWidth(), 300);
  Reset();
}

TFormChipSelector::~TFormChipSelector() = default;

bool TFormChipSelector::MapLoaded() const {
  return map_ && map_->Width() > 0;
}

int TFormChipSelector::Rows() const {
  return PaletteRows(page_);
}

void TFormChipSelector::Reset() {
  for (TPageState& state : pages_)
    state = TPageState{};
  page_ = 3;
  Rebuild();
}

void TFormChipSelector::SetPage(int page) {
  if (page == page_ || page < 0 || page >= PalettePageCount) return;
  if (dragging_) CancelDrag();
  page_ = page;
  Rebuild();
  if (OnSelectionMade) OnSelectionMade(this);
}

void TFormChipSelector::Rebuild() {
  Place();
  Redraw();
}

void TFormChipSelector::Place() {
  const bool loaded = MapLoaded();
  const TPoint range{loaded ? BoardWidth : 0, loaded ? Rows() * CellSize : 0};
  const QSize client = ScrollFrame1->ClientSize();
  Background->setGeometry(0, 0, client.width(), client.height());
  PaintBox->setGeometry(0, 0, std::min(range.X, client.width()),
                        std::min(range.Y, client.height()));
  // Setting the bars reports their positions; the page's own are put back afterwards.
  const TPoint scroll = ScrollPos();
  ScrollFrame1->HorzScrollBar()->SetRange(range.X);
  ScrollFrame1->VertScrollBar()->SetRange(range.Y);
  ScrollFrame1->HorzScrollBar()->SetPosition(scroll.X);
  ScrollFrame1->VertScrollBar()->SetPosition(scroll.Y);
}

void TFormChipSelector::DrawCells(const TRect& cells) {
  const TRect r = Intersect(cells, TRect{0, 0, PaletteColumns, Rows()});
  TXelChipSetGraphic* chips = map_ ? map_->Graphics().ChipSetGraphic() : nullptr;
  if (chips) chips->SetTransparent(false);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      // Tiles without a picture draw nothing: the cell is cleared first.
      FillRect(board_.Surface(), Bounds(x * CellSize, y * CellSize, CellSize, CellSize), 0);
      if (chips)
        chips->DrawChip(board_, x * CellSize, y * CellSize, PaletteCellToChipId(page_, x, y), 0,
                        false, CellSize);
    }
}

void TFormChipSelector::DrawSelection() {
  if (!MapLoaded()) return;
  const TRect selection = GetSelection();
  if (!selection.IsEmpty())
    DrawSelectionFrame(board_, kSelectionColor, ScaleRect(selection, CellSize));
}

void TFormChipSelector::Redraw() {
  if (MapLoaded()) {
    DrawCells(TRect{0, 0, PaletteColumns, Rows()});
    DrawSelection();
  }
  PaintBox->update();
}

void TFormChipSelector::SetSelection(const TRect& selection) {
  if (MapLoaded()) DrawCells(GetSelection());
  pages_[size_t(page_)].Selection = selection;
  DrawSelection();
  PaintBox->update();
}

void TFormChipSelector::SelectTile(int id) {
  const TPoint cell = ChipIdToPaletteCell(page_, id);
  SetSelection(cell.X < 0 ? TRect{} : Bounds(cell.X, cell.Y, 1, 1));
}

bool TFormChipSelector::SelectedBlock(TXelCurrentChip& pen) const {
  const TRect selection = GetSelection();
  // The empty page stands for no tiles: its default cell is no selection either.
  if (selection.IsEmpty() || Rows() == 0) return false;
  pen.SetSize(selection.Width(), selection.Height());
  for (int y = 0; y < pen.Height(); ++y)
    for (int x = 0; x < pen.Width(); ++x)
      pen.SetCell(x, y,
                  uint16_t(PaletteCellToChipId(page_, selection.Left + x, selection.Top + y)));
  return true;
}

void TFormChipSelector::PaintBoxPaint(QPainter& canvas) {
  if (!MapLoaded()) return;
  // Only the rows in view, taken in the screen's own format (which Qt copies unconverted).
  const TPoint scroll = ScrollPos();
  const int top = std::clamp(scroll.Y, 0, board_.GetHeight());
  const int rows = std::min(PaintBox->height(), board_.GetHeight() - top);
  if (rows <= 0) return;
  const int width = board_.GetWidth();
  screen_.resize(size_t(width) * size_t(rows));
  for (int y = 0; y < rows; ++y) {
    const uint16_t* from = board_.GetRow(top + y);
    uint32_t* to = screen_.data() + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x)
      to[x] = ScreenColor(from[x]);
  }
  canvas.drawImage(-scroll.X, top - scroll.Y,
                   QImage(reinterpret_cast<const uchar*>(screen_.data()), width, rows, width * 4,
                          QImage::Format_RGB32));
}

TPoint TFormChipSelector::CellAt(QPoint pixel) const {
  const TPoint scroll = ScrollPos();
  return TPoint{FloorDiv(pixel.x() + scroll.X, CellSize), FloorDiv(pixel.y() + scroll.Y, CellSize)};
}

void TFormChipSelector::PaintBoxMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    WheelMaster1->Start(ScrollFrame1);
    return;
  }
  // Another button while dragging: the drag is taken back.
  if (dragging_) {
    CancelDrag();
    return;
  }
  ScrollFrame1->setFocus();
  if (!MapLoaded() || Rows() == 0) return;
  dragging_ = true;
  dragArmed_ = false;
  savedSelection_ = GetSelection();
  // A press below the page still starts on the page.
  const TPoint cell = CellAt(event->pos());
  anchor_ = TPoint{std::clamp(cell.X, 0, PaletteColumns - 1), std::clamp(cell.Y, 0, Rows() - 1)};
  const TRect first = Bounds(anchor_.X, anchor_.Y, 1, 1);
  SetSelection(first);
  Timer1->start();
  Timer2->start();
}

void TFormChipSelector::PaintBoxMouseMove(QMouseEvent* event) {
  if (!dragging_ || !dragArmed_) return;
  const TRect selection = PaletteDragSelection(page_, anchor_, CellAt(event->pos()));
  if (selection != GetSelection()) SetSelection(selection);
}

void TFormChipSelector::PaintBoxMouseUp(QMouseEvent* event) {
  if (event->button() != Qt::MiddleButton && dragging_) EndDrag();
}

void TFormChipSelector::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  Timer1->stop();
  Timer2->stop();
  if (OnSelectionMade) OnSelectionMade(this);
}

void TFormChipSelector::CancelDrag() {
  dragging_ = false;
  Timer1->stop();
  Timer2->stop();
  SetSelection(savedSelection_);
}

void TFormChipSelector::Timer1Timer() {
  Timer1->stop();
  dragArmed_ = true;
  PaintBox->setCursor(ScreenCursor(kPickCursorSlot));
}

void TFormChipSelector::Timer2Timer() {
  AutoScrollFrom(PaintBox->mapFromGlobal(QCursor::pos()));
}

void TFormChipSelector::AutoScrollFrom(QPoint pixel) {
  const QSize visible = ScrollFrame1->ClientSize();
  const int dx = EdgeAutoScrollStep(pixel.x(), visible.width());
  const int dy = EdgeAutoScrollStep(pixel.y(), visible.height());
  if (dx != 0 || dy != 0) ScrollFrame1->ScrollBy(dx, dy);
}

void TFormChipSelector::resizeEvent(QResizeEvent* event) {
  TFormXelWidget::resizeEvent(event);
  FormResize();
}

int TFormChipSelector::FrameBorderWidth() const {
  // Worked out rather than measured: a hidden frame has not laid out its viewport yet.
  return 2 * ScrollFrame1->frameWidth() + ScrollFrame1->verticalScrollBar()->sizeHint().width();
}

void TFormChipSelector::FormResize() {
  const bool fits = width() >= FrameBorderWidth() + BoardWidth;
  ScrollFrame1->HorzScrollBar()->SetVisible(!fits);
  ScrollFrame1->setGeometry(0, 0, fits ? FrameBorderWidth() + BoardWidth : width(), height());
}

void TFormChipSelector::ScrollFrame1Resize() {
  const QSize client = ScrollFrame1->ClientSize();
  ScrollFrame1->HorzScrollBar()->SetPageSize(client.width());
  ScrollFrame1->VertScrollBar()->SetPageSize(client.height());
  // The board holds the whole page whatever the frame's size: only its place changes.
  Place();
  PaintBox->update();
}

void TFormChipSelector::ScrollFrame1Change() {
  pages_[size_t(page_)].Scroll =
      TPoint{ScrollFrame1->HorzScrollBar()->Position(), ScrollFrame1->VertScrollBar()->Position()};
  PaintBox->update();
  Background->update();
}

void TFormChipSelector::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  ScrollFrame1->ScrollBy(0, -notches * WheelStep);
  event->accept();
}

#include "shell/map/map_viewer.h"

#include <QCursor>
#include <QImage>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "core/map.h"
#include "core/map_tree.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/raster_target.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "framework/forms/form_builder.h"
#include "shell/map/map_view_geometry.h"
#include "shell/map/map_view_painter.h"

namespace {

constexpr int kAutoScrollMs = 40;

} // namespace

TFormMapViewer::TFormMapViewer(QWidget* parent, std::unique_ptr<TMapViewPainter> painter)
    : TFormXelWidget(parent),
      painter_(painter ? std::move(painter) : std::make_unique<TMapViewPainter>()) {
  TFormBuilder b(this, "FormMapViewer", QString(), 400, 300);
  MapFrame = b.Add<TScrollFrame>("MapFrame");
  layout()->setContentsMargins(0, 0, 0, 0);
  MapFrame->SetOpaque(true);
  MapFrame->HorzScrollBar()->SetIncrement(32);
  MapFrame->VertScrollBar()->SetIncrement(32);
  Background = new TOpaquePaintBox(MapFrame->viewport());
  Background->setObjectName("Background");
  PaintBox = new TOpaquePaintBox(Background);
  PaintBox->setObjectName("PaintBox");
  PaintBox->setMouseTracking(true);
  DummyPaintBox = new TOpaquePaintBox(Background);
  DummyPaintBox->setObjectName("DummyPaintBox");
  DummyPaintBox->setGeometry(0, 0, 0, 0);
  AutoScrollTimer = new QTimer(this);
  AutoScrollTimer->setObjectName("AutoScrollTimer");
  AutoScrollTimer->setInterval(kAutoScrollMs);
  WheelMaster1 = new TWheelMaster(this);
  WheelMaster1->setObjectName("WheelMaster1");

  On(MapFrame, &TScrollFrame::Change, &TFormMapViewer::MapFrameChange);
  On(MapFrame, &TScrollFrame::Resize, &TFormMapViewer::MapFrameResize);
  OnPaint(Background,
          [this](QPainter& canvas) { FillHatchedBackground(canvas, scroll_.X, scroll_.Y); });
  On(Background, &TOpaquePaintBox::MouseDown, [this](QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) WheelMaster1->Start(MapFrame);
  });
  OnPaint(PaintBox, [this](QPainter& canvas) { PaintBoxPaint(canvas); });
  On(PaintBox, &TOpaquePaintBox::MouseDown, &TFormMapViewer::PaintBoxMouseDown);
  On(PaintBox, &TOpaquePaintBox::MouseMove, &TFormMapViewer::PaintBoxMouseMove);
  On(PaintBox, &TOpaquePaintBox::MouseUp, &TFormMapViewer::PaintBoxMouseUp);
  On(AutoScrollTimer, &QTimer::timeout, &TFormMapViewer::AutoScrollTimerTimer);
  Layout();
}

TFormMapViewer::~TFormMapViewer() = default;

int TFormMapViewer::Scale() const {
  return painter_->Scale();
}

TPoint TFormMapViewer::View() const {
  if (const TXelMapTreeItem* item = tree_ ? tree_->GetActiveItem() : nullptr)
    return TPoint{item->ViewX, item->ViewY};
  return ownView_;
}

void TFormMapViewer::SetView(TPoint view) {
  if (TXelMapTreeItem* item = tree_ ? tree_->GetActiveItem() : nullptr) {
    item->ViewX = view.X;
    item->ViewY = view.Y;
  } else {
    ownView_ = view;
  }
}

TPoint TFormMapViewer::ClientSize() const {
  const QSize size = MapFrame->ClientSize();
  return TPoint{size.width(), size.height()};
}

TXelEventMap& TFormMapViewer::EventMap() {
  return painter_->EventMap();
}

TPoint TFormMapViewer::CellAt(QPoint pixel) const {
  return TPoint{CellOfPixel(pixel.x(), scroll_.X, Scale()),
                CellOfPixel(pixel.y(), scroll_.Y, Scale())};
}

TPoint TFormMapViewer::CornerAt(QPoint pixel) const {
  return TPoint{NearestCorner(pixel.x(), scroll_.X, Scale()),
                NearestCorner(pixel.y(), scroll_.Y, Scale())};
}

void TFormMapViewer::SetScale(int scale) {
  if (scale == Scale()) return;
  const TPoint view = View(), client = ClientSize();
  scroll_ = TPoint{ScrollForView(view.X, client.X, scale), ScrollForView(view.Y, client.Y, scale)};
  painter_->SetScale(scale);
  Layout();
  RepaintAll();
  if (OnScaleChanged) OnScaleChanged(this);
}

void TFormMapViewer::Layout() {
  const bool shown = map_ && map_->Width() > 0 && painter_->Map() == map_;
  const TMapViewLayout layout =
      LayoutMapView(shown ? map_->Width() : 0, shown ? map_->Height() : 0, Scale(), ClientSize());
  const TPoint client = ClientSize();
  Background->setGeometry(0, 0, client.X, client.Y);
  PaintBox->setGeometry(layout.Offset.X, layout.Offset.Y, layout.Visible.X, layout.Visible.Y);
  PaintBox->setVisible(layout.Visible.X > 0 && layout.Visible.Y > 0);
  painter_->SetViewSize(layout.Visible);
  layingOut_ = true;
  TScrollFrameBar* bars[] = {MapFrame->HorzScrollBar(), MapFrame->VertScrollBar()};
  const int ranges[] = {layout.Range.X, layout.Range.Y};
  const int pages[] = {client.X, client.Y};
  const int positions[] = {scroll_.X, scroll_.Y};
  for (int i = 0; i < 2; ++i) {
    bars[i]->SetRange(ranges[i]);
    bars[i]->SetPageSize(pages[i]);
    bars[i]->SetPosition(positions[i]);
  }
  layingOut_ = false;
  // The bars keep the position inside the map; the view centre stays where it was asked.
  TakeFramePosition();
  painter_->SetScroll(scroll_);
  Background->update();
}

void TFormMapViewer::TakeFramePosition() {
  scroll_ = TPoint{MapFrame->HorzScrollBar()->Position(), MapFrame->VertScrollBar()->Position()};
}

void TFormMapViewer::MapFrameChange() {
  if (layingOut_) return;
  const TPoint old = scroll_;
  TakeFramePosition();
  if (scroll_ == old) return;
  const TPoint view = View();
  SetView(TPoint{ViewAfterScroll(view.X, old.X, scroll_.X, Scale()),
                 ViewAfterScroll(view.Y, old.Y, scroll_.Y, Scale())});
  UpdateBoards();
  Background->update();
}

void TFormMapViewer::MapFrameResize() {
  Layout();
  RepaintAll();
}

void TFormMapViewer::PaintCell(int x, int y) {
  RepaintCells(TRect{x, y, x + 1, y + 1});
}

void TFormMapViewer::RepaintCells(const TRect& cells) {
  // On boards brought up to date first, as the cells' drawing also marks what it changed.
  TakePendingRepaint();
  painter_->RepaintCells(cells);
  // Copies on a looping map may lie anywhere on the boards.
  if (map_ && (map_->IsLoopHorizontal() || map_->IsLoopVertical()))
    RequestRepaint();
  else
    RequestRepaint(CellsToPixels(cells, scroll_, Scale()));
}

void TFormMapViewer::UpdateBoards() {
  painter_->SetScroll(scroll_);
  if (!boardsStale_) painter_->UpdateBoards();
  RequestRepaint();
}

void TFormMapViewer::RepaintAll() {
  boardsStale_ = true;
  RequestRepaint();
}

void TFormMapViewer::TakePendingRepaint() const {
  if (!boardsStale_) return;
  boardsStale_ = false;
  painter_->SetScroll(scroll_);
  painter_->RepaintAll();
}

void TFormMapViewer::MapLoaded() {
  scroll_ = TPoint{};
  painter_->SetMap(tree_, map_);
  painter_->CellsReplaced();
  if (tree_ && tree_->GetActiveItem()) {
    if (KeepView) {
      TakeFramePosition();
    } else {
      const TPoint view = View(), client = ClientSize();
      scroll_ = TPoint{ScrollForView(view.X, client.X, Scale()),
                       ScrollForView(view.Y, client.Y, Scale())};
    }
  }
  Layout();
  painter_->LoadPanorama();
  RepaintAll();
}

void TFormMapViewer::RequestRepaint() {
  repaintPending_ = true;
  PaintBox->update();
}

void TFormMapViewer::RequestRepaint(const TRect& pixels) {
  if (pixels.IsEmpty()) return;
  repaintPending_ = true;
  PaintBox->update(pixels.Left, pixels.Top, pixels.Width(), pixels.Height());
}

void TFormMapViewer::PaintBoxPaint(QPainter& canvas) {
  repaintPending_ = false;
  TakePendingRepaint();
  // With nothing of the screen copy worth keeping (a new map, a scroll, a full redraw),
  // the board goes straight to the window's store rather than through the copy; a paint
  // of the same board again takes the copy, which later paints then reuse.
  const uint64_t changes = painter_->BoardChanges();
  if (painter_->ScreenWhollyStale() && changes != directPaintAt_) {
    if (const auto target = RasterTargetOf(canvas, PaintBox->size())) {
      for (const TRect& r : target->Rects)
        painter_->ConvertInto(target->Rows, target->Stride, target->Offset, r);
      directPaintAt_ = changes;
      PaintOver(canvas);
      return;
    }
  }
  const TMapViewPainter::TScreen screen = painter_->Screen();
  if (screen.Width > 0 && screen.Height > 0)
    canvas.drawImage(0, 0,
                     QImage(reinterpret_cast<const uchar*>(screen.Bits), screen.Width,
                            screen.Height, screen.Width * 4, QImage::Format_RGB32));
  PaintOver(canvas);
}

void TFormMapViewer::PaintBoxMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) WheelMaster1->Start(MapFrame);
}

void TFormMapViewer::AutoScrollTimerTimer() {
  AutoScrollFrom(PaintBox->mapFromGlobal(QCursor::pos()));
}

void TFormMapViewer::AutoScrollFrom(QPoint pixel) {
  const int dx = 2 * EdgeAutoScrollStep(pixel.x(), PaintBox->width());
  const int dy = 2 * EdgeAutoScrollStep(pixel.y(), PaintBox->height());
  if (dx != 0 || dy != 0) MapFrame->ScrollBy(dx, dy);
}

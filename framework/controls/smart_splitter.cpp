#include "framework/controls/smart_splitter.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

int SplitterPanelSize(int extent, double percentage, int minSize) {
  const double wanted = std::nearbyint(double(extent) * percentage / 100.0);
  double size = std::min(wanted, double(extent) - minSize);
  size = std::max(size, double(minSize));
  return static_cast<int>(size);
}

TSmartSplitter::TSmartSplitter(QWidget* parent, TAlign align) : QWidget(parent) {
  resize(4, 4);
  SetAlign(align);
  // The container's resizes keep the share; its own handlers run as before.
  if (parent) parent->installEventFilter(this);
}

TSmartSplitter::~TSmartSplitter() {
  if (QWidget* parent = parentWidget()) parent->removeEventFilter(this);
}

void TSmartSplitter::SetAlign(TAlign align) {
  SetControlAlign(this, align);
  setCursor(align == alTop || align == alBottom ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

bool TSmartSplitter::Vertical() const {
  const TAlign align = Align();
  return align == alTop || align == alBottom;
}

QWidget* TSmartSplitter::Neighbour() const {
  const QWidget* parent = parentWidget();
  if (!parent) return nullptr;
  const QRect r = geometry();
  QPoint probe;
  switch (Align()) {
  case alTop:
    probe = QPoint(r.left(), r.top() - 1);
    break;
  case alBottom:
    probe = QPoint(r.left(), r.top() + r.height());
    break;
  case alLeft:
    probe = QPoint(r.left() - 1, r.top());
    break;
  case alRight:
    probe = QPoint(r.left() + r.width(), r.top());
    break;
  default:
    return nullptr;
  }
  for (QObject* child : parent->children()) {
    auto* control = qobject_cast<QWidget*>(child);
    if (!control || control == this || control->isHidden() || control->isWindow()) continue;
    if (control->geometry().contains(probe)) return control;
  }
  return nullptr;
}

int TSmartSplitter::Extent() const {
  const QWidget* parent = parentWidget();
  QWidget* neighbour = Neighbour();
  if (!parent || !neighbour) return 0;
  const bool vertical = Vertical();
  int extent = vertical ? parent->contentsRect().height() : parent->contentsRect().width();
  for (QObject* child : parent->children()) {
    auto* control = qobject_cast<QWidget*>(child);
    if (!control || control->isHidden() || control->isWindow()) continue;
    const TAlign align = ControlAlign(control);
    if (vertical && (align == alTop || align == alBottom)) extent -= control->height();
    if (!vertical && (align == alLeft || align == alRight)) extent -= control->width();
  }
  return extent + (vertical ? neighbour->height() : neighbour->width());
}

void TSmartSplitter::SetNeighbourSize(QWidget* neighbour, int size) {
  QRect r = neighbour->geometry();
  switch (Align()) {
  case alTop:
    r.setHeight(size);
    break;
  case alBottom:
    r.setTop(r.bottom() + 1 - size); // the far edge stays
    break;
  case alLeft:
    r.setWidth(size);
    break;
  case alRight:
    r.setLeft(r.right() + 1 - size);
    break;
  default:
    return;
  }
  neighbour->setGeometry(r);
  if (QWidget* parent = parentWidget())
    if (auto* layout = qobject_cast<TAlignLayout*>(parent->layout())) layout->Arrange();
}

void TSmartSplitter::ApplyPercentage() {
  QWidget* neighbour = Neighbour();
  if (!neighbour) return;
  SetNeighbourSize(neighbour, SplitterPanelSize(Extent(), percentage_, minSize_));
}

void TSmartSplitter::MoveBy(int deltaX, int deltaY) {
  QWidget* neighbour = Neighbour();
  if (!neighbour) return;
  int size = 0;
  switch (Align()) {
  case alTop:
    size = neighbour->height() + deltaY;
    break;
  case alBottom:
    size = neighbour->height() - deltaY;
    break;
  case alLeft:
    size = neighbour->width() + deltaX;
    break;
  case alRight:
    size = neighbour->width() - deltaX;
    break;
  default:
    return;
  }
  const int extent = Extent();
  size = std::max(std::min(size, extent - minSize_), minSize_);
  // A container with no room at all keeps the share it had.
  if (extent > 0) percentage_ = double(size) / extent * 100.0;
  ApplyPercentage();
}

bool TSmartSplitter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) {
    if (autoResize_)
      ApplyPercentage();
    else
      MoveBy(0, 0);
  }
  return false;
}

void TSmartSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragStart_ = event->position().toPoint();
  dragging_ = true;
}

void TSmartSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint p = event->position().toPoint();
  MoveBy(p.x() - dragStart_.x(), p.y() - dragStart_.y());
}

void TSmartSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  emit Moved();
}

void TSmartSplitter::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !isEnabled()) dragging_ = false;
}

void TSmartSplitter::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  dragging_ = false;
}

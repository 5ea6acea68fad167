#include "framework/controls/opaque_paint_box.h"

#include <QMouseEvent>
#include <QPainter>

QColor AppWorkSpaceColor() {
  return QColor(171, 171, 171);
}

TOpaquePaintBox::TOpaquePaintBox(QWidget* parent) : QWidget(parent), color_(AppWorkSpaceColor()) {
  resize(105, 105);
  ApplyBackground();
}

void TOpaquePaintBox::SetOpaque(bool value) {
  opaque_ = value;
  ApplyBackground();
}

void TOpaquePaintBox::SetColor(const QColor& value) {
  color_ = value;
  ApplyBackground();
}

void ApplyOpaqueBackground(QWidget* surface, bool opaque, const QColor& color) {
  surface->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  surface->setAutoFillBackground(!opaque);
  QPalette palette = surface->palette();
  palette.setColor(QPalette::Window, color);
  surface->setPalette(palette);
  surface->update();
}

void TOpaquePaintBox::ApplyBackground() {
  ApplyOpaqueBackground(this, opaque_, color_);
}

void TOpaquePaintBox::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  canvas.setFont(font());
  canvas.setBrush(color_);
  emit Paint(canvas);
}

void TOpaquePaintBox::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event);
}

void TOpaquePaintBox::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event);
}

void TOpaquePaintBox::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event);
}

void TOpaquePaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click is also a press, as the owners' mouse handlers expect.
  emit MouseDown(event);
  if (event->button() == Qt::RightButton)
    emit RightDblClick();
  else if (event->button() == Qt::LeftButton)
    emit DblClick();
}

#include "framework/controls/align_layout.h"

#include <QVariant>
#include <QWidget>

namespace {

const char* const AlignProperty = "velmoraAlign";

} // namespace

void SetControlAlign(QWidget* control, TAlign align) {
  control->setProperty(AlignProperty, int(align));
  if (QWidget* parent = control->parentWidget())
    if (auto* layout = qobject_cast<TAlignLayout*>(parent->layout())) layout->Arrange();
}

TAlign ControlAlign(const QWidget* control) {
  const QVariant value = control->property(AlignProperty);
  return value.isValid() ? static_cast<TAlign>(value.toInt()) : alNone;
}

TAlignLayout::TAlignLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
}

TAlignLayout::~TAlignLayout() {
  qDeleteAll(items_);
}

void TAlignLayout::AddControl(QWidget* control, TAlign align) {
  control->setProperty(AlignProperty, int(align));
  addWidget(control);
}

void TAlignLayout::addItem(QLayoutItem* item) {
  items_.append(item);
}

QLayoutItem* TAlignLayout::itemAt(int index) const {
  return items_.value(index);
}

QLayoutItem* TAlignLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int TAlignLayout::count() const {
  return int(items_.size());
}

QSize TAlignLayout::sizeHint() const {
  return minimumSize();
}

QSize TAlignLayout::minimumSize() const {
  // The container's size is the form's business; docked controls never force it.
  return QSize(0, 0);
}

void TAlignLayout::Arrange() {
  setGeometry(geometry().isValid() || !parentWidget() ? geometry()
                                                      : parentWidget()->contentsRect());
}

void TAlignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  QRect rest = contentsRect();
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (QLayoutItem* item : items_) {
      QWidget* control = item->widget();
      if (!control || control->isHidden() || ControlAlign(control) != align) continue;
      const int h = control->height();
      const int w = control->width();
      switch (align) {
      case alTop:
        control->setGeometry(rest.left(), rest.top(), rest.width(), h);
        rest.setTop(rest.top() + h);
        break;
      case alBottom:
        control->setGeometry(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
        rest.setBottom(rest.bottom() - h);
        break;
      case alLeft:
        control->setGeometry(rest.left(), rest.top(), w, rest.height());
        rest.setLeft(rest.left() + w);
        break;
      case alRight:
        control->setGeometry(rest.right() + 1 - w, rest.top(), w, rest.height());
        rest.setRight(rest.right() - w);
        break;
      default:
        control->setGeometry(rest);
        break;
      }
    }
  }
}

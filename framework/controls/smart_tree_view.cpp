#include "framework/controls/smart_tree_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

TSmartTreeView::TSmartTreeView(QWidget* parent) : QTreeWidget(parent) {}

void TSmartTreeView::mousePressEvent(QMouseEvent* event) {
  QTreeWidgetItem* node = itemAt(event->position().toPoint());
  if (!node) {
    // Empty space keeps the highlight: Del and the menu act on the node shown selected.
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) setCurrentItem(node);
  QTreeWidget::mousePressEvent(event);
}

void TSmartTreeView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit MouseUp(event);
    return;
  }
  QTreeWidget::mouseReleaseEvent(event);
}

void TSmartTreeView::contextMenuEvent(QContextMenuEvent* event) {
  QTreeWidgetItem* node = itemAt(viewport()->mapFromGlobal(event->globalPos()));
  if (!node) return;
  if (RightClickSelect) setCurrentItem(node);
  emit PopupSelect(node);
  if (popupMenu_) popupMenu_->popup(event->globalPos());
  event->accept();
}

void TSmartTreeView::focusOutEvent(QFocusEvent* event) {
  // A drag must not outlive the focus: nothing else would end it.
  if (state() == DraggingState || state() == DragSelectingState) setState(NoState);
  QTreeWidget::focusOutEvent(event);
}

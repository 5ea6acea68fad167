// A tree whose mouse buttons first select the node under the mouse, so that drags and
// menus act on it, and whose right click opens the popup menu for that node.
#pragma once

#include <QPointer>
#include <QTreeWidget>

#include <QMenu>

class TSmartTreeView : public QTreeWidget {
  Q_OBJECT
public:
  explicit TSmartTreeView(QWidget* parent = nullptr);

  // Whether the right click's node becomes the selected one (the buttons select anyway).
  bool RightClickSelect = false;
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

signals:
  // The node a right click opens the menu for.
  void PopupSelect(QTreeWidgetItem* node);
  // A right button release, which does nothing else here.
  void MouseUp(QMouseEvent* event);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  QPointer<QMenu> popupMenu_;
};

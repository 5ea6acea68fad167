#include "events/event_menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

QMenu* MakePopupMenu(QWidget* owner, const char* name) {
  auto* menu = new QMenu(owner);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddMenuItem(QMenu* menu, QWidget* list, const char* name, const char* caption,
                     const QKeySequence& key) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  action->setShortcutContext(Qt::WidgetShortcut);
  list->addAction(action);
  return action;
}

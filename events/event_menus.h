// The popup menus of the event editor and the route editor: items named for the tests,
// whose keys act while their list has the focus, as the menu's do.
#pragma once

#include <QKeySequence>

class QAction;
class QMenu;
class QWidget;

QMenu* MakePopupMenu(QWidget* owner, const char* name);
// Adds the item to Menu and its key to List.
QAction* AddMenuItem(QMenu* menu, QWidget* list, const char* name, const char* caption,
                     const QKeySequence& key = {});

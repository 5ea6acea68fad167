// The popup menus of the event editor and the route editor: items named for the tests,
// whose keys act while their list has the focus, as the menu's do.
#pragma once

#include <QKeySequence>
#include <functional>

class QAction;
class QMenu;
class QWidget;
class TFormXelCommon;

// Popup enables the items each time the menu opens (inside the form's guard); once it
// closes they are all enabled again, so that their keys stay live between popups and
// each item checks its own case.
QMenu* MakePopupMenu(TFormXelCommon& form, const char* name, std::function<void()> popup);
// Adds the item to Menu and its key to List.
QAction* AddMenuItem(QMenu* menu, QWidget* list, const char* name, const char* caption,
                     const QKeySequence& key = {});

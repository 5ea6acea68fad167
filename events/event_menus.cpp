#include "events/event_menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "framework/forms/form_xel_base.h"

QMenu* MakePopupMenu(TFormXelCommon& form, const char* name, std::function<void()> popup) {
  auto* menu = new QMenu(form.FormWidget());
  menu->setObjectName(QString::fromLatin1(name));
  form.On(menu, &QMenu::aboutToShow, std::move(popup));
  QObject::connect(menu, &QMenu::aboutToHide, form.Connections(), [menu] {
    for (QAction* item : menu->actions())
      item->setEnabled(true);
  });
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

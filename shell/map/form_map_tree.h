// The map tree window: the map tree's view docked under the tile palette, with the popup
// menus that copy, paste and delete maps and open the dialogs of new maps and areas,
// their properties and the shift of a map.
#pragma once

#include <QPointer>

#include "shell/map/map_tree_view.h"

class QAction;
class QMenu;

class TFormMapTree : public TMapTreeView {
  Q_OBJECT
public:
  explicit TFormMapTree(QWidget* parent = nullptr);

  // Handlers.
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();
  void MenuNewMapClick();
  void MenuMapPropertiesClick();
  void MenuNewAreaClick();
  void MenuAreaPropertiesClick();
  void MenuShiftMapClick();

protected:
  // The popup of the node's kind, with its states; its shortcuts act on the tree.
  void ChoosePopupMenu(QTreeWidgetItem* node) override;

private:
  void CreateMenus();
  QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                       const QKeySequence& shortcut = {});
  void RefreshMenuStates();

  QMenu* PopupMenu1;
  QMenu* PopupMenu2;
  QMenu* PopupMenu3;
  QPointer<QMenu> currentMenu_;
  QAction* pasteRootItem_ = nullptr;
  QAction* pasteMapItem_ = nullptr;
};

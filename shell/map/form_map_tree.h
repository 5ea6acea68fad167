// The map tree window: the project's maps and areas in a tree docked under the tile
// palette. Selecting a node makes its map the current map (loaded from the working copy
// when the map was changed, else from the project); the popup menus copy, paste and
// delete maps; nodes move by dragging. The window also keeps the current map's edits as
// working copies and saves them into the project.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "core/tree_view.h"
#include "framework/controls/image_buttons.h"
#include "framework/forms/form_xel_base.h"
#include "shell/main_window_docks.h"

class QAction;
class QMenu;
class QTreeWidgetItem;
class TSmartTreeView;
class TXelMap;
class TXelMapTree;
class TXelMapTreeItem;
class TMapTreeView;

class TFormMapTree : public TFormXelWidget, public TMapTreeDock, private TTreeViewAccess {
  Q_OBJECT
public:
  explicit TFormMapTree(QWidget* parent = nullptr);
  ~TFormMapTree() override;

  // The tree and the current map, owned by the main window.
  void SetMapTree(TXelMapTree* tree) { tree_ = tree; }
  void SetMap(TXelMap* map) { map_ = map; }
  TXelMapTree* MapTree() const { return tree_; }
  TXelMap* Map() const { return map_; }
  // A map shown as it is, instead of a file, when a node of its Id is selected (nullptr:
  // none). Not owned.
  void SetHeldMap(const TXelMap* map) { heldMap_ = map; }
  // The map editor's visible client size in pixels; areas are centred in it.
  void SetEditorClientSize(int width, int height) override;

  // Areas are shown in the tree.
  bool IncludeAreas = true;

  // Reads the project's "KOVAX.lmt" (dropping every working copy), fills the tree and
  // selects the active map, which loads it. A tree file that cannot be read raises; the
  // tree, the view and the current map are then empty.
  void LoadMapTreeView() override;
  // Fills the view from the tree as it stands and selects the active entry, which loads
  // its map (the map pickers show the tree their caller works on).
  void ShowMapTree();
  // The node selected now: its entry's Id, or -1 for none.
  int32_t SelectedId() const;
  // A changed current map goes to its working copy, and its entry is marked changed.
  void StoreCurrentMap();
  // Stores the current map, then saves every changed map and the tree file.
  void SaveMaps() override;
  // Empties the tree and the view and unloads the map.
  void ClearTree() override;
  bool IsMapsModified() const override;
  // While locked, no popup menu opens, nodes are not dragged and the node order is not
  // written back to the tree.
  void SetLocked(bool locked);
  bool IsLocked() const { return locked_; }

  // Handlers.
  void TreeView1Change(QTreeWidgetItem* node);
  void TreeView1Click();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();
  void MenuNewMapClick();
  void MenuMapPropertiesClick();
  void MenuNewAreaClick();
  void MenuAreaPropertiesClick();
  void MenuShiftMapClick();
  // Dragging: whether the node being dragged may go onto Target, and the drop.
  bool TreeView1DragOver(QTreeWidgetItem* target);
  void TreeView1DragDrop(QTreeWidgetItem* target);

private:
  // TTreeViewAccess over TreeView1; a node handle is its QTreeWidgetItem.
  void ClearNodes() override;
  TTreeNode* AddNode(TTreeNode* parent, const std::string& text, int imageIndex,
                     int32_t entryId) override;
  void SetExpanded(TTreeNode* node, bool expanded) override;
  void SelectNode(TTreeNode* node) override;
  TTreeNode* FirstNode() const override;
  TTreeNode* NextNode(TTreeNode* node) const override;
  TTreeNode* ParentNode(TTreeNode* node) const override;
  int NodeLevel(TTreeNode* node) const override;
  bool IsExpanded(TTreeNode* node) const override;
  int32_t NodeEntryId(TTreeNode* node) const override;

  void CreateMenus();
  QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption,
                       const QKeySequence& shortcut = {});
  // The popup of the node's kind, with its states; its shortcuts act on the tree.
  void ChoosePopupMenu(QTreeWidgetItem* node);
  void RefreshMenuStates();
  void WriteOrderBack();
  void MapSelected();
  // The selected node and its entry, when the entry is of Kind.
  QTreeWidgetItem* SelectedNodeOf(uint8_t kind) const;
  // A node for the new entry under the selected one, then selected; Quietly: without
  // loading its map.
  void AddSelectedChild(const TXelMapTreeItem& item, bool quietly);

  friend class TMapTreeView;

  TMapTreeView* TreeView1;
  TImageListEx ImageList1;
  QMenu* PopupMenu1;
  QMenu* PopupMenu2;
  QMenu* PopupMenu3;
  QPointer<QMenu> currentMenu_;
  QAction* pasteRootItem_ = nullptr;
  QAction* pasteMapItem_ = nullptr;

  TXelMapTree* tree_ = nullptr;
  TXelMap* map_ = nullptr;
  const TXelMap* heldMap_ = nullptr;
  int editorWidth_ = 0;
  int editorHeight_ = 0;
  bool locked_ = false;
};

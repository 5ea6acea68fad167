// The map tree's view: the project's maps and areas in a tree. Selecting a node makes its
// map the current map (loaded from the working copy when the map was changed, else from
// the project); nodes move by dragging; the current map's edits are kept as working
// copies and saved into the project. The map tree window adds the popup menus and their
// dialogs; the position pickers embed the view alone.
#pragma once

#include <QTreeWidgetItemIterator>
#include <optional>
#include <vector>

#include "core/tree_view.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/forms/form_xel_base.h"
#include "shell/common/main_window_docks.h"

class TXelMap;
class TXelMapTree;
class TXelMapTreeItem;
class TMapTreeView;

// TreeView1: the smart tree view with the map tree's own dragging (the node moves only
// when the view says so, and nothing is removed after the drag) and the context-menu
// key opening the current popup at the tree's top-left.
class TMapTreeWidget : public TSmartTreeView {
public:
  TMapTreeWidget(TMapTreeView* view, QWidget* parent);

  // Nodes added but not yet in the widget: a fill adds them all at once.
  std::vector<QTreeWidgetItem*> Pending;
  void Flush();
  void DropPending();
  // A walk in display order: one iterator kept across the steps of a walk.
  mutable std::optional<QTreeWidgetItemIterator> Walk;

protected:
  void startDrag(Qt::DropActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  TMapTreeView* view_;
};

class TMapTreeView : public TFormXelWidget, public TMapTreeDock, protected TTreeViewAccess {
  Q_OBJECT
public:
  explicit TMapTreeView(QWidget* parent = nullptr);
  ~TMapTreeView() override;

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
  // Dragging: whether the node being dragged may go onto Target, and the drop.
  bool TreeView1DragOver(QTreeWidgetItem* target);
  void TreeView1DragDrop(QTreeWidgetItem* target);

protected:
  static QTreeWidgetItem* AsItem(TTreeNode* node);
  static TTreeNode* AsNode(QTreeWidgetItem* item);

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

  // The node whose popup menu applies now (nullptr: none); the view alone has no menus.
  virtual void ChoosePopupMenu(QTreeWidgetItem* node) {}
  void WriteOrderBack();
  void MapSelected();
  // The selected node and its entry, when the entry is of Kind.
  QTreeWidgetItem* SelectedNodeOf(uint8_t kind) const;
  // A node for the new entry under the selected one, then selected; Quietly: without
  // loading its map.
  void AddSelectedChild(const TXelMapTreeItem& item, bool quietly);

  TMapTreeWidget* TreeView1;
  TXelMapTree* tree_ = nullptr;
  TXelMap* map_ = nullptr;

private:
  friend class TMapTreeWidget;

  TImageListEx ImageList1;
  const TXelMap* heldMap_ = nullptr;
  int editorWidth_ = 0;
  int editorHeight_ = 0;
  bool locked_ = false;
};

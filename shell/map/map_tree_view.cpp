#include "shell/map/map_tree_view.h"

#include <QDrag>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMimeData>

#include "core/busy_cursor.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/resource_pictures.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "shell/map/map_read_ahead.h"
#include "shell/map/map_tree_rules.h"

namespace {

// What a dragged node carries: only that it is one of ours; the node is the current one.
const QString NodeMimeType = QStringLiteral("application/x-velmora-map-tree-node");

// The node images by item type, drawn on white, which is their mask colour.
constexpr const char* NodeImages[] = {"tree_root.png", "tree_map.png", "tree_area.png"};

} // namespace

TMapTreeWidget::TMapTreeWidget(TMapTreeView* view, QWidget* parent)
    : TSmartTreeView(parent), view_(view) {
  setHeaderHidden(true);
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDropIndicatorShown(false);
}

void TMapTreeWidget::Flush() {
  if (Pending.empty()) return;
  QList<QTreeWidgetItem*> items(Pending.begin(), Pending.end());
  Pending.clear();
  addTopLevelItems(items);
}

void TMapTreeWidget::DropPending() {
  for (QTreeWidgetItem* item : Pending)
    delete item;
  Pending.clear();
}

void TMapTreeWidget::startDrag(Qt::DropActions) {
  QTreeWidgetItem* node = currentItem();
  if (!node || view_->locked_) return;
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(NodeMimeType, QByteArray());
  drag->setMimeData(data);
  drag->exec(Qt::MoveAction);
}

void TMapTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (view_->locked_ || !event->mimeData()->hasFormat(NodeMimeType)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
}

void TMapTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
  // The base scrolls near the edges; whether the drop is allowed is ours to say.
  TSmartTreeView::dragMoveEvent(event);
  bool allowed = false;
  GuardHandler(view_, [&] {
    allowed = event->mimeData()->hasFormat(NodeMimeType) &&
              view_->TreeView1DragOver(itemAt(event->position().toPoint()));
  });
  if (allowed) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void TMapTreeWidget::dropEvent(QDropEvent* event) {
  stopAutoScroll();
  setState(NoState);
  if (!event->mimeData()->hasFormat(NodeMimeType)) {
    event->ignore();
    return;
  }
  QTreeWidgetItem* target = itemAt(event->position().toPoint());
  GuardHandler(view_, [&] { view_->TreeView1DragDrop(target); });
  event->setDropAction(Qt::MoveAction);
  event->accept();
}

// The context-menu key opens the menu itself, wherever the mouse is.
void TMapTreeWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Menu || event->modifiers() != Qt::NoModifier) {
    TSmartTreeView::keyPressEvent(event);
    return;
  }
  if (QMenu* menu = PopupMenu()) menu->popup(mapToGlobal(QPoint(0, 0)));
  event->accept();
}

TMapTreeView::TMapTreeView(QWidget* parent) : TFormXelWidget(parent) {
  for (const char* file : NodeImages)
    ImageList1.Add(ResourcePicture(file), Qt::white);
  TFormBuilder b(this, "FormMapTree", QString(), 160, 240);
  TreeView1 = b.Add<TMapTreeWidget>("TreeView1", this);
  // Docked: the tree fills the window to its edges.
  layout()->setContentsMargins(0, 0, 0, 0);

  On(TreeView1, &QTreeWidget::currentItemChanged,
     [this](QTreeWidgetItem* node, QTreeWidgetItem*) { TreeView1Change(node); });
  On(TreeView1, &QTreeWidget::itemClicked, &TMapTreeView::TreeView1Click);
  // Opening or closing a branch is kept like a click, so the next start shows it so.
  On(TreeView1, &QTreeWidget::itemExpanded, &TMapTreeView::TreeView1Click);
  On(TreeView1, &QTreeWidget::itemCollapsed, &TMapTreeView::TreeView1Click);
}

TMapTreeView::~TMapTreeView() {
  TreeView1->Walk.reset();
  TreeView1->DropPending();
}

QTreeWidgetItem* TMapTreeView::AsItem(TTreeNode* node) {
  return reinterpret_cast<QTreeWidgetItem*>(node);
}

TTreeNode* TMapTreeView::AsNode(QTreeWidgetItem* item) {
  return reinterpret_cast<TTreeNode*>(item);
}

void TMapTreeView::SetEditorClientSize(int width, int height) {
  editorWidth_ = width;
  editorHeight_ = height;
}

void TMapTreeView::SetLocked(bool locked) {
  locked_ = locked;
  ChoosePopupMenu(tree_ ? TreeView1->currentItem() : nullptr);
}

// --- the tree control ---

void TMapTreeView::ClearNodes() {
  TreeView1->Walk.reset();
  TreeView1->DropPending();
  TUpdatingScope updating(*this);
  TreeView1->clear();
}

TTreeNode* TMapTreeView::AddNode(TTreeNode* parent, const std::string& text, int imageIndex,
                                 int32_t entryId) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, ToQString(text));
  if (imageIndex >= 0 && imageIndex < ImageList1.Count())
    item->setIcon(0, QIcon(ImageList1.Image(imageIndex)));
  item->setData(0, Qt::UserRole, entryId);
  if (parent)
    AsItem(parent)->addChild(item);
  else
    TreeView1->Pending.push_back(item);
  return AsNode(item);
}

void TMapTreeView::SetExpanded(TTreeNode* node, bool expanded) {
  TreeView1->Flush();
  // A fill in progress: the order is read back once all nodes are there.
  TUpdatingScope updating(*this);
  AsItem(node)->setExpanded(expanded);
}

void TMapTreeView::SelectNode(TTreeNode* node) {
  TreeView1->Flush();
  TreeView1->setCurrentItem(AsItem(node));
}

TTreeNode* TMapTreeView::FirstNode() const {
  TreeView1->Flush();
  TreeView1->Walk.reset();
  return AsNode(TreeView1->topLevelItem(0));
}

TTreeNode* TMapTreeView::NextNode(TTreeNode* node) const {
  auto& walk = TreeView1->Walk;
  if (!walk || **walk != AsItem(node)) walk.emplace(AsItem(node));
  ++*walk;
  return AsNode(**walk);
}

TTreeNode* TMapTreeView::ParentNode(TTreeNode* node) const {
  return AsNode(AsItem(node)->parent());
}

int TMapTreeView::NodeLevel(TTreeNode* node) const {
  int level = 0;
  for (QTreeWidgetItem* p = AsItem(node)->parent(); p; p = p->parent())
    ++level;
  return level;
}

bool TMapTreeView::IsExpanded(TTreeNode* node) const {
  return AsItem(node)->isExpanded();
}

int32_t TMapTreeView::NodeEntryId(TTreeNode* node) const {
  return AsItem(node)->data(0, Qt::UserRole).toInt();
}

// --- loading, storing, saving ---

void TMapTreeView::LoadMapTreeView() {
  map_->Modified = false;
  try {
    LoadProjectMapTree(*tree_, ReadGameTitle(ProjectPath));
  } catch (...) {
    ClearNodes();
    map_->Unload();
    ChoosePopupMenu(nullptr);
    throw;
  }
  ShowMapTree();
  // No node of the active Id: nothing is selected, so no map of the last project stays.
  if (!TreeView1->currentItem()) {
    map_->Unload();
    ChoosePopupMenu(nullptr);
    MapSelected();
  }
}

void TMapTreeView::ShowMapTree() {
  tree_->FillTreeView(*this, IncludeAreas);
  tree_->SelectActiveNode(*this);
}

int32_t TMapTreeView::SelectedId() const {
  QTreeWidgetItem* node = TreeView1->currentItem();
  return node ? NodeEntryId(AsNode(node)) : -1;
}

void TMapTreeView::StoreCurrentMap() {
  if (!map_->Modified) return;
  const TXelMapTreeItem* active = tree_->FindById(tree_->ActiveId);
  if (!active || active->Kind == mkRoot) return;
  const int32_t id = active->Kind == mkArea ? active->ParentId : active->Id;
  map_->SaveTempMap(id);
  if (TXelMapTreeItem* owner = tree_->FindById(id)) owner->Changed = true;
}

void TMapTreeView::SaveMaps() {
  StoreCurrentMap();
  tree_->SaveMapTree();
}

void TMapTreeView::ClearTree() {
  tree_->Clear();
  ClearNodes();
  map_->Unload();
  ChoosePopupMenu(nullptr);
  MapSelected();
}

bool TMapTreeView::IsMapsModified() const {
  return map_->Modified || tree_->IsModified();
}

void TMapTreeView::WriteOrderBack() {
  if (!locked_) tree_->ReadTreeView(*this);
}

void TMapTreeView::MapSelected() {
  if (OnMapSelected) OnMapSelected(this);
}

// --- selection ---

void TMapTreeView::TreeView1Change(QTreeWidgetItem* node) {
  if (!node || !tree_ || !map_) return;
  TBusyCursor busy;
  try {
    StoreCurrentMap();
  } catch (...) {
    // The map stays where it was, and so does the selection.
    TUpdatingScope updating(*this);
    for (TTreeNode* n = FirstNode(); n; n = NextNode(n))
      if (NodeEntryId(n) == tree_->ActiveId) TreeView1->setCurrentItem(AsItem(n));
    throw;
  }
  const int32_t id = NodeEntryId(AsNode(node));
  tree_->ActiveId = id;
  TXelMapTreeItem* item = tree_->FindById(id);
  if (!item || item->Kind == mkRoot) {
    map_->Unload();
  } else {
    const int32_t mapId = item->Kind == mkArea ? item->ParentId : item->Id;
    const TXelMapTreeItem* mapItem = tree_->FindById(mapId);
    if (heldMap_ && heldMap_->Id == mapId) {
      map_->Assign(*heldMap_);
      map_->SetId(mapId);
      map_->SetScrollType(map_->ScrollType);
      map_->ReloadChipSet();
      map_->LoadCharSets();
    } else if (mapItem && mapItem->Changed) {
      map_->LoadTempMap(mapId);
    } else if (!MapReadAhead || !MapReadAhead->TakeInto(*map_, mapId, ProjectMapPath(mapId))) {
      map_->LoadProjectMap(mapId);
    }
    if (item->Kind == mkArea) {
      const TViewPosition view = AreaViewPosition(item->AreaRect, editorWidth_, editorHeight_);
      item->ViewX = view.X;
      item->ViewY = view.Y;
    }
  }
  ChoosePopupMenu(node);
  WriteOrderBack();
  MapSelected();
}

void TMapTreeView::TreeView1Click() {
  if (tree_) WriteOrderBack();
}

// --- dragging ---

bool TMapTreeView::TreeView1DragOver(QTreeWidgetItem* target) {
  if (locked_ || !tree_) return false;
  return CanDropNode(*tree_, *this, AsNode(TreeView1->currentItem()), AsNode(target));
}

void TMapTreeView::TreeView1DragDrop(QTreeWidgetItem* target) {
  QTreeWidgetItem* node = TreeView1->currentItem();
  if (!TreeView1DragOver(target)) return;
  // Moving a node takes it out of the view for a moment; its subtree keeps its
  // expansion and it stays the selected node.
  std::vector<std::pair<QTreeWidgetItem*, bool>> expansion;
  for (std::vector<QTreeWidgetItem*> stack{node}; !stack.empty();) {
    QTreeWidgetItem* item = stack.back();
    stack.pop_back();
    expansion.emplace_back(item, item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i)
      stack.push_back(item->child(i));
  }
  {
    TUpdatingScope updating(*this);
    TreeView1->Walk.reset();
    QTreeWidgetItem* from = node->parent();
    if (from)
      from->removeChild(node);
    else
      TreeView1->takeTopLevelItem(TreeView1->indexOfTopLevelItem(node));
    target->addChild(node);
    for (const auto& [item, expanded] : expansion)
      item->setExpanded(expanded);
    TreeView1->setCurrentItem(node);
  }
  tree_->ReadTreeView(*this);
  if (TXelMapTreeItem* root = tree_->FindById(0)) root->Changed = true;
}

QTreeWidgetItem* TMapTreeView::SelectedNodeOf(uint8_t kind) const {
  QTreeWidgetItem* node = tree_ ? TreeView1->currentItem() : nullptr;
  const TXelMapTreeItem* item = node ? tree_->FindById(NodeEntryId(AsNode(node))) : nullptr;
  return item && item->Kind == kind ? node : nullptr;
}

void TMapTreeView::AddSelectedChild(const TXelMapTreeItem& item, bool quietly) {
  QTreeWidgetItem* parent = TreeView1->currentItem();
  TTreeNode* added = AddNode(AsNode(parent), item.Name, item.Kind, item.Id);
  parent->setExpanded(true);
  if (!quietly) {
    SelectNode(added);
    return;
  }
  {
    TUpdatingScope updating(*this);
    SelectNode(added);
  }
  ChoosePopupMenu(AsItem(added));
  WriteOrderBack();
}

#include "shell/map/form_map_tree.h"

#include <QAction>
#include <QDrag>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTreeWidgetItemIterator>
#include <optional>

#include "core/atomic_file.h"
#include "core/busy_cursor.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/file_utils.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "shell/map/map_dialogs.h"
#include "shell/map/map_properties.h"
#include "shell/map/map_tree_messages.h"
#include "shell/map/map_tree_rules.h"

namespace {

// What a dragged node carries: only that it is one of ours; the node is the current one.
const QString NodeMimeType = QStringLiteral("application/x-velmora-map-tree-node");

QTreeWidgetItem* AsItem(TTreeNode* node) {
  return reinterpret_cast<QTreeWidgetItem*>(node);
}
TTreeNode* AsNode(QTreeWidgetItem* item) {
  return reinterpret_cast<TTreeNode*>(item);
}

// The three node images, drawn on white, which is their mask colour: the project, a map
// sheet with its grid, an area's dashed frame.
QImage NodeImage(int kind) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  switch (kind) {
  case mkRoot:
    p.fillRect(2, 2, 12, 12, QColor(40, 80, 170));
    p.fillRect(4, 4, 8, 3, QColor(230, 230, 250));
    p.setPen(QColor(20, 40, 90));
    p.drawRect(2, 2, 11, 11);
    break;
  case mkMap:
    p.fillRect(2, 2, 12, 12, QColor(70, 160, 70));
    p.setPen(QColor(30, 90, 30));
    for (int k = 2; k <= 14; k += 4) {
      p.drawLine(k, 2, k, 13);
      p.drawLine(2, k, 13, k);
    }
    break;
  default:
    p.setPen(QPen(QColor(210, 110, 20), 1, Qt::DashLine));
    p.drawRect(2, 3, 11, 9);
    p.fillRect(5, 6, 6, 4, QColor(240, 180, 90));
    break;
  }
  return image;
}

} // namespace

// TreeView1: the smart tree view with the map tree's own dragging (the node moves only
// when the window says so, and nothing is removed after the drag) and the context-menu
// key opening the current popup at the tree's top-left.
class TMapTreeView : public TSmartTreeView {
public:
  TMapTreeView(TFormMapTree* form, QWidget* parent) : TSmartTreeView(parent), form_(form) {
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
  }

  // Nodes added but not yet in the widget: a fill adds them all at once.
  std::vector<QTreeWidgetItem*> Pending;
  void Flush() {
    if (Pending.empty()) return;
    QList<QTreeWidgetItem*> items(Pending.begin(), Pending.end());
    Pending.clear();
    addTopLevelItems(items);
  }
  void DropPending() {
    for (QTreeWidgetItem* item : Pending)
      delete item;
    Pending.clear();
  }
  // A walk in display order: one iterator kept across the steps of a walk.
  mutable std::optional<QTreeWidgetItemIterator> Walk;

protected:
  void startDrag(Qt::DropActions) override {
    QTreeWidgetItem* node = currentItem();
    if (!node || form_->locked_) return;
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setData(NodeMimeType, QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
  }
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (form_->locked_ || !event->mimeData()->hasFormat(NodeMimeType)) {
      event->ignore();
      return;
    }
    event->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* event) override {
    // The base scrolls near the edges; whether the drop is allowed is ours to say.
    TSmartTreeView::dragMoveEvent(event);
    bool allowed = false;
    GuardHandler(form_, [&] {
      allowed = event->mimeData()->hasFormat(NodeMimeType) &&
                form_->TreeView1DragOver(itemAt(event->position().toPoint()));
    });
    if (allowed) {
      event->setDropAction(Qt::MoveAction);
      event->accept();
    } else {
      event->ignore();
    }
  }
  void dropEvent(QDropEvent* event) override {
    stopAutoScroll();
    setState(NoState);
    if (!event->mimeData()->hasFormat(NodeMimeType)) {
      event->ignore();
      return;
    }
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    GuardHandler(form_, [&] { form_->TreeView1DragDrop(target); });
    event->setDropAction(Qt::MoveAction);
    event->accept();
  }
  // The context-menu key opens the menu itself, wherever the mouse is.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() != Qt::Key_Menu || event->modifiers() != Qt::NoModifier) {
      TSmartTreeView::keyPressEvent(event);
      return;
    }
    if (QMenu* menu = PopupMenu()) menu->popup(mapToGlobal(QPoint(0, 0)));
    event->accept();
  }

private:
  TFormMapTree* form_;
};

TFormMapTree::TFormMapTree(QWidget* parent) : TFormXelWidget(parent) {
  for (int kind : {mkRoot, mkMap, mkArea})
    ImageList1.Add(NodeImage(kind), Qt::white);
  TFormBuilder b(this, "FormMapTree", QString(), 160, 240);
  TreeView1 = b.Add<TMapTreeView>("TreeView1", this);
  // Docked: the tree fills the window to its edges.
  layout()->setContentsMargins(0, 0, 0, 0);
  CreateMenus();

  On(TreeView1, &QTreeWidget::currentItemChanged,
     [this](QTreeWidgetItem* node, QTreeWidgetItem*) { TreeView1Change(node); });
  On(TreeView1, &QTreeWidget::itemClicked, &TFormMapTree::TreeView1Click);
  // Opening or closing a branch is kept like a click, so the next start shows it so.
  On(TreeView1, &QTreeWidget::itemExpanded, &TFormMapTree::TreeView1Click);
  On(TreeView1, &QTreeWidget::itemCollapsed, &TFormMapTree::TreeView1Click);
}

TFormMapTree::~TFormMapTree() {
  TreeView1->Walk.reset();
  TreeView1->DropPending();
}

void TFormMapTree::SetEditorClientSize(int width, int height) {
  editorWidth_ = width;
  editorHeight_ = height;
}

// --- menus ---

QAction* TFormMapTree::AddMenuItem(QMenu* menu, const char* name, const char* caption,
                                   const QKeySequence& shortcut) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(shortcut);
  item->setShortcutContext(Qt::WidgetShortcut);
  return item;
}

void TFormMapTree::CreateMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  QAction* newMap1 = AddMenuItem(PopupMenu1, "MenuNewMap1", SMenuNewMap);
  pasteRootItem_ = AddMenuItem(PopupMenu1, "MenuPaste1", SMenuPaste, QKeySequence("Ctrl+V"));

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  QAction* properties = AddMenuItem(PopupMenu2, "MenuMapProperties", SMenuMapProperties);
  QAction* newMap2 = AddMenuItem(PopupMenu2, "MenuNewMap2", SMenuNewMap);
  QAction* newArea = AddMenuItem(PopupMenu2, "MenuNewArea", SMenuNewArea);
  PopupMenu2->addSeparator();
  QAction* copy = AddMenuItem(PopupMenu2, "MenuCopy", SMenuCopy, QKeySequence("Ctrl+C"));
  pasteMapItem_ = AddMenuItem(PopupMenu2, "MenuPaste2", SMenuPaste, QKeySequence("Ctrl+V"));
  QAction* deleteMap =
      AddMenuItem(PopupMenu2, "MenuDelete2", SMenuDelete, QKeySequence(Qt::Key_Delete));
  PopupMenu2->addSeparator();
  QAction* shift = AddMenuItem(PopupMenu2, "MenuShiftMap", SMenuShiftMap, QKeySequence("Ctrl+H"));

  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
  QAction* areaProperties = AddMenuItem(PopupMenu3, "MenuAreaProperties", SMenuAreaProperties);
  QAction* deleteArea =
      AddMenuItem(PopupMenu3, "MenuDelete3", SMenuDelete, QKeySequence(Qt::Key_Delete));

  On(copy, &QAction::triggered, &TFormMapTree::MenuCopyClick);
  On(pasteRootItem_, &QAction::triggered, &TFormMapTree::MenuPasteClick);
  On(pasteMapItem_, &QAction::triggered, &TFormMapTree::MenuPasteClick);
  On(deleteMap, &QAction::triggered, &TFormMapTree::MenuDeleteClick);
  On(deleteArea, &QAction::triggered, &TFormMapTree::MenuDeleteClick);
  On(newMap1, &QAction::triggered, &TFormMapTree::MenuNewMapClick);
  On(newMap2, &QAction::triggered, &TFormMapTree::MenuNewMapClick);
  On(properties, &QAction::triggered, &TFormMapTree::MenuMapPropertiesClick);
  On(newArea, &QAction::triggered, &TFormMapTree::MenuNewAreaClick);
  On(areaProperties, &QAction::triggered, &TFormMapTree::MenuAreaPropertiesClick);
  On(shift, &QAction::triggered, &TFormMapTree::MenuShiftMapClick);
  for (QMenu* menu : {PopupMenu1, PopupMenu2, PopupMenu3})
    On(menu, &QMenu::aboutToShow, &TFormMapTree::RefreshMenuStates);
}

void TFormMapTree::RefreshMenuStates() {
  const bool canPaste = Clipboard().HasFormat(cfMapTreeMap);
  pasteRootItem_->setEnabled(canPaste);
  pasteMapItem_->setEnabled(canPaste);
}

void TFormMapTree::ChoosePopupMenu(QTreeWidgetItem* node) {
  const TXelMapTreeItem* item = node ? tree_->FindById(NodeEntryId(AsNode(node))) : nullptr;
  QMenu* menu = nullptr;
  if (item)
    menu = item->Kind == mkRoot ? PopupMenu1 : item->Kind == mkMap ? PopupMenu2 : PopupMenu3;
  currentMenu_ = menu;
  RefreshMenuStates();
  // Only the chosen menu's shortcuts act on the tree: two menus share Ctrl+V.
  for (QAction* action : TreeView1->actions())
    TreeView1->removeAction(action);
  if (locked_ || !menu) {
    TreeView1->SetPopupMenu(nullptr);
    return;
  }
  TreeView1->SetPopupMenu(menu);
  TreeView1->addActions(menu->actions());
}

void TFormMapTree::SetLocked(bool locked) {
  locked_ = locked;
  ChoosePopupMenu(tree_ ? TreeView1->currentItem() : nullptr);
}

// --- the tree control ---

void TFormMapTree::ClearNodes() {
  TreeView1->Walk.reset();
  TreeView1->DropPending();
  TUpdatingScope updating(*this);
  TreeView1->clear();
}

TTreeNode* TFormMapTree::AddNode(TTreeNode* parent, const std::string& text, int imageIndex,
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

void TFormMapTree::SetExpanded(TTreeNode* node, bool expanded) {
  TreeView1->Flush();
  // A fill in progress: the order is read back once all nodes are there.
  TUpdatingScope updating(*this);
  AsItem(node)->setExpanded(expanded);
}

void TFormMapTree::SelectNode(TTreeNode* node) {
  TreeView1->Flush();
  TreeView1->setCurrentItem(AsItem(node));
}

TTreeNode* TFormMapTree::FirstNode() const {
  TreeView1->Flush();
  TreeView1->Walk.reset();
  return AsNode(TreeView1->topLevelItem(0));
}

TTreeNode* TFormMapTree::NextNode(TTreeNode* node) const {
  auto& walk = TreeView1->Walk;
  if (!walk || **walk != AsItem(node)) walk.emplace(AsItem(node));
  ++*walk;
  return AsNode(**walk);
}

TTreeNode* TFormMapTree::ParentNode(TTreeNode* node) const {
  return AsNode(AsItem(node)->parent());
}

int TFormMapTree::NodeLevel(TTreeNode* node) const {
  int level = 0;
  for (QTreeWidgetItem* p = AsItem(node)->parent(); p; p = p->parent())
    ++level;
  return level;
}

bool TFormMapTree::IsExpanded(TTreeNode* node) const {
  return AsItem(node)->isExpanded();
}

int32_t TFormMapTree::NodeEntryId(TTreeNode* node) const {
  return AsItem(node)->data(0, Qt::UserRole).toInt();
}

// --- loading, storing, saving ---

void TFormMapTree::LoadMapTreeView() {
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

void TFormMapTree::ShowMapTree() {
  tree_->FillTreeView(*this, IncludeAreas);
  tree_->SelectActiveNode(*this);
}

int32_t TFormMapTree::SelectedId() const {
  QTreeWidgetItem* node = TreeView1->currentItem();
  return node ? NodeEntryId(AsNode(node)) : -1;
}

void TFormMapTree::StoreCurrentMap() {
  if (!map_->Modified) return;
  const TXelMapTreeItem* active = tree_->FindById(tree_->ActiveId);
  if (!active || active->Kind == mkRoot) return;
  const int32_t id = active->Kind == mkArea ? active->ParentId : active->Id;
  map_->SaveTempMap(id);
  if (TXelMapTreeItem* owner = tree_->FindById(id)) owner->Changed = true;
}

void TFormMapTree::SaveMaps() {
  StoreCurrentMap();
  tree_->SaveMapTree();
}

void TFormMapTree::ClearTree() {
  tree_->Clear();
  ClearNodes();
  map_->Unload();
  ChoosePopupMenu(nullptr);
  MapSelected();
}

bool TFormMapTree::IsMapsModified() const {
  return map_->Modified || tree_->IsModified();
}

void TFormMapTree::WriteOrderBack() {
  if (!locked_) tree_->ReadTreeView(*this);
}

void TFormMapTree::MapSelected() {
  if (OnMapSelected) OnMapSelected(this);
}

// --- selection ---

void TFormMapTree::TreeView1Change(QTreeWidgetItem* node) {
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
    } else {
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

void TFormMapTree::TreeView1Click() {
  if (tree_) WriteOrderBack();
}

// --- copy, paste, delete ---

void TFormMapTree::MenuCopyClick() {
  const TXelMapTreeItem* item = tree_->FindById(tree_->ActiveId);
  if (!item || item->Kind != mkMap) return;
  Clipboard().SetData(cfMapTreeMap, BuildMapTreeMapClip(item->Name, *map_, *item));
  RefreshMenuStates();
}

void TFormMapTree::MenuPasteClick() {
  QTreeWidgetItem* node = TreeView1->currentItem();
  const TXelMapTreeItem* parent = node ? tree_->FindById(NodeEntryId(AsNode(node))) : nullptr;
  if (!parent || parent->Kind == mkArea) return;
  std::optional<TMapPaste> paste = PrepareMapPaste(*tree_, ClipboardBytes(cfMapTreeMap));
  if (!paste) return;
  StoreCurrentMap();
  const TXelMapTreeItem* item = ApplyMapPaste(*tree_, parent->Id, *paste);
  TTreeNode* added = AddNode(AsNode(node), item->Name, mkMap, item->Id);
  node->setExpanded(true);
  // Selecting the node loads the pasted map from its working copy.
  SelectNode(added);
}

void TFormMapTree::MenuDeleteClick() {
  QTreeWidgetItem* node = TreeView1->currentItem();
  const TXelMapTreeItem* item = node ? tree_->FindById(NodeEntryId(AsNode(node))) : nullptr;
  if (!item || item->Kind == mkRoot) return;
  if (ShowYesNoBox(ToQString(FileMessage(SDeleteMapQuery, item->Name)), this) != IDYES) return;
  const int32_t id = item->Id;
  // An area's map is the current map and keeps its edits; a deleted map's edits go.
  if (item->Kind == mkArea)
    StoreCurrentMap();
  else
    map_->Modified = false;
  // The tree removes the entries while the order still lists them; only then is the
  // node that took the selection loaded.
  {
    TUpdatingScope updating(*this);
    TreeView1->Walk.reset();
    delete node;
  }
  tree_->DeleteMap(id);
  if (QTreeWidgetItem* current = TreeView1->currentItem()) {
    TreeView1Change(current);
  } else {
    map_->Unload();
    ChoosePopupMenu(nullptr);
    MapSelected();
  }
}

// --- dragging ---

bool TFormMapTree::TreeView1DragOver(QTreeWidgetItem* target) {
  if (locked_ || !tree_) return false;
  return CanDropNode(*tree_, *this, AsNode(TreeView1->currentItem()), AsNode(target));
}

void TFormMapTree::TreeView1DragDrop(QTreeWidgetItem* target) {
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

// --- new maps and areas, properties, shift ---

QTreeWidgetItem* TFormMapTree::SelectedNodeOf(uint8_t kind) const {
  QTreeWidgetItem* node = tree_ ? TreeView1->currentItem() : nullptr;
  const TXelMapTreeItem* item = node ? tree_->FindById(NodeEntryId(AsNode(node))) : nullptr;
  return item && item->Kind == kind ? node : nullptr;
}

void TFormMapTree::AddSelectedChild(const TXelMapTreeItem& item, bool quietly) {
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

void TFormMapTree::MenuNewMapClick() {
  QTreeWidgetItem* node = SelectedNodeOf(mkRoot);
  if (!node) node = SelectedNodeOf(mkMap);
  if (!node) return;
  const int32_t parentId = NodeEntryId(AsNode(node));
  const int32_t id = FindFreeMapId(*tree_);
  if (id == 0) return;
  TFormEDMap dialog(this);
  dialog.IsNewMap = true;
  dialog.IsTopLevel = parentId == 0;
  dialog.MapId = id;
  dialog.Properties.MapName = DefaultMapName(id);
  if (parentId != 0) dialog.Properties.ChipSetId = map_->ChipSetId;
  if (!dialog.Execute()) return;
  StoreCurrentMap();
  TXelMapTreeItem* item = tree_->AddMap(parentId, id);
  tree_->ActiveId = id;
  item->Kind = mkMap;
  WriteMapTreeSettings(dialog.Properties, *item);
  AddSelectedChild(*item, true);
  map_->Clear();
  map_->SetId(id);
  WriteMapSettings(dialog.Properties, *map_);
  map_->ReloadChipSet();
  map_->LoadCharSets();
  MapSelected();
}

void TFormMapTree::MenuMapPropertiesClick() {
  QTreeWidgetItem* node = SelectedNodeOf(mkMap);
  if (!node) return;
  TXelMapTreeItem* item = tree_->FindById(NodeEntryId(AsNode(node)));
  TFormEDMap dialog(this);
  dialog.IsNewMap = false;
  dialog.IsTopLevel = item->ParentId == 0;
  dialog.MapId = item->Id;
  dialog.Properties = ReadMapProperties(*item, *map_);
  if (!dialog.Execute()) return;
  node->setText(0, ToQString(dialog.Properties.MapName));
  WriteMapTreeSettings(dialog.Properties, *item);
  WriteMapSettings(dialog.Properties, *map_);
  FitMapContents(*map_, tree_->StartPosition, item->Id);
  map_->ReloadChipSet();
  KeepView = true;
  struct TClear {
    bool& flag;
    ~TClear() { flag = false; }
  } clear{KeepView};
  MapSelected();
}

void TFormMapTree::MenuNewAreaClick() {
  QTreeWidgetItem* node = SelectedNodeOf(mkMap);
  if (!node) return;
  const int32_t mapId = NodeEntryId(AsNode(node));
  const int32_t id = FindFreeMapId(*tree_);
  if (id == 0) return;
  TFormEDArea dialog(this);
  dialog.IsNewArea = true;
  dialog.AreaId = id;
  dialog.MapTree = tree_;
  dialog.Map = map_;
  dialog.Properties.AreaName = DefaultAreaName(id);
  dialog.Properties.AreaRect = {0, 0, map_->Width(), map_->Height()};
  if (!dialog.Execute()) return;
  StoreCurrentMap();
  TXelMapTreeItem* item = tree_->AddMap(mapId, id);
  item->Kind = mkArea;
  WriteAreaProperties(dialog.Properties, *item);
  item->Changed = true;
  AddSelectedChild(*item, false);
}

void TFormMapTree::MenuAreaPropertiesClick() {
  QTreeWidgetItem* node = SelectedNodeOf(mkArea);
  if (!node) return;
  TXelMapTreeItem* item = tree_->FindById(NodeEntryId(AsNode(node)));
  TFormEDArea dialog(this);
  dialog.IsNewArea = false;
  dialog.AreaId = item->Id;
  dialog.MapTree = tree_;
  dialog.Map = map_;
  dialog.Properties = ReadAreaProperties(*item);
  if (!dialog.Execute()) return;
  node->setText(0, ToQString(dialog.Properties.AreaName));
  WriteAreaProperties(dialog.Properties, *item);
  item->Changed = true;
  MapSelected();
}

void TFormMapTree::MenuShiftMapClick() {
  QTreeWidgetItem* node = SelectedNodeOf(mkMap);
  if (!node) return;
  TXelMapTreeItem* item = tree_->FindById(NodeEntryId(AsNode(node)));
  TFormMapShift dialog(this);
  dialog.MapWidth = map_->Width();
  dialog.MapHeight = map_->Height();
  if (!dialog.Execute()) return;
  map_->Shift(dialog.ShiftX, dialog.ShiftY);
  ShiftStartPositions(tree_->StartPosition, item->Id, dialog.ShiftX, dialog.ShiftY, map_->Width(),
                      map_->Height());
  map_->SaveTempMap(item->Id);
  item->Changed = true;
  MapSelected();
}

#include "shell/map/form_map_tree.h"

#include <QAction>
#include <QMenu>
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
#include "framework/forms/error_guard.h"
#include "shell/map/map_dialogs.h"
#include "shell/map/map_properties.h"
#include "shell/map/map_tree_messages.h"
#include "shell/map/map_tree_rules.h"

TFormMapTree::TFormMapTree(QWidget* parent) : TMapTreeView(parent) {
  CreateMenus();
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
  if (IsLocked() || !menu) {
    TreeView1->SetPopupMenu(nullptr);
    return;
  }
  TreeView1->SetPopupMenu(menu);
  TreeView1->addActions(menu->actions());
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

// --- new maps and areas, properties, shift ---

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

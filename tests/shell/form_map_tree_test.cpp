// The map tree window on projects laid out with the data core, driven as the author
// would: clicks, menus, keys and drags.
#include "shell/map/form_map_tree.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/errors.h"
#include "core/stream.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/harness/widget_harness.h"
#include "map_project.h"

namespace {

class MapTreeWindow : public MapProjectEnv {
protected:
  void SetUp() override {
    MapProjectEnv::SetUp();
    form = std::make_unique<TFormMapTree>();
    form->resize(300, 500);
    form->SetMapTree(&tree);
    form->SetMap(&map);
    form->OnMapSelected = [this](TFormMapTree*) { ++selections; };
    view = FindControl<TSmartTreeView>(form.get(), "TreeView1");
  }
  void TearDown() override {
    form.reset();
    MapProjectEnv::TearDown();
  }

  // The tree as saved, loaded into the window, every node expanded.
  void Load() {
    tree.SaveMapTree();
    form->LoadMapTreeView();
    view->expandAll();
  }
  QTreeWidgetItem* Node(int32_t id) const {
    for (QTreeWidgetItemIterator it(view); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toInt() == id) return *it;
    ADD_FAILURE() << "no node " << id;
    return nullptr;
  }
  void Select(int32_t id) { view->setCurrentItem(Node(id)); }
  // Two blanks a level, then the text: the view in display order.
  std::string Outline() const {
    std::string out;
    for (QTreeWidgetItemIterator it(view); *it; ++it) {
      int level = 0;
      for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
        ++level;
      out += std::string(size_t(level) * 2, ' ') + (*it)->text(0).toStdString() + "\n";
    }
    return out;
  }
  QAction* Item(const char* name) const { return FindControl<QAction>(form.get(), name); }
  QString PopupName() const { return view->PopupMenu() ? view->PopupMenu()->objectName() : ""; }

  TXelMap map;
  std::unique_ptr<TFormMapTree> form;
  TSmartTreeView* view = nullptr;
  int selections = 0;
};

TEST_F(MapTreeWindow, SelectingNodesLoadsTheirMaps) {
  MakeFreshProject();
  AddEntry(1, 2, "AREA0002", mkArea)->AreaRect = {10, 20, 31, 40};
  Load();
  const TXelMapTreeItem* area = tree.FindById(2);
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n    AREA0002\n");
  EXPECT_EQ(view->currentItem(), Node(1));
  EXPECT_EQ(map.Id, 1);
  EXPECT_EQ(map.Width(), 100);
  EXPECT_EQ(map.Height(), 100);
  EXPECT_EQ(PopupName(), "PopupMenu2");
  EXPECT_EQ(selections, 1);

  // An area shows its map, with the view centred on the area.
  form->SetEditorClientSize(641, 480);
  map.Unload();
  ShowAndActivate(form.get());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(Node(2)).center());
  EXPECT_EQ(tree.ActiveId, 2);
  EXPECT_EQ(map.Id, 1);
  EXPECT_EQ(map.Width(), 100);
  EXPECT_EQ(area->ViewX, 41 * 16 - 320);
  EXPECT_EQ(area->ViewY, 60 * 16 - 240);
  EXPECT_EQ(PopupName(), "PopupMenu3");

  Select(0);
  EXPECT_EQ(map.Width(), 0);
  EXPECT_EQ(PopupName(), "PopupMenu1");
  EXPECT_EQ(selections, 3);

  // A held map of the Id is shown as it is.
  TXelMap held;
  held.SetWidth(7);
  held.SetId(1);
  form->SetHeldMap(&held);
  Select(1);
  EXPECT_EQ(map.Width(), 7);
  EXPECT_EQ(map.Id, 1);
}

TEST_F(MapTreeWindow, EditsLiveInWorkingCopiesUntilSaved) {
  MakeFreshProject();
  AddEntry(0, 2, "MAP0002", mkMap);
  Load();
  EXPECT_FALSE(form->IsMapsModified());
  map.LowerLayer.SetCell(3, 4, 777);
  map.Modified = true;
  EXPECT_TRUE(form->IsMapsModified());

  Select(2);
  EXPECT_EQ(map.LowerLayer.GetCell(3, 4), 2);
  EXPECT_TRUE(form->IsMapsModified());
  Select(1);
  EXPECT_EQ(map.LowerLayer.GetCell(3, 4), 777);
  TXelMap saved;
  saved.LoadFromFileStrict(ProjectMapPath(1));
  EXPECT_EQ(saved.LowerLayer.GetCell(3, 4), 0);

  map.UpperLayer.SetCell(0, 0, 10001);
  map.Modified = true;
  form->SaveMaps();
  EXPECT_FALSE(form->IsMapsModified());
  saved.LoadFromFileStrict(ProjectMapPath(1));
  EXPECT_EQ(saved.LowerLayer.GetCell(3, 4), 777);
  EXPECT_EQ(saved.UpperLayer.GetCell(0, 0), 10001);
  EXPECT_FALSE(std::filesystem::exists(TempMapPath(1)));
}

TEST_F(MapTreeWindow, DeleteTakesTheMapWithItsSubtree) {
  MakeFreshProject();
  AddEntry(0, 2, "MAP0002", mkMap);
  AddEntry(2, 3, "MAP0003", mkMap);
  AddEntry(2, 4, "AREA0004", mkArea);
  AddEntry(1, 5, "AREA0005", mkArea);
  tree.StartPosition.SetMapId(0, 2);
  tree.StartPosition.SetX(0, 5);
  tree.StartPosition.SetMapId(2, 3);
  tree.StartPosition.SetMapId(3, 1);
  Load();
  ShowAndActivate(form.get());
  view->setFocus();
  Select(2);

  TScriptedMessageBoxes boxes;
  boxes.Answer(IDNO);
  QTest::keyClick(view, Qt::Key_Delete);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Delete MAP0002. Ok?");
  EXPECT_EQ(boxes.Boxes()[0].flags, 36);
  EXPECT_EQ(tree.GetCount(), 6);

  boxes.Answer(IDYES);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n    AREA0005\n");
  EXPECT_EQ(tree.GetCount(), 3);
  // The node that took the selection is loaded.
  EXPECT_EQ(tree.ActiveId, view->currentItem()->data(0, Qt::UserRole).toInt());
  EXPECT_EQ(map.Id, tree.ActiveId == 0 ? 0 : 1);
  EXPECT_TRUE(form->IsMapsModified());

  // An area goes alone; its map keeps its edits.
  Select(5);
  map.LowerLayer.SetCell(0, 0, 555);
  map.Modified = true;
  boxes.Answer(IDYES);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(boxes.Boxes().back().text, "Delete AREA0005. Ok?");
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n");
  EXPECT_EQ(map.Id, 1);
  EXPECT_EQ(map.LowerLayer.GetCell(0, 0), 555);

  form->SaveMaps();
  EXPECT_TRUE(Exists("game/Map0001.lmu"));
  EXPECT_FALSE(Exists("game/Map0002.lmu"));
  EXPECT_FALSE(Exists("game/Map0003.lmu"));
  TXelMapTree back;
  back.LoadMapTree();
  EXPECT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(back.StartPosition.GetX(0), 0);
  EXPECT_EQ(back.StartPosition.GetMapId(2), 0);
  EXPECT_EQ(back.StartPosition.GetMapId(3), 1);
}

TEST_F(MapTreeWindow, CopyAndPasteMaps) {
  MakeFreshProject();
  for (int32_t id = 2; id <= 8; ++id)
    AddEntry(1, id, id == 5 ? "Town" : "MAP000" + std::to_string(id), mkMap, 20 + id, 15);
  tree.FindById(4)->EncounterSteps = 12;
  Load();
  Clipboard().SetData(cfMapEvent, BuildStartMarkClip(StartMarkParty));
  Select(0);
  EXPECT_FALSE(Item("MenuPaste1")->isEnabled());

  Select(4);
  map.Events.GetOrCreate(1)->Name = "Door";
  map.Modified = true;
  Item("MenuCopy")->trigger();
  TMemoryStream copied;
  map.SaveToStream(copied);
  Select(0);
  EXPECT_TRUE(Item("MenuPaste1")->isEnabled());
  Item("MenuPaste1")->trigger();
  const TXelMapTreeItem* pasted = tree.FindById(9);
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->Name, "MAP0009");
  EXPECT_EQ(pasted->ParentId, 0);
  EXPECT_EQ(pasted->EncounterSteps, 12);
  EXPECT_EQ(view->currentItem(), Node(9));
  EXPECT_EQ(Node(9)->parent(), Node(0));
  EXPECT_EQ(Node(9)->text(0), "MAP0009");
  EXPECT_EQ(map.Id, 9);
  // The working copy was saved once: apart from that count the map is the copied one.
  map.SaveCount -= 1;
  TMemoryStream now;
  map.SaveToStream(now);
  EXPECT_EQ(now.Bytes(), copied.Bytes());

  Select(5);
  Item("MenuCopy")->trigger();
  Select(1);
  Item("MenuPaste2")->trigger();
  EXPECT_EQ(tree.FindById(10)->Name, "Town");
  EXPECT_EQ(Node(10)->parent(), Node(1));
  EXPECT_EQ(map.Width(), 25);

  // Blocks that are cut or of another kind paste nothing.
  std::vector<uint8_t> block = ClipboardBytes(cfMapTreeMap);
  const std::vector<std::vector<uint8_t>> bad = {
      {block.begin(), block.end() - 1},
      BuildStartMarkClip(StartMarkBoat),
      {},
  };
  const std::string outline = Outline();
  for (const auto& bytes : bad) {
    Clipboard().SetData(cfMapTreeMap, bytes);
    Select(1);
    Item("MenuPaste2")->trigger();
    EXPECT_EQ(tree.GetCount(), 11);
    EXPECT_EQ(Outline(), outline);
  }

  form->SaveMaps();
  TXelMap saved;
  saved.LoadFromFileStrict(ProjectMapPath(9));
  EXPECT_EQ(saved.Events.FindById(1)->Name, "Door");
}

// A drag as Qt delivers it to the tree, entering, moving over Target and dropping there:
// the node being dragged is the selected one. Whether the move was accepted.
bool DragOver(QTreeWidget* view, QTreeWidgetItem* target) {
  QMimeData data;
  data.setData("application/x-velmora-map-tree-node", {});
  const QPoint at = view->visualItemRect(target).center();
  QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &enter);
  QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &move);
  QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view->viewport(), &drop);
  return move.isAccepted();
}

TEST_F(MapTreeWindow, DragsMoveMapsWhereTheTreeAllows) {
  MakeFreshProject();
  AddEntry(1, 2, "MAP0002", mkMap);
  AddEntry(1, 3, "AREA0003", mkArea);
  AddEntry(0, 4, "MAP0004", mkMap);
  Load();
  ShowAndActivate(form.get());
  const std::string before = "Quest\n  MAP0001\n    MAP0002\n    AREA0003\n  MAP0004\n";
  ASSERT_EQ(Outline(), before);

  struct Row {
    int32_t dragged, target;
  };
  for (Row row : {Row{1, 2}, Row{3, 4}, Row{4, 3}, Row{0, 4}}) {
    Select(row.dragged);
    EXPECT_FALSE(DragOver(view, Node(row.target))) << row.dragged << " onto " << row.target;
    EXPECT_EQ(Outline(), before);
  }
  EXPECT_FALSE(form->IsMapsModified());

  Select(4);
  EXPECT_TRUE(DragOver(view, Node(2)));
  view->expandAll();
  const std::string after = "Quest\n  MAP0001\n    MAP0002\n      MAP0004\n    AREA0003\n";
  EXPECT_EQ(Outline(), after);
  EXPECT_EQ(view->currentItem(), Node(4));
  EXPECT_EQ(tree.FindById(4)->ParentId, 2);
  EXPECT_EQ(tree.FindById(4)->Depth, 3);
  EXPECT_TRUE(form->IsMapsModified());

  form->SaveMaps();
  form->LoadMapTreeView();
  view->expandAll();
  EXPECT_EQ(Outline(), after);
}

TEST_F(MapTreeWindow, LockedTreesOfferNoMenusAndKeepTheirOrder) {
  MakeFreshProject();
  AddEntry(1, 2, "MAP0002", mkMap);
  tree.FindById(1)->Expanded = 1;
  Load();
  ShowAndActivate(form.get());

  // Unlocked, the context-menu key opens the node's menu at the tree's top-left.
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Menu);
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->objectName(), "PopupMenu2");
  EXPECT_EQ(popup->pos(), view->mapToGlobal(QPoint(0, 0)));
  popup->close();

  // Locked: no menu, no shortcut (an unscripted box would fail the test), and the
  // collapsed node is not written back.
  form->SetLocked(true);
  EXPECT_EQ(view->PopupMenu(), nullptr);
  Node(1)->setExpanded(false);
  Select(0);
  Select(1);
  QTest::keyClick(view, Qt::Key_Menu);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(tree.FindById(1)->Expanded, 1);
  EXPECT_EQ(tree.GetCount(), 3);

  form->SetLocked(false);
  Select(0);
  EXPECT_EQ(tree.FindById(1)->Expanded, 0);
  EXPECT_EQ(PopupName(), "PopupMenu1");
}

TEST_F(MapTreeWindow, ClearTreeLeavesNoStartPositions) {
  MakeFreshProject();
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 3);
  Load();
  form->ClearTree();
  EXPECT_EQ(view->topLevelItemCount(), 0);
  EXPECT_EQ(tree.GetCount(), 0);
  EXPECT_EQ(tree.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(tree.StartPosition.GetX(0), 0);
  EXPECT_EQ(map.Width(), 0);
  EXPECT_EQ(selections, 2);
  EXPECT_EQ(PopupName(), "");
}

TEST_F(MapTreeWindow, AnUnreadableTreeFileLeavesNothingLoaded) {
  MakeFreshProject();
  Load();
  std::string bytes = Get("game/KOVAX.lmt");
  bytes[2] = 'X';
  Put("game/KOVAX.lmt", bytes);
  try {
    form->LoadMapTreeView();
    ADD_FAILURE() << "a bad tree file loaded";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Error in KOVAX.lmt, the Map Tree file. This project is probably "
                           "protected, and can't be read");
  }
  EXPECT_EQ(view->topLevelItemCount(), 0);
  EXPECT_EQ(tree.GetCount(), 0);
  EXPECT_EQ(map.Width(), 0);
  EXPECT_EQ(PopupName(), "");
}

} // namespace

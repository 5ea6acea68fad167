// The map tree window on projects laid out with the data core (as a new project is, plus
// maps and areas of the test's own), driven as the author would.
#include "shell/map/form_map_tree.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/stream.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/smart_tree_view.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/map_dialogs.h"
#include "shell_test_env.h"

namespace {

class MapTreeWindow : public ShellTestEnv {
protected:
  void SetUp() override {
    ShellTestEnv::SetUp();
    Mkdir("game");
    ProjectPath = Path("game/");
    WriteGameTitle(ProjectPath, "Quest");
    // A new project: the root and map 1 of 100 x 100.
    tree.AddMap(0, 0)->Name = "Untitled";
    AddEntry(0, 1, "MAP0001", mkMap, 100, 100);
    tree.ActiveId = 1;
    form = std::make_unique<TFormMapTree>();
    form->resize(300, 500);
    form->SetMapTree(&tree);
    form->SetMap(&map);
    form->OnMapSelected = [this](TMapTreeDock*) { ++selections; };
    view = FindControl<TSmartTreeView>(form.get(), "TreeView1");
  }
  void TearDown() override {
    form.reset();
    ShellTestEnv::TearDown();
  }

  // A map gets a project file whose lower layer holds its Id in every cell.
  TXelMapTreeItem* AddEntry(int32_t parent, int32_t id, const std::string& name, uint8_t kind,
                            int width = 20, int height = 15) {
    TXelMapTreeItem* item = tree.AddMap(parent, id);
    item->Name = name;
    item->Kind = kind;
    if (kind != mkMap) return item;
    TXelMap file;
    file.SetWidth(width);
    file.SetHeight(height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        file.LowerLayer.SetCell(x, y, uint16_t(id));
    file.SaveProjectMap(id);
    return item;
  }
  // The tree saved, then loaded into the window with every node expanded.
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
  // The view in display order, two blanks a level.
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

  TApplicationTagScope editorMode{EditorModeTag};
  TXelMapTree tree;
  TXelMap map;
  std::unique_ptr<TFormMapTree> form;
  TSmartTreeView* view = nullptr;
  int selections = 0;
};

TEST_F(MapTreeWindow, SelectingNodesLoadsTheirMaps) {
  AddEntry(1, 2, "AREA0002", mkArea)->AreaRect = {10, 20, 31, 40};
  Load();
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n    AREA0002\n");
  for (int32_t id : {0, 1, 2})
    EXPECT_EQ(Node(id)->icon(0).availableSizes().value(0), QSize(16, 16)) << id;
  EXPECT_EQ(view->currentItem(), Node(1));
  EXPECT_EQ(map.Width(), 100);
  EXPECT_EQ(map.Height(), 100);
  EXPECT_EQ(PopupName(), "PopupMenu2");

  // An area shows its map, with the view centred on the area.
  form->SetEditorClientSize(641, 480);
  map.Unload();
  ShowAndActivate(form.get());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(Node(2)).center());
  EXPECT_EQ(map.Id, 1);
  EXPECT_EQ(map.Width(), 100);
  EXPECT_EQ(tree.FindById(2)->ViewX, 41 * 16 - 320);
  EXPECT_EQ(tree.FindById(2)->ViewY, 60 * 16 - 240);
  EXPECT_EQ(PopupName(), "PopupMenu3");

  Select(0);
  EXPECT_EQ(map.Width(), 0);
  EXPECT_EQ(PopupName(), "PopupMenu1");
  EXPECT_EQ(selections, 3);

  TXelMap held; // shown as it is when its Id is selected
  held.SetWidth(7);
  held.SetId(1);
  form->SetHeldMap(&held);
  Select(1);
  EXPECT_EQ(map.Width(), 7);
}

TEST_F(MapTreeWindow, EditsLiveInWorkingCopiesUntilSaved) {
  AddEntry(0, 2, "MAP0002", mkMap);
  Load();
  EXPECT_FALSE(form->IsMapsModified());
  map.LowerLayer.SetCell(3, 4, 777);
  map.Modified = true;
  Select(2);
  EXPECT_EQ(map.LowerLayer.GetCell(3, 4), 2);
  Select(1);
  EXPECT_EQ(map.LowerLayer.GetCell(3, 4), 777);
  EXPECT_TRUE(form->IsMapsModified());
  TXelMap saved;
  saved.LoadFromFileStrict(ProjectMapPath(1));
  EXPECT_EQ(saved.LowerLayer.GetCell(3, 4), 1);

  form->SaveMaps();
  EXPECT_FALSE(form->IsMapsModified());
  saved.LoadFromFileStrict(ProjectMapPath(1));
  EXPECT_EQ(saved.LowerLayer.GetCell(3, 4), 777);
  EXPECT_FALSE(std::filesystem::exists(TempMapPath(1)));
}

TEST_F(MapTreeWindow, DeleteTakesTheMapWithItsSubtree) {
  AddEntry(0, 2, "MAP0002", mkMap);
  AddEntry(2, 3, "MAP0003", mkMap);
  AddEntry(2, 4, "AREA0004", mkArea);
  AddEntry(1, 5, "AREA0005", mkArea);
  tree.StartPosition.SetMapId(0, 2);
  tree.StartPosition.SetX(0, 5);
  tree.StartPosition.SetMapId(3, 1);
  Load();
  ShowAndActivate(form.get());
  view->setFocus();
  Select(2);
  TScriptedMessageBoxes boxes;
  boxes.Answer(IDNO);
  boxes.Answer(IDYES);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(tree.GetCount(), 6);
  QTest::keyClick(view, Qt::Key_Delete);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, "Delete MAP0002. Ok?");
  EXPECT_EQ(boxes.Boxes()[1].flags, 36);
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n    AREA0005\n");
  EXPECT_EQ(tree.GetCount(), 3);
  EXPECT_EQ(map.Id, tree.ActiveId); // the node that took the selection is loaded

  // An area goes alone; its map keeps its edits.
  Select(5);
  map.LowerLayer.SetCell(0, 0, 555);
  map.Modified = true;
  boxes.Answer(IDYES);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n");
  EXPECT_EQ(map.LowerLayer.GetCell(0, 0), 555);

  form->SaveMaps();
  EXPECT_FALSE(Exists("game/Map0002.lmu"));
  EXPECT_FALSE(Exists("game/Map0003.lmu"));
  TXelMapTree back;
  back.LoadMapTree();
  EXPECT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(back.StartPosition.GetX(0), 0);
  EXPECT_EQ(back.StartPosition.GetMapId(3), 1);
}

TEST_F(MapTreeWindow, CopyAndPasteMaps) {
  for (int32_t id = 2; id <= 8; ++id)
    AddEntry(1, id, id == 5 ? "Town" : "MAP000" + std::to_string(id), mkMap, 20 + id);
  tree.FindById(4)->EncounterSteps = 12;
  Load();
  Clipboard().SetData(cfMapEvent, BuildStartMarkClip(StartMarkParty));
  Select(0);
  EXPECT_FALSE(Item("MenuPaste1")->isEnabled());

  Select(4);
  map.Events.GetOrCreate(1)->Name = "Door";
  Item("MenuCopy")->trigger();
  TMemoryStream copied;
  map.SaveToStream(copied);
  Select(0);
  Item("MenuPaste1")->trigger();
  ASSERT_NE(tree.FindById(9), nullptr);
  EXPECT_EQ(tree.FindById(9)->Name, "MAP0009");
  EXPECT_EQ(tree.FindById(9)->EncounterSteps, 12);
  EXPECT_EQ(view->currentItem(), Node(9));
  EXPECT_EQ(Node(9)->parent(), Node(0));
  // Saved once as the working copy: apart from that count it is the copied map.
  map.SaveCount -= 1;
  TMemoryStream pasted;
  map.SaveToStream(pasted);
  EXPECT_EQ(pasted.Bytes(), copied.Bytes());

  Select(5);
  Item("MenuCopy")->trigger();
  Select(1);
  Item("MenuPaste2")->trigger();
  EXPECT_EQ(tree.FindById(10)->Name, "Town");
  EXPECT_EQ(Node(10)->parent(), Node(1));
  EXPECT_EQ(map.Width(), 25);

  // A cut block or one of another kind pastes nothing.
  const std::vector<uint8_t> block = ClipboardBytes(cfMapTreeMap);
  const std::string outline = Outline();
  for (const auto& bytes :
       {std::vector<uint8_t>(block.begin(), block.end() - 1), BuildStartMarkClip(StartMarkBoat)}) {
    Clipboard().SetData(cfMapTreeMap, bytes);
    Item("MenuPaste2")->trigger();
    EXPECT_EQ(tree.GetCount(), 11);
    EXPECT_EQ(Outline(), outline);
  }
  // A working copy that cannot be written: the error shows and the tree stays.
  Clipboard().SetData(cfMapTreeMap, block);
  std::filesystem::create_directories(TempMapPath(11) + "/x");
  TScriptedMessageBoxes boxes;
  Item("MenuPaste2")->trigger();
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(tree.GetCount(), 11);
  EXPECT_EQ(Outline(), outline);
}

// A drag as Qt delivers it, entering, moving over Target and dropping there; the node
// dragged is the selected one. Whether the move was accepted.
bool DragOnto(QTreeWidget* view, QTreeWidgetItem* target) {
  QMimeData data;
  data.setData("application/x-velmora-map-tree-node", {});
  const QPoint at = view->visualItemRect(target).center();
  QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
    QApplication::sendEvent(view->viewport(), event);
  return move.isAccepted();
}

TEST_F(MapTreeWindow, DragsMoveMapsWhereTheTreeAllows) {
  AddEntry(1, 2, "MAP0002", mkMap);
  AddEntry(1, 3, "AREA0003", mkArea);
  AddEntry(0, 4, "MAP0004", mkMap);
  Load();
  ShowAndActivate(form.get());
  const std::string before = "Quest\n  MAP0001\n    MAP0002\n    AREA0003\n  MAP0004\n";
  ASSERT_EQ(Outline(), before);
  for (auto [dragged, target] :
       {std::pair{1, 2}, std::pair{3, 4}, std::pair{4, 3}, std::pair{0, 4}}) {
    Select(dragged);
    EXPECT_FALSE(DragOnto(view, Node(target))) << dragged << " onto " << target;
    EXPECT_EQ(Outline(), before);
  }
  EXPECT_FALSE(form->IsMapsModified());

  Select(4);
  EXPECT_TRUE(DragOnto(view, Node(2)));
  view->expandAll();
  const std::string after = "Quest\n  MAP0001\n    MAP0002\n      MAP0004\n    AREA0003\n";
  EXPECT_EQ(Outline(), after);
  EXPECT_EQ(view->currentItem(), Node(4));
  EXPECT_EQ(tree.FindById(4)->Depth, 3);
  EXPECT_TRUE(form->IsMapsModified());
  form->SaveMaps();
  form->LoadMapTreeView();
  view->expandAll();
  EXPECT_EQ(Outline(), after);
}

TEST_F(MapTreeWindow, LockedTreesOfferNoMenusAndKeepTheirOrder) {
  AddEntry(1, 2, "MAP0002", mkMap);
  tree.FindById(1)->Expanded = 1;
  Load();
  ShowAndActivate(form.get());
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Menu);
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->objectName(), "PopupMenu2");
  EXPECT_EQ(popup->pos(), view->mapToGlobal(QPoint(0, 0)));
  popup->close();

  // No menu, no shortcut (an unscripted box would fail), no order written back.
  form->SetLocked(true);
  Node(1)->setExpanded(false);
  Select(0);
  Select(1);
  QTest::keyClick(view, Qt::Key_Menu);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(tree.FindById(1)->Expanded, 1);
  form->SetLocked(false);
  Select(0);
  EXPECT_EQ(tree.FindById(1)->Expanded, 0);
}

TEST_F(MapTreeWindow, ArrowExpansionIsSavedAndEmptySpaceKeepsTheHighlight) {
  AddEntry(1, 2, "MAP0002", mkMap);
  tree.FindById(0)->Expanded = 1;
  tree.FindById(1)->Expanded = 0;
  tree.SaveMapTree();
  form->LoadMapTreeView();
  ShowAndActivate(form.get());
  for (bool expand : {true, false}) {
    // The arrow left of the node, clicked; no item is clicked afterwards.
    const QRect row = view->visualItemRect(Node(1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() - view->indentation() / 2, row.center().y()));
    ASSERT_EQ(Node(1)->isExpanded(), expand);
    form->SaveMaps();
    TXelMapTree reopened;
    reopened.LoadMapTree();
    EXPECT_EQ(reopened.FindById(1)->Expanded, expand ? 1 : 0);
  }
  const QPoint below(5, view->viewport()->height() - 3);
  ASSERT_EQ(view->itemAt(below), nullptr);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, below);
  EXPECT_TRUE(Node(1)->isSelected());
  EXPECT_EQ(view->currentItem(), Node(1));
}

TEST_F(MapTreeWindow, ClearTreeLeavesNoStartPositions) {
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 3);
  Load();
  form->ClearTree();
  EXPECT_EQ(view->topLevelItemCount(), 0);
  EXPECT_EQ(tree.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(tree.StartPosition.GetX(0), 0);
  EXPECT_EQ(map.Width(), 0);
  EXPECT_EQ(selections, 2);
}

TEST_F(MapTreeWindow, UnreadableTreeFilesGiveOneMessageAndLeaveNothingLoaded) {
  Load();
  const std::string good = Get("game/KOVAX.lmt");
  std::vector<std::string> bad = {std::string(good).replace(3, 1, "x")};
  for (size_t cut = 0; cut < good.size(); cut += 10)
    bad.push_back(good.substr(0, cut));
  TXelMapTree rootless; // map 1 alone
  rootless.AddMap(0, 1)->Kind = mkMap;
  TMemoryStream stream;
  rootless.SaveToFileStream(stream);
  bad.emplace_back(stream.Bytes().begin(), stream.Bytes().end());
  for (const std::string& bytes : bad) {
    Load();
    Put("game/KOVAX.lmt", bytes);
    try {
      form->LoadMapTreeView();
      ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Error in KOVAX.lmt, the Map Tree file. This project is probably "
                             "protected, and can't be read");
    }
    EXPECT_EQ(view->topLevelItemCount(), 0);
    EXPECT_EQ(tree.GetCount(), 0);
    EXPECT_EQ(map.Width(), 0);
    tree.AddMap(0, 0);
    AddEntry(0, 1, "MAP0001", mkMap);
  }
}

// Map bytes and entry bytes, to tell that nothing changed.
std::vector<uint8_t> RecordBytes(const TCatalogBaseItem& record) {
  TMemoryStream stream;
  record.SaveToStream(stream);
  return stream.Bytes();
}

TEST_F(MapTreeWindow, MapPropertiesCancelChangesNothingAndOkFitsTheMap) {
  Load();
  map.SetWidth(30);
  map.SetHeight(30);
  for (const auto& [id, x, y] : {std::tuple{1, 3, 3}, {2, 25, 3}, {3, 3, 20}}) {
    TXelEventItem* event = map.Events.GetOrCreate(id);
    event->X = x;
    event->Y = y;
  }
  map.UsePanorama = 1;
  map.PanoramaName = "Sky";
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 25);
  tree.StartPosition.SetMapId(1, 1);
  tree.StartPosition.SetX(1, 4);
  const std::vector<uint8_t> mapBefore = RecordBytes(map),
                             itemBefore = RecordBytes(*tree.FindById(1));

  OnNextModal<TFormEDMap>([](TFormEDMap* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(20);
    FindControl<QCheckBox>(dialog, "CheckBox1")->click();
    FindControl<QPushButton>(dialog, "ButtonCancel")->click();
  });
  Item("MenuMapProperties")->trigger();
  EXPECT_EQ(RecordBytes(map), mapBefore);
  EXPECT_EQ(RecordBytes(*tree.FindById(1)), itemBefore);

  OnNextModal<TFormEDMap>([](TFormEDMap* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "The setup of the map - ID:0001");
    FindControl<QWidget>(dialog, "OverEdit1")->setFocus();
    QTest::keyClicks(FindControl<QWidget>(dialog, "OverEdit1"), "Port");
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(20);
    FindControl<TDialEdit>(dialog, "DialEdit2")->SetValue(15);
    FindControl<QCheckBox>(dialog, "CheckBox1")->click();
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  bool keptView = false;
  form->OnMapSelected = [&](TMapTreeDock* sender) { keptView = sender->KeepView; };
  Item("MenuMapProperties")->trigger();
  EXPECT_TRUE(keptView);
  EXPECT_FALSE(form->KeepView);
  EXPECT_EQ(map.Width(), 20);
  EXPECT_EQ(map.Events.GetCount(), 1);
  EXPECT_EQ(map.PanoramaName, "");
  EXPECT_TRUE(map.Modified);
  EXPECT_EQ(tree.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(tree.StartPosition.GetX(0), 0);
  EXPECT_EQ(tree.StartPosition.GetMapId(1), 1);
  EXPECT_EQ(Node(1)->text(0).toStdString(), tree.FindById(1)->Name);
  EXPECT_NE(tree.FindById(1)->Name, "MAP0001");
}

TEST_F(MapTreeWindow, NewMapsAndAreasComeFromTheirDialogs) {
  Load();
  Select(0);
  OnNextModal<TFormEDMap>([](TFormEDMap* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "The preparation of the map - ID:0002");
    EXPECT_FALSE(FindControl<QWidget>(dialog, "RadioButtonC1")->isEnabled());
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(33);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  Item("MenuNewMap1")->trigger();
  const TXelMapTreeItem* added = tree.FindById(2);
  ASSERT_TRUE(added);
  EXPECT_EQ(added->Name, "MAP0002");
  EXPECT_EQ(added->Kind, mkMap);
  EXPECT_EQ(added->TeleportMode, 1);
  EXPECT_EQ(tree.ActiveId, 2);
  EXPECT_EQ(view->currentItem(), Node(2));
  EXPECT_EQ(map.Id, 2);
  EXPECT_EQ(map.Width(), 33);
  EXPECT_EQ(PopupName(), "PopupMenu2");

  // Cancel adds nothing.
  OnNextModal<TFormEDArea>(
      [](TFormEDArea* dialog) { FindControl<QPushButton>(dialog, "ButtonCancel")->click(); });
  Item("MenuNewArea")->trigger();
  EXPECT_FALSE(tree.FindById(3));

  OnNextModal<TFormEDArea>([](TFormEDArea* dialog) {
    EXPECT_EQ(FindControl<QLabel>(dialog, "Label2")->text(), "(000,000) - (032,014)");
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  Item("MenuNewArea")->trigger();
  const TXelMapTreeItem* area = tree.FindById(3);
  ASSERT_TRUE(area);
  EXPECT_EQ(area->Name, "AREA0003");
  EXPECT_EQ(area->Kind, mkArea);
  EXPECT_EQ(area->ParentId, 2);
  EXPECT_TRUE(area->Changed);
  EXPECT_EQ(view->currentItem(), Node(3));
  EXPECT_EQ(Outline(), "Quest\n  MAP0001\n  MAP0002\n    AREA0003\n");
}

TEST_F(MapTreeWindow, ShiftMovesTheMapAndItsStartPositionsWithWrap) {
  Load();
  map.LowerLayer.SetCell(1, 2, 500);
  TXelEventItem* event = map.Events.GetOrCreate(1);
  event->X = 2;
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 1);
  tree.StartPosition.SetY(0, 2);
  OnNextModal<TFormMapShift>([](TFormMapShift* dialog) {
    FindControl<QRadioButton>(dialog, "RadioButton2")->click();
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(3);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  Item("MenuShiftMap")->trigger();
  EXPECT_EQ(map.LowerLayer.GetCell(98, 2), 500);
  EXPECT_EQ(map.Events.FindById(1)->X, 99);
  EXPECT_EQ(tree.StartPosition.GetX(0), 98);
  EXPECT_EQ(tree.StartPosition.GetY(0), 2);
  EXPECT_TRUE(tree.FindById(1)->Changed);
  TXelMap copy;
  copy.LoadTempMap(1);
  EXPECT_EQ(copy.LowerLayer.GetCell(98, 2), 500);
}

} // namespace

#include <gtest/gtest.h>

#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/map_tree.h"
#include "core/var_int.h"
#include "file_form.h"
#include "memory_tree_view.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

// The tree of a fresh project: the root titled "Untitled" and map 1, as the project
// code makes them.
void MakeFreshProjectTree(TXelMapTree& tree) {
  tree.Clear();
  TXelMapTreeItem* root = tree.AddMap(0, 0);
  root->Kind = mkRoot;
  root->Name = "Untitled";
  TXelMapTreeItem* map = tree.AddMap(0, 1);
  map->Kind = mkMap;
  map->Name = "MAP0001";
  map->MusicMode = map->BackgroundMode = 1;
  map->TeleportMode = map->EscapeMode = map->SaveMode = 1;
  tree.ActiveId = 1;
}

void Append(Bytes& b, std::initializer_list<uint8_t> bytes) {
  b.insert(b.end(), bytes);
}
void Append(Bytes& b, const std::string& s) {
  b.insert(b.end(), s.begin(), s.end());
}

// Derived by hand from the field tables:
//   0A "XelMapTree", then the entry list: count 02, and per entry its Id and record.
//   Entry fields at their defaults are left out (ParentId 0, Depth 0, ViewX, ViewY,
//   Expanded 0, BackgroundName empty, EncounterSteps 25); the Fixed ones are always
//   written: 04 Kind, 0B MusicMode, 15 BackgroundMode, 1F/20/21 teleport, escape and
//   save modes, 33 the 16-byte area rectangle. 0C is the music record, which holds only
//   its name "(OFF)" (01 05 ...) and its end mark; 29 01 00 the empty encounter list.
//   The root: 01 08 "Untitled", Kind 0, every mode 0.
//   Map 1: 01 07 "MAP0001", 03 01 01 (Depth 1), Kind 1, every mode 1.
//   Then the order 02 00 01, ActiveId 01, and the start positions, all 0: just 00.
Bytes FreshProjectTreeBytes() {
  Bytes b = {0x0A};
  Append(b, "XelMapTree");
  Append(b, {0x02});
  auto entry = [&b](uint8_t mode) {
    Append(b, {0x04, 0x01, mode == 0 ? uint8_t(0) : uint8_t(1), 0x0B, 0x01, mode});
    Append(b, {0x0C, 0x08, 0x01, 0x05});
    Append(b, "(OFF)");
    Append(b, {0x00, 0x15, 0x01, mode, 0x1F, 0x01, mode, 0x20, 0x01, mode, 0x21, 0x01, mode});
    Append(b, {0x29, 0x01, 0x00, 0x33, 0x10});
    b.insert(b.end(), 16, 0x00);
    Append(b, {0x00});
  };
  Append(b, {0x00, 0x01, 0x08});
  Append(b, "Untitled");
  entry(0);
  Append(b, {0x01, 0x01, 0x07});
  Append(b, "MAP0001");
  Append(b, {0x03, 0x01, 0x01});
  entry(1);
  Append(b, {0x02, 0x00, 0x01, 0x01, 0x00});
  return b;
}

// A tree file with the entries of Source but the order, active Id and (empty) start
// positions given here.
Bytes TreeFileWithOrder(const TXelMapTree& source, const std::vector<uint32_t>& order) {
  TMemoryStream s;
  WriteVarString(s, "XelMapTree");
  source.SaveToStream(s);
  WriteVarInt(s, static_cast<int32_t>(order.size()));
  for (uint32_t id : order)
    WriteVarInt(s, static_cast<int32_t>(id));
  WriteVarInt(s, 0);
  s.WriteByte(0);
  return s.Bytes();
}

std::vector<int32_t> OrderIds(const TXelMapTree& tree) {
  std::vector<int32_t> ids;
  for (const TXelMapTreeItem* e : tree.Order())
    ids.push_back(e->Id);
  return ids;
}

// root(0), A(1), A1(2) under A, B(3).
void MakeSmallTree(TXelMapTree& tree) {
  tree.AddMap(0, 0)->Name = "root";
  tree.AddMap(0, 1)->Name = "A";
  tree.AddMap(1, 2)->Name = "A1";
  tree.AddMap(0, 3)->Name = "B";
  for (int id = 1; id <= 3; ++id)
    tree.FindById(id)->Kind = mkMap;
}

TEST(MapTree, FreshProjectTreeFileMatchesTheFieldTables) {
  TXelMapTree tree;
  MakeFreshProjectTree(tree);
  EXPECT_EQ(tree.FindById(0)->Depth, 0);
  EXPECT_EQ(tree.FindById(1)->Depth, 1);
  EXPECT_EQ(FileFormBytes(tree), FreshProjectTreeBytes());

  TXelMapTree back;
  LoadFileForm(back, FreshProjectTreeBytes());
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.FindById(1)->Name, "MAP0001");
  EXPECT_EQ(back.FindById(1)->EncounterSteps, 25);
  EXPECT_EQ(back.FindById(1)->Music.FileName, "(OFF)");
  EXPECT_EQ(back.GetActiveItem()->Id, 1);
  EXPECT_EQ(OrderIds(back), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(FileFormBytes(back), FreshProjectTreeBytes());
}

TEST(MapTree, EveryFieldRoundTrips) {
  TXelMapTree tree;
  MakeSmallTree(tree);
  TXelMapTreeItem* a = tree.FindById(1);
  a->ViewX = -16;
  a->ViewY = 320;
  a->Expanded = 1;
  a->MusicMode = 2;
  a->Music.FileName = "Town";
  a->Music.Volume = 80;
  a->BackgroundMode = 2;
  a->BackgroundName = "Grass";
  a->EncounterSteps = 0;
  a->Encounters.GetOrCreate(1)->MonGroupId = 12;
  a->Encounters.GetOrCreate(2)->MonGroupId = 5;
  TXelMapTreeItem* area = tree.AddMap(1, 4);
  area->Kind = mkArea;
  area->AreaRect = {-1, 2, 300, 400};
  tree.ActiveId = 4;
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 7);
  tree.StartPosition.SetY(3, -2);
  const Bytes saved = FileFormBytes(tree);

  TXelMapTree back;
  LoadFileForm(back, saved);
  EXPECT_EQ(back.FindById(1)->EncounterSteps, 0);
  EXPECT_EQ(back.FindById(4)->AreaRect.Bottom, 400);
  EXPECT_EQ(back.StartPosition.GetY(3), -2);
  EXPECT_EQ(back.StartPosition.GetY(4), 0); // no such place
  EXPECT_EQ(OrderIds(back), (std::vector<int32_t>{0, 1, 2, 4, 3}));
  EXPECT_EQ(FileFormBytes(back), saved);

  // Group 0 is the encounter's save default but Clear sets 1, so 0 comes back as 1.
  TXelEncountItem encounter(1);
  encounter.MonGroupId = 0;
  EXPECT_EQ(SaveBytes(encounter), Bytes{0x00});
  LoadBytes(encounter, Bytes{0x00});
  EXPECT_EQ(encounter.MonGroupId, 1);

  // Clear leaves the entry's place in the tree alone.
  TXelMapTreeItem copy(9);
  copy.Assign(*a);
  EXPECT_EQ(copy.Name, "A");
  copy.Clear();
  EXPECT_EQ(copy.Expanded, 1);
  EXPECT_EQ(copy.Encounters.GetCount(), 0);
  EXPECT_EQ(copy.EncounterSteps, 25);

  ExpectNoFieldAboveLastId(*a);
  ExpectNoFieldAboveLastId(encounter);
  ExpectNoFieldAboveLastId(tree.StartPosition);
}

TEST(MapTree, AddMapPlacesTheNewMapAfterItsParentsSubtree) {
  TXelMapTree tree;
  MakeSmallTree(tree);
  tree.AddMap(1, 7);
  EXPECT_EQ(OrderIds(tree), (std::vector<int32_t>{0, 1, 2, 7, 3}));
  EXPECT_EQ(tree.FindById(7)->Depth, 2);

  TXelMapTree other;
  MakeSmallTree(other);
  other.AddMap(2, 8);
  EXPECT_EQ(OrderIds(other), (std::vector<int32_t>{0, 1, 2, 8, 3}));
  EXPECT_EQ(other.FindById(8)->Depth, 3);
  EXPECT_EQ(other.FindById(8)->ParentId, 2);

  // Under the last entry, or under a parent that is not in the order: at the end.
  other.AddMap(3, 9);
  other.AddMap(77, 10);
  EXPECT_EQ(OrderIds(other), (std::vector<int32_t>{0, 1, 2, 8, 3, 9, 10}));
  // Adding an entry again moves it rather than listing it twice. Entry 10 kept Depth 0
  // (its parent is unknown), so it ends B's subtree.
  other.AddMap(3, 8);
  EXPECT_EQ(OrderIds(other), (std::vector<int32_t>{0, 1, 2, 3, 9, 8, 10}));
  EXPECT_EQ(other.FindById(10)->Depth, 0);
  EXPECT_EQ(other.IndexOfOrder(8), 5);
  EXPECT_EQ(other.IndexOfOrder(55), -1);
}

TEST(MapTree, DeleteMapTakesTheSubtreeAndItsStartPositions) {
  TXelMapTree tree;
  MakeSmallTree(tree);
  tree.StartPosition.SetMapId(0, 2); // the party starts on the sub-map
  tree.StartPosition.SetX(0, 5);
  tree.StartPosition.SetY(0, 6);
  tree.StartPosition.SetMapId(1, 3);
  tree.StartPosition.SetX(1, 4);
  EXPECT_FALSE(tree.IsModified());

  tree.DeleteMap(1);
  EXPECT_EQ(OrderIds(tree), (std::vector<int32_t>{0, 3}));
  EXPECT_EQ(tree.GetCount(), 2);
  EXPECT_EQ(tree.DeletedIds(), (std::vector<int32_t>{1, 2}));
  EXPECT_TRUE(tree.IsModified());
  EXPECT_EQ(tree.StartPosition.GetMapId(0), 0);
  EXPECT_EQ(tree.StartPosition.GetX(0), 0);
  EXPECT_EQ(tree.StartPosition.GetY(0), 0);
  EXPECT_EQ(tree.StartPosition.GetMapId(1), 3);
  EXPECT_EQ(tree.StartPosition.GetX(1), 4);

  tree.DeleteMap(42); // not in the tree
  EXPECT_EQ(tree.GetCount(), 2);
  tree.AddMap(0, 2); // an Id used again is no longer deleted
  EXPECT_EQ(tree.DeletedIds(), (std::vector<int32_t>{1}));

  TXelMapTree changed;
  MakeSmallTree(changed);
  changed.FindById(3)->Changed = true;
  EXPECT_TRUE(changed.IsModified());

  // A cleared tree keeps no start on a map it no longer has.
  changed.StartPosition.SetMapId(3, 2);
  changed.StartPosition.SetX(3, 9);
  changed.Clear();
  EXPECT_FALSE(changed.IsModified());
  EXPECT_EQ(changed.StartPosition.GetMapId(3), 0);
  EXPECT_EQ(changed.StartPosition.GetX(3), 0);
}

TEST(MapTree, OrderWithMissingOrRepeatedIds) {
  TXelMapTree source;
  MakeSmallTree(source);
  const Bytes file = TreeFileWithOrder(source, {0, 1, 9, 2, 1, 3});

  TXelMapTree strict;
  try {
    LoadFileForm(strict, file);
    ADD_FAILURE() << "a missing entry loaded outside editor mode";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid Map Designed");
  }
  EXPECT_EQ(strict.GetCount(), 0);
  EXPECT_TRUE(strict.Order().empty());

  TApplicationTagScope editor(EditorModeTag);
  TXelMapTree tree;
  LoadFileForm(tree, file);
  EXPECT_EQ(OrderIds(tree), (std::vector<int32_t>{0, 1, 2, 3}));
  TMemoryTreeView view;
  tree.FillTreeView(view, true);
  EXPECT_EQ(view.Outline(), "root/0\n  A/1\n    A1/1\n  B/1\n");
  EXPECT_EQ(TreeFileWithOrder(tree, {0, 1, 2, 3}), FileFormBytes(tree));
}

TEST(MapTree, FillTreeViewShowsTheOrderThenTheEntriesItLeavesOut) {
  TXelMapTree tree;
  MakeSmallTree(tree);
  TXelMapTreeItem* area = tree.AddMap(1, 4);
  area->Name = "Cave";
  area->Kind = mkArea;
  tree.FindById(1)->Expanded = 1;
  // Entries outside the order: one under A, and two that are each other's parent.
  tree.GetOrCreate(6)->ParentId = 1;
  tree.FindById(6)->Name = "Lost";
  tree.FindById(6)->Kind = mkMap;
  tree.GetOrCreate(8)->ParentId = 9;
  tree.GetOrCreate(9)->ParentId = 8;

  TMemoryTreeView view;
  tree.FillTreeView(view, false);
  EXPECT_EQ(view.Outline(), "root/0\n  A/1+\n    A1/1\n    Lost/1\n  B/1\n");
  tree.FillTreeView(view, true);
  EXPECT_EQ(view.Outline(), "root/0\n  A/1+\n    A1/1\n    Cave/2\n    Lost/1\n  B/1\n");

  tree.ActiveId = 3;
  tree.SelectActiveNode(view);
  ASSERT_NE(view.Selected, nullptr);
  EXPECT_EQ(view.Selected->EntryId, 3);
  tree.ActiveId = 8; // has no node
  tree.SelectActiveNode(view);
  EXPECT_EQ(view.Selected, nullptr);
}

TEST(MapTree, ReadTreeViewTakesOrderParentsDepthsAndExpansion) {
  TXelMapTree tree;
  MakeSmallTree(tree);
  tree.AddMap(2, 5)->Name = "A1a";
  TMemoryTreeView view;
  tree.FillTreeView(view, true);
  // Drag A1 (with its child) under B, expand B.
  view.Move(view.Find(2), view.Find(3));
  view.SetExpanded(reinterpret_cast<TTreeNode*>(view.Find(3)), true);
  tree.ReadTreeView(view);
  EXPECT_EQ(OrderIds(tree), (std::vector<int32_t>{0, 1, 3, 2, 5}));
  EXPECT_EQ(tree.FindById(2)->ParentId, 3);
  EXPECT_EQ(tree.FindById(2)->Depth, 2);
  EXPECT_EQ(tree.FindById(5)->Depth, 3);
  EXPECT_EQ(tree.FindById(3)->Expanded, 1);
  EXPECT_EQ(tree.FindById(0)->Depth, 0);

  // A map added now goes after B's whole subtree.
  tree.AddMap(3, 6);
  EXPECT_EQ(OrderIds(tree), (std::vector<int32_t>{0, 1, 3, 2, 5, 6}));
}

TEST(MapTree, HostileTreeFilesRaise) {
  TXelMapTree source;
  MakeSmallTree(source);
  const Bytes good = FileFormBytes(source);

  Bytes wrongHeader = good;
  wrongHeader[4] = 'm';
  TXelMapTree tree;
  EXPECT_THROW(LoadFileForm(tree, wrongHeader), EReadError);

  // An order of a billion entries in a file of a few bytes.
  TMemoryStream s;
  WriteVarString(s, "XelMapTree");
  s.WriteByte(0); // no entries
  WriteVarInt(s, 1000000000);
  s.WriteByte(0);
  EXPECT_THROW(LoadFileForm(tree, s.Bytes()), EReadError);

  for (size_t cut = 0; cut < good.size(); cut += 7) {
    Bytes part(good.begin(), good.begin() + ptrdiff_t(cut));
    EXPECT_THROW(LoadFileForm(tree, part), EReadError) << "cut at " << cut;
    EXPECT_EQ(tree.GetCount(), 0);
    EXPECT_TRUE(tree.Order().empty());
  }
}

} // namespace

// The map tree window's decisions without the window: new Ids, pasted names, drops,
// area centring, the paste of a copied map and the reading of the tree file.
#include "shell/map/map_tree_rules.h"

#include <limits>

#include "core/errors.h"
#include "core/memory_tree_view.h"
#include "core/stream.h"
#include "map_project.h"

namespace {

TEST(MapTreeRules, FreeIdIsTheSmallestUnusedFromOneTo9999) {
  struct Row {
    std::vector<int32_t> ids;
    int32_t expected;
  };
  const Row rows[] = {
      {{0}, 1}, {{0, 1, 2, 4, 5}, 3}, {{0, 2, 3}, 1}, {{0, 1, 2, 3}, 4}, {{0, 1, 10000}, 2},
  };
  for (const Row& row : rows) {
    TXelMapTree tree;
    for (int32_t id : row.ids)
      tree.GetOrCreate(id);
    EXPECT_EQ(FindFreeMapId(tree), row.expected) << ::testing::PrintToString(row.ids);
  }
  TXelMapTree full;
  for (int32_t id = 0; id <= MaxMapTreeId; ++id)
    full.GetOrCreate(id);
  EXPECT_EQ(FindFreeMapId(full), 0);
  full.DeleteById(9999);
  EXPECT_EQ(FindFreeMapId(full), 9999);
}

TEST(MapTreeRules, OnlyDefaultNamesTakeTheNewId) {
  struct Row {
    const char* copied;
    const char* pasted;
  };
  const Row rows[] = {
      {"MAP0004", "MAP0009"}, {"MAP0001", "MAP0009"}, {"MAP9999", "MAP0009"},
      {"Town", "Town"},       {"MAP0000", "MAP0000"}, {"MAP00041", "MAP00041"},
      {"MAP004", "MAP004"},   {"MAPABCD", "MAPABCD"}, {"MAP12x4", "MAP12x4"},
      {"MAP-001", "MAP-001"}, {"map0004", "map0004"}, {"", ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(PastedMapName(row.copied, 9), row.pasted) << row.copied;
}

TEST(MapTreeRules, DropsGoOnlyWhereTheTreeStaysATree) {
  // root(0): A(1) with A1(2) and the area C(4); B(3).
  TXelMapTree tree;
  tree.AddMap(0, 0);
  tree.AddMap(0, 1)->Kind = mkMap;
  tree.AddMap(1, 2)->Kind = mkMap;
  tree.AddMap(0, 3)->Kind = mkMap;
  tree.AddMap(1, 4)->Kind = mkArea;
  TMemoryTreeView view;
  tree.FillTreeView(view, true);
  auto node = [&view](int32_t id) -> TTreeNode* {
    return id < 0 ? nullptr : reinterpret_cast<TTreeNode*>(view.Find(id));
  };
  struct Row {
    int32_t dragged, target;
    bool allowed;
  };
  const Row rows[] = {
      {1, 3, true},   // a map onto another map
      {2, 0, true},   // a sub-map onto the root
      {2, 1, true},   // onto its own parent again
      {1, 2, false},  // onto its own sub-map
      {1, 1, false},  // onto itself
      {4, 1, true},   // an area onto its own map
      {4, 3, false},  // an area onto another map
      {4, 0, false},  // an area onto the root
      {3, 4, false},  // anything onto an area
      {0, 3, false},  // the root
      {1, -1, false}, // no target
  };
  for (const Row& row : rows)
    EXPECT_EQ(CanDropNode(tree, view, node(row.dragged), node(row.target)), row.allowed)
        << row.dragged << " onto " << row.target;
}

TEST(MapTreeRules, AreaViewCentresTheAreaAtFullScale) {
  struct Row {
    TAreaRect area;
    int width, height;
    TViewPosition expected;
  };
  const int32_t big = std::numeric_limits<int32_t>::max();
  const Row rows[] = {
      {{0, 0, 20, 15}, 640, 480, {0, 0}},     {{1, 2, 4, 6}, 101, 33, {5 * 16 - 50, 8 * 16 - 16}},
      {{10, 10, 12, 11}, 0, 0, {352, 336}},   {{-3, 0, 0, 0}, 1, 1, {-48, 0}},
      {{big, big, big, 0}, 2, 2, {big, big}},
  };
  for (const Row& row : rows) {
    const TViewPosition p = AreaViewPosition(row.area, row.width, row.height);
    EXPECT_EQ(p, row.expected) << p.X << "," << p.Y;
  }
}

class MapTreePaste : public MapProjectEnv {};

TEST_F(MapTreePaste, TheWholeBlockIsReadBeforeTheTreeChanges) {
  MakeFreshProject();
  TXelMapTreeItem* source = AddEntry(1, 4, "MAP0004", mkMap, 30, 20);
  source->MusicMode = 2;
  source->Music.FileName = "Theme";
  source->EncounterSteps = 40;
  TXelMap copied;
  copied.LoadProjectMap(4);
  const std::vector<uint8_t> block = BuildMapTreeMapClip(source->Name, copied, *source);

  // A cut block, one of another format and a full tree paste nothing.
  std::vector<uint8_t> cut(block.begin(), block.end() - 3);
  EXPECT_FALSE(PrepareMapPaste(tree, cut));
  EXPECT_FALSE(PrepareMapPaste(tree, BuildStartMarkClip(StartMarkParty)));
  TXelMapTree full;
  for (int32_t id = 0; id <= MaxMapTreeId; ++id)
    full.GetOrCreate(id);
  EXPECT_FALSE(PrepareMapPaste(full, block));

  for (int32_t id = 5; id <= 8; ++id)
    AddEntry(0, id, "Town", mkMap);
  std::optional<TMapPaste> paste = PrepareMapPaste(tree, block);
  ASSERT_TRUE(paste);
  EXPECT_EQ(paste->NewId, 2);
  const TXelMapTreeItem* item = ApplyMapPaste(tree, 0, *paste);
  EXPECT_EQ(item->Id, 2);
  EXPECT_EQ(item->Name, "MAP0002");
  EXPECT_EQ(item->ParentId, 0);
  EXPECT_EQ(item->Depth, 1);
  EXPECT_EQ(item->Kind, mkMap);
  EXPECT_EQ(item->Music.FileName, "Theme");
  EXPECT_EQ(item->EncounterSteps, 40);
  EXPECT_TRUE(item->Changed);
  EXPECT_EQ(tree.ActiveId, 2);
  EXPECT_EQ(tree.Order().back(), item);

  TXelMap working;
  working.LoadTempMap(2);
  EXPECT_EQ(working.Width(), 30);
  EXPECT_EQ(working.LowerLayer.GetCell(29, 19), 4);
}

TEST_F(MapTreePaste, AWorkingCopyThatCannotBeWrittenLeavesTheTreeAlone) {
  MakeFreshProject();
  TXelMap copied;
  const std::vector<uint8_t> block = BuildMapTreeMapClip("Town", copied, *tree.FindById(1));
  std::optional<TMapPaste> paste = PrepareMapPaste(tree, block);
  ASSERT_TRUE(paste);
  // The working copy's name taken by a folder.
  std::filesystem::create_directories(TempMapPath(2) + "/x");
  EXPECT_THROW(ApplyMapPaste(tree, 1, *paste), Exception);
  EXPECT_EQ(tree.GetCount(), 2);
  EXPECT_EQ(tree.Order().size(), 2u);
  EXPECT_EQ(tree.ActiveId, 1);
}

class MapTreeFile : public MapProjectEnv {};

TEST_F(MapTreeFile, BadFilesGiveOneMessageAndAnEmptyTree) {
  MakeFreshProject();
  LoadProjectMapTree(tree, "Quest");
  EXPECT_EQ(tree.FindById(0)->Name, "Quest");
  EXPECT_EQ(tree.ActiveId, 1);
  const std::string good = Get("game/KOVAX.lmt");

  std::vector<std::string> bad;
  std::string header = good;
  header[3] = 'x';
  bad.push_back(header);
  for (size_t cut = 0; cut < good.size(); cut += 10)
    bad.push_back(good.substr(0, cut));
  // Map 1 alone, without a root.
  TXelMapTree rootless;
  rootless.AddMap(0, 1)->Kind = mkMap;
  rootless.ActiveId = 1;
  TMemoryStream stream;
  rootless.SaveToFileStream(stream);
  bad.emplace_back(stream.Bytes().begin(), stream.Bytes().end());

  for (const std::string& bytes : bad) {
    Put("game/KOVAX.lmt", bytes);
    try {
      LoadProjectMapTree(tree, "Quest");
      ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
    } catch (const EFileError&) {
      ADD_FAILURE() << "a file error for " << bytes.size() << " bytes";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Error in KOVAX.lmt, the Map Tree file. This project is probably "
                             "protected, and can't be read");
    }
    EXPECT_EQ(tree.GetCount(), 0);
    EXPECT_TRUE(tree.Order().empty());
    EXPECT_EQ(tree.ActiveId, 0);
  }

  std::filesystem::remove(Path("game/KOVAX.lmt"));
  EXPECT_THROW(LoadProjectMapTree(tree, "Quest"), EFileError);
}

} // namespace

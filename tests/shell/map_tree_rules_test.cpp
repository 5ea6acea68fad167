// The map tree window's decisions without the window.
#include "shell/map/map_tree_rules.h"

#include <gtest/gtest.h>
#include <limits>

#include "core/memory_tree_view.h"

namespace {

TEST(MapTreeRules, FreeIdIsTheSmallestUnusedFromOneTo9999) {
  const std::pair<std::vector<int32_t>, int32_t> rows[] = {
      {{0}, 1}, {{0, 1, 2, 4}, 3}, {{0, 2}, 1}, {{0, 1, 10000}, 2}};
  for (const auto& [ids, expected] : rows) {
    TXelMapTree tree;
    for (int32_t id : ids)
      tree.GetOrCreate(id);
    EXPECT_EQ(FindFreeMapId(tree), expected) << ::testing::PrintToString(ids);
  }
  TXelMapTree full;
  for (int32_t id = 0; id <= MaxMapTreeId; ++id)
    full.GetOrCreate(id);
  EXPECT_EQ(FindFreeMapId(full), 0);
  full.DeleteById(9999);
  EXPECT_EQ(FindFreeMapId(full), 9999);
}

TEST(MapTreeRules, OnlyDefaultNamesTakeTheNewId) {
  const std::pair<const char*, const char*> rows[] = {
      {"MAP0004", "MAP0009"}, {"MAP9999", "MAP0009"},   {"Town", "Town"},
      {"MAP0000", "MAP0000"}, {"MAP00041", "MAP00041"}, {"MAP004", "MAP004"},
      {"MAP12x4", "MAP12x4"}, {"MAP-001", "MAP-001"},   {"map0004", "map0004"}};
  for (const auto& [copied, pasted] : rows)
    EXPECT_EQ(PastedMapName(copied, 9), pasted) << copied;
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
  auto node = [&view](int32_t id) {
    return id < 0 ? nullptr : reinterpret_cast<TTreeNode*>(view.Find(id));
  };
  struct Row {
    int32_t dragged, target;
    bool allowed;
  };
  const Row rows[] = {
      {1, 3, true},  {2, 0, true},  {2, 1, true},  {4, 1, true}, // maps anywhere, an area home
      {1, 2, false}, {1, 1, false}, {4, 3, false}, {4, 0, false},
      {3, 4, false}, {0, 3, false}, {1, -1, false}};
  for (const Row& row : rows)
    EXPECT_EQ(CanDropNode(tree, view, node(row.dragged), node(row.target)), row.allowed)
        << row.dragged << " onto " << row.target;
}

TEST(MapTreeRules, AreaViewCentresTheAreaAtFullScale) {
  const int32_t big = std::numeric_limits<int32_t>::max();
  const std::tuple<TAreaRect, int, int, TViewPosition> rows[] = {
      {{0, 0, 20, 15}, 640, 480, {0, 0}},
      {{1, 2, 4, 6}, 101, 33, {5 * 16 - 50, 8 * 16 - 16}},
      {{-3, 0, 0, 0}, 1, 1, {-48, 0}},
      {{big, big, big, 0}, 2, 2, {big, big}}};
  for (const auto& [area, width, height, expected] : rows) {
    const TViewPosition p = AreaViewPosition(area, width, height);
    EXPECT_EQ(p, expected) << p.X << "," << p.Y;
  }
}

} // namespace

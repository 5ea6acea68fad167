// Loads a map-tree file from arbitrary bytes, in and out of editor mode, shows it in a
// tree view, reads the view back, adds and deletes maps; whatever loads saves and
// reloads to a fixed point after one round.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 131072

#include <cstdlib>

#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/map_tree.h"
#include "fuzz_seeds.h"
#include "tests/core/file_form.h"
#include "tests/core/memory_tree_view.h"

namespace {

bool Load(TXelMapTree& tree, const uint8_t* data, size_t size) {
  try {
    LoadFileForm(tree, data, size);
    return true;
  } catch (const Exception&) {
    if (tree.GetCount() != 0 || !tree.Order().empty()) std::abort();
    return false;
  }
}

void CheckRoundTrip(const TXelMapTree& tree) {
  if (!SavesToAFixedPoint(tree)) std::abort();
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TXelMapTree tree;
  tree.AddMap(0, 0)->Name = "Untitled";
  TXelMapTreeItem* map = tree.AddMap(0, 1);
  map->Kind = mkMap;
  map->Name = "MAP0001";
  map->Expanded = 1;
  map->Encounters.GetOrCreate(1)->MonGroupId = 4;
  TXelMapTreeItem* area = tree.AddMap(1, 2);
  area->Kind = mkArea;
  area->AreaRect = {1, 2, 3, 4};
  tree.AddMap(1, 3)->Kind = mkMap;
  tree.ActiveId = 3;
  tree.StartPosition.SetMapId(0, 1);
  tree.StartPosition.SetX(0, 5);
  auto full = FileFormBytes(tree);
  tree.DeleteMap(1);
  // A large realistic tree: 300 entries, maps and areas nested up to five deep.
  TXelMapTree large;
  large.AddMap(0, 0)->Name = "Untitled";
  for (int32_t id = 1; id <= 300; ++id) {
    TXelMapTreeItem* item = large.AddMap(id <= 5 ? 0 : id / 5, id);
    item->Kind = id % 7 == 0 ? mkArea : mkMap;
    item->Name = "MAP" + std::to_string(10000 + id).substr(1);
    item->Expanded = uint8_t(id % 2);
    if (item->Kind == mkArea) item->AreaRect = {id % 20, id % 15, id % 20 + 3, id % 15 + 2};
    for (int k = 1; k <= id % 4; ++k)
      item->Encounters.GetOrCreate(k)->MonGroupId = id % 50 + k;
  }
  large.ActiveId = 42;
  FuzzSeeds seeds = {full, FileFormBytes(tree)};
  // Several small ones, so that the run starts among quick inputs.
  for (int32_t count = 1; count <= 6; ++count) {
    TXelMapTree small;
    small.AddMap(0, 0)->Name = "Untitled";
    for (int32_t id = 1; id <= count; ++id)
      small.AddMap(id / 2, id)->Kind = id % 3 == 0 ? mkArea : mkMap;
    small.ActiveId = count;
    seeds.push_back(FileFormBytes(small));
  }
  seeds.push_back(FileFormBytes(large));
  return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One of three checks per input, picked by its size, so every run stays cheap; a big
  // tree is only loaded, since each round trip costs several loads and saves of it.
  const bool big = size > 16384;
  if (size % 3 == 0) {
    TXelMapTree strict;
    if (Load(strict, data, size) && !big) CheckRoundTrip(strict);
    return 0;
  }
  TApplicationTagScope editor(EditorModeTag);
  TXelMapTree tree;
  if (!Load(tree, data, size) || big) return 0;
  if (size % 3 == 1) {
    TMemoryTreeView view;
    tree.FillTreeView(view, size % 2 == 0);
    tree.SelectActiveNode(view);
    tree.ReadTreeView(view);
  } else if (tree.HasItems()) {
    const int32_t id = tree.Items(int(size % size_t(tree.GetCount())))->Id;
    tree.AddMap(id, 10000);
    tree.DeleteMap(id);
    if (tree.FindById(id) && tree.IndexOfOrder(id) >= 0) std::abort();
  }
  CheckRoundTrip(tree);
  return 0;
}

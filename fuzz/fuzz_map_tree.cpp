// Loads a map-tree file from arbitrary bytes, in and out of editor mode, shows it in a
// tree view, reads the view back, adds and deletes maps; whatever loads saves and
// reloads to a fixed point after one round.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

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
  return {full, FileFormBytes(tree)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXelMapTree strict;
  if (Load(strict, data, size)) CheckRoundTrip(strict);

  TApplicationTagScope editor(EditorModeTag);
  TXelMapTree tree;
  if (!Load(tree, data, size)) return 0;
  CheckRoundTrip(tree);
  TMemoryTreeView view;
  tree.FillTreeView(view, size % 2 == 0);
  tree.SelectActiveNode(view);
  tree.ReadTreeView(view);
  CheckRoundTrip(tree);
  if (tree.HasItems()) {
    const int32_t id = tree.Items(int(size % size_t(tree.GetCount())))->Id;
    tree.AddMap(id, 10000);
    tree.DeleteMap(id);
    if (tree.FindById(id) && tree.IndexOfOrder(id) >= 0) std::abort();
  }
  CheckRoundTrip(tree);
  return 0;
}

// The map tree window loading a project whose tree holds 9,999 maps and areas: the tree
// file read, the view filled and the active map selected (which loads it). Offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "core/editor_mode.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "shell/map/form_map_tree.h"

namespace {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "bench_map_tree";
  static char* argv[] = {name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication application(argc, argv);
  return application;
}

// A project of 99 groups: a map under the root with 100 maps and areas below it, every
// fifth an area, every group expanded; the active map deep in the middle.
std::string MakeProject() {
  std::string root = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
  if (!mkdtemp(root.data())) std::abort();
  setenv("TMPDIR", root.c_str(), 1);
  ProjectPath = root + "/";
  TXelMapTree tree;
  tree.AddMap(0, 0)->Name = "Bench";
  int32_t group = 0;
  for (int32_t id = 1; id <= 9999; ++id) {
    const bool head = id % 101 == 1;
    if (head) group = id;
    TXelMapTreeItem* item = tree.AddMap(head ? 0 : group, id);
    item->Kind = !head && id % 5 == 0 ? mkArea : mkMap;
    item->Name = (item->Kind == mkArea ? "AREA" : "MAP") + std::to_string(id);
    item->Expanded = head ? 1 : 0;
    item->AreaRect = {1, 1, 5, 5};
  }
  tree.ActiveId = 5003;
  TXelMap map;
  map.SetWidth(100);
  map.SetHeight(100);
  map.SaveProjectMap(5003);
  tree.SaveMapTree();
  return root;
}

void BM_LoadMapTreeView(benchmark::State& state) {
  Application();
  TApplicationTagScope editor(EditorModeTag);
  const char* tmp = std::getenv("TMPDIR");
  const std::string savedTmp = tmp ? tmp : "";
  const std::string root = MakeProject();
  {
    TXelMapTree tree;
    TXelMap map;
    TFormMapTree form;
    form.SetMapTree(&tree);
    form.SetMap(&map);
    form.resize(200, 600);
    form.show();
    for (auto _ : state) {
      form.LoadMapTreeView();
      benchmark::DoNotOptimize(map.Width());
    }
    state.counters["entries"] = tree.GetCount();
  }
  std::filesystem::remove_all(root);
  if (savedTmp.empty())
    unsetenv("TMPDIR");
  else
    setenv("TMPDIR", savedTmp.c_str(), 1);
}
BENCHMARK(BM_LoadMapTreeView)->Unit(benchmark::kMillisecond);

} // namespace

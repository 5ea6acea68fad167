// The variable command's dialog over 5,000 map events, items and heroes: creating it,
// filling its lists and showing its controls (the target is 50 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <memory>
#include <string>

#include "core/database.h"
#include "core/hero_records.h"
#include "core/map.h"
#include "core/map_event.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/form_registry.h"

namespace {

constexpr int kEntries = 5000;

struct TDialogFixture {
  TDialogFixture() {
    if (!getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_command_dialogs";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    for (int id = 1; id <= kEntries; ++id) {
      const std::string number = std::to_string(id);
      database.Items().GetOrCreate(id)->Name = "Item" + number;
      database.Players().GetOrCreate(id)->Name = "Hero" + number;
      map.Events.GetOrCreate(id)->Name = "Event" + number;
    }
  }

  std::unique_ptr<QApplication> app;
  TXelDataBase database;
  TXelMap map{1};
};

void BM_VariableDialogOverFullLists(benchmark::State& state) {
  static TDialogFixture fixture;
  for (auto _ : state) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, 10220, nullptr);
    form->Map = &fixture.map;
    form->EventId = kEntries;
    form->ScriptList->Add(10220, 0)->Params = {0, 1, 1, 0, 6, kEntries, 1};
    form->show();
    benchmark::DoNotOptimize(form->isVisible());
  }
}
BENCHMARK(BM_VariableDialogOverFullLists)->Unit(benchmark::kMillisecond);

} // namespace

// Command dialogs over 5,000 map events, items, skills, heroes, variables and switches:
// creating them, filling their lists, showing their controls and painting them the first
// time (the target is 50 ms), and the shop's "Add" of 100 selected items (the target is
// 20 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/hero_records.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/switch_records.h"
#include "events/form_ev_cmd_base.h"
#include "framework/forms/form_registry.h"

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
      database.Skills().GetOrCreate(id)->Name = "Skill" + number;
      map.Events.GetOrCreate(id)->Name = "Event" + number;
      database.Variables().GetOrCreate(id)->Name = "Variable" + number;
      database.Switches().GetOrCreate(id)->Name = "Switch" + number;
    }
  }

  std::unique_ptr<QApplication> app;
  TXelDataBase database;
  TXelMap map{1};
};

// One application and one database for every benchmark of the run.
TDialogFixture& Fixture() {
  static TDialogFixture fixture;
  return fixture;
}

void BM_VariableDialogOverFullLists(benchmark::State& state) {
  TDialogFixture& fixture = Fixture();
  for (auto _ : state) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, 10220, nullptr);
    form->Map = &fixture.map;
    form->EventId = kEntries;
    form->ScriptList->Add(10220, 0)->Params = {0, 1, 1, 0, 6, kEntries, 1};
    form->show();
    // The first paint, as the screen would get it.
    benchmark::DoNotOptimize(form->grab());
  }
}
BENCHMARK(BM_VariableDialogOverFullLists)->Unit(benchmark::kMillisecond);

// Opening a command with a handed line over the full lists.
void OpenCommand(benchmark::State& state, int32_t code, std::vector<int32_t> params) {
  Fixture();
  for (auto _ : state) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    form->ScriptList->Add(code, 0)->Params.assign(params.begin(), params.end());
    form->show();
    benchmark::DoNotOptimize(form->grab());
  }
}

void BM_ShopDialogOverFullLists(benchmark::State& state) {
  std::vector<int32_t> params = {0, 0, 0, 0};
  for (int32_t id = 1; id <= 100; ++id)
    params.push_back(id * 50);
  OpenCommand(state, 10720, params);
}
BENCHMARK(BM_ShopDialogOverFullLists)->Unit(benchmark::kMillisecond);

void BM_EquipmentDialogOverFullLists(benchmark::State& state) {
  OpenCommand(state, 10450, {1, kEntries, 0, 0, kEntries});
}
BENCHMARK(BM_EquipmentDialogOverFullLists)->Unit(benchmark::kMillisecond);

// "Add" with 100 items selected across the whole list, into an empty shop.
void BM_ShopAddsHundredSelectedItems(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    state.PauseTiming();
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, 10720, nullptr);
    form->show();
    auto* items = form->findChild<QListWidget*>("ListBox2");
    for (int row = 0; row < kEntries; row += kEntries / 100)
      items->selectionModel()->select(items->model()->index(row, 0), QItemSelectionModel::Select);
    auto* add = form->findChild<QPushButton*>("ButtonAdd");
    state.ResumeTiming();
    add->click();
    benchmark::DoNotOptimize(form->findChild<QListWidget*>("ListBox1")->count());
  }
}
BENCHMARK(BM_ShopAddsHundredSelectedItems)->Unit(benchmark::kMillisecond);

} // namespace

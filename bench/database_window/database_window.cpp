// The database window over a generated database of 5,000 entries in every list: opened on
// "Hero", made, shown and painted the first time (the target is 300 ms), and switching the
// hero bound or the tab, or to the vocabulary, system and common-event pages, or between two
// common events with 1,000-line scripts, each with its repaint (the target is 30 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QTabBar>
#include <memory>

#include "bench/bench_application.h"
#include "core/database.h"
#include "core/hero_records.h"
#include "core/switch_records.h"
#include "database/database_page.h"
#include "database/database_window.h"
#include "framework/forms/catalog_model.h"
#include "tests/core/database_generator.h"

namespace {

constexpr int kEntries = 5000;

struct TFixture {
  TFixture() {
    NeedApplication();
    TDataBaseGenerator(2024).Fill(database, kEntries, true);
    // Every item is equipment of some kind, so each equipment list of a hero holds a
    // thousand lines.
    for (int i = 0; i < database.Items().GetCount(); ++i)
      database.Items().Items(i)->Kind = uint8_t(1 + i % 5);
    GlobalDataBase = &database;
    CatalogsChanged();
  }
  TXelDataBase database;
};

TFixture& Fixture() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

std::unique_ptr<TFormDataBase> OpenWindow(int tab) {
  LastDataBaseTab = tab;
  auto window = std::make_unique<TFormDataBase>();
  window->show();
  return window;
}

void BM_OpenWindowOnHero(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    auto window = OpenWindow(0);
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_OpenWindowOnHero)->Unit(benchmark::kMillisecond);

void BM_SwitchHeroEntry(benchmark::State& state) {
  Fixture();
  auto window = OpenWindow(0);
  auto* page = dynamic_cast<TFormDataBaseListPage*>(window->CurrentPage());
  if (!page) {
    state.SkipWithError("no hero page");
    return;
  }
  int row = 0;
  for (auto _ : state) {
    // Back and forth between two heroes far apart in the list.
    row = row == 0 ? kEntries - 1 : 0;
    page->SelectRow(row);
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchHeroEntry)->Unit(benchmark::kMillisecond);

void BM_SwitchTabToHero(benchmark::State& state) {
  Fixture();
  auto window = OpenWindow(1);
  for (auto _ : state) {
    state.PauseTiming();
    window->ChooseTab(1);
    state.ResumeTiming();
    window->ChooseTab(0);
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchTabToHero)->Unit(benchmark::kMillisecond);

// From the hero tab to the tab of the page, painted (the vocabulary's first sub-page comes
// from a queued call, handled before the paint).
void BM_SwitchTabToPage(benchmark::State& state) {
  Fixture();
  const int tab = static_cast<int>(state.range(0));
  auto window = OpenWindow(0);
  for (auto _ : state) {
    state.PauseTiming();
    window->ChooseTab(0);
    state.ResumeTiming();
    window->ChooseTab(tab);
    QApplication::sendPostedEvents();
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchTabToPage)->Arg(10)->Arg(11)->Arg(12)->Unit(benchmark::kMillisecond);

void BM_SwitchCommonEvent(benchmark::State& state) {
  Fixture();
  for (int id : {1, 2}) {
    TXelEventScriptList& script = CommonEventList->GetItemById(id)->Script;
    script.Clear();
    for (int k = 0; k < 1000; ++k)
      script.Add(10110, 0)->Text = "Line " + std::to_string(id * 1000 + k);
    script.Add(ScriptEndCode, 0);
  }
  auto window = OpenWindow(12);
  auto* page = dynamic_cast<TFormDataBaseListPage*>(window->CurrentPage());
  if (!page) {
    state.SkipWithError("no common-event page");
    return;
  }
  int row = 0;
  for (auto _ : state) {
    row = 1 - row;
    page->SelectRow(row);
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchCommonEvent)->Unit(benchmark::kMillisecond);

} // namespace

// The database window over a generated database of 5,000 entries in every list: opened on
// "Hero", made, shown and painted the first time (the target is 300 ms), and switching the
// hero bound or the tab, each with its repaint (the target is 30 ms).
#include <benchmark/benchmark.h>

#include <QListView>
#include <QTabBar>
#include <memory>

#include "bench/bench_application.h"
#include "core/database.h"
#include "core/hero_records.h"
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
    page->DataList->setCurrentIndex(HeroModel().index(row, 0));
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchHeroEntry)->Unit(benchmark::kMillisecond);

void BM_SwitchTabToHero(benchmark::State& state) {
  Fixture();
  auto window = OpenWindow(1);
  for (auto _ : state) {
    state.PauseTiming();
    window->TabControl->setCurrentIndex(1);
    state.ResumeTiming();
    window->TabControl->setCurrentIndex(0);
    benchmark::DoNotOptimize(window->grab());
  }
}
BENCHMARK(BM_SwitchTabToHero)->Unit(benchmark::kMillisecond);

} // namespace

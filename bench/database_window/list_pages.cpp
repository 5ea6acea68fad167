// The skill, item and monster pages over a database of 5,000 entries in every table: the
// page made, shown and painted (switching to its tab; target 30 ms each) and a switch
// from one entry to the next with its paint (30 ms).
#include <benchmark/benchmark.h>

#include <QListView>
#include <memory>

#include "bench/bench_application.h"
#include "core/database.h"
#include "core/editor_mode.h"
#include "database/database_page.h"
#include "framework/forms/catalog_model.h"
#include "tests/core/database_generator.h"

namespace {

constexpr int kEntries = 5000;

struct TFixture {
  TFixture() {
    NeedApplication();
    TDataBaseGenerator(2024).Fill(database, kEntries);
    GlobalDataBase = &database;
    CatalogsChanged();
  }
  // As in the editor: the generated graphics' files are missing, which is no error there.
  TApplicationTagScope editorMode{EditorModeTag};
  TXelDataBase database;
};

TFixture& Fixture() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

std::unique_ptr<TFormDataBaseListPage> MakePage(int tab) {
  return CreateRegisteredForm<TFormDataBaseListPage>(TFormGroup::DataBasePage, tab, nullptr);
}

void BM_PageOpened(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    auto page = MakePage(int(state.range(0)));
    page->resize(PageWidth, PageHeight);
    page->show();
    benchmark::DoNotOptimize(page->grab());
  }
}
// Tabs 1 "Skills", 2 "Items", 3 "Monsters".
BENCHMARK(BM_PageOpened)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

void BM_PageSwitchEntry(benchmark::State& state) {
  Fixture();
  auto page = MakePage(int(state.range(0)));
  page->resize(PageWidth, PageHeight);
  page->show();
  int row = 0;
  for (auto _ : state) {
    row = 1 - row;
    page->SelectRow(row);
    benchmark::DoNotOptimize(page->grab());
  }
}
BENCHMARK(BM_PageSwitchEntry)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

} // namespace

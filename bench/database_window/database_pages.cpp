// The attribute, condition, terrain and chipset pages over a generated database of 5,000
// entries a list, offscreen: making each page (what a switch to its tab costs) and
// switching between two entries (the target for both is 30 ms); and on the chipset page a
// click, which redraws one chip, against a mode change, which redraws the whole grid.
#include <benchmark/benchmark.h>

#include <QListView>
#include <QMouseEvent>
#include <memory>

#include "bench/bench_application.h"
#include "core/chipset_page.h"
#include "core/database.h"
#include "core/editor_mode.h"
#include "database/database_page.h"
#include "database/ed_chipset.h"
#include "framework/forms/form_registry.h"
#include "tests/core/database_generator.h"

namespace {

void NeedDatabase() {
  static TApplicationTagScope editorMode(EditorModeTag);
  static TXelDataBase* database = [] {
    auto* made = new TXelDataBase;
    TDataBaseGenerator(2024).Fill(*made, 5000);
    return made;
  }();
  GlobalDataBase = database;
  NeedApplication();
}

std::unique_ptr<TFormDataBaseListPage> MakePage(int tab) {
  auto page = CreateRegisteredForm<TFormDataBaseListPage>(TFormGroup::DataBasePage, tab, nullptr);
  page->resize(PageWidth, PageHeight);
  page->show();
  QApplication::processEvents();
  return page;
}

void BM_MakePage(benchmark::State& state) {
  NeedDatabase();
  for (auto _ : state)
    benchmark::DoNotOptimize(MakePage(int(state.range(0))));
}
BENCHMARK(BM_MakePage)->Arg(5)->Arg(6)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_SwitchEntry(benchmark::State& state) {
  NeedDatabase();
  auto page = MakePage(int(state.range(0)));
  int row = 0;
  for (auto _ : state) {
    row = 1 - row;
    page->SelectRow(row);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SwitchEntry)->Arg(5)->Arg(6)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

TFormEDChipSet& ChipSetPage(std::unique_ptr<TFormDataBaseListPage>& page) {
  page = MakePage(9);
  return dynamic_cast<TFormEDChipSet&>(*page);
}

void BM_ChipClick(benchmark::State& state) {
  NeedDatabase();
  std::unique_ptr<TFormDataBaseListPage> made;
  TFormEDChipSet& page = ChipSetPage(made);
  page.SpeedButtonClick(ctLower, TChipEditMode::Passing);
  const QPointF at(48, 48);
  for (auto _ : state) {
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, {});
    page.PaintBoxMouseDown(ctLower, &press);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ChipClick)->Unit(benchmark::kMicrosecond);

void BM_ChipGridRedraw(benchmark::State& state) {
  NeedDatabase();
  std::unique_ptr<TFormDataBaseListPage> made;
  TFormEDChipSet& page = ChipSetPage(made);
  int mode = 0;
  for (auto _ : state) {
    mode = 1 - mode;
    page.SpeedButtonClick(ctLower, TChipEditMode(mode + 1));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ChipGridRedraw)->Unit(benchmark::kMicrosecond);

} // namespace

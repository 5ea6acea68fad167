// The monster-group page over a generated database whose groups hold ten members each:
// the page made, shown and painted (switching to its tab; target 30 ms), a switch from
// one group to the next with its paint (30 ms), and one drag step of a member with the
// field's repaint (5 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QMouseEvent>
#include <memory>

#include "bench/bench_application.h"
#include "core/database.h"
#include "database/ed_mon_group.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "tests/core/database_generator.h"

namespace {

constexpr int kEntries = 500;

struct TFixture {
  TFixture() {
    NeedApplication();
    TDataBaseGenerator(2024).Fill(database, kEntries);
    GlobalDataBase = &database;
    for (int id = 1; id <= 2; ++id) {
      TXelMonGroupItem* group = database.MonGroups().FindById(id);
      group->Members.Clear();
      for (int i = 0; i < MaxGroupMembers; ++i) {
        TXelMonGroupMonsterItem* member = group->Members.Append();
        member->MonsterId = i + 1;
        member->X = 30 + 28 * i;
        member->Y = 100;
      }
    }
    CatalogsChanged();
  }
  TXelDataBase database;
};

TFixture& Fixture() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

void SelectGroup(TFormEDMonGroup& page, int row) {
  page.SelectRow(row);
}

void BM_MonGroupPageOpened(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    TFormEDMonGroup page;
    page.show();
    benchmark::DoNotOptimize(page.grab());
  }
}
BENCHMARK(BM_MonGroupPageOpened)->Unit(benchmark::kMillisecond);

void BM_MonGroupSwitchBetweenFullGroups(benchmark::State& state) {
  Fixture();
  TFormEDMonGroup page;
  page.show();
  int row = 0;
  for (auto _ : state) {
    row = 1 - row;
    SelectGroup(page, row);
    benchmark::DoNotOptimize(page.grab());
  }
}
BENCHMARK(BM_MonGroupSwitchBetweenFullGroups)->Unit(benchmark::kMillisecond);

void BM_MonGroupDragStep(benchmark::State& state) {
  Fixture();
  TFormEDMonGroup page;
  page.show();
  SelectGroup(page, 0);
  QWidget* field = page.findChild<TScrollFrame*>("MainArea")->viewport();
  const TXelMonGroupMonsterItem* member = MonGroupList->FindById(1)->Members.GetItem(0);
  const QPoint start(member->X, member->Y);
  QMouseEvent press(QEvent::MouseButtonPress, start, field->mapToGlobal(start), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &press);
  int dx = 8;
  for (auto _ : state) {
    dx = -dx;
    const QPoint to = start + QPoint(dx, 0);
    QMouseEvent move(QEvent::MouseMove, to, field->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(field, &move);
    field->repaint();
  }
}
BENCHMARK(BM_MonGroupDragStep)->Unit(benchmark::kMicrosecond);

} // namespace

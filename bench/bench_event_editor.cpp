// Opening the event editor over a generated database of 5,000 entries per catalog: made,
// shown and painted the first time (the target is 20 ms). Beside it in the same run: a
// plain dialog with as many controls, and the two condition combos filled and measured
// from fresh name lists, as the editor did before.
#include <benchmark/benchmark.h>

#include <QDialog>
#include <QGridLayout>
#include <QPushButton>
#include <memory>

#include "bench/bench_application.h"
#include "bench/catalog_names.h"
#include "core/database.h"
#include "core/map.h"
#include "core/map_event.h"
#include "events/command_pieces.h"
#include "events/form_ed_event.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "tests/core/database_generator.h"

namespace {

constexpr int kEntries = 5000;

struct TFixture {
  TFixture() {
    NeedApplication();
    TDataBaseGenerator(2024).Fill(database, kEntries);
    GlobalDataBase = &database;
    CatalogsChanged();
    // A page whose conditions name the last entries of every catalog they show.
    TXelEventCondition& condition = event.Pages.Items(0)->Condition;
    condition.Flags = ecSwitchA | ecSwitchB | ecVariable | ecItem | ecHero;
    condition.SwitchAId = condition.SwitchBId = condition.VariableId = kEntries;
    condition.ItemId = condition.HeroId = kEntries;
  }

  TXelDataBase database;
  TXelMap map{1};
  TXelEventItem event{1};
};

TFixture& Fixture() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

std::unique_ptr<TFormEDEvent> OpenEditor() {
  TFixture& fixture = Fixture();
  auto form = std::make_unique<TFormEDEvent>();
  form->Map = &fixture.map;
  form->EventId = 1;
  form->Event.Assign(fixture.event);
  form->show();
  return form;
}

void BM_EventEditorOverFullCatalogs(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    auto form = OpenEditor();
    // The first paint, as the screen would get it.
    benchmark::DoNotOptimize(form->grab());
  }
}
BENCHMARK(BM_EventEditorOverFullCatalogs)->Unit(benchmark::kMillisecond);

// A plain dialog with as many buttons as the editor has named controls.
void BM_PlainDialogWithAsManyControls(benchmark::State& state) {
  int controls = 0;
  {
    const auto editor = OpenEditor();
    for (QWidget* child : editor->findChildren<QWidget*>())
      controls += !child->objectName().isEmpty();
  }
  state.counters["controls"] = controls;
  for (auto _ : state) {
    QDialog dialog;
    auto* grid = new QGridLayout(&dialog);
    for (int i = 0; i < controls; ++i)
      grid->addWidget(new QPushButton(QStringLiteral("Button"), &dialog), i / 6, i % 6);
    dialog.show();
    benchmark::DoNotOptimize(dialog.grab());
  }
}
BENCHMARK(BM_PlainDialogWithAsManyControls)->Unit(benchmark::kMillisecond);

// The condition combos as they were: fresh name lists, as wide as their widest name.
class TOldConditionCombos : public TFormXelBase {
public:
  TOldConditionCombos() {
    TFormBuilder b(this, "FormOldCombos", "Old Combos", 300, 100);
    TIdChoices items = OffsetChoices(NamesOf(Fixture().database.Items()), 1);
    items.BelowShowsFirst = true;
    IdCombo(b, "ComboBoxAD", items, &item_, 0);
    IdCombo(b, "ComboBoxAE", OffsetChoices(NamesOf(Fixture().database.Players()), 1), &hero_, 0);
  }

private:
  int item_ = kEntries, hero_ = kEntries;
};

void BM_OldConditionCombosAlone(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    TOldConditionCombos form;
    form.show();
    benchmark::DoNotOptimize(form.grab());
  }
}
BENCHMARK(BM_OldConditionCombosAlone)->Unit(benchmark::kMillisecond);

} // namespace

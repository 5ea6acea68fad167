// The combo boxes over database catalogs of 5,000 entries: a form with four of them
// opened over the shared catalog models against the same form filling four fresh name
// lists (how every form filled them before), and switching one combo's model, which must
// cost nothing per entry (the target is 1 ms).
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QStringList>
#include <memory>
#include <string>

#include "bench/bench_application.h"
#include "bench/catalog_names.h"
#include "core/attribute_records.h"
#include "core/database.h"
#include "core/hero_records.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"

namespace {

constexpr int kEntries = 5000;

TXelDataBase& Database() {
  static TXelDataBase* database = [] {
    auto* made = new TXelDataBase;
    for (int id = 1; id <= kEntries; ++id) {
      const std::string number = std::to_string(id);
      made->Items().GetOrCreate(id)->Name = "Item" + number;
      made->Players().GetOrCreate(id)->Name = "Hero" + number;
      made->Skills().GetOrCreate(id)->Name = "Skill" + number;
      made->Statuses().GetOrCreate(id)->Name = "Condition" + number;
    }
    return made;
  }();
  return *database;
}

struct TIds {
  int Item = 1, Hero = 2, Skill = 3, Condition = 4;
};

class TFourCombos : public TFormXelBase {
public:
  explicit TFourCombos(bool models) {
    TFormBuilder b(this, "FormFourCombos", "Four Combos", 300, 200);
    TXelDataBase& db = Database();
    if (models) {
      CatalogCombo(b, "ComboBox1", ItemModel(), &ids_.Item);
      CatalogCombo(b, "ComboBox2", HeroModel(), &ids_.Hero);
      CatalogCombo(b, "ComboBox3", SkillModel(), &ids_.Skill);
      CatalogCombo(b, "ComboBox4", ConditionModel(), &ids_.Condition);
    } else {
      CatalogCombo(b, "ComboBox1", NamesOf(db.Items()), &ids_.Item);
      CatalogCombo(b, "ComboBox2", NamesOf(db.Players()), &ids_.Hero);
      CatalogCombo(b, "ComboBox3", NamesOf(db.Skills()), &ids_.Skill);
      CatalogCombo(b, "ComboBox4", NamesOf(db.Statuses()), &ids_.Condition);
    }
  }

private:
  TIds ids_;
};

void OpenFourCombos(benchmark::State& state, bool models) {
  NeedApplication();
  Database();
  for (auto _ : state) {
    TFourCombos form(models);
    form.show();
    benchmark::DoNotOptimize(form.isVisible());
  }
}

void BM_FourCombosOverFreshNameLists(benchmark::State& state) {
  OpenFourCombos(state, false);
}
BENCHMARK(BM_FourCombosOverFreshNameLists)->Unit(benchmark::kMillisecond);

void BM_FourCombosOverCatalogModels(benchmark::State& state) {
  OpenFourCombos(state, true);
}
BENCHMARK(BM_FourCombosOverCatalogModels)->Unit(benchmark::kMillisecond);

void BM_SwitchingAComboBetweenModels(benchmark::State& state) {
  NeedApplication();
  Database();
  QComboBox combo;
  combo.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo.setMinimumContentsLength(ListComboLength);
  combo.setModelColumn(TCatalogModel::NameColumn);
  bool items = false;
  for (auto _ : state) {
    combo.setModel(items ? &ItemModel() : &HeroModel());
    combo.setModelColumn(TCatalogModel::NameColumn);
    combo.setCurrentIndex(kEntries - 1);
    items = !items;
  }
  benchmark::DoNotOptimize(combo.currentText());
}
BENCHMARK(BM_SwitchingAComboBetweenModels)->Unit(benchmark::kMicrosecond);

} // namespace

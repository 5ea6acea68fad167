// A dialog of 40 bound controls: building and showing it, and filling it from its values
// struct, against the same dialog written with plain Qt calls (no bindings, no guard).
// Targets: under 10 ms to build and show, under 1 ms to fill.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string>

#include "bench/bench_application.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/form_builder.h"

namespace {

struct TValues {
  std::array<int, 24> Numbers{};
  std::array<bool, 8> Flags{};
  std::array<int, 4> Choices{};
  std::array<std::string, 4> Names;
};

const QStringList Choices = {"Normal", "Fast", "Slow", "Still"};

std::string Numbered(const char* kind, int i) {
  return kind + std::to_string(i + 1);
}

// 24 dial edits, 8 check boxes, 4 combo boxes and 4 edits in four groups.
class TFortyForm : public TFormXelBase {
public:
  TFortyForm() {
    TFormBuilder b(this, "FormForty", "Forty", 520, 420);
    b.Row([&] {
      for (int g = 0; g < 4; ++g) {
        b.Group(Numbered("GroupBox", g).c_str(), "Group", [&] {
          b.Grid(2, [&] {
            for (int i = g * 6; i < g * 6 + 6; ++i) {
              b.Label(Numbered("Label", i).c_str(), "Value");
              b.DialEdit(Numbered("DialEdit", i).c_str(), 0, 9999, &v.Numbers[i]);
            }
          });
          for (int i = g * 2; i < g * 2 + 2; ++i)
            b.CheckBox(Numbered("CheckBox", i).c_str(), "Flag", &v.Flags[i]);
          b.ComboBox(Numbered("ComboBox", g).c_str(), Choices, &v.Choices[g]);
          b.Edit(Numbered("Edit", g).c_str(), &v.Names[g]);
        });
      }
    });
    b.Row([&] {
      b.Stretch();
      b.StandardButtons();
    });
  }
  TValues v;
};

// The same controls by hand.
class TPlainFortyForm : public QDialog {
public:
  TPlainFortyForm() {
    auto* root = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    root->addLayout(row);
    for (int g = 0; g < 4; ++g) {
      auto* group = new QGroupBox("Group", this);
      auto* column = new QVBoxLayout(group);
      auto* grid = new QGridLayout();
      column->addLayout(grid);
      for (int i = 0; i < 6; ++i) {
        grid->addWidget(new QLabel("Value", group), i, 0);
        auto* edit = new TDialEdit(group);
        edit->SetMaxValue(9999);
        grid->addWidget(edit, i, 1);
      }
      for (int i = 0; i < 2; ++i)
        column->addWidget(new QCheckBox("Flag", group));
      auto* combo = new QComboBox(group);
      combo->addItems(Choices);
      column->addWidget(combo);
      column->addWidget(new QLineEdit(group));
      row->addWidget(group);
    }
    auto* buttons = new QHBoxLayout();
    root->addLayout(buttons);
    buttons->addStretch();
    for (const char* caption : {"&Ok", "Cancel", "&Help"})
      buttons->addWidget(new QPushButton(caption, this));
    resize(520, 420);
  }
};

template <class Form> void BuildAndShow(benchmark::State& state) {
  NeedApplication();
  for (auto _ : state) {
    Form form;
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.isVisible());
  }
}

void BM_BuildAndShowFortyBoundControls(benchmark::State& state) {
  BuildAndShow<TFortyForm>(state);
}
BENCHMARK(BM_BuildAndShowFortyBoundControls)->Unit(benchmark::kMillisecond);

void BM_BuildAndShowFortyPlainQtControls(benchmark::State& state) {
  BuildAndShow<TPlainFortyForm>(state);
}
BENCHMARK(BM_BuildAndShowFortyPlainQtControls)->Unit(benchmark::kMillisecond);

// Every fill changes every control, between two sets of values.
void BM_FillFortyBoundControls(benchmark::State& state) {
  NeedApplication();
  TFortyForm form;
  form.show();
  QApplication::processEvents();
  std::array<TValues, 2> values;
  for (int i = 0; i < 24; ++i)
    values[1].Numbers[i] = 1000 + i;
  values[1].Flags.fill(true);
  values[1].Choices.fill(2);
  values[1].Names.fill("Village");
  int next = 0;
  for (auto _ : state) {
    form.v = values[next ^= 1];
    form.UpdateControls();
  }
}
BENCHMARK(BM_FillFortyBoundControls)->Unit(benchmark::kMicrosecond);

} // namespace

// The plain edits of the event editor on a 5,000-line script: one command inserted, the
// menu's check of a selection of every line, and a paste of 1,000 lines through the
// battle-command filter. What a round inserts it deletes again, so every round starts
// from the same script; the times include that delete. Then the event editor's whole
// insert: the edit, the display texts and the script list refilled (target 20 ms).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/clipboard_formats.h"
#include "core/event_script_converter.h"
#include "core/event_script_edit.h"
#include "framework/controls/script_list_box.h"

namespace {

// Messages and two-way branches with a message in each body, then the terminator.
void FillScript(TXelEventScriptList& script, int lines) {
  script.Clear();
  while (script.GetCount() + 7 < lines) {
    script.Add(10110, 0, "Some text")->SetParamCount(2);
    script.Add(12010, 0)->SetParamCount(6);
    script.Add(10110, 1, "Yes");
    script.Add(BlockBodyEndCode, 1);
    script.Add(22010, 0);
    script.Add(13110, 1)->SetParamCount(4);
    script.Add(BlockBodyEndCode, 1);
    script.Add(22011, 0);
  }
  while (script.GetCount() + 1 < lines)
    script.Add(10210, 0)->SetParamCount(3);
  script.Add(ScriptEndCode, 0);
}

void BM_InsertCommandInto5000Lines(benchmark::State& state) {
  TXelEventScriptList script, command;
  FillScript(script, 5000);
  command.Add(12210, 0);
  command.Add(BlockBodyEndCode, 1);
  command.Add(22210, 0);
  const TScriptLineRange middle{2496, CommandLastLine(script, 2496)};
  for (auto _ : state) {
    const int added = InsertScriptLines(script, middle, command);
    DeleteScriptLines(script, {middle.First, middle.First + added - 1});
    benchmark::DoNotOptimize(script.GetItem(middle.First));
  }
}
BENCHMARK(BM_InsertCommandInto5000Lines)->Unit(benchmark::kMicrosecond);

void BM_MenuStateForAll5000Lines(benchmark::State& state) {
  TXelEventScriptList script;
  FillScript(script, 5000);
  const TScriptLineRange all = SelectAllLines(script);
  for (auto _ : state)
    benchmark::DoNotOptimize(ScriptMenuState(script, all, true));
}
BENCHMARK(BM_MenuStateForAll5000Lines)->Unit(benchmark::kMicrosecond);

void BM_PasteFiltered1000LinesInto5000(benchmark::State& state) {
  TXelEventScriptList script, source;
  FillScript(script, 5000);
  FillScript(source, 1001);
  const std::vector<uint8_t> block = BuildScriptLinesClip(source, 0, 1000);
  for (auto _ : state) {
    const int added = PasteScriptLines(script, {0, 0}, block, IsBattleOnlyOrEndCode);
    DeleteScriptLines(script, {0, added - 1});
    benchmark::DoNotOptimize(added);
  }
}
BENCHMARK(BM_PasteFiltered1000LinesInto5000)->Unit(benchmark::kMicrosecond);

void BM_InsertAndRefreshThe5000LineList(benchmark::State& state) {
  // The list is a widget: it needs the application object, without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "bench_script_edit";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  TXelEventScriptList script, command;
  FillScript(script, 5000);
  command.Add(11410, 0)->SetParamCount(1);
  const TEventScriptConverter converter;
  TScriptListBox list;
  list.resize(400, 300);
  list.SetScript(script, converter);
  const TScriptLineRange middle{2496, CommandLastLine(script, 2496)};
  for (auto _ : state) {
    const int added = InsertScriptLines(script, middle, command);
    list.SetScript(script, converter);
    list.SetItemIndex(middle.First + added);
    state.PauseTiming();
    DeleteScriptLines(script, {middle.First, middle.First + added - 1});
    list.SetScript(script, converter);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InsertAndRefreshThe5000LineList)->Unit(benchmark::kMillisecond);

} // namespace

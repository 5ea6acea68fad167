// Reads arbitrary bytes as a block of every private clipboard format. Whatever a parser
// or a paste accepts must, copied again, be accepted again, and settle to the same
// bytes by the second round (a value at its save default can read back as the class's
// initial value once, such as a condition's hero 0).

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <algorithm>
#include <cstdlib>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/event_script_edit.h"
#include "core/hero_records.h"
#include "core/map_edit_engine.h"
#include "core/map_region_clip.h"
#include "core/monster_records.h"
#include "fuzz_seeds.h"
#include "tests/core/sample_records.h"

namespace {

template <class Parse, class Build>
void CheckStreamBlock(const Bytes& block, Parse parse, Build build) {
  auto first = parse(block);
  if (!first) return;
  Bytes again = build(*first);
  for (int round = 0; round < 2; ++round) {
    auto next = parse(again);
    if (!next) std::abort();
    Bytes rebuilt = build(*next);
    if (round == 1 && rebuilt != again) std::abort();
    again = std::move(rebuilt);
  }
}

template <class T> void CheckRecordPaste(TMemoryClipboard& clipboard, const Bytes& block) {
  clipboard.SetData(cfListRow, block);
  T first(1);
  if (!first.PasteFromClipboard(cfListRow)) return;
  first.CopyToClipboard(cfListRow);
  T second(1), third(1);
  if (!second.PasteFromClipboard(cfListRow)) std::abort();
  second.CopyToClipboard(cfListRow);
  if (!third.PasteFromClipboard(cfListRow)) std::abort();
  if (SaveBytes(third) != SaveBytes(second)) std::abort();
}

void CheckListPaste(TMemoryClipboard& clipboard, const Bytes& block) {
  clipboard.SetData(cfHero, block);
  TXelPlayer first, second, third;
  const int pasted = first.PasteFromClipboard(cfHero, 0);
  if (pasted == 0) return;
  first.CopyToClipboard(cfHero, 0, pasted);
  if (second.PasteFromClipboard(cfHero, 0) != pasted) std::abort();
  second.CopyToClipboard(cfHero, 0, pasted);
  if (third.PasteFromClipboard(cfHero, 0) != pasted) std::abort();
  if (SaveBytes(third) != SaveBytes(second)) std::abort();
}

// A paste into a loop's empty body, filtered or not, leaves the script well formed.
void CheckScriptPaste(const Bytes& block) {
  for (TScriptLineFilter filter : {TScriptLineFilter{nullptr}, &IsBattleOnlyOrEndCode}) {
    TXelEventScriptList script;
    script.Add(12210, 0);
    script.Add(BlockBodyEndCode, 1);
    script.Add(22210, 0);
    script.Add(ScriptEndCode, 0);
    PasteScriptLines(script, {1, 1}, block, filter);
    if (!IsWellFormedScript(script)) std::abort();
  }
}

Bytes LinesBytes(const TXelEventScriptList& lines) {
  return BuildScriptLinesClip(lines, 0, lines.GetCount());
}

Bytes MapEventBytes(const TMapEventClip& clip) {
  return clip.Event ? BuildEventClip(*clip.Event) : BuildStartMarkClip(clip.Tag);
}

Bytes MapBytes(const TMapTreeMapClip& clip) {
  return BuildMapTreeMapClip(clip.Name, *clip.Map, *clip.Item);
}

// A map block pasted onto a small map across its edges: everything stays inside, and the
// block copied back out is the one pasted.
void CheckMapRegion(const Bytes& block) {
  const auto clip = ParseMapRegionClip(block);
  if (!clip) return;
  TXelMap map;
  TMapEditEngine engine;
  engine.SetMap(&map);
  engine.SetMode(emLowerLayer);
  engine.Paste(*clip, TPoint{-clip->Width / 2, 3});
  engine.MoveSelection(5, -7);
  if (map.LowerLayer.Cells().size() != size_t(map.Width()) * size_t(map.Height())) std::abort();
  const Bytes copied = engine.CopySelection();
  if (copied.size() != 4 + 4 * clip->Lower.size() ||
      !std::equal(copied.begin(), copied.end(), block.begin()))
    std::abort();
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TMemoryClipboard clipboard;
  SetClipboardProvider(&clipboard);
  FuzzSeeds seeds;

  TXelEventItem event(1);
  event.Name = "EV0001";
  event.X = 5;
  TXelEventPageItem* page = event.Pages.GetItem(0);
  page->GraphicName = "Walker";
  page->Script.Clear();
  page->Script.Add(10110, 0, "Hello")->SetParamCount(3);
  page->Script.Add(ScriptEndCode, 0);
  seeds.push_back(BuildEventClip(event));
  seeds.push_back(BuildStartMarkClip(StartMarkShip));
  seeds.push_back(BuildScriptLinesClip(page->Script, 0, 2));
  TXelMoveRouteItem command;
  command.Code = mcChangeGraphic;
  command.GraphicName = "Hero";
  seeds.push_back(BuildMoveCommandClip(command));
  TXelMap map;
  map.SetWidth(2);
  map.SetHeight(2);
  TXelMapTreeItem item(1);
  item.Kind = mkMap;
  seeds.push_back(BuildMapTreeMapClip("MAP0001", map, item));

  page->CopyToClipboard(cfEventPage);
  seeds.push_back(ClipboardBytes(cfEventPage));
  TXelMonsterActItem action(1);
  action.SkillId = 7;
  action.CopyToClipboard(cfListRow);
  seeds.push_back(ClipboardBytes(cfListRow));
  TXelPlayer heroes;
  heroes.Append()->Name = "Mira";
  heroes.Append()->SetParameter(hpAttack, 10, 99);
  heroes.CopyToClipboard(cfHero, 0, 2);
  seeds.push_back(ClipboardBytes(cfHero));

  TXelMapLayer lower(0), upper(10000);
  lower.Resize(3, 2);
  upper.Resize(3, 2);
  lower.SetCell(2, 1, 4046);
  seeds.push_back(BuildMapRegionClip(lower, upper));

  SetClipboardProvider(nullptr);
  return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes block(data, data + size);
  CheckStreamBlock(block, ParseMapEventClip, MapEventBytes);
  CheckStreamBlock(block, ParseScriptLinesClip, LinesBytes);
  CheckScriptPaste(block);
  CheckStreamBlock(block, ParseMoveCommandClip, BuildMoveCommandClip);
  CheckStreamBlock(block, ParseMapTreeMapClip, MapBytes);
  CheckMapRegion(block);

  TMemoryClipboard clipboard;
  SetClipboardProvider(&clipboard);
  CheckRecordPaste<TXelEncountItem>(clipboard, block);
  CheckRecordPaste<TXelMonsterActItem>(clipboard, block);
  CheckRecordPaste<TXelEventPageItem>(clipboard, block);
  CheckRecordPaste<TXelBattleEventPageItem>(clipboard, block);
  CheckListPaste(clipboard, block);
  SetClipboardProvider(nullptr);
  return 0;
}

// Reads arbitrary bytes as a block of one private clipboard format, picked by the first
// byte: the stream blocks, the map region, and the record and list blocks of every
// record the editors paste. Whatever a parser or a paste accepts must, copied again, be
// accepted again, and settle to the same bytes by the second round (a value at its save
// default can read back as the class's initial value once, such as a condition's hero 0).

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <algorithm>
#include <cstdlib>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database.h"
#include "core/event_script_edit.h"
#include "core/hero_records.h"
#include "core/map_edit_engine.h"
#include "core/map_region_clip.h"
#include "core/monster_records.h"
#include "core/switch_records.h"
#include "fuzz_seeds.h"
#include "tests/core/database_generator.h"
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

// The clipboard the record and list checks paste from, set once.
TMemoryClipboard& FuzzClipboard() {
  static TMemoryClipboard clipboard;
  SetClipboardProvider(&clipboard);
  return clipboard;
}

template <class T, uint32_t Format> void CheckRecordPaste(const Bytes& block) {
  FuzzClipboard().SetData(Format, block);
  T first(1);
  if (!first.PasteFromClipboard(Format)) return;
  first.CopyToClipboard(Format);
  T second(1), third(1);
  if (!second.PasteFromClipboard(Format)) std::abort();
  second.CopyToClipboard(Format);
  if (!third.PasteFromClipboard(Format)) std::abort();
  if (SaveBytes(third) != SaveBytes(second)) std::abort();
}

// A database table pasted over its first entries, as Paste and Multi Paste do.
template <class List, uint32_t Format> void CheckListPaste(const Bytes& block) {
  FuzzClipboard().SetData(Format, block);
  List first, second, third;
  const int pasted = first.PasteFromClipboard(Format, 0);
  if (pasted == 0) return;
  first.CopyToClipboard(Format, 0, pasted);
  if (second.PasteFromClipboard(Format, 0) != pasted) std::abort();
  second.CopyToClipboard(Format, 0, pasted);
  if (third.PasteFromClipboard(Format, 0) != pasted) std::abort();
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

void CheckMapEventBlock(const Bytes& block) {
  CheckStreamBlock(block, ParseMapEventClip, MapEventBytes);
}
void CheckScriptLinesBlock(const Bytes& block) {
  CheckStreamBlock(block, ParseScriptLinesClip, LinesBytes);
  CheckScriptPaste(block);
}
void CheckMoveCommandBlock(const Bytes& block) {
  CheckStreamBlock(block, ParseMoveCommandClip, BuildMoveCommandClip);
}
void CheckMapTreeMapBlock(const Bytes& block) {
  CheckStreamBlock(block, ParseMapTreeMapClip, MapBytes);
}

// One check per format (569 has two record classes); a seed's first byte is its index.
using TBlockCheck = void (*)(const Bytes& block);
constexpr TBlockCheck kChecks[] = {
    CheckMapRegion,
    CheckMapEventBlock,
    CheckRecordPaste<TXelEventPageItem, cfEventPage>,
    CheckRecordPaste<TXelBattleEventPageItem, cfBattleEventPage>,
    CheckScriptLinesBlock,
    CheckMoveCommandBlock,
    CheckMapTreeMapBlock,
    CheckRecordPaste<TXelEncountItem, cfListRow>,
    CheckRecordPaste<TXelMonsterActItem, cfListRow>,
    CheckRecordPaste<TXelAnimationTimingItem, cfAnimationTiming>,
    CheckRecordPaste<TXelAnimationPatternItem, cfAnimationFrame>,
    CheckRecordPaste<TXelAnimationCellItem, cfAnimationCell>,
    CheckListPaste<TXelPlayer, cfHero>,
    CheckListPaste<TXelSkill, cfSkill>,
    CheckListPaste<TXelItem, cfItem>,
    CheckListPaste<TXelMonster, cfMonster>,
    CheckListPaste<TXelMonGroup, cfMonGroup>,
    CheckListPaste<TXelGround, cfTerrain>,
    CheckListPaste<TXelAttrib, cfAttribute>,
    CheckListPaste<TXelStatus, cfCondition>,
    CheckListPaste<TXelAnimation, cfAnimation>,
    CheckListPaste<TXelChipSet, cfChipSet>,
    CheckListPaste<TXelCommonEvent, cfCommonEvent>,
};

Bytes Picked(size_t check, const Bytes& block) {
  Bytes seed = {static_cast<uint8_t>(check)};
  seed.insert(seed.end(), block.begin(), block.end());
  return seed;
}

// A Copy of entry Index and a Multi Copy of Count entries from Index of a table.
template <class List>
void AddTableSeeds(FuzzSeeds& seeds, size_t check, const List& list, uint32_t format, int index,
                   int count) {
  list.Items(index)->CopyToClipboard(format);
  seeds.push_back(Picked(check, ClipboardBytes(format)));
  list.CopyToClipboard(format, index, count);
  seeds.push_back(Picked(check, ClipboardBytes(format)));
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  FuzzClipboard();
  FuzzSeeds seeds;

  TXelMapLayer lower(0), upper(10000);
  lower.Resize(3, 2);
  upper.Resize(3, 2);
  lower.SetCell(2, 1, 4046);
  seeds.push_back(Picked(0, BuildMapRegionClip(lower, upper)));
  TXelEventItem event(1);
  event.Name = "EV0001";
  event.X = 5;
  TXelEventPageItem* page = event.Pages.GetItem(0);
  page->GraphicName = "Walker";
  page->Script.Clear();
  page->Script.Add(10110, 0, "Hello")->SetParamCount(3);
  page->Script.Add(ScriptEndCode, 0);
  seeds.push_back(Picked(1, BuildEventClip(event)));
  seeds.push_back(Picked(1, BuildStartMarkClip(StartMarkShip)));
  page->CopyToClipboard(cfEventPage);
  seeds.push_back(Picked(2, ClipboardBytes(cfEventPage)));
  seeds.push_back(Picked(4, BuildScriptLinesClip(page->Script, 0, 2)));
  TXelMoveRouteItem command;
  command.Code = mcChangeGraphic;
  command.GraphicName = "Hero";
  seeds.push_back(Picked(5, BuildMoveCommandClip(command)));
  TXelMap map;
  map.SetWidth(2);
  map.SetHeight(2);
  TXelMapTreeItem item(1);
  item.Kind = mkMap;
  seeds.push_back(Picked(6, BuildMapTreeMapClip("MAP0001", map, item)));
  TXelEncountItem row(1);
  row.MonGroupId = 7;
  row.CopyToClipboard(cfListRow);
  seeds.push_back(Picked(7, ClipboardBytes(cfListRow)));
  TXelMonsterActItem action(1);
  action.SkillId = 7;
  action.CopyToClipboard(cfListRow);
  seeds.push_back(Picked(8, ClipboardBytes(cfListRow)));

  // Realistic records of every database table, from a generated database.
  TXelDataBase db;
  TDataBaseGenerator(11).Fill(db, 4);
  db.MonGroups().Items(1)->BattlePages.GetItem(1)->CopyToClipboard(cfBattleEventPage);
  seeds.push_back(Picked(3, ClipboardBytes(cfBattleEventPage)));
  const TXelAnimationItem& animation = *db.Animations().Items(0);
  animation.Timings.GetItem(2)->CopyToClipboard(cfAnimationTiming);
  seeds.push_back(Picked(9, ClipboardBytes(cfAnimationTiming)));
  animation.Frames().GetItem(4)->CopyToClipboard(cfAnimationFrame);
  seeds.push_back(Picked(10, ClipboardBytes(cfAnimationFrame)));
  animation.Frames().GetItem(4)->Cells.GetItem(3)->CopyToClipboard(cfAnimationCell);
  seeds.push_back(Picked(11, ClipboardBytes(cfAnimationCell)));
  AddTableSeeds(seeds, 12, db.Players(), cfHero, 0, 2);
  AddTableSeeds(seeds, 13, db.Skills(), cfSkill, 1, 3);
  AddTableSeeds(seeds, 14, db.Items(), cfItem, 0, 3);
  AddTableSeeds(seeds, 15, db.Monsters(), cfMonster, 2, 2);
  AddTableSeeds(seeds, 16, db.MonGroups(), cfMonGroup, 0, 2);
  AddTableSeeds(seeds, 17, db.Grounds(), cfTerrain, 1, 3);
  AddTableSeeds(seeds, 18, db.Attribs(), cfAttribute, 0, 4);
  AddTableSeeds(seeds, 19, db.Statuses(), cfCondition, 3, 2);
  AddTableSeeds(seeds, 20, db.Animations(), cfAnimation, 0, 1);
  AddTableSeeds(seeds, 21, db.ChipSets(), cfChipSet, 0, 1);
  AddTableSeeds(seeds, 22, db.CommonEvents(), cfCommonEvent, 1, 2);
  return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  kChecks[data[0] % std::size(kChecks)](Bytes(data + 1, data + size));
  return 0;
}

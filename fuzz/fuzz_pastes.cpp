// Pastes arbitrary clipboard blocks the way the editor does: a map event (format 563)
// onto a cell of a map, a move command (567) into a route, and script lines (566) split
// into a block command's sections and written back as its dialog does. The first byte
// picks the paste, the next two the cell or line; the rest is the block as it stands on
// the clipboard.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <cstdlib>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/command_block.h"
#include "core/editor_mode.h"
#include "core/event_cell_ops.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/move_route_edit.h"
#include "fuzz_seeds.h"
#include "fuzz_world.h"
#include "tests/core/image_bytes.h"
#include "tests/core/sample_records.h"

namespace {

// Made once: a paste that lands is undone again, so every input meets the same map. The
// project holds one character set, which a pasted event's pages may name.
struct TPasteWorld {
  TFuzzWorld& files = TFuzzWorld::Get();
  TApplicationTagScope editor{EditorModeTag};
  TMemoryClipboard clipboard;
  TXelMapTree tree;
  TXelMap map{3};
  TEventCellOperations ops;
  TPasteWorld() {
    files.Mkdir("proj/CharSet");
    const ImageBytes png = SimplePng(24, 32, 2, {}, FilterRows(PatternRows(24, 32, 3, 5), 3, {0}));
    files.Put("proj/CharSet/Walker.png", png.data(), png.size());
    SetClipboardProvider(&clipboard);
    ops.SetMap(&tree, &map);
    map.Events.GetOrCreate(1)->X = 2; // an occupied cell at (2, 0)
  }
};

TPasteWorld& World() {
  static TPasteWorld world;
  return world;
}

// Everything the editor shows of a cell's event comes back out of a copy unchanged, and
// the cell is empty again after a delete.
void CheckMapEventPaste(int x, int y, const Bytes& block) {
  TPasteWorld& w = World();
  w.clipboard.SetData(cfMapEvent, block);
  const int before = w.map.Events.GetCount();
  if (!w.ops.PasteAt(x, y)) {
    if (w.map.Events.GetCount() != before) std::abort();
    return;
  }
  const int32_t found = w.ops.FindAt(x, y);
  const auto clip = ParseMapEventClip(block);
  if (!clip || found == 0) std::abort();
  if (clip->Tag == 0) {
    const TXelEventItem* event = w.map.Events.GetItemById(found);
    if (!event || found > MaxMapEventId || event->X != x || event->Y != y ||
        w.map.Events.GetCount() != before + 1)
      std::abort();
    if (!w.ops.CopyAt(x, y) || !ParseMapEventClip(ClipboardBytes(cfMapEvent))) std::abort();
  } else if (found != clip->Tag) {
    std::abort();
  }
  if (!w.ops.DeleteAt(x, y) || w.map.Events.GetCount() != before) std::abort();
}

// The route never passes 200 commands, and a pasted command copies out as a block that
// reads back to the same bytes. Line picks the route's length (a few commands, or close
// to full) and the selected line.
void CheckMoveCommandPaste(int line, const Bytes& block) {
  TXelMoveRoute route;
  const int count = line < 250 ? line % 4 : MaxMoveCommands - (line - 250);
  for (int i = 0; i < count; ++i)
    route.Add(std::make_unique<TXelMoveRouteItem>());
  const int selected = line % (count + 1);
  if (!PasteMoveCommand(route, selected, block)) {
    if (route.GetCount() != count) std::abort();
    return;
  }
  if (route.GetCount() != count + 1 || route.GetCount() > MaxMoveCommands) std::abort();
  const Bytes copied = CopyMoveCommand(route, selected);
  const auto command = ParseMoveCommandClip(copied);
  if (!command || BuildMoveCommandClip(*command) != copied) std::abort();
}

// Split and written back branch by branch, a block keeps every line: each section's
// leader, then its body one level deeper (an empty body becomes one end line).
void CheckCommandBlock(const Bytes& block) {
  const auto lines = ParseScriptLinesClip(block);
  if (!lines) return;
  const std::vector<TBlockSection> sections = SplitCommandBlock(*lines);
  int total = 0;
  for (const TBlockSection& section : sections)
    total += 1 + section.Body.GetCount();
  if (total != lines->GetCount()) std::abort();
  TXelEventScriptList rebuilt;
  std::vector<TBlockBranch> branches;
  for (size_t i = 0; i + 1 < sections.size(); ++i) {
    const auto kept = KeepBlockBody(sections, sections[i].Line.Code);
    if (kept && kept->GetCount() == 0) std::abort();
    branches.push_back({sections[i].Line.Code, FindBlockBody(sections, sections[i].Line.Code)});
  }
  AppendBlockBranches(rebuilt, branches, sections.empty() ? 10 : sections.back().Line.Code);
  int expected = 1;
  for (const TBlockBranch& branch : branches)
    expected += 1 + (branch.Body && branch.Body->GetCount() > 0 ? branch.Body->GetCount() : 1);
  if (rebuilt.GetCount() != expected) std::abort();
  for (int i = 0; i < rebuilt.GetCount(); ++i)
    if (rebuilt.GetItem(i)->Indent < 0) std::abort();
}

Bytes WithHead(uint8_t check, uint8_t a, uint8_t b, const Bytes& block) {
  Bytes seed = {check, a, b};
  seed.insert(seed.end(), block.begin(), block.end());
  return seed;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TXelEventItem event(7);
  event.Name = "EV0007";
  TXelEventPageItem* page = event.Pages.GetItem(0);
  page->GraphicName = "Walker";
  page->Script.Clear();
  page->Script.Add(10110, 0, "Hello")->SetParamCount(3);
  page->Script.Add(ScriptEndCode, 0);
  for (int i = 0; i < 3; ++i)
    event.Pages.Append()->MoveRoute.Add(std::make_unique<TXelMoveRouteItem>());

  TXelMoveRouteItem change;
  change.Code = mcChangeGraphic;
  change.GraphicName = "Hero";
  change.GraphicIndex = 3;
  TXelMoveRouteItem sound;
  sound.Code = mcPlaySound;
  sound.SoundName = "Knock";

  // A choice with three cases, one of them holding a nested branch, and its end.
  TXelEventScriptList choice;
  choice.Add(10140, 0, "Yes/No/Maybe");
  for (int k = 0; k < 3; ++k) {
    choice.Add(20140, 0, "case");
    if (k == 1) {
      choice.Add(12010, 1);
      choice.Add(10110, 2, "inner");
      choice.Add(10, 2);
      choice.Add(22011, 1);
    }
    choice.Add(10, 1);
  }
  choice.Add(20141, 0);
  TXelEventScriptList flat;
  for (int i = 0; i < 300; ++i)
    flat.Add(10110, i % 4, "line " + std::to_string(i));

  return {WithHead(0, 5, 5, BuildEventClip(event)),
          WithHead(0, 2, 0, BuildEventClip(event)),
          WithHead(0, 9, 9, BuildStartMarkClip(StartMarkAirship)),
          WithHead(1, 0, 0, BuildMoveCommandClip(change)),
          WithHead(1, 3, 0, BuildMoveCommandClip(sound)),
          WithHead(1, 251, 0, BuildMoveCommandClip(sound)),
          WithHead(2, 0, 0, BuildScriptLinesClip(choice, 0, choice.GetCount())),
          WithHead(2, 0, 0, BuildScriptLinesClip(flat, 0, flat.GetCount()))};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const Bytes block(data + 3, data + size);
  switch (data[0] % 3) {
  case 0:
    CheckMapEventPaste(data[1] % 20, data[2] % 15, block);
    break;
  case 1:
    CheckMoveCommandPaste(data[1], block);
    break;
  default:
    CheckCommandBlock(block);
  }
  return 0;
}

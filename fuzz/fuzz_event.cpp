// Loads a map's event list, an event page, a script line stream or a move-command stream
// (the first byte picks which) from arbitrary bytes; whatever loads must save and reload
// to the same bytes, and script bytes kept unparsed must save as their parse does.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <cstdlib>

#include "core/errors.h"
#include "core/map_event.h"
#include "fuzz_seeds.h"
#include "tests/core/sample_records.h"

namespace {

// A condition's HeroId of 0 is its save default and so is left out, and a missing
// HeroId reads as 1: the one value that changes on its first save. Take it as the
// reload would before comparing.
void SettleHeroIds(TXelEventPageItem& page) {
  if (page.Condition.HeroId == 0) page.Condition.HeroId = 1;
}

void SettleHeroIds(TXelEvent& events) {
  for (int i = 0; i < events.GetCount(); ++i) {
    TXelEventPage& pages = events.Items(i)->Pages;
    for (int k = 0; k < pages.GetCount(); ++k)
      SettleHeroIds(*pages.Items(k));
  }
}

template <class Make> void CheckRecordRoundTrip(const uint8_t* data, size_t size, Make make) {
  auto first = make();
  TMemoryStream in(data, size);
  try {
    first->LoadFromStream(in);
  } catch (const EReadError&) {
    return;
  }
  SettleHeroIds(*first);
  const auto saved = SaveBytes(*first);
  auto second = make();
  LoadBytes(*second, saved);
  if (SaveBytes(*second) != saved) std::abort();
}

Bytes ScriptBytes(const TXelEventScriptList& list) {
  TMemoryStream s;
  list.SaveToStream(s);
  return s.Bytes();
}

void CheckScriptRoundTrip(const uint8_t* data, size_t size) {
  // Bytes taken to be parsed later must parse, and save as a parse and a save would.
  TXelEventScriptList kept;
  Bytes raw(data, data + size);
  const bool taken = kept.KeepSavedBytes(raw);
  TXelEventScriptList first;
  TMemoryStream in(data, size);
  try {
    first.LoadFromStream(in);
  } catch (const EReadError&) {
    if (taken) std::abort();
    return;
  }
  const auto saved = ScriptBytes(first);
  if (taken && ScriptBytes(kept) != saved) std::abort();
  if (taken && (kept.GetCount() != first.GetCount() || ScriptBytes(kept) != saved)) std::abort();
  TXelEventScriptList second;
  LoadBytes(second, saved);
  if (ScriptBytes(second) != saved) std::abort();
}

void CheckCommandRoundTrip(const uint8_t* data, size_t size) {
  TXelMoveRoute first;
  try {
    first.SetCommandData(data, size);
  } catch (const EReadError&) {
    return;
  }
  Bytes saved, again;
  first.GetCommandData(saved);
  TXelMoveRoute second;
  second.SetCommandData(saved.data(), saved.size());
  second.GetCommandData(again);
  if (again != saved) std::abort();
}

void FillSeedEvents(TXelEvent& events) {
  TXelEventItem* ev = events.GetOrCreate(3);
  ev->Name = "EV0003";
  ev->X = 4;
  ev->Y = 130;
  TXelEventPageItem* page = ev->Pages.Append();
  page->Condition.Flags = ecVariable | ecHero;
  page->Condition.VariableValue = -5;
  page->GraphicName = "Walker";
  TXelEventScriptList lines;
  TXelEventScriptLine* say = lines.Add(10110, 0, "Hello");
  say->SetParamCount(2);
  say->SetParam(1, -1);
  lines.Add(10, 1);
  page->Script.InsertLines(0, lines, 0);
  auto se = std::make_unique<TXelMoveRouteItem>();
  se->Code = mcPlaySound;
  se->SoundName = "Knock";
  se->Volume = 90;
  page->MoveRoute.Add(std::move(se));
  auto on = std::make_unique<TXelMoveRouteItem>();
  on->Code = mcSwitchOn;
  on->SwitchId = 300;
  page->MoveRoute.Add(std::move(on));
  events.GetOrCreate(5000);
}

// The first byte picks the reader, so every run stays cheap: the map's event list, an
// event page, a script line stream or a move-command stream.
Bytes Picked(uint8_t reader, const Bytes& bytes) {
  Bytes seed = {reader};
  seed.insert(seed.end(), bytes.begin(), bytes.end());
  return seed;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TXelEvent events;
  FillSeedEvents(events);
  const TXelEventPageItem& page = *events.Items(0)->Pages.Items(1);
  Bytes commands;
  page.MoveRoute.GetCommandData(commands);
  return {Picked(0, SaveBytes(events)), Picked(1, SaveBytes(page)),
          Picked(2, ScriptBytes(page.Script)), Picked(3, commands), Picked(0, {0x00})};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t* bytes = data + 1;
  const size_t length = size - 1;
  switch (data[0] % 4) {
  case 0:
    CheckRecordRoundTrip(bytes, length, [] { return std::make_unique<TXelEvent>(); });
    break;
  case 1:
    CheckRecordRoundTrip(bytes, length, [] { return std::make_unique<TXelEventPageItem>(1); });
    break;
  case 2:
    CheckScriptRoundTrip(bytes, length);
    break;
  default:
    CheckCommandRoundTrip(bytes, length);
  }
  return 0;
}

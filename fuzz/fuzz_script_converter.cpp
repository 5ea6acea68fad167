// Converts every line of an arbitrary script blob to its display text, with and without
// a map, a map tree and a monster group. Every text must start with the line's
// indentation and then "<>" or ":", which the script list reads its blocks from.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "core/event_script.h"
#include "core/hero_records.h"
#include "core/stream.h"
#include "core/switch_records.h"
#include "fuzz_seeds.h"
#include "tests/core/converter_scene.h"

namespace {

struct TScene : TConverterScene {
  TScene() {
    database.Switches().GetOrCreate(1)->Name = "Gate";
    database.Players().GetOrCreate(1)->Name = "Alex";
    tree.GetOrCreate(1)->Name = "World";
    map.Events.GetOrCreate(1)->Name = "EV0001";
    map.Events.GetOrCreate(4)->Name = "Door";
    group.Members.Append()->MonsterId = 1;
    group.Members.Append()->MonsterId = 50;
    converter.EventId = 4;
    converter.Event = map.Events.FindById(4);
  }
};

void CheckText(const TXelEventScriptLine& line, const std::string& text) {
  const size_t blanks = 2 * static_cast<size_t>(std::clamp(line.Indent, 0, MaxShownIndent));
  const std::string_view rest = std::string_view(text).substr(std::min(blanks, text.size()));
  if (text.find_first_not_of(' ') != blanks) std::abort();
  if (!rest.starts_with("<>") && !rest.starts_with(":")) std::abort();
}

std::vector<uint8_t> ScriptBytes(const TXelEventScriptList& script) {
  TMemoryStream stream;
  script.SaveToStream(stream);
  return stream.Bytes();
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  // Every command with a few parameters, a text and a move route.
  TXelEventScriptList all;
  for (int32_t code = 10110; code <= 13410; code += 10) {
    TXelEventScriptLine* line = all.Add(code, code % 3, "Text");
    line->SetParamCount(6);
    for (int i = 0; i < 6; ++i)
      line->SetParam(i, (code / 10 + i) % 4);
  }
  TXelEventScriptLine* route = all.Add(11330, 1);
  for (int32_t param : {1, 0, 0, 0, 0, 32, 12, 35, 1, int('a'), 100, 100, 50, 11})
    route->Params.push_back(param);
  all.Add(20140, 1, "Yes")->SetParamCount(1);
  all.Add(10, 2);
  all.Add(0, 0);
  TXelEventScriptList deep;
  deep.Add(10220, MaxShownIndent + 1)->SetParamCount(7);
  return {ScriptBytes(all), ScriptBytes(deep), {0x00, 0x00, 0x00, 0x00}};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScene scene;
  static const TEventScriptConverter bare;
  TXelEventScriptList script;
  TMemoryStream stream(data, size);
  try {
    script.LoadFromStream(stream);
  } catch (const EReadError&) {
    // The lines before the cut one are converted all the same.
  }
  for (int k = 0; k < script.GetCount(); ++k) {
    const TXelEventScriptLine& line = *script.GetItem(k);
    CheckText(line, scene.converter.Convert(line));
    CheckText(line, bare.Convert(line));
  }
  return 0;
}

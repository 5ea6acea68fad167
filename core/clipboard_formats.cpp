#include "core/clipboard_formats.h"

#include "core/clipboard.h"
#include "core/errors.h"
#include "core/event_script.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/map_tree.h"
#include "core/move_route.h"
#include "core/stream.h"
#include "core/var_int.h"

namespace {

bool IsStartMark(uint32_t tag) {
  return tag >= StartMarkParty && tag <= StartMarkAirship;
}

// Reads the stream of a block with Parse, which gets a stream over exactly the payload
// and gives its result or nothing. Nothing as well when the payload is not used up or a
// read fails on the way.
template <class Result>
std::optional<Result> ParseStreamBlock(const std::vector<uint8_t>& block,
                                       std::optional<Result> (*parse)(TStream&)) {
  auto payload = ParseClipboardStream(block);
  if (!payload) return std::nullopt;
  TMemoryStream stream(std::move(*payload));
  try {
    std::optional<Result> result = parse(stream);
    if (result && stream.Remaining() == 0) return result;
  } catch (const Exception&) {
  }
  return std::nullopt;
}

// A record of T read with the clipboard's checks, or nothing.
template <class T, class... Args> std::unique_ptr<T> ReadRecord(TStream& stream, Args... args) {
  auto cleared = std::make_unique<T>(args...);
  const TClipboardRecordReader reader(*cleared);
  auto record = std::make_unique<T>(args...);
  if (!reader.Read(stream, *record)) return nullptr;
  return record;
}

std::optional<TMapEventClip> ReadMapEvent(TStream& stream) {
  const uint32_t tag = ReadVarInt(stream);
  TMapEventClip clip;
  clip.Tag = static_cast<int32_t>(tag);
  if (IsStartMark(tag)) return clip;
  if (tag != 0) return std::nullopt;
  clip.Event = ReadRecord<TXelEventItem>(stream, 0);
  if (!clip.Event) return std::nullopt;
  return clip;
}

std::optional<std::unique_ptr<TXelEventScriptList>> ReadScriptLines(TStream& stream) {
  auto lines = std::make_unique<TXelEventScriptList>();
  lines->LoadFromStream(stream);
  // Nothing to insert, or a depth no script has: not lines the editor copied.
  if (lines->GetCount() == 0) return std::nullopt;
  for (int k = 0; k < lines->GetCount(); ++k)
    if (lines->GetItem(k)->Indent < 0) return std::nullopt;
  return lines;
}

std::optional<TXelMoveRouteItem> ReadMoveCommand(TStream& stream) {
  TXelMoveRouteItem command;
  command.LoadFromStream(stream);
  // Only codes that have a name are move commands.
  std::string name;
  MoveCommandName(command.Code, name);
  if (name.empty()) return std::nullopt;
  return command;
}

std::optional<TMapTreeMapClip> ReadMapTreeMap(TStream& stream) {
  TMapTreeMapClip clip;
  clip.Name = ReadVarString(stream);
  clip.Map = ReadRecord<TXelMap>(stream, 0);
  if (!clip.Map) return std::nullopt;
  clip.Item = ReadRecord<TXelMapTreeItem>(stream, 0);
  if (!clip.Item) return std::nullopt;
  return clip;
}

} // namespace

std::vector<uint8_t> BuildEventClip(const TXelEventItem& event) {
  TMemoryStream stream;
  WriteVarInt(stream, 0);
  event.SaveToStream(stream);
  return MakeClipboardStream(stream.Bytes());
}

std::vector<uint8_t> BuildStartMarkClip(int32_t tag) {
  XelAssert(IsStartMark(static_cast<uint32_t>(tag)), "not a start mark", "clipboard_formats",
            __LINE__);
  TMemoryStream stream;
  WriteVarInt(stream, tag);
  return MakeClipboardStream(stream.Bytes());
}

std::optional<TMapEventClip> ParseMapEventClip(const std::vector<uint8_t>& block) {
  return ParseStreamBlock<TMapEventClip>(block, ReadMapEvent);
}

std::vector<uint8_t> BuildScriptLinesClip(const TXelEventScriptList& script, int first, int count) {
  TMemoryStream stream;
  for (int k = 0; k < count; ++k)
    if (const TXelEventScriptLine* line = script.GetItem(first + k)) line->SaveToStream(stream);
  return MakeClipboardStream(stream.Bytes());
}

std::unique_ptr<TXelEventScriptList> ParseScriptLinesClip(const std::vector<uint8_t>& block) {
  auto lines = ParseStreamBlock<std::unique_ptr<TXelEventScriptList>>(block, ReadScriptLines);
  return lines ? std::move(*lines) : nullptr;
}

std::vector<uint8_t> BuildMoveCommandClip(const TXelMoveRouteItem& command) {
  TMemoryStream stream;
  command.SaveToStream(stream);
  return MakeClipboardStream(stream.Bytes());
}

std::optional<TXelMoveRouteItem> ParseMoveCommandClip(const std::vector<uint8_t>& block) {
  return ParseStreamBlock<TXelMoveRouteItem>(block, ReadMoveCommand);
}

std::vector<uint8_t> BuildMapTreeMapClip(const std::string& name, const TXelMap& map,
                                         const TXelMapTreeItem& item) {
  TMemoryStream stream;
  WriteVarString(stream, name);
  map.SaveToStream(stream);
  item.SaveToStream(stream);
  return MakeClipboardStream(stream.Bytes());
}

std::optional<TMapTreeMapClip> ParseMapTreeMapClip(const std::vector<uint8_t>& block) {
  return ParseStreamBlock<TMapTreeMapClip>(block, ReadMapTreeMap);
}

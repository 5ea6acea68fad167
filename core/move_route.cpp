#include "core/move_route.h"

#include <algorithm>
#include <array>

#include "core/stream.h"
#include "core/var_int.h"

namespace {

// Indexed by move code; the texts are the editor's own, blanks and spellings included.
constexpr std::array<const char*, 42> MoveCommandNames = {
    "Up",                  // 0
    "Right",               // 1
    "Down",                // 2
    "Left",                // 3
    "Right/Up",            // 4
    "Right/Down",          // 5
    "Left/Down",           // 6
    "Left/Up",             // 7
    "Random Walk",         // 8
    "WalkTowards Hero",    // 9
    "Walk Away from Hero", // 10
    "WalkForward ",        // 11
    "Face Up",             // 12
    "Face Right",          // 13
    "Face Down",           // 14
    "Face Left",           // 15
    "Turn Right",          // 16
    "Turn Left",           // 17
    "Turn Oposite Dir",    // 18
    "Right/Left Turn",     // 19
    "Random Direction",    // 20
    "Face Hero",           // 21
    "Face Away from Hero", // 22
    "Wait",                // 23
    "Start Jump",          // 24
    "End Jump",            // 25
    "Fix Dir.",            // 26
    "Cancel Fix Dir.",     // 27
    "Move Speed Up",       // 28
    "Move Speed Down",     // 29
    "Move Freq. Up",       // 30
    "Move Freq. Down",     // 31
    "Switch ON",           // 32
    "Switch OFF",          // 33
    "Change Graphic",      // 34
    "Play SE",             // 35
    "StartSlipThrough",    // 36
    "StopSlipThrough",     // 37
    "Stop Anim.",          // 38
    "Resume Anim.",        // 39
    "TranslucencyUp",      // 40
    "TranslucencyDown",    // 41
};

int32_t ReadInt(TStream& stream) {
  return static_cast<int32_t>(ReadVarInt(stream));
}

} // namespace

void MoveCommandName(int32_t code, std::string& text) {
  if (code >= 0 && code < static_cast<int32_t>(MoveCommandNames.size()))
    text = MoveCommandNames[static_cast<size_t>(code)];
}

void TXelMoveRouteItem::LoadFromStream(TStream& stream) {
  Clear();
  Code = ReadInt(stream);
  switch (Code) {
  case mcSwitchOn:
  case mcSwitchOff:
    SwitchId = ReadInt(stream);
    break;
  case mcChangeGraphic:
    GraphicName = ReadVarString(stream);
    GraphicIndex = ReadInt(stream);
    break;
  case mcPlaySound:
    SoundName = ReadVarString(stream);
    Volume = ReadInt(stream);
    Tempo = ReadInt(stream);
    Balance = ReadInt(stream);
    break;
  default:
    break;
  }
}

void TXelMoveRouteItem::SaveToStream(TStream& stream) const {
  WriteVarInt(stream, Code);
  switch (Code) {
  case mcSwitchOn:
  case mcSwitchOff:
    WriteVarInt(stream, SwitchId);
    break;
  case mcChangeGraphic:
    WriteVarString(stream, GraphicName);
    WriteVarInt(stream, GraphicIndex);
    break;
  case mcPlaySound:
    WriteVarString(stream, SoundName);
    WriteVarInt(stream, Volume);
    WriteVarInt(stream, Tempo);
    WriteVarInt(stream, Balance);
    break;
  default:
    break;
  }
}

void TXelMoveRoute::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 11: d.Int(&CommandSize, 0); break;
    case 12: d.Blob(&CommandData, CommandSize); break;
    case 21: d.Bool(&Repeat, true); break;
    case 22: d.Bool(&Skippable, false); break;
    default: break;
  }
  // clang-format on
}

void TXelMoveRoute::Clear() {
  ClearFields<TXelMoveRoute>();
  CommandData.clear();
  // Kept aside, not freed, for the commands parsed next: a page's Clear before its load
  // comes here too.
  for (auto it = commands_.rbegin(); it != commands_.rend(); ++it)
    spare_.push_back(std::move(*it));
  commands_.clear();
}

void TXelMoveRoute::LoadFromStream(TStream& stream) {
  TCatalogBaseItem::LoadFromStream(stream);
  ParseCommands();
}

void TXelMoveRoute::SaveToStream(TStream& stream) const {
  BuildCommands();
  TCatalogBaseItem::SaveToStream(stream);
}

void TXelMoveRoute::ParseCommands() {
  // The bytes are lent to the stream and taken back, not copied; the commands held are
  // filled again where they stand, so a reload allocates nothing.
  TMemoryStream bytes(std::move(CommandData));
  size_t parsed = 0;
  try {
    while (bytes.Remaining() > 0) {
      if (parsed == commands_.size()) {
        if (spare_.empty()) {
          commands_.push_back(std::make_unique<TXelMoveRouteItem>());
        } else {
          commands_.push_back(std::move(spare_.back()));
          spare_.pop_back();
        }
      }
      commands_[parsed]->LoadFromStream(bytes);
      ++parsed;
    }
  } catch (...) {
    commands_.resize(parsed);
    CommandData = bytes.TakeBytes();
    throw;
  }
  commands_.resize(parsed);
  CommandData = bytes.TakeBytes();
}

void TXelMoveRoute::BuildCommands() const {
  // Written over the previous bytes: a save builds every route.
  TMemoryStream bytes(std::move(CommandData));
  bytes.SetSize(0);
  for (const auto& item : commands_)
    item->SaveToStream(bytes);
  CommandData = bytes.TakeBytes();
  CommandSize = static_cast<int32_t>(CommandData.size());
}

TXelMoveRouteItem* TXelMoveRoute::Add(std::unique_ptr<TXelMoveRouteItem> item) {
  commands_.push_back(std::move(item));
  return commands_.back().get();
}

TXelMoveRouteItem* TXelMoveRoute::Insert(int index, std::unique_ptr<TXelMoveRouteItem> item) {
  index = std::clamp(index, 0, GetCount());
  return commands_.insert(commands_.begin() + index, std::move(item))->get();
}

void TXelMoveRoute::Delete(int index) {
  if (index < 0 || index >= GetCount()) return;
  commands_.erase(commands_.begin() + index);
}

TXelMoveRouteItem* TXelMoveRoute::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return commands_[static_cast<size_t>(index)].get();
}

void TXelMoveRoute::SetCommandData(const uint8_t* buffer, size_t size) {
  CommandData.assign(buffer, buffer + size);
  CommandSize = static_cast<int32_t>(size);
  ParseCommands();
}

int32_t TXelMoveRoute::GetCommandData(std::vector<uint8_t>& buffer) const {
  BuildCommands();
  buffer = CommandData;
  return CommandSize;
}

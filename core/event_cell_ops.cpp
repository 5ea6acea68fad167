#include "core/event_cell_ops.h"

#include <cstdio>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/map.h"
#include "core/map_tree.h"

namespace {

constexpr const char* StartMarkNames[TXelMapStartPosition::PlaceCount] = {"Hero", "Boat", "Ship",
                                                                          "Airship"};

// Show screen and erase screen with their default transition.
constexpr int32_t EraseScreenCode = 11010;
constexpr int32_t ShowScreenCode = 11020;
constexpr int32_t DefaultTransition = -1;
constexpr uint8_t TriggerOnHeroTouch = 1;

bool IsDecimalNumberOfAtLeastOne(const std::string& text) {
  bool nonZero = false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    nonZero |= c != '0';
  }
  return !text.empty() && nonZero;
}

void AddLineWithParam(TXelEventScriptList& script, int32_t code, int32_t param) {
  TXelEventScriptLine* line = script.Add(code, 0);
  line->SetParamCount(1);
  line->SetParam(0, param);
}

} // namespace

std::string DefaultEventName(int32_t id) {
  char name[16];
  std::snprintf(name, sizeof name, "EV%.4d", static_cast<int>(id));
  return name;
}

std::string PastedEventName(const std::string& name, int32_t newId) {
  const bool defaultForm = name.size() == 6 && name.compare(0, 2, "EV") == 0 &&
                           IsDecimalNumberOfAtLeastOne(name.substr(2));
  return name.empty() || defaultForm ? DefaultEventName(newId) : name;
}

int32_t FreeEventId(const TXelMap& map) {
  // The list keeps its ids ascending: the first gap is the free id.
  int32_t candidate = 1;
  for (int i = 0; i < map.Events.GetCount() && candidate <= MaxMapEventId; ++i) {
    const int32_t id = map.Events.Items(i)->Id;
    if (id > candidate) break;
    if (id == candidate) ++candidate;
  }
  return candidate <= MaxMapEventId ? candidate : 0;
}

void TEventCellOperations::SetMap(TXelMapTree* mapTree, TXelMap* map) {
  mapTree_ = mapTree;
  map_ = map;
  foundEvent_ = nullptr;
  foundMark_ = -1;
  FoundId = 0;
}

int32_t TEventCellOperations::FindAt(int32_t x, int32_t y) {
  X = x;
  Y = y;
  FoundId = 0;
  foundEvent_ = nullptr;
  foundMark_ = -1;
  if (!map_) return 0;
  for (int i = 0; i < map_->Events.GetCount(); ++i) {
    TXelEventItem* event = map_->Events.Items(i);
    if (event->X == x && event->Y == y) {
      foundEvent_ = event;
      return FoundId = event->Id;
    }
  }
  if (!mapTree_) return 0;
  const TXelMapStartPosition& start = mapTree_->StartPosition;
  for (int index = 0; index < TXelMapStartPosition::PlaceCount; ++index) {
    if (start.GetMapId(index) == map_->Id && start.GetX(index) == x && start.GetY(index) == y) {
      foundMark_ = index;
      return FoundId = StartMarkParty + index;
    }
  }
  return 0;
}

std::string TEventCellOperations::NameAt(int32_t x, int32_t y) {
  FindAt(x, y);
  if (foundEvent_) return foundEvent_->Name;
  if (foundMark_ >= 0) return StartMarkNames[foundMark_];
  return {};
}

std::optional<TEventEditTarget> TEventCellOperations::NewEventTarget() const {
  const int32_t id = map_ ? FreeEventId(*map_) : 0;
  if (id == 0) return std::nullopt;
  TEventEditTarget target;
  target.Id = id;
  target.IsNew = true;
  target.Event = std::make_unique<TXelEventItem>(id);
  target.Event->Name = DefaultEventName(id);
  target.Event->X = X;
  target.Event->Y = Y;
  return target;
}

std::optional<TEventEditTarget> TEventCellOperations::PrepareEditAt(int32_t x, int32_t y,
                                                                    int32_t newGraphic) {
  FindAt(x, y);
  // A start mark is no event: editing it must not make one.
  if (foundMark_ >= 0) return std::nullopt;
  if (!foundEvent_) {
    std::optional<TEventEditTarget> target = NewEventTarget();
    if (target) target->Event->Pages.Items(0)->GraphicIndex = newGraphic;
    return target;
  }
  TEventEditTarget target;
  target.Id = foundEvent_->Id;
  target.Event = std::make_unique<TXelEventItem>(target.Id);
  target.Event->Assign(*foundEvent_);
  target.Event->X = X;
  target.Event->Y = Y;
  return target;
}

void TEventCellOperations::StoreEvent(int32_t id, const TXelEventItem& event) {
  if (!map_) return;
  TXelEventItem* stored = map_->Events.GetOrCreate(id);
  stored->Assign(event);
  stored->X = X;
  stored->Y = Y;
  map_->LoadCharSets();
  Changed();
}

bool TEventCellOperations::CopyAt(int32_t x, int32_t y) {
  FindAt(x, y);
  if (foundEvent_)
    Clipboard().SetData(cfMapEvent, BuildEventClip(*foundEvent_));
  else if (foundMark_ >= 0)
    Clipboard().SetData(cfMapEvent, BuildStartMarkClip(FoundId));
  else
    return false;
  return true;
}

bool TEventCellOperations::CutAt(int32_t x, int32_t y) {
  return CopyAt(x, y) && DeleteAt(x, y);
}

bool TEventCellOperations::PasteAt(int32_t x, int32_t y) {
  FindAt(x, y);
  if (FoundId != 0 || !map_) return false;
  const int32_t id = FreeEventId(*map_);
  if (id == 0) return false;
  // The whole block is read before anything changes.
  std::optional<TMapEventClip> clip = ParseMapEventClip(ClipboardBytes(cfMapEvent));
  if (!clip) return false;
  if (clip->Tag != 0) {
    if (!mapTree_) return false;
    PlaceStart(clip->Tag - StartMarkParty, map_->Id, X, Y);
  } else {
    TXelEventItem* event = map_->Events.GetOrCreate(id);
    event->Assign(*clip->Event);
    event->X = X;
    event->Y = Y;
    event->Name = PastedEventName(event->Name, id);
    map_->LoadCharSets();
  }
  Changed();
  return true;
}

bool TEventCellOperations::DeleteAt(int32_t x, int32_t y) {
  FindAt(x, y);
  if (foundEvent_) {
    map_->Events.DeleteById(foundEvent_->Id);
    foundEvent_ = nullptr;
  } else if (foundMark_ >= 0) {
    PlaceStart(foundMark_, 0, 0, 0);
  } else {
    return false;
  }
  Changed();
  return true;
}

bool TEventCellOperations::SetStartPosition(int32_t x, int32_t y, int index) {
  FindAt(x, y);
  if (FoundId != 0 || !map_ || !mapTree_ || index < 0 || index >= TXelMapStartPosition::PlaceCount)
    return false;
  PlaceStart(index, map_->Id, X, Y);
  Changed();
  return true;
}

std::optional<TEventEditTarget> TEventCellOperations::PrepareTeleportAt(int32_t x, int32_t y) {
  FindAt(x, y);
  if (FoundId != 0) return std::nullopt;
  return NewEventTarget();
}

void TEventCellOperations::StoreTeleportEvent(const TEventEditTarget& target,
                                              const TXelEventScriptList& teleport) {
  TXelEventPageItem* page = target.Event->Pages.Items(0);
  page->Script.Clear();
  AddLineWithParam(page->Script, EraseScreenCode, DefaultTransition);
  for (int i = 0; i < teleport.GetCount(); ++i)
    page->Script.Add(std::make_unique<TXelEventScriptLine>(*teleport.GetItem(i)));
  AddLineWithParam(page->Script, ShowScreenCode, DefaultTransition);
  page->Script.Add(ScriptEndCode, 0);
  page->Trigger = TriggerOnHeroTouch;
  StoreEvent(target.Id, *target.Event);
}

void TEventCellOperations::PlaceStart(int index, int32_t mapId, int32_t x, int32_t y) {
  mapTree_->StartPosition.SetMapId(index, mapId);
  mapTree_->StartPosition.SetX(index, x);
  mapTree_->StartPosition.SetY(index, y);
}

void TEventCellOperations::Changed() {
  if (OnChange) OnChange();
}

#include "core/map_event.h"

void TXelEventCondition::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Fixed(&Flags, 1); break;
    case 2: d.Int(&SwitchAId, 1); break;
    case 3: d.Int(&SwitchBId, 1); break;
    case 4: d.Int(&VariableId, 1); break;
    case 5: d.Int(&VariableValue, 0); break;
    case 6: d.Int(&ItemId, 1); break;
    case 7: d.Int(&HeroId, 0); break;
    case 8: d.Int(&TimerSeconds, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelEventCondition::Clear() {
  ClearFields<TXelEventCondition>();
  HeroId = 1;
}

namespace {
// The page's script blob lives in fields 51 (size) and 52 (bytes).
constexpr int PageScriptSizeId = 51;
} // namespace

TXelEventPageItem::TXelEventPageItem(int32_t id) : TXelBaseEventPageItem(id, PageScriptSizeId) {
  TXelEventPageItem::Clear();
}

void TXelEventPageItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (ScriptVarData(id, d)) return;
  // clang-format off
  switch (id) {
    case 2: d.Record(&Condition); break;
    case 21: d.Str(&GraphicName, true); break;
    case 22: d.Int(&GraphicIndex, 0); break;
    case 23: d.Fixed(&Direction, 1); break;
    case 24: d.Int(&Pattern, 1); break;
    case 25: d.Fixed(&Transparent, 1); break;
    case 31: d.Fixed(&MoveType, 1); break;
    case 32: d.Int(&MoveFrequency, 3); break;
    case 33: d.Fixed(&Trigger, 1); break;
    case 34: d.Fixed(&Priority, 1); break;
    case 35: d.Fixed(&ForbidOverlap, 1); break;
    case 36: d.Fixed(&AnimationType, 1); break;
    case 37: d.Int(&MoveSpeed, 3); break;
    case 41: d.Record(&MoveRoute); break;
    default: break;
  }
  // clang-format on
}

void TXelEventPageItem::Clear() {
  ClearFields<TXelEventPageItem>();
  TXelBaseEventPageItem::Clear();
  Direction = 2;
}

TXelEventItem::TXelEventItem(int32_t id) : TCatalogItem(id) {
  TXelEventItem::Clear();
}

void TXelEventItem::GetVarData(int id, TCatalogVarData& d, bool) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Int(&X, 0); break;
    case 3: d.Int(&Y, 0); break;
    case 5: d.Catalog(&Pages); break;
    default: break;
  }
  // clang-format on
}

void TXelEventItem::Clear() {
  ClearFields<TXelEventItem>();
  // A load gives the event its first page once it is read, when it brought none.
  if (!loading_) Pages.Append();
}

void TXelEventItem::LoadFromStream(TStream& stream) {
  // Everything that shows or runs an event expects a first page, also after a load
  // that failed part-way and was kept by a lenient caller.
  loading_ = true;
  LoadThenSettle([&] { TCatalogItem::LoadFromStream(stream); },
                 [this] {
                   loading_ = false;
                   if (Pages.GetCount() == 0) Pages.Append();
                 });
}

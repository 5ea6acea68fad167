#include "core/switch_records.h"

#include <cstdio>

void TXelNamedItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (id == 1) d.Str(&Name, true);
}

std::string TXelNamedItem::GetCaption() const {
  char number[16];
  std::snprintf(number, sizeof number, "%.4d", static_cast<int>(Id));
  if (Name.empty()) return number;
  return std::string(number) + ":" + Name;
}

namespace {
// The common event's script blob lives in fields 21 (size) and 22 (bytes).
constexpr int CommonEventScriptSizeId = 21;
// "Call" among the start conditions: a new common event runs only when called.
constexpr uint8_t CommonEventCalledTrigger = 5;
} // namespace

TXelCommonEventItem::TXelCommonEventItem(int32_t id)
    : TXelBaseEventPageItem(id, CommonEventScriptSizeId) {
  TXelCommonEventItem::Clear();
}

void TXelCommonEventItem::GetVarData(int id, TCatalogVarData& d, bool) {
  if (ScriptVarData(id, d)) return;
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 11: d.Fixed(&Trigger, 1); break;
    case 12: d.Byte(&UseSwitch, 0); break;
    case 13: d.Int(&SwitchId, 1); break;
    default: break;
  }
  // clang-format on
}

void TXelCommonEventItem::Clear() {
  ClearFields<TXelCommonEventItem>();
  TXelBaseEventPageItem::Clear();
  Trigger = CommonEventCalledTrigger;
}

// The events of a map: each event has a name, a cell and one or more pages; each page has
// start conditions, a look, movement settings, a move route and an event script.
#pragma once

#include <cstdint>
#include <string>

#include "core/catalog.h"
#include "core/event_script.h"
#include "core/messages.h"
#include "core/move_route.h"

// Bits of TXelEventCondition::Flags.
enum : uint8_t {
  ecSwitchA = 0x01,
  ecSwitchB = 0x02,
  ecVariable = 0x04,
  ecItem = 0x08,
  ecHero = 0x10,
  ecTimer = 0x20,
};

// Start conditions of a page. HeroId is skipped on save only when it holds 0 while
// Clear sets it to 1, so a cleared condition writes it, and a record without it loads
// as 1.
class TXelEventCondition : public TCatalogBaseItem {
public:
  TXelEventCondition() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 8; }
  const std::vector<uint16_t>* SavedFieldIds() const override {
    return SavedFieldIdsOf<TXelEventCondition>();
  }
  void Clear() override;

  uint8_t Flags;
  int32_t SwitchAId;
  int32_t SwitchBId;
  int32_t VariableId;
  int32_t VariableValue; // the variable must be at least this
  int32_t ItemId;
  int32_t HeroId;
  int32_t TimerSeconds; // the timer at or below this
};

class TXelEventPageItem : public TXelBaseEventPageItem {
public:
  explicit TXelEventPageItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 52; }
  const std::vector<uint16_t>* SavedFieldIds() const override {
    return SavedFieldIdsOf<TXelEventPageItem>();
  }
  void Clear() override;

  TXelEventCondition Condition;
  std::string GraphicName; // empty: no graphic, or the tile GraphicIndex
  int32_t GraphicIndex;
  uint8_t Direction; // 0 up, 1 right, 2 down, 3 left
  int32_t Pattern;   // 0..2
  uint8_t Transparent;
  uint8_t MoveType;
  int32_t MoveFrequency; // 1..8
  uint8_t Trigger;
  uint8_t Priority;
  uint8_t ForbidOverlap;
  uint8_t AnimationType;
  int32_t MoveSpeed;
  TXelMoveRoute MoveRoute;
};

class TXelEventPage : public TXelCatalog<TXelEventPageItem> {
public:
  TXelEventPage() : TXelCatalog(SInvalidEventPage) {}
};

// A map event. It always holds at least one page: Clear leaves page 1, and a load
// that brings none gives it a default page.
class TXelEventItem : public TCatalogItem {
public:
  explicit TXelEventItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 5; }
  const std::vector<uint16_t>* SavedFieldIds() const override {
    return SavedFieldIdsOf<TXelEventItem>();
  }
  void Clear() override;
  void LoadFromStream(TStream& stream) override;

  std::string Name;
  int32_t X;
  int32_t Y;
  TXelEventPage Pages;

private:
  bool loading_ = false; // within LoadFromStream, before its pages are settled
};

// The events of one map, by Id 1..5000 with gaps.
class TXelEvent : public TXelCatalog<TXelEventItem> {
public:
  TXelEvent() : TXelCatalog(SInvalidEvent) {}
};

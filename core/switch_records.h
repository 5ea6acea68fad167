// The switch and variable name lists and the common events of the database.
#pragma once

#include <cstdint>
#include <string>

#include "core/catalog.h"
#include "core/event_script.h"
#include "core/messages.h"

// A switch or variable: nothing but a name under its number.
class TXelNamedItem : public TCatalogItem {
public:
  explicit TXelNamedItem(int32_t id) : TCatalogItem(id) {}
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 1; }
  void Clear() override { ClearFields<TXelNamedItem>(); }

  // "0012:Door open", or "0012" alone while the name is empty.
  std::string GetCaption() const;

  std::string Name;
};

class TXelSwitchItem : public TXelNamedItem {
public:
  explicit TXelSwitchItem(int32_t id) : TXelNamedItem(id) {}
};

class TXelVariableItem : public TXelNamedItem {
public:
  explicit TXelVariableItem(int32_t id) : TXelNamedItem(id) {}
};

class TXelSwitch : public TXelCatalog<TXelSwitchItem> {
public:
  TXelSwitch() : TXelCatalog(SInvalidSwitch) {}
};

class TXelVariable : public TXelCatalog<TXelVariableItem> {
public:
  TXelVariable() : TXelCatalog(SInvalidVariable) {}
};

// A script that runs by itself (auto start or parallel), or when called, optionally
// only while a switch is ON.
class TXelCommonEventItem : public TXelBaseEventPageItem {
public:
  explicit TXelCommonEventItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 22; }
  void Clear() override;

  std::string Name;
  uint8_t Trigger;   // "Event Start Condition" choice index
  uint8_t UseSwitch; // the appearance switch is in use
  int32_t SwitchId;
};

class TXelCommonEvent : public TXelCatalog<TXelCommonEventItem> {
public:
  TXelCommonEvent() : TXelCatalog(SInvalidCommonEvent) {}
};

// The chipset table of the database: per chip of a chipset image, the terrain of the
// lower chips and the passability flags of the lower and upper chips.
#pragma once

#include <cstdint>
#include <string>

#include "core/catalog.h"
#include "core/messages.h"

inline constexpr int LowerChipCount = 162;
inline constexpr int UpperChipCount = 144;

// Passability flags of a chip.
inline constexpr uint8_t PassDown = 0x01;
inline constexpr uint8_t PassLeft = 0x02;
inline constexpr uint8_t PassRight = 0x04;
inline constexpr uint8_t PassUp = 0x08;
inline constexpr uint8_t PassAllDirections = 0x0F;
inline constexpr uint8_t PassStar = 0x10;
inline constexpr uint8_t PassSquare = 0x20;
inline constexpr uint8_t PassCounter = 0x40;

class TXelChipSetItem : public TCatalogItem {
public:
  explicit TXelChipSetItem(int32_t id) : TCatalogItem(id) { Clear(); }
  // The three chip arrays are left out of a save while they hold their defaults.
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 12; }
  void Clear() override;

  // Reads outside the chips give 0; writes outside are ignored.
  int GetChipTerrain(int index) const;
  void SetChipTerrain(int index, int terrainId);
  uint8_t GetLowerPassability(int index) const;
  void SetLowerPassability(int index, uint8_t flags);
  uint8_t GetUpperPassability(int index) const;
  void SetUpperPassability(int index, uint8_t flags);

  std::string Name;
  std::string Graphic;
  uint16_t TerrainIds[LowerChipCount]; // little-endian 16-bit in the file
  uint8_t LowerPassability[LowerChipCount];
  uint8_t UpperPassability[UpperChipCount];
  int32_t SeaAnimationType;  // 0 "1-2-3-2", 1 "1-2-3"
  int32_t SeaAnimationSpeed; // 0 slow, 1 fast
};

class TXelChipSet : public TXelCatalog<TXelChipSetItem> {
public:
  TXelChipSet() : TXelCatalog(SInvalidChipSet) {}
};

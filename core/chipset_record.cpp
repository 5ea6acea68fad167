#include "core/chipset_record.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t DefaultTerrain = 1;
constexpr uint8_t DefaultUpperChip0 = PassAllDirections | PassStar;

// The chip arrays of a new chipset, made once: a Clear copies them and a save compares
// with them, each array in one step.
struct TDefaultChips {
  uint16_t TerrainIds[LowerChipCount];
  uint8_t LowerPassability[LowerChipCount];
  uint8_t UpperPassability[UpperChipCount];

  TDefaultChips() {
    std::fill_n(TerrainIds, LowerChipCount, DefaultTerrain);
    std::fill_n(LowerPassability, LowerChipCount, PassAllDirections);
    std::fill_n(UpperPassability, UpperChipCount, PassAllDirections);
    UpperPassability[0] = DefaultUpperChip0;
  }
};

const TDefaultChips& DefaultChips() {
  static const TDefaultChips chips;
  return chips;
}

// Whether Values hold the defaults from entry From on.
template <class T, size_t N>
bool AllDefault(const T (&values)[N], const T (&defaults)[N], size_t from) {
  return std::memcmp(values + from, defaults + from, (N - from) * sizeof(T)) == 0;
}

} // namespace

void TXelChipSetItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Graphic, true); break;
    case 3:
      if (forLoad || !AllDefault(TerrainIds, DefaultChips().TerrainIds, 0))
        d.Fixed(TerrainIds, sizeof TerrainIds);
      break;
    case 4:
      if (forLoad || !AllDefault(LowerPassability, DefaultChips().LowerPassability, 0))
        d.Fixed(LowerPassability, sizeof LowerPassability);
      break;
    case 5:
      // Upper chip 0 is the empty chip and is never edited, so it is not looked at.
      if (forLoad || !AllDefault(UpperPassability, DefaultChips().UpperPassability, 1))
        d.Fixed(UpperPassability, sizeof UpperPassability);
      break;
    case 11: d.Int(&SeaAnimationType, 0); break;
    case 12: d.Int(&SeaAnimationSpeed, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelChipSetItem::Clear() {
  ClearFields<TXelChipSetItem>();
  const TDefaultChips& chips = DefaultChips();
  std::memcpy(TerrainIds, chips.TerrainIds, sizeof TerrainIds);
  std::memcpy(LowerPassability, chips.LowerPassability, sizeof LowerPassability);
  std::memcpy(UpperPassability, chips.UpperPassability, sizeof UpperPassability);
}

int TXelChipSetItem::GetChipTerrain(int index) const {
  return index >= 0 && index < LowerChipCount ? TerrainIds[index] : 0;
}

void TXelChipSetItem::SetChipTerrain(int index, int terrainId) {
  if (index >= 0 && index < LowerChipCount) TerrainIds[index] = static_cast<uint16_t>(terrainId);
}

uint8_t TXelChipSetItem::GetLowerPassability(int index) const {
  return index >= 0 && index < LowerChipCount ? LowerPassability[index] : 0;
}

void TXelChipSetItem::SetLowerPassability(int index, uint8_t flags) {
  if (index >= 0 && index < LowerChipCount) LowerPassability[index] = flags;
}

uint8_t TXelChipSetItem::GetUpperPassability(int index) const {
  return index >= 0 && index < UpperChipCount ? UpperPassability[index] : 0;
}

void TXelChipSetItem::SetUpperPassability(int index, uint8_t flags) {
  if (index >= 0 && index < UpperChipCount) UpperPassability[index] = flags;
}

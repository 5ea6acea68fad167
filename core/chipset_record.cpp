#include "core/chipset_record.h"

#include <algorithm>

namespace {

constexpr uint16_t DefaultTerrain = 1;
constexpr uint8_t DefaultUpperChip0 = PassAllDirections | PassStar;

template <class T, size_t N> bool AllEqual(const T (&values)[N], size_t from, T value) {
  return std::all_of(values + from, values + N, [value](T v) { return v == value; });
}

} // namespace

void TXelChipSetItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 1: d.Str(&Name, true); break;
    case 2: d.Str(&Graphic, true); break;
    case 3:
      if (forLoad || !AllEqual(TerrainIds, 0, DefaultTerrain))
        d.Fixed(TerrainIds, sizeof TerrainIds);
      break;
    case 4:
      if (forLoad || !AllEqual(LowerPassability, 0, PassAllDirections))
        d.Fixed(LowerPassability, sizeof LowerPassability);
      break;
    case 5:
      // Upper chip 0 is the empty chip and is never edited, so it is not looked at.
      if (forLoad || !AllEqual(UpperPassability, 1, PassAllDirections))
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
  std::fill_n(TerrainIds, LowerChipCount, DefaultTerrain);
  std::fill_n(LowerPassability, LowerChipCount, PassAllDirections);
  std::fill_n(UpperPassability, UpperChipCount, PassAllDirections);
  UpperPassability[0] = DefaultUpperChip0;
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

#include "core/hero_equipment.h"

std::vector<int> EquipmentCandidates(const TXelItem& items, int heroId, int slot, bool twoSwords) {
  std::vector<int> ids;
  if (slot < 0 || slot >= HeroEquipmentSlots) return ids;
  const int kind = (slot == 1 && twoSwords) ? 1 : slot + 1;
  for (int i = 0; i < items.GetCount(); ++i) {
    const TXelItemItem* item = items.Items(i);
    if (item->Kind == kind && item->GetHeroFlag(heroId)) ids.push_back(item->Id);
  }
  return ids;
}

bool IsTwoHandedWeapon(const TXelItem& items, int itemId) {
  const TXelItemItem* item = itemId > 0 ? items.FindById(itemId) : nullptr;
  return item && item->Kind == 1 && item->TwoHanded == 1;
}

int SlotEmptiedForTwoHands(const TXelItem& items, int changedSlot, int weaponId, int secondId) {
  if (changedSlot != 0 && (changedSlot != 1 || secondId == 0)) return -1;
  if (!IsTwoHandedWeapon(items, weaponId) && !IsTwoHandedWeapon(items, secondId)) return -1;
  return changedSlot == 0 ? 1 : 0;
}

// Which items a hero may start with or be given in each equipment slot, and the rule
// that a two-handed weapon does not share the hands. The hero page and the battle test
// both fill their equipment combos and keep their slots with these.
#pragma once

#include <vector>

#include "core/hero_records.h"

// Equipment slots: 0 weapon, 1 shield (or second weapon), 2 armour, 3 helmet, 4 accessory.
// The ids of the items HeroId may use in Slot, in list order: items of kind Slot + 1,
// or weapons in slot 1 when the hero fights with two swords.
std::vector<int> EquipmentCandidates(const TXelItem& items, int heroId, int slot, bool twoSwords);

// Whether ItemId is a weapon held with both hands (a missing item is not).
bool IsTwoHandedWeapon(const TXelItem& items, int itemId);

// After slot ChangedSlot (0 or 1) was given a new item: the slot that must be emptied
// because a two-handed weapon would share the hands, or -1. Choosing the weapon empties
// the second hand when either hand holds a two-handed weapon; choosing a (non-empty)
// second hand empties the weapon under the same test.
int SlotEmptiedForTwoHands(const TXelItem& items, int changedSlot, int weaponId, int secondId);

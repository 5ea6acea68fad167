#include "core/system_records.h"

#include <algorithm>

#include "core/stream.h"

TXelTestPlayerItem::TXelTestPlayerItem(int32_t id) : TCatalogItem(id) {
  TXelTestPlayerItem::Clear();
}

void TXelTestPlayerItem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  constexpr int firstEquipmentId = 11;
  if (forLoad) StoreLoadedEquipment();
  // clang-format off
  switch (id) {
    case 1: d.Int(&HeroId, 1); break;
    case 2: d.Int(&Level, 1); break;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: {
      const int slot = id - firstEquipmentId;
      if (forLoad) {
        loadedSlot_ = slot;
        loadedValue_ = 0;
        d.Int(&loadedValue_, 0);
      } else {
        savedValue_ = static_cast<int32_t>(uint32_t(slots_[slot]) | uint32_t(slots_[slot + 1]) << 16);
        d.Int(&savedValue_, 0);
      }
      break;
    }
    default: break;
  }
  // clang-format on
}

void TXelTestPlayerItem::StoreLoadedEquipment() {
  if (loadedSlot_ < 0) return;
  const auto value = static_cast<uint32_t>(loadedValue_);
  slots_[loadedSlot_] = static_cast<uint16_t>(value);
  slots_[loadedSlot_ + 1] = static_cast<uint16_t>(value >> 16);
  loadedSlot_ = -1;
}

void TXelTestPlayerItem::Clear() {
  ClearFields<TXelTestPlayerItem>();
  std::fill(slots_, slots_ + TestPlayerEquipmentSlots, uint16_t{0});
  loadedSlot_ = -1;
}

void TXelTestPlayerItem::LoadFromStream(TStream& stream) {
  // The last equipment field read is stored once the next chunk is asked for, or here.
  LoadThenSettle([&] { TCatalogItem::LoadFromStream(stream); }, [this] { StoreLoadedEquipment(); });
}

int32_t TXelTestPlayerItem::GetEquipment(int slot) const {
  if (slot < 0 || slot >= TestPlayerEquipmentSlots) return 0;
  return slots_[slot];
}

void TXelTestPlayerItem::SetEquipment(int slot, int32_t itemId) {
  if (slot < 0 || slot >= TestPlayerEquipmentSlots) return;
  slots_[slot] = static_cast<uint16_t>(itemId);
}

void TXelSystem::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  // clang-format off
  switch (id) {
    case 11: d.Str(&BoatGraphic, true); break;
    case 12: d.Str(&ShipGraphic, true); break;
    case 13: d.Str(&AirshipGraphic, true); break;
    case 14: d.Int(&BoatIndex, 0); break;
    case 15: d.Int(&ShipIndex, 0); break;
    case 16: d.Int(&AirshipIndex, 0); break;
    case 17: d.Str(&TitleGraphic, true); break;
    case 18: d.Str(&GameOverGraphic, true); break;
    case 19: d.Str(&SystemGraphic, true); break;
    case 21:
      if (!forLoad) partyCountField_ = GetPartyCount();
      d.Int(&partyCountField_, 1);
      break;
    case 22: d.Blob(&partyHeroIds_, GetPartyCount() * 2); break;
    case 31: d.Record(&TitleMusic); break;
    case 32: d.Record(&BattleMusic); break;
    case 33: d.Record(&BattleEndMusic); break;
    case 34: d.Record(&InnMusic); break;
    case 35: d.Record(&BoatMusic); break;
    case 36: d.Record(&ShipMusic); break;
    case 37: d.Record(&AirshipMusic); break;
    case 38: d.Record(&GameOverMusic); break;
    case 41: d.Record(&CursorSound); break;
    case 42: d.Record(&DecisionSound); break;
    case 43: d.Record(&CancelSound); break;
    case 44: d.Record(&BuzzerSound); break;
    case 45: d.Record(&BattleStartSound); break;
    case 46: d.Record(&EscapeSound); break;
    case 47: d.Record(&EnemyAttackSound); break;
    case 48: d.Record(&EnemyDamageSound); break;
    case 49: d.Record(&HeroDamageSound); break;
    case 50: d.Record(&EvasionSound); break;
    case 51: d.Record(&EnemyDieSound); break;
    case 52: d.Record(&ItemUseSound); break;
    case 61: d.Fixed(&TeleportErase, 1); break;
    case 62: d.Fixed(&TeleportShow, 1); break;
    case 63: d.Fixed(&BattleStartErase, 1); break;
    case 64: d.Fixed(&BattleStartShow, 1); break;
    case 65: d.Fixed(&BattleEndErase, 1); break;
    case 66: d.Fixed(&BattleEndShow, 1); break;
    case 71: d.Int(&Wallpaper, 0); break;
    case 72: d.Int(&Font, 0); break;
    case 81: d.Int(&AnimationTestTarget, 1); break;
    case 82: d.Fixed(&AnimationSnapToGrid, 1); break;
    case 84: d.Str(&TestBackground, true); break;
    case 85: d.Catalog(&TestParty); break;
    case 91: d.Int(&SaveCount, 0); break;
    default: break;
  }
  // clang-format on
}

void TXelSystem::Clear() {
  ClearFields<TXelSystem>();
  partyHeroIds_.assign({1, 0}); // hero 1 alone, a 16-bit little-endian id
  partyCountField_ = 1;
  AnimationSnapToGrid = 1;
}

void TXelSystem::SaveToStream(TStream& stream) const {
  // Wraps rather than overflows on a count that a file set to the largest value.
  SaveCount = static_cast<int32_t>(static_cast<uint32_t>(SaveCount) + 1);
  TCatalogBaseItem::SaveToStream(stream);
}

void TXelSystem::Assign(const TCatalogBaseItem& source) {
  // A copy goes through a save, but it is no save of the database: neither record's
  // count moves.
  const auto* system = dynamic_cast<const TXelSystem*>(&source);
  if (!system || system == this) {
    TCatalogBaseItem::Assign(source);
    return;
  }
  const int32_t count = system->SaveCount;
  TCatalogBaseItem::Assign(source);
  system->SaveCount = count;
  SaveCount = count;
}

void TXelSystem::LoadFromStream(TStream& stream) {
  // The count field is not believed: the party is what the party field holds, whole
  // 16-bit entries only.
  LoadThenSettle([&] { TCatalogBaseItem::LoadFromStream(stream); },
                 [this] { partyHeroIds_.resize(partyHeroIds_.size() / 2 * 2); });
}

void TXelSystem::SetPartyCount(int32_t count) {
  partyHeroIds_.resize(static_cast<size_t>(std::max(count, 0)) * 2, 0);
}

int32_t TXelSystem::GetPartyMember(int index) const {
  if (index < 0 || index >= GetPartyCount()) return 0;
  return GetLE16(&partyHeroIds_[static_cast<size_t>(index) * 2]);
}

void TXelSystem::SetPartyMember(int index, int32_t heroId) {
  if (index < 0 || index >= GetPartyCount()) return;
  if (heroId == 0) {
    SetPartyCount(index);
    return;
  }
  PutLE16(&partyHeroIds_[static_cast<size_t>(index) * 2], static_cast<uint16_t>(heroId));
}

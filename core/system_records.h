// The system record of the database (vehicles, title and system graphics, starting
// party, system music and sounds, screen transitions, editor preferences and the
// battle-test party) and the members of its battle-test party.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/plain_catalog.h"
#include "core/sound_record.h"

inline constexpr int TestPlayerEquipmentSlots = 5; // arms, shield, armor, helmet, other

// One hero of the battle-test party.
//
// The five equipment ids are unsigned 16-bit slots, but each is saved as a 32-bit
// field read from the slot's position, so the value for slot k carries slot k+1 in its
// high half (arms 3 and shield 5 save 3 + 5 * 65536 in field 11); the last slot carries
// two more bytes kept after the slots. Loading writes each value over slot k and k+1,
// and the field after it puts slot k+1 right. Files in use hold these values, so they
// are written and read exactly so, in the order the fields come.
class TXelTestPlayerItem : public TCatalogItem {
public:
  explicit TXelTestPlayerItem(int32_t id);
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 15; }
  void Clear() override;
  void LoadFromStream(TStream& stream) override;

  // 0 outside slots 0..4.
  int32_t GetEquipment(int slot) const;
  // Keeps the low 16 bits; ignored outside slots 0..4.
  void SetEquipment(int slot, int32_t itemId);

  int32_t HeroId;
  int32_t Level;

private:
  // Puts a loaded equipment field over its two slots.
  void StoreLoadedEquipment();

  // The slots, then the two bytes after them. Those start at 0 and afterwards hold
  // the high half of the last field 15 loaded; Clear leaves them.
  uint16_t slots_[TestPlayerEquipmentSlots + 1] = {};
  // The value of the equipment field being loaded, and its slot (-1 when none).
  int32_t loadedValue_ = 0;
  int loadedSlot_ = -1;
  // The value of the equipment field being saved.
  int32_t savedValue_ = 0;
};

// The battle-test party; a missing member is nothing, not an error.
using TXelTestPlayer = TXelPlainCatalog<TXelTestPlayerItem>;

class TXelSystem : public TCatalogBaseItem {
public:
  TXelSystem() { TXelSystem::Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 91; }
  void Clear() override;
  // Copies the record with its SaveCount; the source's count is not raised.
  void Assign(const TCatalogBaseItem& source) override;
  // The party count always follows what the party field really holds.
  void LoadFromStream(TStream& stream) override;
  // Raises SaveCount by one, then saves: every saved database counts its saves.
  void SaveToStream(TStream& stream) const override;

  // Initial party: unsigned 16-bit hero ids.
  int32_t GetPartyCount() const { return static_cast<int32_t>(partyHeroIds_.size() / 2); }
  // New members are hero 0; a negative count empties the party.
  void SetPartyCount(int32_t count);
  // 0-based; 0 outside the party.
  int32_t GetPartyMember(int index) const;
  // Ignored outside the party; hero 0 cuts the party to Index members.
  void SetPartyMember(int index, int32_t heroId);

  std::string BoatGraphic;
  std::string ShipGraphic;
  std::string AirshipGraphic;
  int32_t BoatIndex;
  int32_t ShipIndex;
  int32_t AirshipIndex;
  std::string TitleGraphic;
  std::string GameOverGraphic;
  std::string SystemGraphic;

  TXelMusic TitleMusic;
  TXelMusic BattleMusic;
  TXelMusic BattleEndMusic;
  TXelMusic InnMusic;
  TXelMusic BoatMusic;
  TXelMusic ShipMusic;
  TXelMusic AirshipMusic;
  TXelMusic GameOverMusic;

  TXelSound CursorSound;
  TXelSound DecisionSound;
  TXelSound CancelSound;
  TXelSound BuzzerSound;
  TXelSound BattleStartSound;
  TXelSound EscapeSound;
  TXelSound EnemyAttackSound;
  TXelSound EnemyDamageSound;
  TXelSound HeroDamageSound;
  TXelSound EvasionSound;
  TXelSound EnemyDieSound;
  TXelSound ItemUseSound;

  // Screen transitions (choice indexes).
  uint8_t TeleportErase;
  uint8_t TeleportShow;
  uint8_t BattleStartErase;
  uint8_t BattleStartShow;
  uint8_t BattleEndErase;
  uint8_t BattleEndShow;

  int32_t Wallpaper; // wallpaper mode of the system graphic (0/1)
  int32_t Font;      // 0/1
  // Preferences of the database pages.
  int32_t AnimationTestTarget; // "Test Victim" list index + 1
  uint8_t AnimationSnapToGrid; // cells move in steps of 8 pixels when set
  std::string TestBackground;  // battle background of the monster-group preview
  TXelTestPlayer TestParty;
  mutable int32_t SaveCount; // saves of the database

private:
  std::vector<uint8_t> partyHeroIds_;
  // The party count field: what was loaded, or what is about to be saved.
  mutable int32_t partyCountField_ = 1;
};

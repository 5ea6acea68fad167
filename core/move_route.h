// Move routes: a list of movement commands, kept both as saved bytes and as parsed items.
//
// Command stream (the saved CommandData and the move-command clipboard payload): the
// commands one after another, no count; per command its compressed Code, then
//   32, 33  Switch ON / OFF: compressed SwitchId
//   34      Change Graphic: GraphicName (compressed length + bytes), compressed GraphicIndex
//   35      Play SE: SoundName, compressed Volume, Tempo, Balance
// and nothing for every other code.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/catalog_item.h"

class TStream;

enum TMoveCode : int32_t {
  mcSwitchOn = 32,
  mcSwitchOff = 33,
  mcChangeGraphic = 34,
  mcPlaySound = 35,
};

// Sets Text to the name of move command Code; leaves it unchanged for an unknown code.
void MoveCommandName(int32_t code, std::string& text);

class TXelMoveRouteItem {
public:
  void Clear() { *this = TXelMoveRouteItem(); }
  // Clear, then one command. Raises EReadError on a cut command.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

  int32_t Code = 0;
  int32_t SwitchId = 0;
  std::string GraphicName;
  int32_t GraphicIndex = 0;
  std::string SoundName;
  int32_t Volume = 0;
  int32_t Tempo = 0;
  int32_t Balance = 0;
};

// Fields: 11 CommandSize, 12 CommandData (always written), 21 Repeat, 22 Skippable.
// Commands is the working form; every save rebuilds CommandData from it first.
class TXelMoveRoute : public TCatalogBaseItem {
public:
  TXelMoveRoute() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 22; }
  const std::vector<uint16_t>* SavedFieldIds() const override {
    return SavedFieldIdsOf<TXelMoveRoute>();
  }
  void Clear() override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

  // Parses CommandData (its actual bytes, whatever CommandSize says) into Commands.
  // Raises EReadError on a cut command; the commands before it stay.
  void ParseCommands();
  void BuildCommands() const;

  TXelMoveRouteItem* Add(std::unique_ptr<TXelMoveRouteItem> item);
  // Index is clamped into 0..count.
  TXelMoveRouteItem* Insert(int index, std::unique_ptr<TXelMoveRouteItem> item);
  // Nothing for an index outside the list.
  void Delete(int index);
  int GetCount() const { return static_cast<int>(commands_.size()); }
  // The command at Index, or nothing outside the list.
  TXelMoveRouteItem* GetItem(int index) const;

  // Replaces the commands by those of the Size bytes at Buffer.
  void SetCommandData(const uint8_t* buffer, size_t size);
  // The command stream of the current commands; returns its size.
  int32_t GetCommandData(std::vector<uint8_t>& buffer) const;

  mutable int32_t CommandSize = 0;
  mutable std::vector<uint8_t> CommandData;
  bool Repeat = true;
  bool Skippable = false;

private:
  std::vector<std::unique_ptr<TXelMoveRouteItem>> commands_;
  std::vector<std::unique_ptr<TXelMoveRouteItem>> spare_; // last to be used first
};

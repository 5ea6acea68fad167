// The two command palettes as data: which command each button opens and its caption,
// and the button each palette remembers for the run. No Qt here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

struct TPaletteCommand {
  int32_t Code;
  const char* Caption;
};

// The buttons of a palette page, filled down the first column, then down the second.
inline constexpr int PaletteButtonsPerPage = 30;

// Map and common events: three pages, index = page x 30 + button.
extern const std::array<TPaletteCommand, 90> MapEventCommands;
// Battle events: one page.
extern const std::array<TPaletteCommand, 30> BattleEventCommands;

// The palette index of a command, or nothing when the palette does not offer it.
std::optional<int> PaletteIndexOf(std::span<const TPaletteCommand> commands, int32_t code);

// The last button pressed on a palette during the run: shown as its page and current
// button when the palette opens again. 0 at start.
struct TPaletteMemory {
  int Last = 0;

  int Page() const { return Last / PaletteButtonsPerPage; }
  int Button() const { return Last % PaletteButtonsPerPage; }
  // Remembers Index of a palette of Count buttons; nothing outside it.
  void Remember(int index, int count) {
    if (index >= 0 && index < count) Last = index;
  }
  bool operator==(const TPaletteMemory&) const = default;
};
// One record each (LastUsedRecord).
struct TMapPaletteMemory : TPaletteMemory {};
struct TBattlePaletteMemory : TPaletteMemory {};

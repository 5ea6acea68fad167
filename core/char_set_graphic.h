// TXelCharSetGraphic: the character-set images (288 x 256) that a map's events show,
// cached by name. A map marks every sheet unused, loads the sheet of every name its event
// pages use, then purges the unused ones while more than a handful are cached.
//
// A character set holds 8 characters in 4 columns and 2 rows of 72 x 128 pixels; each
// character is 3 pattern columns (0 left, 1 middle, 2 right) by 4 direction rows (0 up,
// 1 right, 2 down, 3 left) of 24 x 32 cells.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/glimra_sheet.h"

inline constexpr int CharSetWidth = 288;
inline constexpr int CharSetHeight = 256;
inline constexpr int CharCellWidth = 24;
inline constexpr int CharCellHeight = 32;

// The cell of character CharIndex (0..7) facing Direction (0..3) in pattern Pattern
// (0..2), in pixels of the character set.
TRect CharSetCellRect(int charIndex, int direction, int pattern);

class TXelCharSetGraphic {
public:
  // Frees every sheet and forgets every name.
  void Clear();
  void MarkAllUnused();
  // The index of Name (names are compared without regard to case, as file names are).
  // A new name is appended, marked used, with a sheet loaded from the "CharSet"
  // materials (a failure is raised only outside editor mode and leaves the sheet
  // cleared); a known one is marked used.
  int LoadCharSet(const std::string& name);
  // Walks the entries and frees the unused ones, stopping at the first unused one met
  // while fewer than PurgeKeepCount names are cached.
  void PurgeUnused();
  // -1 when Name is not cached.
  int IndexOf(const std::string& name) const;
  // Nothing outside 0..GetCount()-1.
  TGlimraSheet* GetSheet(int index) const;
  int GetCount() const { return int(Names.size()); }
  bool IsUsed(int index) const { return index >= 0 && index < GetCount() && Used[index]; }

  static constexpr int PurgeKeepCount = 20;

  std::vector<std::string> Names;
  std::vector<std::unique_ptr<TGlimraSheet>> Sheets;
  std::vector<bool> Used;

private:
  void Remove(int index);
};

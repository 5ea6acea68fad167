// The marks of the party's and the three vehicles' start positions on the map, at each
// of the four map scales, and the plain mark of an ordinary event on small scales.
#pragma once

#include <array>
#include <memory>

class TGlimraBoard;
class TGlimraSheet;

class TStartPosMark {
public:
  // Mark indexes.
  enum { smParty, smBoat, smShip, smAirship, smEvent };

  TStartPosMark();
  ~TStartPosMark();
  TStartPosMark(const TStartPosMark&) = delete;
  TStartPosMark& operator=(const TStartPosMark&) = delete;

  // Draws Mark at (X, Y) for the cell size 32, 16, 8 or 4, half transparent when Dim is
  // set; any other cell size draws nothing.
  void Draw(TGlimraBoard& board, int x, int y, int cellSize, int mark, bool dim);

  // The sheet of "STARTPOS1" .. "STARTPOS4".
  const TGlimraSheet& Sheet(int index) const { return *sheets_.at(size_t(index - 1)); }

private:
  std::array<std::unique_ptr<TGlimraSheet>, 4> sheets_;
};

// The animated preview of one character of a walk graphic in the hero walk graphic and
// vehicle commands: Timer1 advances a tick, and the character steps and turns as
// TurningFrame says, drawn doubled on the sheet's transparent colour.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/glimra_sheet.h"
#include "framework/controls/scroll_frame.h"

class QTimer;
class TFormXelCommon;
class TGlimraBoard;

struct TTurningPreviewKind {
  int Width;               // of the board; it is 64 high
  int Left;                // where the doubled 48 x 64 cell goes
  int Interval;            // milliseconds a tick
  std::array<int, 4> Rows; // the direction of (tick div 16) mod 4
};
inline constexpr TTurningPreviewKind HeroWalkPreview{56, 4, 200, {2, 3, 0, 1}};
inline constexpr TTurningPreviewKind VehiclePreview{64, 8, 266, {3, 0, 1, 2}};

class TTurningPreview : public TScrollFrame {
  Q_OBJECT
public:
  // FileName (folder "CharSet"), Index and SeeThrough are the form's values, read at
  // every paint; without SeeThrough the graphic is opaque.
  TTurningPreview(TFormXelCommon& form, const TTurningPreviewKind& kind,
                  const std::string& fileName, const int& index, const bool* seeThrough,
                  QWidget* parent);

  // Timer1's tick: the next cell.
  void Timer1Timer();
  // Back to the first cell, for a newly chosen graphic.
  void Restart();
  void DrawPreview(TGlimraBoard& board);
  QTimer* Timer() const { return Timer1; }

private:
  const TTurningPreviewKind& kind_;
  const std::string& fileName_;
  const int& index_;
  const bool* seeThrough_;
  QTimer* Timer1;
  int64_t tick_ = 0;
  TGlimraSheet sheet_;
  std::string sheetName_;
  bool loaded_ = false;
};

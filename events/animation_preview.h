// A battle animation played over and over in a small box, as the game would show it but
// silent: a pause, the frames at 33 ms each, a blank pause as long as the animation (5 to
// 20 frames), and again. The picture is a stage twice the box's size, drawn shrunk into it.
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

#include "core/animation_graphic.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "framework/controls/scroll_frame.h"

class TXelAnimationItem;

inline constexpr int AnimationFrameTime = 33;
// The counter after opening and after another animation was chosen.
inline constexpr int AnimationOpeningCounter = -10;
inline constexpr int AnimationChosenCounter = -2;

// The frame the clock shows Elapsed milliseconds after frame 0 began (negative before).
int AnimationCounterAt(int64_t elapsed);
// The counter at which a run of FrameCount frames starts over at frame 0.
int AnimationCycleEnd(int frameCount);

class TAnimationPreview : public TScrollFrame {
  Q_OBJECT
public:
  // A client of Width x Height; the stage is twice that.
  TAnimationPreview(int width, int height, QWidget* parent = nullptr);

  // Milliseconds of a steady clock; tests put a clock of their own here.
  std::function<int64_t()> Clock;
  // Plays the frames; its sounds are never played here.
  TXelAnimationGraphic Graphic;

  // Binds the animation (none for nullptr) and its graphic.
  void SetAnimation(const TXelAnimationItem* item);
  // The clock set so that it shows Counter now; the timer runs from here on.
  void Restart(int counter);
  int Counter() const { return counter_; }
  // The tick: the counter from the clock, a finished run started over, the box redrawn.
  void AnimationTimerTimer();
  // The picture of the current counter into Target, sized to the client: the frame when
  // the counter is one of the animation's, else black.
  void Draw(TGlimraBoard& target);

protected:
  // Showing starts the clock at the opening pause; hiding stops the timer.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void AnimationAreaPaint(QPainter& canvas);

  QTimer* AnimationTimer;
  int counter_ = 0;
  int64_t start_ = 0;
  TGlimraSheet blank_;
  TGlimraBoard stage_;
  TGlimraBoard shown_;
};

#include "events/animation_preview.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <memory>

#include "core/animation_record.h"
#include "framework/controls/color_bar.h"
#include "framework/forms/error_guard.h"

int AnimationCounterAt(int64_t elapsed) {
  // Rounded down, so that frame 0 after the pause lasts one frame time like every other.
  int64_t counter = elapsed / AnimationFrameTime;
  if (elapsed % AnimationFrameTime < 0) --counter;
  return int(std::clamp<int64_t>(counter, std::numeric_limits<int>::min(),
                                 std::numeric_limits<int>::max()));
}

int AnimationCycleEnd(int frameCount) {
  return frameCount + std::max(5, std::min(frameCount, 20));
}

TAnimationPreview::TAnimationPreview(int width, int height, QWidget* parent)
    : TScrollFrame(parent), AnimationTimer(new QTimer(this)) {
  auto steady = std::make_shared<QElapsedTimer>();
  steady->start();
  Clock = [steady] { return steady->elapsed(); };
  HorzScrollBar()->SetVisible(false);
  VertScrollBar()->SetVisible(false);
  setFixedSize(width + 2 * frameWidth(), height + 2 * frameWidth());
  AnimationTimer->setObjectName(QStringLiteral("AnimationTimer"));
  AnimationTimer->setInterval(AnimationFrameTime);
  connect(AnimationTimer, &QTimer::timeout, this,
          [this] { GuardHandler(this, [this] { AnimationTimerTimer(); }); });
  connect(this, &TScrollFrame::Paint, this,
          [this](QPainter& canvas) { GuardHandler(this, [&] { AnimationAreaPaint(canvas); }); });
}

void TAnimationPreview::SetAnimation(const TXelAnimationItem* item) {
  Graphic.SetAnimation(item, false);
  viewport()->update();
}

void TAnimationPreview::Restart(int counter) {
  counter_ = counter;
  // Frame 0 began Counter frame times ago (or begins that far ahead).
  start_ = Clock() - int64_t(counter) * AnimationFrameTime;
  AnimationTimer->start();
  viewport()->update();
}

void TAnimationPreview::AnimationTimerTimer() {
  if (!Graphic.Animation) return;
  const int64_t now = Clock();
  counter_ = AnimationCounterAt(now - start_);
  if (counter_ >= AnimationCycleEnd(Graphic.Animation->GetFrameCount())) {
    counter_ = 0;
    start_ = now;
  }
  viewport()->update();
}

void TAnimationPreview::Draw(TGlimraBoard& target) {
  const QSize client = ClientSize();
  target.SetSize(client.width(), client.height());
  const TXelAnimationItem* animation = Graphic.Animation;
  if (!animation || counter_ < 0 || counter_ >= animation->GetFrameCount()) return;
  const int width = client.width();
  const int height = client.height();
  // The screen flash tints the whole stage: a blank sheet takes it and is the background.
  blank_.SetSize(2 * width, 2 * height);
  Graphic.ApplyScreenFlash(blank_, counter_);
  stage_.SetSize(2 * width, 2 * height);
  stage_.DrawSheet(0, 0, blank_, blank_.GetBoundsRect());
  // An animation aimed at one target sits on its head or its feet.
  int y = height;
  if (animation->Scope == 0 && animation->YLine == 0) y -= height / 2;
  if (animation->Scope == 0 && animation->YLine == 2) y += height / 2;
  Graphic.DrawFrame(stage_, width, y, counter_);
  stage_.StretchDraw(target.Surface(), TRect{0, 0, width, height});
}

void TAnimationPreview::showEvent(QShowEvent* event) {
  TScrollFrame::showEvent(event);
  Restart(AnimationOpeningCounter);
}

void TAnimationPreview::hideEvent(QHideEvent* event) {
  AnimationTimer->stop();
  TScrollFrame::hideEvent(event);
}

void TAnimationPreview::AnimationAreaPaint(QPainter& canvas) {
  Draw(shown_);
  canvas.drawImage(0, 0, BoardToImage(shown_));
}

// Qt's pool tasks handed over by the painting thread run in place; other threads keep the
// pool.
#include "app/pool_tasks_in_place.h"

#include <QImage>
#include <QPainter>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace {

// Translucent long lines and a translucent fill, as a style draws bevels and shades: Qt
// hands each to the pool in pieces.
QImage DrawLongStrokes() {
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(QColor(20, 60, 120, 90));
  for (int y = 0; y < 1080; y += 7)
    painter.drawLine(0, y, 1919, y);
  painter.drawLine(40, 0, 40, 1079);
  painter.fillRect(QRect(100, 0, 300, 1080), QColor(200, 30, 30, 60));
  return image;
}

TEST(PoolTasksInPlace, ThePaintingThreadRunsQtsPiecesItselfAndDrawsTheSame) {
  const int before = PoolTasksRunInPlace();
  const QImage here = DrawLongStrokes();
  // Qt's own calls reach the program's definition.
  EXPECT_GT(PoolTasksRunInPlace(), before);
  QImage there;
  std::thread([&] { there = DrawLongStrokes(); }).join();
  EXPECT_EQ(here, there);
}

TEST(PoolTasksInPlace, OtherThreadsStillHandTasksToThePool) {
  std::thread::id ranOn;
  std::thread::id caller;
  std::latch done(1);
  std::thread([&] {
    caller = std::this_thread::get_id();
    QThreadPool::globalInstance()->start([&] {
      ranOn = std::this_thread::get_id();
      done.count_down();
    });
    done.wait();
  }).join();
  EXPECT_NE(ranOn, caller);
  EXPECT_NE(ranOn, std::thread::id());

  std::thread::id here;
  QThreadPool::globalInstance()->start([&] { here = std::this_thread::get_id(); });
  EXPECT_EQ(here, std::this_thread::get_id());
}

} // namespace

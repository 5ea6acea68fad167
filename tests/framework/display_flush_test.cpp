#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QExposeEvent>
#include <QWindow>
#include <cctype>
#include <string>
#include <xcb/xcb.h>

#include "framework/controls/display_flush.h"

namespace {

// Steps on window 7 (lower case: window 8): M mapped, E the server's report read, I idle;
// F, P and H hand over a whole, a partial and an empty exposure, each answered '+' when
// dropped as a repeat and '-' when handed on.
std::string Answers(const std::string& steps) {
  TMapExposures exposures;
  const QRect full(0, 0, 100, 50);
  std::string answers;
  for (const char step : steps) {
    const uint32_t window = std::islower(static_cast<unsigned char>(step)) ? 8 : 7;
    switch (std::toupper(static_cast<unsigned char>(step))) {
    case 'M':
      exposures.Mapped(window);
      break;
    case 'E':
      exposures.ServerExposed(window);
      break;
    case 'I':
      exposures.Idle();
      break;
    case 'F':
      answers += exposures.Repeats(window, QRegion(full), full) ? '+' : '-';
      break;
    case 'P':
      answers += exposures.Repeats(window, QRegion(0, 0, 10, 10), full) ? '+' : '-';
      break;
    case 'H':
      answers += exposures.Repeats(window, QRegion(), full) ? '+' : '-';
      break;
    }
  }
  return answers;
}

class TExposeCount : public QWindow {
public:
  int Exposes = 0;

protected:
  void exposeEvent(QExposeEvent*) override { ++Exposes; }
};

} // namespace

TEST(DisplayFlush, OnlyTheRepeatOfAMapsExposureIsDropped) {
  const struct {
    const char* steps;
    const char* answers;
  } rows[] = {
      {"MEFF", "-+"},       // read before the whole repaint: dropped once
      {"MEFFF", "-+-"},     // the next is handed on
      {"MFEF", "--"},       // read after the repaint: new damage
      {"MFF", "--"},        // nothing was read
      {"MEPF", "--"},       // the first exposure did not cover the window
      {"MEHFF", "---"},     // hidden again
      {"MEFIF", "--"},      // a later pass of the event loop
      {"EFF", "--"},        // never mapped while watched
      {"MEmFfeFf", "--+-"}, // windows apart: 8 was reported after its repaint
      {"MmEeFfFf", "--++"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Answers(row.steps), row.answers) << row.steps;
}

TEST(DisplayFlush, DropsTheRepeatBeforeTheWindowSeesIt) {
  TExposeCount window;
  window.resize(100, 50);
  window.create();
  TDisplayFlush flush;
  window.installEventFilter(&flush);
  const uint32_t id = uint32_t(window.winId());
  xcb_map_notify_event_t map{};
  map.response_type = XCB_MAP_NOTIFY;
  map.event = map.window = id;
  xcb_expose_event_t expose{};
  expose.response_type = XCB_EXPOSE;
  expose.window = id;
  for (void* event : {static_cast<void*>(&map), static_cast<void*>(&expose)})
    EXPECT_FALSE(flush.nativeEventFilter("xcb_generic_event_t", event, nullptr));
  QExposeEvent whole{QRegion(0, 0, 100, 50)};
  QExposeEvent again{QRegion(0, 0, 100, 50)};
  QCoreApplication::sendEvent(&window, &whole);
  QCoreApplication::sendEvent(&window, &again);
  EXPECT_EQ(window.Exposes, 1);
  // Events of other platforms pass untouched.
  EXPECT_FALSE(flush.nativeEventFilter("windows_generic_MSG", &map, nullptr));
}

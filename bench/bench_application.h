// Widgets need the application object; the benchmarks run without a display.
#pragma once

#include <QApplication>

inline void NeedApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

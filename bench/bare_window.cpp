// The peer of bench_startup_process: a plain Qt program that shows a bare QMainWindow
// maximised, linking nothing of the editor, so that the editor's start is measured
// against what Qt alone costs.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.showMaximized();
  return application.exec();
}

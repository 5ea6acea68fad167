// The stand-in for the game runtime that every project carries as "KOVAX.exe". The game
// runtime is not part of this editor: this program accepts the test-play and battle-test
// command lines, checks the project's data files, and shows a small window saying what it
// was asked for until the tester closes it.
//
// Exit status: 0 after a run whose data files looked right, 1 when a data file failed the
// check, 2 for a command line it does not accept (no window then).
// VELMORA_RUNTIME_LOG: a file to which every start appends its command line (see
// runtime_log.h). VELMORA_RUNTIME_EXIT_MS: the window closes by itself after that many
// milliseconds (for tests).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/runtime/project_check.h"
#include "platform/runtime/runtime_log.h"
#include "platform/runtime/runtime_request.h"

namespace {

std::string WorkingFolder() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// A whole non-negative number of milliseconds, or -1.
int ExitDelay() {
  const char* text = std::getenv("VELMORA_RUNTIME_EXIT_MS");
  if (!text || !*text) return -1;
  char* end = nullptr;
  const long ms = std::strtol(text, &end, 10);
  if (*end || ms < 0 || ms > 86400000) return -1;
  return static_cast<int>(ms);
}

QLabel* AddLabel(QVBoxLayout* layout, const std::string& text) {
  auto* label = new QLabel(QString::fromUtf8(text.c_str()));
  label->setWordWrap(true);
  layout->addWidget(label);
  return label;
}

} // namespace

int main(int argc, char** argv) {
  const std::string folder = WorkingFolder();
  std::vector<std::string> fields{folder};
  fields.insert(fields.end(), argv, argv + argc);
  if (const char* log = std::getenv("VELMORA_RUNTIME_LOG"); log && *log)
    if (!AppendRuntimeLog(log, FormatRuntimeLogLine(fields)))
      std::fprintf(stderr, "KOVAX: cannot append to %s\n", log);

  const auto request = ParseRuntimeArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!request) {
    std::fprintf(stderr, "KOVAX: this stand-in for the game runtime only accepts\n"
                         "  TestPlay ShowTitle|HideTitle FullScreen|Window\n"
                         "  BattleTest HideTitle FullScreen|Window <monster group id>\n");
    return 2;
  }
  const std::vector<std::string> problems = CheckProjectFiles(folder, request->Test);

  QApplication app(argc, argv);
  QWidget window;
  window.setObjectName("RuntimeWindow");
  window.setWindowTitle(request->Test == TRuntimeTest::TestPlay ? "KOVAX - Test Play"
                                                                : "KOVAX - Battle Test");
  auto* layout = new QVBoxLayout(&window);
  for (const std::string& line : DescribeRuntimeRequest(*request))
    AddLabel(layout, line);
  AddLabel(layout, "Project folder: " + folder);
  AddLabel(layout, "The game runtime is not part of this editor. This stand-in only checks the "
                   "project's data files; close it to return to the editor.");
  if (problems.empty()) {
    AddLabel(layout, "The project's data files are in order.");
  } else {
    for (const std::string& problem : problems) {
      AddLabel(layout, problem);
      std::fprintf(stderr, "KOVAX: %s\n", problem.c_str());
    }
  }
  auto* close = new QPushButton("Close");
  close->setObjectName("ButtonClose");
  close->setDefault(true);
  QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
  layout->addWidget(close);
  window.resize(420, 200);
  window.show();
  if (const int ms = ExitDelay(); ms >= 0) QTimer::singleShot(ms, &window, &QWidget::close);
  app.exec();
  return problems.empty() ? 0 : 1;
}

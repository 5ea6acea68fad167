#include "shell/process_wait.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/controls/error_guard.h"
#include "framework/controls/window_placement.h"
#include "shell/shell_messages.h"

TFormProcessWait::TFormProcessWait(QWidget* owner) : TFormXelBase(owner) {
  setObjectName(QStringLiteral("FormProcessWait"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Panel1 = new QLabel(QString::fromLatin1(SProcessWaitText), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setWordWrap(true);
  layout->addWidget(Panel1);
  resize(180, 48);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1);
  connect(Timer1, &QTimer::timeout, this,
          [this] { GuardHandler(this, [this] { Timer1Timer(); }); });
  Timer1->start();

  Action_AltF4 = new QAction(this);
  Action_AltF4->setObjectName(QStringLiteral("Action_AltF4"));
  Action_AltF4->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  addAction(Action_AltF4);
  connect(Action_AltF4, &QAction::triggered, this, &TFormProcessWait::Action_AltF4Execute);
}

void TFormProcessWait::Timer1Timer() {
  if (Process && Process->state() != QProcess::NotRunning) return;
  Timer1->stop();
  if (QWidget* owner = parentWidget()) owner->window()->activateWindow();
  done(mrOk);
}

void TFormProcessWait::closeEvent(QCloseEvent* event) {
  // Only the end of the process closes the window.
  if (result() == 0) {
    event->ignore();
    return;
  }
  TFormXelBase::closeEvent(event);
}

bool RunProcessAndWait(QWidget* owner, const QString& caption, const QString& program,
                       const QStringList& arguments, const QString& workingFolder) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setWorkingDirectory(workingFolder);
  process.start();
  if (!process.waitForStarted()) return false;
  TFormProcessWait wait(owner);
  CenterFormOverOwner(&wait);
  wait.setWindowTitle(caption);
  wait.Process = &process;
  wait.exec();
  return true;
}

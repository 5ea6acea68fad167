#include "shell/process_wait.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QProcess>
#include <QTimer>

#include "core/path_resolver.h"
#include "framework/forms/form_builder.h"
#include "shell/shell_messages.h"

TFormProcessWait::TFormProcessWait(QWidget* owner) : TFormXelBase(owner) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  TFormBuilder b(this, "FormProcessWait", QString(), 180, 48);
  layout()->setContentsMargins(0, 0, 0, 0);
  QLabel* panel = b.Label("Panel1", QString::fromLatin1(SProcessWaitText));
  panel->setAlignment(Qt::AlignCenter);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setWordWrap(true);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1);
  On(Timer1, &QTimer::timeout, &TFormProcessWait::Timer1Timer);
  Timer1->start();

  // Alt+F4 is taken here, so it closes nothing.
  auto* altF4 = new QAction(this);
  altF4->setObjectName(QStringLiteral("Action_AltF4"));
  altF4->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  addAction(altF4);
  On(altF4, &QAction::triggered, &TFormProcessWait::Action_AltF4Execute);
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
  // The project may spell the program in another case than the caller names it.
  process.setProgram(QString::fromStdString(ResolvePath(program.toStdString()).Path));
  process.setArguments(arguments);
  process.setWorkingDirectory(workingFolder);
  process.start();
  if (!process.waitForStarted()) return false;
  TFormProcessWait wait(owner);
  wait.setWindowTitle(caption);
  wait.Process = &process;
  wait.Execute();
  return true;
}

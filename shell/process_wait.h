// The modal window that keeps the editor blocked while the game runtime runs: it polls
// the process every millisecond, closes itself once the process has ended, and refuses
// every other way of closing (the close button, Escape, Alt+F4).
#pragma once

#include <QStringList>

#include "framework/forms/form_xel_base.h"

class QProcess;
class QTimer;

class TFormProcessWait : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProcessWait(QWidget* owner = nullptr);

  // The process to wait for; none counts as ended.
  QProcess* Process = nullptr;

  void Timer1Timer();
  void Action_AltF4Execute() {}

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QTimer* Timer1;
};

// Starts Program (found without regard to case) with Arguments in WorkingFolder and waits
// for it in the wait window over Owner, captioned Caption. False, with no window shown,
// when it could not be started.
bool RunProcessAndWait(QWidget* owner, const QString& caption, const QString& program,
                       const QStringList& arguments, const QString& workingFolder);

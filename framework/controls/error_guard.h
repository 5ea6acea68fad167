// Exceptions never unwind through Qt. Every slot, event handler and timer tick that can
// throw runs its body inside GuardHandler, which shows the error box and carries on;
// TXelApplication::notify catches whatever still gets through.
#pragma once

#include <QApplication>

class TCBTHooker;

// Shows the exception being handled in the error box. Call it only inside a catch block.
void ShowCurrentException(QWidget* parent) noexcept;

// Runs body; an exception from it is shown in the error box over parent.
template <class Body> void GuardHandler(QWidget* parent, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ShowCurrentException(parent);
  }
}

// The editor's application object: the last net for exceptions, the centring of
// standard boxes, and the rule that a context menu opens only over the control under
// the mouse.
class TXelApplication : public QApplication {
public:
  TXelApplication(int& argc, char** argv);
  ~TXelApplication() override;
  bool notify(QObject* receiver, QEvent* event) override;

private:
  TCBTHooker* hooker_;
};

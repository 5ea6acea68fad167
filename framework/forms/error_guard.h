// The editor's application object, the last net for exceptions: every slot, event
// handler and timer tick that can throw runs its body inside GuardHandler
// (framework/controls/handler_guard.h), and TXelApplication::notify catches whatever
// still gets through.
#pragma once

#include <QApplication>
#include <functional>

#include "framework/controls/handler_guard.h"

class TCBTHooker;

// The editor's application object: the last net for exceptions, the centring of
// standard boxes, and the rule that a context menu of a control inside one of the
// editor's forms (IsEditorForm says which widgets are forms) opens only over the control
// under the mouse.
class TXelApplication : public QApplication {
public:
  TXelApplication(int& argc, char** argv, std::function<bool(const QWidget*)> isEditorForm);
  ~TXelApplication() override;
  bool notify(QObject* receiver, QEvent* event) override;

private:
  bool InsideEditorForm(const QWidget* widget) const;

  TCBTHooker* hooker_;
  std::function<bool(const QWidget*)> isEditorForm_;
};

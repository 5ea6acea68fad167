// The base of every editor window, in two flavours with the same manners: TFormXelBase
// for dialogs and pickers (a QDialog), TFormXelWidget for embedded pages and docked
// windows (a QWidget). F1 presses the form's enabled "ButtonHelp"; a context menu opens
// only over the control under the mouse (TXelApplication enforces it).
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

// Modal results.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// What both flavours share; they differ only in the Qt class they are built on.
class TFormXelCommon {
public:
  virtual ~TFormXelCommon() = default;

  // Help context of the form; "ButtonHelp" opens its page.
  int HelpContext = 0;

  // F1: clicks the form's "ButtonHelp" when it is enabled.
  void ActionF1Execute();
  void ButtonHelpClick();

protected:
  explicit TFormXelCommon(QWidget* self) : self_(self) {}
  // Handles the keys every form answers (F1); true when the key was used.
  bool HandleFormKey(QKeyEvent* event);

private:
  QWidget* self_;
};

class TFormXelBase : public QDialog, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelBase(QWidget* owner = nullptr);

  // The button that Escape and the title-bar close press; it closes with mrCancel.
  void SetCancelButton(QAbstractButton* button);
  QAbstractButton* CancelButton() const { return cancelButton_; }

  // Escape and the title-bar close act as the cancel button; without an enabled one the
  // dialog stays open.
  void reject() override;

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  QPointer<QAbstractButton> cancelButton_;
};

class TFormXelWidget : public QWidget, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelWidget(QWidget* parent = nullptr);

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The base of every editor window, in two flavours with the same manners: TFormXelBase
// for dialogs and pickers (a QDialog), TFormXelWidget for embedded pages and docked
// windows (a QWidget). F1 presses the form's enabled "ButtonHelp"; a context menu opens
// only over the control under the mouse (TXelApplication enforces it).
//
// Both carry the form toolkit's runtime (docs/forms.md): handlers connected with On run
// inside the error guard and do nothing while Updating is set; UpdateControls fills every
// bound control under Updating; EnableWhen rules follow every change; FormShow runs once,
// guarded, on the first show.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "framework/forms/error_guard.h"

class QKeyEvent;
class QPainter;
class QShowEvent;
class TBinding;

// Modal results.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// What both flavours share; they differ only in the Qt class they are built on.
class TFormXelCommon {
public:
  virtual ~TFormXelCommon();
  TFormXelCommon(const TFormXelCommon&) = delete;
  TFormXelCommon& operator=(const TFormXelCommon&) = delete;

  // Help context of the form; "ButtonHelp" opens its page.
  int HelpContext = 0;
  // Set while the program fills the controls (Qt signals those changes too): handlers
  // connected with On and the bindings do nothing meanwhile.
  bool Updating = false;
  // Run when a picker the form opened changed the database (renamed entries or changed
  // their number): a dialog marks it for saving, a page refreshes its lists.
  std::function<void()> OnDatabaseChanged;

  // F1: clicks the form's "ButtonHelp" when it is enabled.
  void ActionF1Execute();
  void ButtonHelpClick();

  // Runs once, inside the error guard, when the form is first shown by the program. The
  // default fills the controls from their fields.
  virtual void FormShow();

  // Connects a handler to Sender's Signal: a method of the form (&TFormX::Button1Click)
  // or any callable, taking the signal's arguments or none. It runs inside the error
  // guard, not at all while Updating is set, and the EnableWhen rules follow it.
  template <class Sender, class Signal, class Handler>
  QMetaObject::Connection On(Sender* sender, Signal signal, Handler handler) {
    return QObject::connect(sender, signal, Connections(), [this, handler](const auto&... args) {
      RunHandler([&] { CallHandler(handler, args...); });
    });
  }

  // Gives the focus to the first enabled input control in tab order (not a push button);
  // done on the first show unless FormShow focused a control itself.
  void FocusFirstInput();

  // Connects a painting handler(QPainter&) to View's Paint signal. It runs inside the
  // error guard, since an exception must not unwind through the paint event. A paint
  // while Updating draws nothing, as the form is half filled; the view is painted again
  // once the update is over.
  template <class View, class Handler>
  QMetaObject::Connection OnPaint(View* view, Handler handler) {
    return QObject::connect(view, &View::Paint, Connections(),
                            [this, view, handler](QPainter& canvas) {
                              if (Updating) return PaintAfterUpdating(view);
                              GuardHandler(self_, [&] { handler(canvas); });
                            });
  }

  // Fills every bound control from its field, then runs UpdateOwnControls, all under
  // Updating; then applies the EnableWhen rules.
  void UpdateControls();
  // Reads every bound control back into its field.
  void ReadControls();
  // Keeps Controls enabled exactly while Predicate holds (EnableControls: a disabled
  // control shows nothing, its field keeps the value and shows again when enabled).
  void EnableWhen(std::vector<QWidget*> controls, std::function<bool()> predicate);
  // The same for forms that grey what does not apply: disabled, the controls keep
  // showing their values.
  void GreyWhen(std::vector<QWidget*> controls, std::function<bool()> predicate);
  // Whether Control is disabled by GreyWhen rules alone, so that it rightly shows a value.
  bool GreyedShowingValue(const QWidget* control) const;
  // Evaluates the EnableWhen rules now; done after every change by itself.
  void ApplyEnableRules();

  // The builder adds a binding for every control it binds; so can a form for its own.
  TBinding& AddBinding(std::unique_ptr<TBinding> binding);
  // A bound control changed: its field takes the value (not while Updating).
  void TakeControlValue(TBinding& binding);
  // A control's field took a value the author chose elsewhere (in a picker it opened):
  // the form reacts as to a change of the control itself.
  void ControlValueChosen(QWidget* control) { BoundValueChanged(control); }
  QWidget* FormWidget() const { return self_; }
  // The context of every connection to a handler or binding: it goes before the bindings
  // do, so a control that signals while the form is taken down reaches nothing.
  QObject* Connections() const { return connections_.get(); }

protected:
  TFormXelCommon(QWidget* self, int helpContext);
  // The controls no binding covers, filled by UpdateControls under Updating.
  virtual void UpdateOwnControls() {}
  // After the author changed a bound control and its field took the value.
  virtual void BoundValueChanged(QWidget* control) {}
  // Handles the keys every form answers (F1); true when the key was used.
  bool HandleFormKey(QKeyEvent* event);
  void HandleShow(QShowEvent* event);

private:
  struct TEnableRule {
    std::vector<QWidget*> controls;
    std::function<bool()> predicate;
    bool blank = true; // disabled controls show nothing
    std::optional<bool> enabled;
  };

  template <class Body> void RunHandler(Body&& body) {
    if (Updating) return;
    const QPointer<QWidget> alive(self_);
    GuardHandler(self_, body);
    if (alive) GuardHandler(self_, [this] { ApplyEnableRules(); });
  }
  template <class Handler, class... Args> void CallHandler(const Handler& handler, Args&... args) {
    if constexpr (std::is_member_function_pointer_v<Handler>) {
      auto* form = FormOf(handler);
      if constexpr (std::is_invocable_v<Handler, decltype(form), Args&...>)
        (form->*handler)(args...);
      else
        (form->*handler)();
    } else if constexpr (std::is_invocable_v<const Handler&, Args&...>) {
      handler(args...);
    } else {
      handler();
    }
  }
  template <class Form, class Method> Form* FormOf(Method Form::*) {
    return static_cast<Form*>(this);
  }
  friend class TUpdatingScope;
  void PaintAfterUpdating(QWidget* view);
  void UpdatingEnded();
  void ApplyEnableRules(bool all);
  void FillBindingsWithin(const std::vector<QWidget*>& controls);
  void ShowNothingWithin(const std::vector<QWidget*>& controls);

  QWidget* self_;
  bool shown_ = false;
  std::vector<std::unique_ptr<TBinding>> bindings_;
  std::vector<TEnableRule> enableRules_;
  std::unique_ptr<QObject> connections_ = std::make_unique<QObject>();
  std::vector<QPointer<QWidget>> paintAfterUpdating_;
};

// Sets the form's Updating flag for its lifetime (nested scopes keep it set).
class TUpdatingScope {
public:
  explicit TUpdatingScope(TFormXelCommon& form) : form_(form), previous_(form.Updating) {
    form.Updating = true;
  }
  ~TUpdatingScope() {
    form_.Updating = previous_;
    if (!previous_) form_.UpdatingEnded();
  }
  TUpdatingScope(const TUpdatingScope&) = delete;
  TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
  TFormXelCommon& form_;
  bool previous_;
};

class TFormXelBase : public QDialog, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelBase(QWidget* owner = nullptr, int helpContext = 0);

  // Centres the form over its owner and runs it modally; true when it closed with OK.
  virtual bool Execute();
  // Puts the form at (dx, dy) from its owner's client origin and runs it modally.
  bool ExecuteAt(int dx, int dy);

  // "ButtonOk" of the builder runs this; the default closes with OK. Forms override it
  // to check and hand back their values first.
  virtual void ButtonOkClick();

  // The button that Escape and the title-bar close press; it closes with ModalResult.
  void SetCancelButton(QAbstractButton* button, int modalResult = mrCancel);
  QAbstractButton* CancelButton() const { return cancelButton_; }

  // Escape and the title-bar close act as the cancel button; without an enabled one the
  // dialog stays open.
  void reject() override;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  QPointer<QAbstractButton> cancelButton_;
};

class TFormXelWidget : public QWidget, public TFormXelCommon {
  Q_OBJECT
public:
  explicit TFormXelWidget(QWidget* parent = nullptr, int helpContext = 0,
                          Qt::WindowFlags flags = {});

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

// Whether Widget is one of the editor's forms (either flavour); the application object
// asks it for the rule on context menus.
bool IsEditorForm(const QWidget* widget);

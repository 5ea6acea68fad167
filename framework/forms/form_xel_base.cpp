#include "framework/forms/form_xel_base.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <utility>

#include "framework/controls/canvas_helpers.h"
#include "framework/controls/help.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_binding.h"
#include "framework/forms/modal_opener.h"

TFormXelCommon::TFormXelCommon(QWidget* self, int helpContext)
    : HelpContext(helpContext), self_(self) {}

TFormXelCommon::~TFormXelCommon() = default;

void TFormXelCommon::ActionF1Execute() {
  auto* button = self_->findChild<QAbstractButton*>(QStringLiteral("ButtonHelp"));
  if (button && button->isEnabled()) button->click();
}

void TFormXelCommon::ButtonHelpClick() {
  ShowHelpContext(HelpContext, self_);
}

bool TFormXelCommon::HandleFormKey(QKeyEvent* event) {
  if (event->key() != Qt::Key_F1 || event->modifiers() != Qt::NoModifier) return false;
  ActionF1Execute();
  return true;
}

void TFormXelCommon::FormShow() {
  UpdateControls();
}

namespace {

// What takes typing or a choice, as opposed to a push button or a caption.
bool IsInputControl(const QWidget* control) {
  return control->focusPolicy() & Qt::TabFocus && !qobject_cast<const QPushButton*>(control) &&
         !qobject_cast<const QTabBar*>(control) && !qobject_cast<const QTabWidget*>(control);
}

} // namespace

void TFormXelCommon::FocusFirstInput() {
  for (QWidget* w = self_->nextInFocusChain(); w && w != self_; w = w->nextInFocusChain()) {
    if (w->isVisibleTo(self_) && w->isEnabled() && IsInputControl(w)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void TFormXelCommon::HandleShow(QShowEvent* event) {
  if (event->spontaneous() || shown_) return;
  shown_ = true;
  GuardHandler(self_, [this] { FormShow(); });
  // Typing belongs in the form's first input unless the form chose a control itself.
  if (!self_->focusWidget()) FocusFirstInput();
}

TBinding& TFormXelCommon::AddBinding(std::unique_ptr<TBinding> binding) {
  bindings_.push_back(std::move(binding));
  TBinding& added = *bindings_.back();
  // A control shows its field from the start, also before the form is first shown.
  TUpdatingScope scope(*this);
  added.Fill();
  return added;
}

void TFormXelCommon::TakeControlValue(TBinding& binding) {
  RunHandler([&] {
    binding.Read();
    BoundValueChanged(binding.Control());
  });
}

void TFormXelCommon::PaintAfterUpdating(QWidget* view) {
  // A scroll frame paints through its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(view)) view = area->viewport();
  if (std::find(paintAfterUpdating_.begin(), paintAfterUpdating_.end(), view) ==
      paintAfterUpdating_.end())
    paintAfterUpdating_.push_back(view);
}

void TFormXelCommon::UpdatingEnded() {
  for (const QPointer<QWidget>& view : std::exchange(paintAfterUpdating_, {}))
    if (view) view->update();
}

void TFormXelCommon::UpdateControls() {
  {
    TUpdatingScope scope(*this);
    for (const auto& binding : bindings_)
      binding->Fill();
    UpdateOwnControls();
  }
  ApplyEnableRules(true);
}

void TFormXelCommon::ReadControls() {
  for (const auto& binding : bindings_)
    binding->Read();
}

void TFormXelCommon::EnableWhen(std::vector<QWidget*> controls, std::function<bool()> predicate) {
  enableRules_.push_back({std::move(controls), std::move(predicate), true, std::nullopt});
  ApplyEnableRules(false);
}

void TFormXelCommon::GreyWhen(std::vector<QWidget*> controls, std::function<bool()> predicate) {
  enableRules_.push_back({std::move(controls), std::move(predicate), false, std::nullopt});
  ApplyEnableRules(false);
}

namespace {

// Whether Control is one of Controls or lies inside one of them.
bool Covers(const std::vector<QWidget*>& controls, const QWidget* control) {
  return std::any_of(controls.begin(), controls.end(), [control](QWidget* outer) {
    return outer == control || outer->isAncestorOf(control);
  });
}

} // namespace

bool TFormXelCommon::GreyedShowingValue(const QWidget* control) const {
  bool greyed = false;
  for (const TEnableRule& rule : enableRules_) {
    if (rule.enabled != false || !Covers(rule.controls, control)) continue;
    if (rule.blank) return false;
    greyed = true;
  }
  return greyed;
}

void TFormXelCommon::ApplyEnableRules() {
  ApplyEnableRules(false);
}

void TFormXelCommon::ApplyEnableRules(bool all) {
  // Blanking a disabled control changes it, which must not reach its field.
  TUpdatingScope scope(*this);
  bool refilled = false;
  for (TEnableRule& rule : enableRules_) {
    const bool enabled = rule.predicate();
    if (!all && rule.enabled == enabled) continue;
    const bool wasDisabled = rule.enabled == false;
    rule.enabled = enabled;
    if (!rule.blank) {
      GreyControls(rule.controls, enabled);
      continue;
    }
    EnableControls(rule.controls, enabled);
    if (!enabled) ShowNothingWithin(rule.controls);
    // The controls were blanked while disabled; their fields kept the values.
    if (enabled && wasDisabled) {
      FillBindingsWithin(rule.controls);
      refilled = true;
    }
  }
  // A refilled group may hold controls that a rule of their own keeps disabled.
  if (refilled)
    for (const TEnableRule& rule : enableRules_)
      if (rule.blank && rule.enabled == false) {
        for (QWidget* control : rule.controls)
          ShowNothing(control);
        ShowNothingWithin(rule.controls);
      }
}

void TFormXelCommon::ShowNothingWithin(const std::vector<QWidget*>& controls) {
  // The value controls inside a disabled group show nothing either.
  for (QWidget* outer : controls)
    for (QWidget* control : outer->findChildren<QWidget*>())
      if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
        ShowNothing(control);
}

void TFormXelCommon::FillBindingsWithin(const std::vector<QWidget*>& controls) {
  for (const auto& binding : bindings_)
    if (Covers(controls, binding->Control())) binding->Fill();
}

TFormXelBase::TFormXelBase(QWidget* owner, int helpContext)
    : QDialog(owner), TFormXelCommon(this, helpContext) {}

namespace {

// The layout grows the form to what its content needs; it is placed at that size.
void SettleSize(QWidget* form) {
  if (form->layout()) form->layout()->activate();
}

} // namespace

// Beside Execute, so that the opener itself needs nothing of the dialog base.
bool OpenModal(TFormXelBase& form) {
  return RunModal(form, [&form] { return form.Execute(); });
}

bool TFormXelBase::Execute() {
  return RunModal(*this, [this] {
    SettleSize(this);
    CenterFormOverOwner(this);
    return exec() == mrOk;
  });
}

bool TFormXelBase::ExecuteAt(int dx, int dy) {
  return RunModal(*this, [this, dx, dy] {
    SettleSize(this);
    PlaceFormRelativeToOwner(this, dx, dy);
    return exec() == mrOk;
  });
}

void TFormXelBase::ButtonOkClick() {
  done(mrOk);
}

void TFormXelBase::SetCancelButton(QAbstractButton* button, int modalResult) {
  cancelButton_ = button;
  connect(button, &QAbstractButton::clicked, this, [this, modalResult] { done(modalResult); });
}

void TFormXelBase::reject() {
  if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled())
    cancelButton_->click();
}

void TFormXelBase::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QDialog::keyPressEvent(event);
}

void TFormXelBase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  HandleShow(event);
}

TFormXelWidget::TFormXelWidget(QWidget* parent, int helpContext, Qt::WindowFlags flags)
    : QWidget(parent, flags), TFormXelCommon(this, helpContext) {}

void TFormXelWidget::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QWidget::keyPressEvent(event);
}

void TFormXelWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  HandleShow(event);
}

bool IsEditorForm(const QWidget* widget) {
  return dynamic_cast<const TFormXelCommon*>(widget) != nullptr;
}

#include "framework/forms/form_xel_base.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShowEvent>
#include <algorithm>

#include "framework/controls/canvas_helpers.h"
#include "framework/controls/help.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_binding.h"

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

void TFormXelCommon::HandleShow(QShowEvent* event) {
  if (event->spontaneous() || shown_) return;
  shown_ = true;
  GuardHandler(self_, [this] { FormShow(); });
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
  enableRules_.push_back({std::move(controls), std::move(predicate), std::nullopt});
  ApplyEnableRules(false);
}

void TFormXelCommon::ApplyEnableRules() {
  ApplyEnableRules(false);
}

void TFormXelCommon::ApplyEnableRules(bool all) {
  // Blanking a disabled control changes it, which must not reach its field.
  TUpdatingScope scope(*this);
  for (TEnableRule& rule : enableRules_) {
    const bool enabled = rule.predicate();
    if (!all && rule.enabled == enabled) continue;
    const bool wasDisabled = rule.enabled == false;
    rule.enabled = enabled;
    EnableControls(rule.controls, enabled);
    // The controls were blanked while disabled; their fields kept the values.
    if (enabled && wasDisabled) FillBindingsWithin(rule.controls);
  }
}

void TFormXelCommon::FillBindingsWithin(const std::vector<QWidget*>& controls) {
  for (const auto& binding : bindings_) {
    QWidget* control = binding->Control();
    if (std::any_of(controls.begin(), controls.end(), [control](QWidget* outer) {
          return outer == control || outer->isAncestorOf(control);
        }))
      binding->Fill();
  }
}

TFormXelBase::TFormXelBase(QWidget* owner, int helpContext)
    : QDialog(owner), TFormXelCommon(this, helpContext) {}

bool TFormXelBase::Execute() {
  CenterFormOverOwner(this);
  return exec() == mrOk;
}

bool TFormXelBase::ExecuteAt(int dx, int dy) {
  PlaceFormRelativeToOwner(this, dx, dy);
  return exec() == mrOk;
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

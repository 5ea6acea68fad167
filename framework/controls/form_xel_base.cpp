#include "framework/controls/form_xel_base.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include "framework/controls/help.h"

void TFormXelCommon::ActionF1Execute() {
  auto* button = self_->findChild<QAbstractButton*>(QStringLiteral("ButtonHelp"));
  if (button && button->isEnabled()) button->click();
}

void TFormXelCommon::ButtonHelpClick() {
  ShowHelpContext(HelpContext);
}

bool TFormXelCommon::HandleFormKey(QKeyEvent* event) {
  if (event->key() != Qt::Key_F1 || event->modifiers() != Qt::NoModifier) return false;
  ActionF1Execute();
  return true;
}

TFormXelBase::TFormXelBase(QWidget* owner) : QDialog(owner), TFormXelCommon(this) {}

void TFormXelBase::SetCancelButton(QAbstractButton* button) {
  cancelButton_ = button;
  connect(button, &QAbstractButton::clicked, this, [this] { done(mrCancel); });
}

void TFormXelBase::reject() {
  if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled())
    cancelButton_->click();
}

void TFormXelBase::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QDialog::keyPressEvent(event);
}

TFormXelWidget::TFormXelWidget(QWidget* parent) : QWidget(parent), TFormXelCommon(this) {}

void TFormXelWidget::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(event)) QWidget::keyPressEvent(event);
}

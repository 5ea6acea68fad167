#include "framework/controls/form_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/form_xel_base.h"
#include "framework/controls/group_frames.h"

namespace {

constexpr int FormMargin = 8;
constexpr int ControlSpacing = 6;

} // namespace

TFormBuilder::TFormBuilder(QWidget* form, const char* name, const QString& caption, int clientWidth,
                           int clientHeight)
    : form_(form) {
  form->setObjectName(QString::fromLatin1(name));
  form->setWindowTitle(caption);
  auto* root = new QVBoxLayout(form);
  root->setContentsMargins(FormMargin, FormMargin, FormMargin, FormMargin);
  root->setSpacing(ControlSpacing);
  levels_.push_back({root, form});
  // The layout still grows the form when the texts need more room than that.
  form->resize(clientWidth, clientHeight);
}

void TFormBuilder::Begin(QBoxLayout* layout, QWidget* container) {
  layout->setSpacing(ControlSpacing);
  levels_.push_back({layout, container});
}

void TFormBuilder::BeginRow() {
  auto* row = new QHBoxLayout();
  levels_.back().layout->addLayout(row);
  row->setContentsMargins(0, 0, 0, 0);
  Begin(row, Container());
}

void TFormBuilder::BeginColumn() {
  auto* column = new QVBoxLayout();
  levels_.back().layout->addLayout(column);
  column->setContentsMargins(0, 0, 0, 0);
  Begin(column, Container());
}

QGroupBox* TFormBuilder::BeginGroup(const char* name, const QString& caption) {
  auto* group = new TFakeGroupBox(caption, Container());
  Place(group, name);
  Begin(new QVBoxLayout(group), group);
  return group;
}

void TFormBuilder::End() {
  if (levels_.size() > 1) levels_.pop_back();
}

void TFormBuilder::Stretch() {
  levels_.back().layout->addStretch();
}

void TFormBuilder::Place(QWidget* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  levels_.back().layout->addWidget(control);
}

QLabel* TFormBuilder::Label(const char* name, const QString& caption) {
  return Add<QLabel>(name, caption);
}

QPushButton* TFormBuilder::Button(const char* name, const QString& caption) {
  return Add<QPushButton>(name, caption);
}

QCheckBox* TFormBuilder::CheckBox(const char* name, const QString& caption) {
  return Add<QCheckBox>(name, caption);
}

QRadioButton* TFormBuilder::RadioButton(const char* name, const QString& caption) {
  return Add<QRadioButton>(name, caption);
}

QComboBox* TFormBuilder::ComboBox(const char* name, const QStringList& items) {
  auto* combo = Add<QComboBox>(name);
  combo->addItems(items);
  return combo;
}

TDialEdit* TFormBuilder::DialEdit(const char* name, int minValue, int maxValue, int value) {
  auto* edit = Add<TDialEdit>(name);
  edit->SetMinValue(minValue);
  edit->SetMaxValue(maxValue);
  edit->SetValue(value);
  return edit;
}

TOverEdit* TFormBuilder::OverEdit(const char* name) {
  return Add<TOverEdit>(name);
}

TDashBox* TFormBuilder::DashBox(const char* name) {
  return Add<TDashBox>(name);
}

QPushButton* TFormBuilder::OkButton() {
  QPushButton* button = Button("ButtonOk", QStringLiteral("&Ok"));
  button->setDefault(true);
  return button;
}

QPushButton* TFormBuilder::CancelButton() {
  QPushButton* button = Button("ButtonCancel", QStringLiteral("Cancel"));
  if (auto* dialog = dynamic_cast<TFormXelBase*>(form_)) dialog->SetCancelButton(button);
  return button;
}

QPushButton* TFormBuilder::HelpButton() {
  QPushButton* button = Button("ButtonHelp", QStringLiteral("&Help"));
  if (auto* common = dynamic_cast<TFormXelCommon*>(form_))
    QObject::connect(button, &QPushButton::clicked, form_, [common] { common->ButtonHelpClick(); });
  return button;
}

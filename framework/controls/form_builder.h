// Builds a form's controls in code: each control is declared with its name, caption and
// range in one line, placed in the current row, column or group, and gets its
// objectName. The form's given client size becomes its initial size.
//
//   TFormBuilder b(this, "FormDataMaxChange", "Data Maximum (30,000)", 217, 73);
//   b.BeginRow();
//   b.BeginGroup("GroupBox1", "Max Data Num.");
//   DialEdit1 = b.DialEdit("DialEdit1", -10, 30000, 1);
//   b.End();
//   b.BeginColumn();
//   ButtonOk = b.OkButton();
//   ButtonCancel = b.CancelButton();
//   b.End();
//   b.End();
//   connect(ButtonOk, &QPushButton::clicked, this, &TFormDataMaxChange::ButtonOkClick);
#pragma once

#include <QBoxLayout>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TDashBox;
class TDialEdit;
class TOverEdit;

class TFormBuilder {
public:
  // Names and captions the form; the controls go into a column filling the form.
  TFormBuilder(QWidget* form, const char* name, const QString& caption, int clientWidth,
               int clientHeight);

  // Containers: everything declared until the matching End goes inside.
  void BeginRow();
  void BeginColumn();
  QGroupBox* BeginGroup(const char* name, const QString& caption);
  void End();
  // Pushes the following controls of the current row or column to its far end.
  void Stretch();

  QLabel* Label(const char* name, const QString& caption);
  QPushButton* Button(const char* name, const QString& caption);
  QCheckBox* CheckBox(const char* name, const QString& caption);
  QRadioButton* RadioButton(const char* name, const QString& caption);
  QComboBox* ComboBox(const char* name, const QStringList& items);
  TDialEdit* DialEdit(const char* name, int minValue, int maxValue, int value);
  TOverEdit* OverEdit(const char* name);
  TDashBox* DashBox(const char* name);

  // The standard buttons: "&Ok" (the default button), "Cancel" (Escape and the title-bar
  // close press it; it closes a dialog with mrCancel), "&Help" (F1 presses it; it opens
  // the form's help context).
  QPushButton* OkButton();
  QPushButton* CancelButton();
  QPushButton* HelpButton();

  // Any other control: created inside the current container, named and placed.
  template <class Control, class... Args> Control* Add(const char* name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., Container());
    Place(control, name);
    return control;
  }

private:
  QWidget* Container() const { return levels_.back().container; }
  void Place(QWidget* control, const char* name);
  void Begin(QBoxLayout* layout, QWidget* container);

  struct TLevel {
    QBoxLayout* layout;
    QWidget* container;
  };
  QWidget* form_;
  std::vector<TLevel> levels_;
};

#include "framework/forms/form_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QTabWidget>
#include <stdexcept>

#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/group_frames.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/slider.h"

namespace {

constexpr int FormMargin = 8;
constexpr int ControlSpacing = 6;
// The title bar's icon and buttons beside its text.
constexpr int TitleBarAllowance = 100;

QString Name(const char* name) {
  return QString::fromLatin1(name);
}

const char* const DesignSizeProperty = "velmoraDesignClientSize";

} // namespace

QSize DesignClientSize(const QWidget* form) {
  return form->property(DesignSizeProperty).toSize();
}

TFormBuilder::TFormBuilder(QWidget* form, const char* name, const QString& caption, int clientWidth,
                           int clientHeight)
    : form_(form) {
  form->setObjectName(Name(name));
  form->setWindowTitle(caption);
  auto* root = new QVBoxLayout(form);
  root->setContentsMargins(FormMargin, FormMargin, FormMargin, FormMargin);
  root->setSpacing(ControlSpacing);
  // The form is wide enough for its title beside the title bar's icon and buttons.
  if (!caption.isEmpty()) {
    QFont bold = form->font();
    bold.setBold(true);
    root->addSpacerItem(new QSpacerItem(QFontMetrics(bold).horizontalAdvance(caption) +
                                            TitleBarAllowance - 2 * FormMargin,
                                        0, QSizePolicy::Minimum, QSizePolicy::Fixed));
  }
  levels_.push_back({root, form});
  form->setProperty(DesignSizeProperty, QSize(clientWidth, clientHeight));
  form->resize(clientWidth, clientHeight);
}

TFormXelCommon& TFormBuilder::Form() const {
  auto* form = dynamic_cast<TFormXelCommon*>(form_);
  if (!form) throw std::logic_error("bound controls need a form of the toolkit");
  return *form;
}

void TFormBuilder::PlaceControl(QWidget* control, const char* name) {
  // A control that states no size of its own (an owner-drawn surface) keeps the size it
  // was made with: a row would otherwise squeeze it to nothing beside controls that do.
  // A plain widget or frame is a container whose layout comes later.
  const QMetaObject* kind = control->metaObject();
  if (!control->sizeHint().isValid() && control->minimumSize().isNull() &&
      kind != &QWidget::staticMetaObject && kind != &QFrame::staticMetaObject)
    control->setMinimumSize(control->size());
  // A combo box is never narrower than its longest item, also for items filled in later.
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setSizePolicy(QSizePolicy::Minimum, combo->sizePolicy().verticalPolicy());
  }
  Place(control, name);
}

void TFormBuilder::Place(QWidget* control, const char* name) {
  control->setObjectName(Name(name));
  TLevel& level = levels_.back();
  if (level.tabs) throw std::logic_error("a tab control holds only Tab pages");
  if (auto* grid = qobject_cast<QGridLayout*>(level.layout)) {
    grid->addWidget(control, level.placed / level.gridColumns, level.placed % level.gridColumns);
    ++level.placed;
  } else {
    static_cast<QBoxLayout*>(level.layout)->addWidget(control);
  }
}

void TFormBuilder::Nest(TLevel level, const TContent& content) {
  if (level.layout) {
    level.layout->setSpacing(ControlSpacing);
    if (level.container == Container()) {
      // A layout of its own inside the current one, at the next place.
      level.layout->setContentsMargins(0, 0, 0, 0);
      TLevel& outer = levels_.back();
      if (outer.tabs) throw std::logic_error("a tab control holds only Tab pages");
      if (auto* grid = qobject_cast<QGridLayout*>(outer.layout)) {
        grid->addLayout(level.layout, outer.placed / outer.gridColumns,
                        outer.placed % outer.gridColumns);
        ++outer.placed;
      } else {
        static_cast<QBoxLayout*>(outer.layout)->addLayout(level.layout);
      }
    }
  }
  levels_.push_back(level);
  // The level ends with its content even when a mistake in it throws.
  struct TPop {
    std::vector<TLevel>& levels;
    ~TPop() { levels.pop_back(); }
  } pop{levels_};
  content();
}

void TFormBuilder::Row(const TContent& content) {
  Nest({new QHBoxLayout(), Container()}, content);
}

void TFormBuilder::Column(const TContent& content) {
  Nest({new QVBoxLayout(), Container()}, content);
}

void TFormBuilder::Grid(int columns, const TContent& content) {
  if (columns < 1) throw std::logic_error("a grid needs a column");
  TLevel level{new QGridLayout(), Container()};
  level.gridColumns = columns;
  Nest(level, content);
}

QGroupBox* TFormBuilder::Group(const char* name, const QString& caption, const TContent& content) {
  auto* group = new TFakeGroupBox(caption, Container());
  Place(group, name);
  Nest({new QVBoxLayout(group), group}, content);
  return group;
}

QTabWidget* TFormBuilder::Tabs(const char* name, const TContent& content) {
  auto* tabs = new QTabWidget(Container());
  Place(tabs, name);
  TLevel level{nullptr, tabs};
  level.tabs = tabs;
  Nest(level, content);
  return tabs;
}

QWidget* TFormBuilder::Tab(const char* name, const QString& caption, const TContent& content) {
  QTabWidget* tabs = levels_.back().tabs;
  if (!tabs) throw std::logic_error("a Tab page belongs directly into Tabs");
  auto* page = new QWidget(tabs);
  page->setObjectName(Name(name));
  tabs->addTab(page, caption);
  Nest({new QVBoxLayout(page), page}, content);
  return page;
}

void TFormBuilder::Stretch() {
  TLevel& level = levels_.back();
  if (auto* box = qobject_cast<QBoxLayout*>(level.layout))
    box->addStretch();
  else
    ++level.placed; // in a grid: an empty cell
}

QLabel* TFormBuilder::Label(const char* name, const QString& caption) {
  return Add<QLabel>(name, caption);
}

QPushButton* TFormBuilder::Button(const char* name, const QString& caption) {
  return Add<QPushButton>(name, caption);
}

TDialEdit* TFormBuilder::DialEdit(const char* name, int minValue, int maxValue, TField<int> value) {
  auto* edit = Add<TDialEdit>(name);
  edit->SetMinValue(minValue);
  edit->SetMaxValue(maxValue);
  // A refresh that shows the same number leaves the box alone: the author may be typing
  // in it, and setting the value selects the whole text of a focused box.
  return Bind(
      edit, &QLineEdit::textChanged, std::move(value),
      [](TDialEdit* c, int v) {
        if (c->text() != QString::number(v)) c->SetValue(v);
      },
      [](TDialEdit* c) { return c->Value(); });
}

QCheckBox* TFormBuilder::CheckBox(const char* name, const QString& caption, TField<bool> checked) {
  return Bind(
      Add<QCheckBox>(name, caption), &QCheckBox::toggled, std::move(checked),
      [](QCheckBox* c, bool v) { c->setChecked(v); }, [](QCheckBox* c) { return c->isChecked(); });
}

void TFormBuilder::Radios(TField<int> index, const TContent& content) {
  auto* group = new QButtonGroup(form_);
  {
    struct TRestore {
      QButtonGroup*& current;
      QButtonGroup* outer;
      ~TRestore() { current = outer; }
    } restore{radios_, radios_};
    radios_ = group;
    content();
  }
  TFormXelCommon& form = Form();
  TBinding& added = form.AddBinding(std::make_unique<TBinding>(
      group->buttons().value(0),
      [group, index] {
        if (!index.Present()) return;
        if (QAbstractButton* button = group->button(index.Get())) {
          button->setChecked(true);
          return;
        }
        // An exclusive group keeps one button checked; none is checked for no index.
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons())
          button->setChecked(false);
        group->setExclusive(true);
      },
      [group, index] {
        if (index.Present() && group->checkedId() >= 0) index.Set(group->checkedId());
      }));
  QObject::connect(group, &QButtonGroup::idToggled, form.Connections(),
                   [&form, &added](int, bool checked) {
                     if (checked) form.TakeControlValue(added);
                   });
}

QRadioButton* TFormBuilder::Radio(const char* name, const QString& caption) {
  if (!radios_) throw std::logic_error("a Radio button belongs inside Radios");
  return Radio(name, caption, static_cast<int>(radios_->buttons().size()));
}

QRadioButton* TFormBuilder::Radio(const char* name, const QString& caption, int tag) {
  if (!radios_) throw std::logic_error("a Radio button belongs inside Radios");
  if (radios_->button(tag)) throw std::logic_error("two Radio buttons with one Tag");
  auto* button = Add<QRadioButton>(name, caption);
  radios_->addButton(button, tag);
  return button;
}

QGroupBox* TFormBuilder::RadioGroup(const char* name, const QString& caption,
                                    const QStringList& items, TField<int> index, int columns) {
  return Group(name, caption, [&] {
    Radios(std::move(index), [&] {
      Grid(columns, [&] {
        for (int i = 0; i < items.size(); ++i)
          Radio((std::string(name) + "_" + std::to_string(i)).c_str(), items[i]);
      });
    });
  });
}

QComboBox* TFormBuilder::ComboBox(const char* name, const QStringList& items, TField<int> index) {
  auto* combo = Add<QComboBox>(name);
  combo->addItems(items);
  return Bind(
      combo, &QComboBox::currentIndexChanged, std::move(index),
      [](QComboBox* c, int v) { c->setCurrentIndex(v); },
      [](QComboBox* c) { return c->currentIndex(); });
}

QListWidget* TFormBuilder::ListBox(const char* name, const QStringList& items, TField<int> index) {
  auto* list = Add<QListWidget>(name);
  list->addItems(items);
  return Bind(
      list, &QListWidget::currentRowChanged, std::move(index),
      [](QListWidget* c, int v) { c->setCurrentRow(v); },
      [](QListWidget* c) { return c->currentRow(); });
}

TSlider* TFormBuilder::Slider(const char* name, int minValue, int maxValue, TField<int> position) {
  auto* slider = Add<TSlider>(name);
  slider->SetMin(minValue);
  slider->SetMax(maxValue);
  return Bind(
      slider, &TSlider::Change, std::move(position), [](TSlider* c, int v) { c->SetPosition(v); },
      [](TSlider* c) { return c->Position(); });
}

namespace {

// A refresh that shows the same text again leaves the box as the author has it: Qt would
// put the caret after the text even then, and so show the end of a long one.
void ShowText(TOverEdit* edit, const QString& text) {
  if (edit->text() != text.left(edit->maxLength())) edit->setText(text);
}

} // namespace

TOverEdit* TFormBuilder::Edit(const char* name, TField<std::string> text, int maxLength) {
  auto* edit = Add<TOverEdit>(name);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return Bind(
      edit, &QLineEdit::textChanged, std::move(text),
      [](TOverEdit* c, const std::string& v) { ShowText(c, ToQString(v)); },
      [](TOverEdit* c) { return FromQString(c->text()); });
}

TOverEdit* TFormBuilder::Edit(const char* name, TField<QString> text, int maxLength) {
  auto* edit = Add<TOverEdit>(name);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return Bind(
      edit, &QLineEdit::textChanged, std::move(text),
      [](TOverEdit* c, const QString& v) { ShowText(c, v); },
      [](TOverEdit* c) { return c->text(); });
}

TFixedMemo* TFormBuilder::Memo(const char* name, TField<std::string> text) {
  return Bind(
      Add<TFixedMemo>(name), &QTextEdit::textChanged, std::move(text),
      [](TFixedMemo* c, const std::string& v) { c->setPlainText(ToQString(v)); },
      [](TFixedMemo* c) { return FromQString(c->Text()); });
}

template <class V, class Text>
TDashBox* TFormBuilder::ShowInBox(TDashBox* box, TField<V> field, Text text) {
  // The box only shows the field: the picker handler stores the new value.
  Form().AddBinding(std::make_unique<TBinding>(
      box,
      [box, field, text] {
        if (field.Present()) box->SetText(text(field.Get()));
      },
      [] {}));
  return box;
}

TDashBox* TFormBuilder::ValueBox(const char* name, TField<int> id,
                                 std::function<QString(int)> text) {
  return ShowInBox(Add<TDashBox>(name), std::move(id), std::move(text));
}

TDashBox* TFormBuilder::ValueBox(const char* name, TField<std::string> text) {
  return ShowInBox(Add<TDashBox>(name), std::move(text),
                   [](const std::string& value) { return ToQString(value); });
}

TDashBox* TFormBuilder::ValueBox(const char* name, TField<QString> text) {
  return ShowInBox(Add<TDashBox>(name), std::move(text),
                   [](const QString& value) { return value; });
}

QPushButton* TFormBuilder::OkButton() {
  QPushButton* button = Button("ButtonOk", QStringLiteral("&Ok"));
  button->setDefault(true);
  if (auto* dialog = dynamic_cast<TFormXelBase*>(form_))
    dialog->On(button, &QPushButton::clicked, [dialog] { dialog->ButtonOkClick(); });
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
    common->On(button, &QPushButton::clicked, [common] { common->ButtonHelpClick(); });
  return button;
}

TStandardButtons TFormBuilder::StandardButtons(bool withHelp) {
  TStandardButtons buttons;
  buttons.Ok = OkButton();
  buttons.Cancel = CancelButton();
  if (withHelp) buttons.Help = HelpButton();
  return buttons;
}

TStandardButtons TFormBuilder::ButtonColumn(bool withHelp) {
  TStandardButtons buttons;
  Column([&] {
    buttons = StandardButtons(withHelp);
    Stretch();
  });
  return buttons;
}

#include "framework/pickers/sel_switch.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include "core/busy_cursor.h"
#include "core/database_tables.h"
#include "core/switch_records.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/group_frames.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/list_routines.h"

int LastSwitchId = 1;
int LastVariableId = 1;

VELMORA_REGISTER_FORM(TFormSelSwitch, TFormGroup::Dialog, 0, LastSwitchId);
VELMORA_REGISTER_FORM(TFormSelVariable, TFormGroup::Dialog, 0, LastVariableId);

namespace {

constexpr int NameMaxLength = 20;

Qt::Key QtKeyOf(TListKey key) {
  switch (key) {
  case TListKey::Up:
    return Qt::Key_Up;
  case TListKey::Down:
    return Qt::Key_Down;
  case TListKey::Home:
    return Qt::Key_Home;
  case TListKey::End:
    return Qt::Key_End;
  case TListKey::None:
    break;
  }
  return Qt::Key_unknown;
}

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  // The keys act while the list has the focus, as the menu's do.
  action->setShortcutContext(Qt::WidgetShortcut);
  return action;
}

bool ClipboardHoldsText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

} // namespace

TFormSelNameBase::TFormSelNameBase(QWidget* owner, TCatalog* catalog, int& lastId, const char* name,
                                   const char* caption, const char* label)
    : TFormXelBase(owner), catalog_(catalog), lastId_(lastId) {
  TFormBuilder b(this, name, QString::fromLatin1(caption), 345, 381);
  b.Row([&] {
    b.Column([&] {
      b.Add<TDeluxeLabel>("DeluxeLabel1", QString::fromLatin1(label));
      GroupList = b.Add<QListWidget>("GroupList");
      GroupList->setFixedWidth(121);
      ButtonMax = b.Button("ButtonMax", QStringLiteral("Max Field Number..."));
    });
    DataList = b.Add<TSmartListBox>("DataList");
    DataList->setFixedWidth(177);
  });
  b.Group("GroupBox1", QStringLiteral("Name"), [&] {
    b.Row([&] {
      Label1 = b.Label("Label1", QStringLiteral("0000:"));
      OverEdit1 = b.Add<TOverEdit>("OverEdit1");
      OverEdit1->setMaxLength(NameMaxLength);
    });
  });
  b.Row([&] {
    b.Stretch();
    ButtonOk = b.OkButton();
    b.CancelButton();
    ButtonApply = b.Button("ButtonApply", QStringLiteral("&Apply"));
  });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  MenuCopy = MenuItem(PopupMenu1, "MenuCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  MenuPaste = MenuItem(PopupMenu1, "MenuPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  MenuClear = MenuItem(PopupMenu1, "MenuClear", "C&lear", QKeySequence(Qt::Key_Delete));
  DataList->addActions({MenuCopy, MenuPaste, MenuClear});
  DataList->SetPopupMenu(PopupMenu1);
  auto* previous = new QAction(this);
  previous->setObjectName(QStringLiteral("ActionPrevious"));
  previous->setShortcuts({QKeySequence(Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_F4)});
  auto* next = new QAction(this);
  next->setObjectName(QStringLiteral("ActionNext"));
  next->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F5)});
  addActions({previous, next});

  On(GroupList, &QListWidget::currentRowChanged, &TFormSelNameBase::GroupListClick);
  On(DataList, &QListWidget::currentRowChanged, &TFormSelNameBase::DataListClick);
  On(DataList, &QListWidget::itemDoubleClicked, [this] { ButtonOk->click(); });
  On(OverEdit1, &QLineEdit::textChanged, &TFormSelNameBase::OverEdit1Change);
  On(ButtonApply, &QPushButton::clicked, &TFormSelNameBase::ButtonApplyClick);
  On(ButtonMax, &QPushButton::clicked, &TFormSelNameBase::ButtonMaxClick);
  On(previous, &QAction::triggered, &TFormSelNameBase::ActionPreviousExecute);
  On(next, &QAction::triggered, &TFormSelNameBase::ActionNextExecute);
  On(PopupMenu1, &QMenu::aboutToShow, &TFormSelNameBase::PopupMenu1Popup);
  On(MenuCopy, &QAction::triggered, &TFormSelNameBase::MenuCopyClick);
  On(MenuPaste, &QAction::triggered, &TFormSelNameBase::MenuPasteClick);
  On(MenuClear, &QAction::triggered, &TFormSelNameBase::MenuClearClick);
  On(QApplication::clipboard(), &QClipboard::dataChanged,
     [this] { MenuPaste->setEnabled(current_ > 0 && ClipboardHoldsText()); });
  // An empty list has nothing to choose; names go in only once one was edited.
  EnableWhen({ButtonOk}, [this] { return HasNames(); });
  EnableWhen({ButtonApply}, [this] { return edited_ && HasNames(); });

  if (catalog_) WorkingNames.LoadFrom(*catalog_);
}

void TFormSelNameBase::FormShow() {
  current_ = ClampNameId(lastId_, WorkingNames.Count());
  {
    TUpdatingScope updating(*this);
    GroupList->setCurrentRow(-1);
    FillGroups();
    if (current_ > 0) {
      GroupList->setCurrentRow(GroupOfId(current_));
      FillItems();
      DataList->setCurrentRow(LineOfId(current_));
    }
  }
  TakeSelection();
  ApplyEnableRules();
}

void TFormSelNameBase::FillGroups() {
  TUpdatingScope updating(*this);
  const int count = WorkingNames.Count();
  const int groups = NameGroupCount(count);
  const int selected = GroupList->currentRow();
  GroupList->setUpdatesEnabled(false);
  while (GroupList->count() > groups)
    delete GroupList->takeItem(GroupList->count() - 1);
  while (GroupList->count() < groups)
    GroupList->addItem(QString());
  for (int g = 0; g < groups; ++g)
    GroupList->item(g)->setText(ToQString(NameGroupLine(g, count)));
  if (groups > 0) GroupList->setCurrentRow(selected < 0 ? 0 : std::min(selected, groups - 1));
  GroupList->setUpdatesEnabled(true);
  FillItems();
}

void TFormSelNameBase::FillItems() {
  TUpdatingScope updating(*this);
  const int group = GroupList->currentRow();
  const int kept = DataList->currentRow();
  DataList->clear();
  if (group < 0) return;
  const int size = NameGroupSize(group, WorkingNames.Count());
  for (int line = 0; line < size; ++line) {
    const int id = IdOfLine(group, line);
    DataList->addItem(ToQString(NameItemLine(id, WorkingNames.Name(id))));
  }
  if (size > 0) DataList->setCurrentRow(std::clamp(kept, 0, size - 1));
}

void TFormSelNameBase::TakeSelection() {
  TUpdatingScope updating(*this);
  const int group = GroupList->currentRow();
  const int line = DataList->currentRow();
  current_ = group >= 0 && line >= 0 ? IdOfLine(group, line) : 0;
  Label1->setText(ToQString(NameItemLine(current_, "")));
  OverEdit1->setText(current_ > 0 ? ToQString(WorkingNames.Name(current_)) : QString());
}

void TFormSelNameBase::GroupListClick() {
  FillItems();
  TakeSelection();
}

void TFormSelNameBase::DataListClick() {
  TakeSelection();
}

void TFormSelNameBase::RedrawLine() {
  if (QListWidgetItem* item = DataList->currentItem())
    item->setText(ToQString(NameItemLine(current_, WorkingNames.Name(current_))));
}

void TFormSelNameBase::NameEdited() {
  RedrawLine();
  edited_ = true;
}

void TFormSelNameBase::OverEdit1Change() {
  if (current_ < 1) return;
  WorkingNames.SetName(current_, FromQString(OverEdit1->text()));
  NameEdited();
}

void TFormSelNameBase::Apply() {
  if (catalog_) WorkingNames.ApplyTo(*catalog_);
  CatalogsChanged();
  NamesChanged = 1;
  edited_ = false;
}

void TFormSelNameBase::ButtonApplyClick() {
  Apply();
}

void TFormSelNameBase::ButtonOkClick() {
  if (current_ < 1) return;
  SelectedId = lastId_ = current_;
  if (edited_) Apply();
  done(mrOk);
}

void TFormSelNameBase::ButtonMaxClick() {
  int count = WorkingNames.Count();
  if (!AskDataMaximum(this, 14, 218, count)) return;
  TBusyCursor busy;
  WorkingNames.SetCount(count);
  FillGroups();
  TakeSelection();
  edited_ = true;
}

void TFormSelNameBase::PostKeys(const TNameStep& step) {
  // Posted, so that the lists move by their own key handling and report the new line.
  for (auto [list, key] :
       {std::pair<QWidget*, TListKey>{GroupList, step.GroupKey}, {DataList, step.ItemKey}})
    if (key != TListKey::None)
      QCoreApplication::postEvent(list,
                                  new QKeyEvent(QEvent::KeyPress, QtKeyOf(key), Qt::NoModifier));
}

void TFormSelNameBase::ActionPreviousExecute() {
  PostKeys(PreviousNameStep(GroupList->currentRow(), DataList->currentRow(), GroupList->count()));
}

void TFormSelNameBase::ActionNextExecute() {
  PostKeys(NextNameStep(GroupList->currentRow(), DataList->currentRow(), GroupList->count(),
                        DataList->count()));
}

void TFormSelNameBase::PopupMenu1Popup() {
  TakeSelection();
  MenuCopy->setEnabled(current_ > 0);
  MenuClear->setEnabled(current_ > 0);
  MenuPaste->setEnabled(current_ > 0 && ClipboardHoldsText());
}

void TFormSelNameBase::MenuCopyClick() {
  if (current_ < 1) return;
  QApplication::clipboard()->setText(ToQString(WorkingNames.Name(current_)));
}

void TFormSelNameBase::MenuPasteClick() {
  if (current_ < 1 || !ClipboardHoldsText()) return;
  // Kept whole: only typing is limited to the edit's length.
  WorkingNames.SetName(current_, FromQString(QApplication::clipboard()->text()));
  NameEdited();
  TakeSelection();
}

void TFormSelNameBase::MenuClearClick() {
  if (current_ < 1) return;
  WorkingNames.SetName(current_, std::string());
  NameEdited();
  TakeSelection();
}

TFormSelSwitch::TFormSelSwitch(QWidget* owner)
    : TFormSelNameBase(owner, SwitchList, LastSwitchId, "FormSelSwitch", "Select Switch",
                       "Switch") {}

TFormSelVariable::TFormSelVariable(QWidget* owner)
    : TFormSelNameBase(owner, VariableList, LastVariableId, "FormSelVariable", "Select Variable",
                       "Variable") {}

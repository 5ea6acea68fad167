#include "events/script_editor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <memory>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/event_script.h"
#include "events/event_menus.h"
#include "events/form_ev_cmd_list.h"
#include "framework/controls/script_list_box.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"

TScriptEditor::TScriptEditor(TFormXelCommon& form, TFormBuilder& b, const char* listName)
    : QObject(form.FormWidget()), form_(form) {
  ListBox = b.Add<TScriptListBox>(listName);
  PopupMenu1 = MakePopupMenu(form, "PopupMenu1", [this] { PopupMenu1Popup(); });
  auto item = [this](const char* name, const char* caption, QList<QKeySequence> keys) {
    QAction* action = AddMenuItem(PopupMenu1, ListBox, name, caption);
    action->setShortcuts(keys);
    return action;
  };
  MenuInsert =
      item("MenuInsert", "&Insert...",
           {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Enter),
            QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
  MenuEdit = item("MenuEdit", "&Edit...", {QKeySequence(Qt::Key_Space)});
  MenuCut = item("MenuCut", "Cu&t", {QKeySequence::Cut});
  MenuCopy = item("MenuCopy", "&Copy", {QKeySequence::Copy});
  MenuPaste = item("MenuPaste", "&Paste", {QKeySequence::Paste});
  MenuDelete = item("MenuDelete", "&Delete", {QKeySequence(Qt::Key_Delete)});
  MenuSelectAll = item("MenuSelectAll", "Select &All", {QKeySequence::SelectAll});
  form.On(MenuInsert, &QAction::triggered, [this] { MenuInsertClick(); });
  form.On(MenuEdit, &QAction::triggered, [this] { MenuEditClick(); });
  form.On(MenuCut, &QAction::triggered, [this] { MenuCutClick(); });
  form.On(MenuCopy, &QAction::triggered, [this] { MenuCopyClick(); });
  form.On(MenuPaste, &QAction::triggered, [this] { MenuPasteClick(); });
  form.On(MenuDelete, &QAction::triggered, [this] { MenuDeleteClick(); });
  form.On(MenuSelectAll, &QAction::triggered, [this] { MenuSelectAllClick(); });
  form.On(ListBox, &TScriptListBox::DblClick, [this] { MenuInsertClick(); });
  viewport_ = ListBox->viewport();
  ListBox->installEventFilter(this);
  viewport_->installEventFilter(this);
}

void TScriptEditor::SetScript(TXelEventScriptList* script, const TEventScriptConverter* converter) {
  script_ = script;
  converter_ = converter;
  Show(&TScriptListBox::Refill);
}

void TScriptEditor::Refresh() {
  Show(&TScriptListBox::SetScript);
}

void TScriptEditor::Show(TListFill fill) {
  TUpdatingScope updating(form_);
  if (script_ && converter_)
    (ListBox->*fill)(*script_, *converter_);
  else
    ListBox->SetItems({}, {});
}

TScriptLineRange TScriptEditor::Selection() const {
  if (ListBox->SelStart() < 0) return {};
  return {ListBox->SelStart(), ListBox->SelEnd()};
}

TScriptMenuState TScriptEditor::MenuState() const {
  return script_ ? ScriptMenuState(*script_, Selection(), Clipboard().HasFormat(cfScriptLines))
                 : TScriptMenuState{};
}

bool TScriptEditor::Offered(bool TScriptMenuState::*item) const {
  return MenuState().*item;
}

void TScriptEditor::PopupMenu1Popup() {
  const TScriptMenuState state = MenuState();
  MenuInsert->setEnabled(state.Insert);
  MenuEdit->setEnabled(state.Edit);
  MenuCut->setEnabled(state.Cut);
  MenuCopy->setEnabled(state.Copy);
  MenuPaste->setEnabled(state.Paste);
  MenuDelete->setEnabled(state.Delete);
  MenuSelectAll->setEnabled(state.SelectAll);
}

void TScriptEditor::Changed() {
  if (OnModified) OnModified();
}

void TScriptEditor::TookDataChange(bool changed) {
  if (changed && form_.OnDatabaseChanged) form_.OnDatabaseChanged();
}

void TScriptEditor::ShowInserted(int first, int added) {
  Refresh();
  ListBox->SetItemIndex(first + added);
  Changed();
}

std::unique_ptr<TEvCmdPalette> TScriptEditor::NewPalette() const {
  if (MakePalette) return MakePalette(form_.FormWidget());
  auto palette = std::make_unique<TFormEvCmdList>(form_.FormWidget());
  if (HandOver) HandOver(*palette);
  return palette;
}

void TScriptEditor::MenuInsertClick() {
  if (!Offered(&TScriptMenuState::Insert)) return;
  const std::unique_ptr<TEvCmdPalette> made = NewPalette();
  TEvCmdPalette& palette = *made;
  const TScriptLineRange selection = Selection();
  if (OpenModal(palette,
                [&] { return palette.ExecuteAt(PalettePosition.x(), PalettePosition.y()); })) {
    const int added = InsertScriptLines(*script_, selection, palette.ScriptList);
    if (added > 0) ShowInserted(selection.First, added);
  }
  TookDataChange(palette.DataChanged);
}

void TScriptEditor::MenuEditClick() {
  if (!Offered(&TScriptMenuState::Edit)) return;
  const std::unique_ptr<TEvCmdPalette> made = NewPalette();
  TEvCmdPalette& palette = *made;
  const TScriptLineRange selection = Selection();
  // Only the command's own lines: a broken line selected with it is not the dialog's.
  const TScriptLineRange own = EditedCommandLines(*script_, selection);
  for (int i = own.First; i <= own.Last; ++i)
    palette.ScriptList.Add(std::make_unique<TXelEventScriptLine>())->Assign(*script_->GetItem(i));
  if (palette.EditByCode() && ReplaceScriptLines(*script_, selection, palette.ScriptList) > 0) {
    Refresh();
    Changed();
  }
  TookDataChange(palette.DataChanged);
}

void TScriptEditor::MenuCutClick() {
  if (!Offered(&TScriptMenuState::Cut)) return;
  MenuCopyClick();
  MenuDeleteClick();
}

void TScriptEditor::MenuCopyClick() {
  if (!script_) return;
  std::vector<uint8_t> block = CopyScriptLines(*script_, Selection());
  if (!block.empty()) Clipboard().SetData(cfScriptLines, std::move(block));
}

void TScriptEditor::MenuPasteClick() {
  if (!script_) return;
  const TScriptLineRange selection = Selection();
  const std::vector<uint8_t> block = ClipboardBytes(cfScriptLines);
  const int added = PasteScriptLines(*script_, selection, block, PasteFilter);
  if (added > 0)
    ShowInserted(selection.First, added);
  else if (Offered(&TScriptMenuState::Paste) && ParseScriptLinesClip(block))
    Changed();
}

void TScriptEditor::MenuDeleteClick() {
  if (!script_) return;
  const TScriptLineRange selection = Selection();
  if (!DeleteScriptLines(*script_, selection)) return;
  Refresh();
  ListBox->SetItemIndex(selection.First);
  Changed();
}

void TScriptEditor::MenuSelectAllClick() {
  if (!script_) return;
  const TScriptLineRange all = SelectAllLines(*script_);
  if (all.First < 0) return;
  ListBox->SetSelStart(all.First);
  ListBox->SetSelEnd(all.Last);
}

bool TScriptEditor::eventFilter(QObject* watched, QEvent* event) {
  // Compared, not asked: the list may be going down when its last events arrive.
  if (watched != ListBox && watched != viewport_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::MouseButtonRelease: {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton &&
        ListBox->viewport()->rect().contains(mouse->position().toPoint())) {
      PopupMenu1->popup(mouse->globalPosition().toPoint());
      return true;
    }
    break;
  }
  case QEvent::KeyPress:
    // The menu key is ours: the application's context-menu rule follows the mouse.
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Menu) {
      PopupMenu1->popup(ListBox->mapToGlobal(QPoint(0, 0)));
      return true;
    }
    break;
  case QEvent::ContextMenu:
    // The key opens the menu at the list's corner; the mouse has its own way above.
    if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
      PopupMenu1->popup(ListBox->mapToGlobal(QPoint(0, 0)));
    return true;
  default:
    break;
  }
  return QObject::eventFilter(watched, event);
}

// The editing of one event script, shared by every page and dialog that shows one (the
// event editor's pages, later the battle events and the common events): the script list,
// its popup menu and keys (Insert, Return and Enter insert, Space edits, Delete, Ctrl+X,
// Ctrl+C, Ctrl+V, Ctrl+A, the context-menu key; the list scrolls itself by the wheel),
// inserting through the command palette, editing through the command's registered dialog,
// copying and pasting blocks of lines through the clipboard with a filter, and the menu's
// enabling from ScriptMenuState. The owner hands in the script, the palette's context and
// position and the paste filter, and hears of every change.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

#include "core/event_script_edit.h"

class QAction;
class QMenu;
class QWidget;
class TEvCmdPalette;
class TEventScriptConverter;
class TFormBuilder;
class TFormEvCmdList;
class TFormXelCommon;
class TScriptListBox;
class TXelEventScriptList;

class TScriptEditor : public QObject {
  Q_OBJECT
public:
  // Builds the list, named ListName, in the builder's current container, and its popup
  // menu "PopupMenu1" with the items "MenuInsert" ... "MenuSelectAll".
  TScriptEditor(TFormXelCommon& form, TFormBuilder& b, const char* listName);

  // Gives a palette (and through it the command dialogs) the owner's context.
  std::function<void(TFormEvCmdList& palette)> HandOver;
  // Makes the palette, given its context, in place of the map palette and HandOver
  // (battle events take the battle palette).
  std::function<std::unique_ptr<TEvCmdPalette>(QWidget* owner)> MakePalette;
  // Where the palette opens, from the owner's client origin.
  QPoint PalettePosition{352, 72};
  // The commands a pasted block may not bring in: true drops one with its body.
  TScriptLineFilter PasteFilter = IsBattleOnlyOrEndCode;
  // After every change of the script by the author; also after a paste of lines that the
  // filter all dropped, which the author counts as an edit.
  std::function<void()> OnModified;

  // The script edited now (none: nothing is offered) and the converter of its lines;
  // both stay the owner's. Shows it at once.
  void SetScript(TXelEventScriptList* script, const TEventScriptConverter* converter);
  // Shows the script again, after its lines or their texts changed.
  void Refresh();

  TScriptListBox* List() const { return ListBox; }
  QMenu* Menu() const { return PopupMenu1; }
  TScriptLineRange Selection() const;
  TScriptMenuState MenuState() const;

  void PopupMenu1Popup();
  void MenuInsertClick();
  void MenuEditClick();
  void MenuCutClick();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();
  void MenuSelectAllClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool Offered(bool TScriptMenuState::*item) const;
  std::unique_ptr<TEvCmdPalette> NewPalette() const;
  // The script after Added lines went in at First: the caret after them.
  void ShowInserted(int first, int added);
  using TListFill = void (TScriptListBox::*)(const TXelEventScriptList&,
                                             const TEventScriptConverter&);
  // Shows the script through one of the list's fills (none: an empty list).
  void Show(TListFill fill);
  void Changed();
  void TookDataChange(bool changed);

  TFormXelCommon& form_;
  TXelEventScriptList* script_ = nullptr;
  const TEventScriptConverter* converter_ = nullptr;
  QWidget* viewport_ = nullptr;

  TScriptListBox* ListBox;
  QMenu* PopupMenu1;
  QAction* MenuInsert;
  QAction* MenuEdit;
  QAction* MenuCut;
  QAction* MenuCopy;
  QAction* MenuPaste;
  QAction* MenuDelete;
  QAction* MenuSelectAll;
};

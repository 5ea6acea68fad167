// The event editor: one map event's name and pages (conditions, graphic, movement,
// trigger and script), edited on a working copy that OnApply hands back on OK and Apply.
// Commands come from the command palette and the command dialogs; a dialog or picker
// that renames database entries sets DataChanged, which OK and Apply save and a close
// without them undoes by reloading the database.
#pragma once

#include <cstdint>
#include <functional>

#include "core/event_script_converter.h"
#include "core/event_script_edit.h"
#include "core/glimra_sheet.h"
#include "core/map_event.h"
#include "framework/forms/form_xel_base.h"

class QAction;
class QMenu;
class QPushButton;
class QTabBar;
class QTimer;
class TFormEvCmdList;
class TGlimraBoard;
class TScriptListBox;
class TScrollFrame;
class TXelMap;
class TXelMapTree;

inline constexpr int MaxEventPages = 100;

class TFormEDEvent : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDEvent(QWidget* owner = nullptr);
  ~TFormEDEvent() override;

  // In: set before showing.
  TXelMapTree* MapTree = nullptr;
  TXelMap* Map = nullptr;
  int32_t EventId = 0;
  // The working event; the caller copies the map's event in.
  TXelEventItem Event{0};
  // The map takes the working event (StoreEvent).
  std::function<void()> OnApply;
  // "&Apply" starts enabled for a new event.
  void SetApplyEnabled(bool enabled);
  // Set while a dialog's database change is neither saved nor undone.
  bool DataChanged = false;

  void FormShow() override;
  void ButtonOkClick() override;
  void done(int result) override;

  void ButtonApplyClick();
  void TabControl1Change(int index);
  void ButtonNewPageClick();
  void ButtonCopyPageClick();
  void ButtonPastePageClick();
  void ButtonDeletePageClick();
  void NextTab(int step);
  void DashBoxSwitchClick(int32_t TXelEventCondition::*field);
  void DashBoxACClick();
  void ButtonBClick();
  void ButtonCClick();
  void MenuButtonMusicClick();
  void Timer1Timer();
  void PopupMenu1Popup();
  void MenuInsertClick();
  void MenuEditClick();
  void MenuCutClick();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();
  void MenuSelectAllClick();

  int FrameCounter() const { return counter_; }
  const QTimer* Timer() const { return Timer1; }
  // The preview as drawn now.
  void DrawPreview(TGlimraBoard& board);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void UpdateOwnControls() override;
  void BoundValueChanged(QWidget* control) override;

private:
  int PageCount() const;
  TXelEventPageItem* Page() const { return page_; }
  TXelEventScriptList& Script() const { return page_->Script; }
  // Page buttons, conditions, settings, script and graphic of the current tab.
  void RefreshAll();
  void RefreshScript();
  TScriptLineRange Selection() const;
  bool Offered(bool TScriptMenuState::*item) const;
  // Inserts a new page after the current one, as a copy of Source's settings.
  TXelEventPageItem* InsertPage(const TXelEventPageItem& source);
  template <class Picker> void PickName(int32_t TXelEventCondition::*field);
  void HandOver(TFormEvCmdList& palette) const;
  // The script after Added lines went in at First: the caret after them.
  void ShowInserted(int first, int added);
  void Modified();
  void TookDatabaseChange(bool changed);
  void Apply();

  TXelEventPageItem* page_ = nullptr;
  TXelEventCondition* condition_ = nullptr;
  TEventScriptConverter converter_;
  TGlimraSheet sheet_;
  std::string sheetName_;
  int counter_ = 0;
  int previousAnimation_ = 0;
  bool applyEnabled_ = false;

  QTabBar* TabControl1;
  TScriptListBox* ListBox1;
  TScrollFrame* ScrollFrameB;
  QTimer* Timer1;
  QPushButton* ButtonApply;
  QMenu* PopupMenu1;
  QAction* MenuInsert;
  QAction* MenuEdit;
  QAction* MenuCut;
  QAction* MenuCopy;
  QAction* MenuPaste;
  QAction* MenuDelete;
  QAction* MenuSelectAll;
};

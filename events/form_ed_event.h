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
class TOverEdit;
class TGlimraBoard;
class TScriptEditor;
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
  void ButtonBClick();
  void ButtonCClick();
  void MenuButtonMusicClick();
  void Timer1Timer();

  int FrameCounter() const { return counter_; }
  const QTimer* Timer() const { return Timer1; }
  // The preview as drawn now.
  void DrawPreview(TGlimraBoard& board);

protected:
  void UpdateOwnControls() override;
  void BoundValueChanged(QWidget* control) override;

private:
  int PageCount() const;
  TXelEventPageItem* Page() const { return page_; }
  // Page buttons, conditions, settings, script and graphic of the current tab.
  void RefreshAll();
  void RefreshScript();
  // Inserts a new page after the current one, as a copy of Source's settings.
  TXelEventPageItem* InsertPage(const TXelEventPageItem& source);
  void HandOver(TFormEvCmdList& palette) const;
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

  TOverEdit* OverEdit1;
  QPushButton* ButtonNewPage;
  QPushButton* ButtonPastePage;
  QPushButton* ButtonDeletePage;
  QTabBar* TabControl1;
  TScriptEditor* Script1;
  TScrollFrame* ScrollFrameB;
  QTimer* Timer1;
  QPushButton* ButtonApply;
};

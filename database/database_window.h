// The database window, opened over the main window by "&Data Base..." (F8): a tab per
// page, one live page at a time, OK and Apply saving the database file, and every close
// reading it back so that Cancel discards what was not saved.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "framework/forms/form_xel_base.h"

class QAction;
class QPushButton;
class QTabBar;
class TFormDataBaseBase;
class TMenuButton;
class TXelMap;
class TXelMapTree;

inline constexpr int DataBaseTabCount = 13;

// The tab that was current when the window was last closed; the next opening starts on
// it.
extern int LastDataBaseTab;

class TFormDataBase : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormDataBase(QWidget* owner = nullptr);
  ~TFormDataBase() override;

  // Handed over by the opener, not owned; Map may be absent.
  TXelMapTree* MapTree = nullptr;
  TXelMap* Map = nullptr;

  // The tab shown now (-1 before the first show), and the author's choice of another.
  int CurrentTab() const;
  void ChooseTab(int tab);
  // The live page of the current tab, or none.
  TFormDataBaseBase* CurrentPage() const;

  void FormShow() override;
  void TabControlChange();
  void ButtonOkClick() override;
  void ButtonApplyClick();
  void MenuButtonMusicClick();
  void PageModified();
  // Ctrl+Tab and Shift+Ctrl+Tab: the next and the previous tab, wrapping round.
  void NextTab(int step);
  // Every close: the pages go, then the database is read again from its file.
  void done(int result) override;

private:
  QTabBar* TabControl = nullptr;
  QWidget* Foundation = nullptr;
  TMenuButton* MenuButtonMusic = nullptr;
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonApply = nullptr;
  QPushButton* ButtonHelp = nullptr;

  void ReleaseAllPages();
  void CreateCurrentPage();
  void AddKey(const QList<QKeySequence>& keys, std::function<void()> handler);

  std::array<std::unique_ptr<TFormDataBaseBase>, DataBaseTabCount> pages_;
  bool closed_ = false;
};

// Shows the database window modally over Owner; Tree and Map are the project's current
// map tree and map, which its pages read.
void OpenDataBaseWindow(QWidget* owner, TXelMapTree& tree, TXelMap& map);

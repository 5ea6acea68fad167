#include "database/database_window.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/busy_cursor.h"
#include "core/database.h"
#include "database/database_page.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/sel_music.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"

int LastDataBaseTab = 0;

namespace {

const char* const TabCaptions[DataBaseTabCount] = {
    "Hero",         "Skills",           "Items",   "Monsters", "Monsters Party", "Attributes",
    "Conditions",   "Battle Animation", "Terrain", "ChipSets", "Vocabulary",     "System",
    "Common Events"};

// The help pages of the tabs follow the window's own.
constexpr int FirstTabHelpContext = 2;

} // namespace

TFormDataBase::TFormDataBase(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormDataBase", "Data Base", 793, 553);
  TabControl = b.Add<QTabBar>("TabControl");
  TabControl->setExpanding(false);
  TabControl->setDrawBase(true);
  // All thirteen tabs stay in sight, as one row across the window.
  TabControl->setUsesScrollButtons(false);
  TabControl->setStyleSheet(
      "QTabBar::tab { padding: 3px 4px; border: 1px solid palette(mid); border-bottom: none;"
      " border-top-left-radius: 3px; border-top-right-radius: 3px; background: palette(button);"
      " margin-right: -1px; }"
      "QTabBar::tab:selected { background: palette(window); }"
      "QTabBar::tab:!selected { margin-top: 2px; }");
  QFont tabFont = TabControl->font();
  tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
  TabControl->setFont(tabFont);
  for (const char* caption : TabCaptions)
    TabControl->addTab(QString::fromLatin1(caption));
  {
    const QSignalBlocker blocker(TabControl);
    TabControl->setCurrentIndex(-1); // no page until the window is shown
  }
  Foundation = b.Add<QWidget>("Foundation");
  auto* holder = new QVBoxLayout(Foundation);
  holder->setContentsMargins(0, 0, 0, 0);
  Foundation->setFixedSize(PageWidth, PageHeight);
  b.Row([&] {
    MenuButtonMusic = b.Add<TMenuButton>("MenuButtonMusic");
    MenuButtonMusic->setFixedSize(26, 25);
    MenuButtonMusic->SetFlat(true);
    if (DataModule1) {
      MenuButtonMusic->SetImages(&DataModule1->ImageListEx1);
      MenuButtonMusic->SetImageIndex(tgSelectMusic);
    }
    MenuButtonMusic->setToolTip("Select and Play BGM for fun");
    b.Stretch();
    const TStandardButtons buttons = b.StandardButtons(false);
    ButtonOk = buttons.Ok;
    ButtonCancel = buttons.Cancel;
    ButtonApply = b.Button("ButtonApply", "&Apply");
    ButtonHelp = b.HelpButton();
  });
  ButtonApply->setEnabled(false);
  On(TabControl, &QTabBar::currentChanged, &TFormDataBase::TabControlChange);
  On(ButtonApply, &QPushButton::clicked, &TFormDataBase::ButtonApplyClick);
  On(MenuButtonMusic, &TMenuButton::Clicked, &TFormDataBase::MenuButtonMusicClick);
  const auto page = [this](void (TFormDataBaseBase::*select)()) {
    return [this, select] {
      if (TFormDataBaseBase* current = CurrentPage()) (current->*select)();
    };
  };
  AddKey({QKeySequence(Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_F4)},
         page(&TFormDataBaseBase::SelectPreviousEntry));
  AddKey({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F5)},
         page(&TFormDataBaseBase::SelectNextEntry));
  AddKey({QKeySequence(Qt::CTRL | Qt::Key_Tab)}, [this] { NextTab(1); });
  // Shift+Ctrl+Tab arrives as Ctrl+Shift+Backtab on most systems.
  AddKey({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
         [this] { NextTab(-1); });
}

TFormDataBase::~TFormDataBase() {
  LastDataBaseTab = std::max(TabControl->currentIndex(), 0);
  ReleaseAllPages();
}

void TFormDataBase::AddKey(const QList<QKeySequence>& keys, std::function<void()> handler) {
  auto* action = new QAction(this);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  On(action, &QAction::triggered, handler);
}

int TFormDataBase::CurrentTab() const {
  return TabControl->currentIndex();
}

void TFormDataBase::ChooseTab(int tab) {
  TabControl->setCurrentIndex(tab);
}

TFormDataBaseBase* TFormDataBase::CurrentPage() const {
  const int tab = TabControl->currentIndex();
  return tab >= 0 && tab < DataBaseTabCount ? pages_[tab].get() : nullptr;
}

void TFormDataBase::FormShow() {
  TabControl->setCurrentIndex(std::clamp(LastDataBaseTab, 0, DataBaseTabCount - 1));
  // Setting the tab it already shows signals nothing.
  if (!CurrentPage()) TabControlChange();
}

void TFormDataBase::TabControlChange() {
  const int tab = TabControl->currentIndex();
  if (tab < 0) return;
  HelpContext = FirstTabHelpContext + tab;
  std::optional<TBusyCursor> busy;
  if (FindRegisteredForm(TFormGroup::DataBasePage, tab)) busy.emplace();
  Foundation->hide();
  struct TShowAgain {
    QWidget* foundation;
    ~TShowAgain() { foundation->show(); }
  } showAgain{Foundation};
  TabControl->setFocus();
  ReleaseAllPages();
  CreateCurrentPage();
}

void TFormDataBase::CreateCurrentPage() {
  const int tab = TabControl->currentIndex();
  if (tab < 0 || tab >= DataBaseTabCount) return;
  std::unique_ptr<TFormDataBaseBase> page =
      CreateRegisteredForm<TFormDataBaseBase>(TFormGroup::DataBasePage, tab, Foundation);
  if (!page) return;
  // The page knows its window before it is first shown.
  page->OnModified = [this](TFormDataBaseBase&) { PageModified(); };
  page->MapTree = MapTree;
  page->Map = Map;
  Foundation->layout()->addWidget(page.get());
  page->show();
  pages_[tab] = std::move(page);
}

void TFormDataBase::ReleaseAllPages() {
  for (auto& page : pages_)
    page.reset();
}

void TFormDataBase::PageModified() {
  ButtonApply->setEnabled(true);
}

void TFormDataBase::NextTab(int step) {
  const int current = TabControl->currentIndex();
  int tab = current + step;
  if (current < 0 && step < 0) tab = DataBaseTabCount - 1;
  if (tab >= DataBaseTabCount) tab = 0;
  if (tab < 0) tab = DataBaseTabCount - 1;
  TabControl->setCurrentIndex(tab);
}

void TFormDataBase::ButtonOkClick() {
  // A failed save raises into the error box and the window stays open with every edit.
  GlobalDataBase->SaveProjectDataBase();
  done(mrOk);
}

void TFormDataBase::ButtonApplyClick() {
  GlobalDataBase->SaveProjectDataBase();
  ButtonApply->setEnabled(false);
}

void TFormDataBase::MenuButtonMusicClick() {
  TFormSelMusic dialog(this);
  dialog.ListenOnly = 1;
  dialog.ExecuteAt(8, 176);
}

void TFormDataBase::done(int result) {
  ReleaseAllPages();
  TFormXelBase::done(result);
  if (closed_ || !GlobalDataBase) return;
  closed_ = true;
  // What was not saved is discarded: the tables are read again from the file.
  if (!GlobalDataBase->LoadProjectDataBase())
    ShowErrorBox(ToQString(GlobalDataBase->LastLoadError()), parentWidget());
  CatalogsChanged();
}

void OpenDataBaseWindow(QWidget* owner, TXelMapTree& tree, TXelMap& map) {
  TFormDataBase window(owner);
  window.MapTree = &tree;
  window.Map = &map;
  window.Execute();
}

// The database window over the scratch project: shown non-modally on a chosen tab, as F8
// shows it, with the window's buttons as functions, so a page's test edits through its
// controls and checks what Apply wrote and Cancel discarded.
#pragma once

#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <memory>

#include "database/database_page.h"
#include "database/database_window.h"
#include "database_test_env.h"
#include "framework/harness/widget_harness.h"

class DataBaseWindowTest : public DataBaseTestEnv {
protected:
  void TearDown() override {
    window.reset();
    DataBaseTestEnv::TearDown();
  }

  // Opens a new window on Tab and returns it; the previous one is closed by Cancel
  // first when it is still open.
  TFormDataBase& Open(int tab) {
    if (window && window->isVisible()) Cancel();
    // The old window remembers its tab when it goes: before the new tab is chosen.
    window.reset();
    LastDataBaseTab = tab;
    window = std::make_unique<TFormDataBase>(&owner);
    ShowAndActivate(window.get());
    return *window;
  }
  // The live page as a Page (fails the test when it is another).
  template <class Page = TFormDataBaseBase> Page& CurrentPage() {
    auto* page = dynamic_cast<Page*>(window->CurrentPage());
    if (!page) throw std::logic_error("no live page of that class");
    return *page;
  }
  void Apply() { QTest::mouseClick(Button("ButtonApply"), Qt::LeftButton); }
  void Ok() { QTest::mouseClick(Button("ButtonOk"), Qt::LeftButton); }
  // Closes the window; the database is read again from the file.
  void Cancel() { QTest::mouseClick(Button("ButtonCancel"), Qt::LeftButton); }
  bool ApplyEnabled() const { return Button("ButtonApply")->isEnabled(); }
  QPushButton* Button(const char* name) const {
    return FindControl<QPushButton>(window.get(), name);
  }

  QWidget owner;
  TScriptedMessageBoxes boxes;
  std::unique_ptr<TFormDataBase> window;
};

// The window opened on one list page, with the page's controls found by name.
#pragma once

#include <QListView>

#include "database_window_env.h"

class ListPageTest : public DataBaseWindowTest {
protected:
  TFormDataBaseListPage& Page() { return CurrentPage<TFormDataBaseListPage>(); }
  template <class Control = QWidget> Control* Find(const char* name) {
    return FindControl<Control>(&Page(), name);
  }
  // Opens the window on Tab and binds the entry of Row.
  void OpenOn(int tab, int row) {
    Open(tab);
    Select(row);
  }
  void Select(int row) { Page().SelectRow(row); }
  bool Shown(const char* name) { return Find(name)->isVisible(); }
};

// The switch and variable pickers: choose one switch or variable by id and, in the same
// dialog, rename them all and change how many there are. Names are written into the
// database catalog on Apply and on OK; NamesChanged then tells the caller to save it,
// whatever the dialog's result.
#pragma once

#include <cstdint>

#include "core/name_picker.h"
#include "framework/forms/form_xel_base.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class TCatalog;
class TOverEdit;
class TSmartListBox;

// The id last confirmed with OK in each picker, for the whole run.
extern int LastSwitchId;
extern int LastVariableId;

class TFormSelNameBase : public TFormXelBase {
  Q_OBJECT
public:
  // The names as edited, line i for id i + 1.
  TWorkingNames WorkingNames;
  // Out on OK: the chosen id. The picker opens on the id last confirmed in the run.
  int SelectedId = 1;
  // 1 once names were written into the catalog.
  uint8_t NamesChanged = 0;

  int CallerData() const { return SelectedId; }

  void FormShow() override;
  void ButtonOkClick() override;
  void GroupListClick();
  void DataListClick();
  void OverEdit1Change();
  void ButtonApplyClick();
  void ButtonMaxClick();
  void ActionPreviousExecute();
  void ActionNextExecute();
  void PopupMenu1Popup();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuClearClick();

protected:
  TFormSelNameBase(QWidget* owner, TCatalog* catalog, int& lastId, const char* name,
                   const char* caption, const char* label);

private:
  void FillGroups();
  void FillItems();
  void TakeSelection();
  void RedrawLine();
  void Apply();
  void NameEdited();
  void PostKeys(const TNameStep& step);
  bool HasNames() const { return WorkingNames.Count() > 0; }

  TCatalog* catalog_;
  int& lastId_;
  // The id shown; 0 while the list is empty.
  int current_ = 0;
  bool edited_ = false;
  QListWidget* GroupList;
  TSmartListBox* DataList;
  QPushButton* ButtonMax;
  QLabel* Label1;
  TOverEdit* OverEdit1;
  QPushButton* ButtonOk;
  QPushButton* ButtonApply;
  QMenu* PopupMenu1;
  QAction* MenuCopy;
  QAction* MenuPaste;
  QAction* MenuClear;
};

class TFormSelSwitch : public TFormSelNameBase {
  Q_OBJECT
public:
  explicit TFormSelSwitch(QWidget* owner = nullptr);
};

class TFormSelVariable : public TFormSelNameBase {
  Q_OBJECT
public:
  explicit TFormSelVariable(QWidget* owner = nullptr);
};

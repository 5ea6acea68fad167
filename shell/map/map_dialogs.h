// The dialogs of the map tree window: the properties of a map and of an area, one row of
// their encounter lists, the shift of a whole map and the vehicle of a start position.
// Each works on copies of its own; the caller reads them back only on OK.
#pragma once

#include <QListWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms/form_xel_base.h"
#include "shell/map/map_properties.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPainter;
class QPushButton;
class QRadioButton;
class TDashBox;
class TDialEdit;
class TGlimraSheet;
class TScrollFrame;
class TXelMap;
class TXelMapTree;

// Run-wide memories of the dialogs: the last monster group chosen for an encounter, the
// last shift direction (a keypad digit, 0 for none) and distance.
extern int32_t LastEncounterGroup;
extern int LastShiftDirection;
extern int LastShiftDistance;

// One encounter: the monster group, chosen from the database's groups.
class TFormEDMapEncount : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMapEncount(QWidget* owner = nullptr);

  // In, and out on OK; 1-based.
  int32_t GroupId = 1;
  int32_t CallerData() const { return GroupId; }

  void FormShow() override;
  void ButtonOkClick() override;
  // OK or Cancel: the choice is remembered for the next new row either way.
  void done(int result) override;

private:
  struct TValues {
    int GroupId = 1;
  } v;
  QComboBox* ComboBox1;
};

// The encounter list of both property dialogs: a row per encounter plus a blank row to
// add one, with its popup menu. It edits the group list it is given.
class TEncounterList : public QListWidget {
  Q_OBJECT
public:
  TEncounterList(TFormXelCommon& form, QWidget* parent);

  void SetGroups(std::vector<int32_t>* groups);
  // The rows anew from the groups; Row is selected and focused.
  void Refill(int row = 0);
  TEncounterMenuState MenuState() const;
  QMenu* PopupMenu() const { return popup_; }

  void EditClick();
  void CutClick();
  void CopyClick();
  void PasteClick();
  void DeleteClick();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QAction* AddItem(const char* name, const char* caption, const QKeySequence& key);
  void RefreshMenuStates();
  // The group's row selected, focused, and the row after it in view.
  void ShowRow(int row);

  TFormXelCommon& form_;
  std::vector<int32_t>* groups_ = nullptr;
  QMenu* popup_;
  QAction* edit_;
  QAction* cut_;
  QAction* copy_;
  QAction* paste_;
  QAction* delete_;
};

class TFormEDMap : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMap(QWidget* owner = nullptr);
  ~TFormEDMap() override;

  int32_t MapId = 0;
  bool IsNewMap = true;
  // The map hangs under the root: it has no parent map to take settings from.
  bool IsTopLevel = false;
  // In, and out on OK.
  TMapProperties Properties;
  TMapProperties CallerData() const { return Properties; }

  void FormShow() override;
  void ButtonOkClick() override;
  void Button1Click();
  void DashBoxAClick();
  void DashBoxBClick();
  void ScrollFrame1Paint(QPainter& canvas);

private:
  void LoadPanorama();

  TMapProperties v;
  TScrollFrame* ScrollFrame1;
  TEncounterList* ListView1;
  std::unique_ptr<TGlimraSheet> sheet_;
};

class TFormEDArea : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDArea(QWidget* owner = nullptr);

  int32_t AreaId = 0;
  bool IsNewArea = true;
  // In, and out on OK.
  TAreaProperties Properties;
  // For the area picker: the tree (whose active entry keeps the view) and the map.
  TXelMapTree* MapTree = nullptr;
  TXelMap* Map = nullptr;
  TAreaProperties CallerData() const { return Properties; }

  void FormShow() override;
  void ButtonOkClick() override;
  void DashBox1Click();

private:
  void UpdateOwnControls() override;

  TAreaProperties v;
  QLabel* Label2;
  TEncounterList* ListView1;
};

class TFormMapShift : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMapShift(QWidget* owner = nullptr);

  // In.
  int MapWidth = 20;
  int MapHeight = 15;
  // Out on OK, in cells.
  int ShiftX = 0;
  int ShiftY = 0;

  void FormShow() override;
  void ButtonOkClick() override;

private:
  void DirectionClick(int index);

  struct TValues {
    int Direction = -1; // index of the checked button, -1 for none
    int Distance = 1;
  } v;
  TDialEdit* DialEdit1;
};

class TFormMapShipPos : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMapShipPos(QWidget* owner = nullptr);

  // In, and out on OK: 1 boat, 2 ship, 3 airship.
  int Vehicle = 1;
  int CallerData() const { return Vehicle; }

  void FormShow() override;
  void ButtonOkClick() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct TValues {
    int Index = 0;
  } v;
  QPushButton* ButtonOk;
};

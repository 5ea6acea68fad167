// The "Monsters Party" page of the database window: a group's name, its members on the
// battle field over the test backdrop, the terrains it appears on and its battle-event
// pages with their triggers and scripts; and its two dialogs, the battle test and the
// battle-event trigger.
#pragma once

#include <QPoint>
#include <array>
#include <memory>
#include <vector>

#include "core/event_script_converter.h"
#include "core/mon_group_page.h"
#include "core/monster_records.h"
#include "core/system_records.h"
#include "database/database_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QMouseEvent;
class QPainter;
class QRadioButton;
class QTabBar;
class TDashBox;
class TDialEdit;
class TGlimraSheet;
class TImageButton;
class TMarkListBox;
class TMobileHint;
class TOverEdit;
class TScriptEditor;
class TScrollFrame;

class TFormEDMonGroup : public TFormDataBasePage<TXelMonGroupItem> {
  Q_OBJECT
public:
  explicit TFormEDMonGroup(QWidget* parent = nullptr);
  ~TFormEDMonGroup() override;

  void RefreshEntryControls() override;

  // The selected member (-1 for none) and the page shown.
  int SelectedMember() const { return selected_; }
  void SelectMember(int index);
  int PageIndex() const;
  TXelBattleEventPageItem* CurrentPage() const;
  TScriptEditor* Script() const { return Script1; }

  void ButtonAddClick();
  void ButtonDeleteClick();
  void ButtonDeleteAllClick();
  void ButtonDressClick();
  void ButtonAutoNameClick();
  void ButtonChangeBackdropClick();
  void ButtonBattleTestClick();
  void DashBox1Click();
  void MarkListBox1ClickMark();
  void MarkListBox1DblClick();
  void MenuInvisibleClick();
  void TabControl1Change();
  void ButtonPageNewClick();
  void ButtonPageCopyClick();
  void ButtonPagePasteClick();
  void ButtonPageDeleteClick();
  void MainAreaMouseDown(QMouseEvent* event);
  void MainAreaMouseMove(QMouseEvent* event);
  void MainAreaMouseUp(QMouseEvent* event);
  void MainAreaPaint(QPainter& canvas);

protected:
  void BindEntry(TCatalogItem* entry) override;
  void UpdateOwnControls() override;
  void showEvent(QShowEvent* event) override;

private:
  // Loads the backdrop and every member's sheet again.
  void ReloadImages();
  void LoadMemberImage(int index);
  TMemberSizes MemberSizes() const;
  bool InRow(bool apply);
  void RefreshTabs();
  // Shows the page's script again, unless a member is being selected or dragged.
  void RefreshScript();
  TXelBattleEventPageItem* InsertPage();
  // Changes of the members: DataModified without rebuilding the script list.
  void MembersModified();

  TEventScriptConverter converter_;
  std::unique_ptr<TGlimraSheet> backdrop_;
  std::array<std::unique_ptr<TGlimraSheet>, MaxGroupMembers> sheets_;
  int selected_ = -1;
  QPoint dragOrigin_;
  TPoint tracked_;
  bool dragging_ = false;
  bool leftDrag_ = false;
  bool keepScript_ = false;

  TOverEdit* OverEdit1;
  TScrollFrame* MainArea;
  QListView* MonsterList;
  QPushButton* ButtonAdd;
  QPushButton* ButtonDelete;
  QPushButton* ButtonDeleteAll;
  QPushButton* ButtonDress;
  TMarkListBox* MarkListBox1;
  TImageButton* ButtonPageNew;
  TImageButton* ButtonPageCopy;
  TImageButton* ButtonPagePaste;
  TImageButton* ButtonPageDelete;
  QTabBar* TabControl1;
  TDashBox* DashBox1;
  TScriptEditor* Script1;
  TMobileHint* MobileHint1;
  QMenu* PopupMenu1;
  QAction* Menu_Invisible;
};

// The start condition of one battle-event page, edited on a copy of its own.
class TFormEDMonGroupBattleEventTrigger : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMonGroupBattleEventTrigger(QWidget* owner = nullptr);

  // In, and out on OK.
  TXelBattleEventTrigger Trigger;
  // Not owned; its members fill the monster choice.
  const TXelMonGroupItem* MonsterGroup = nullptr;
  // Set when a picker here renamed switches or variables.
  bool DatabaseChanged = false;

  void FormShow() override;
  void ButtonOkClick() override;
  void RefreshTriggerControls();
  std::vector<int> CallerData() const;

private:
  // The copy the controls edit; the trigger takes it on OK.
  TXelBattleEventTrigger edit_;
  std::array<bool, 7> checks_{};
  QComboBox* ComboBoxF;
};

// The test party kept in the system record, and the battle test against a group.
class TFormEDMonGroupBattleTest : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMonGroupBattleTest(QWidget* owner = nullptr);

  // The group the test fights; given by the opener.
  int MonsterGroupId = 1;

  int PartySize() const { return size_; }
  const TXelTestPlayerItem& Slot(int index) const { return *slots_[static_cast<size_t>(index)]; }

  void FormShow() override;
  void ButtonOkClick() override;
  void RadioButtonClick(int size);
  void Button1Click();
  void ImageButton1Click();
  void SaveTestParty();

private:
  void RefreshHeroTabs();
  void SelectTestHero();
  void FillHeroChoices();
  void FillEquipmentChoices();
  void EquipmentChange(int slot);
  void ApplyInitialStats(int slot);
  void ShowTestAbilities();
  void HeroChange();
  void NextTab(int step);
  TXelTestPlayerItem& Current() { return *slots_[static_cast<size_t>(tab_)]; }

  std::array<std::unique_ptr<TXelTestPlayerItem>, 4> slots_;
  int size_ = 0;
  int tab_ = 0;
  int radio_ = 0;
  int level_ = 1;
  std::vector<int> heroIds_;
  std::array<std::vector<int>, 5> itemIds_;

  std::array<QRadioButton*, 5> RadioButtons;
  QWidget* GroupBox2;
  QTabBar* TabControl2;
  QComboBox* ComboBox6;
  TDialEdit* DialEdit1;
  std::array<QComboBox*, 5> Equipment;
  QLabel* Label2;
  std::array<QLabel*, 6> Abilities;
  TImageButton* ImageButton1;
};

// Starts the game runtime on a battle against group GroupId and waits for it, leaving the
// project's database file as it was. Owner holds the wait window and the error boxes.
void RunBattleTest(QWidget* owner, const QString& caption, int groupId);

// The route editor: a list of move commands of at most 200, built from command buttons,
// and the route's two flags. The event editor opens it for a page's route (event mode:
// the object is always the event itself); the move-event command opens it in command
// mode, where it also chooses the object and the frequency and remembers them for the
// run. The caller's route is copied in on show and written back only on OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/move_route.h"
#include "framework/forms/form_xel_base.h"

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class TButtonList;
class TSmartListBox;
class TXelEventItem;
class TXelMap;

// Move targets besides the map's events 1..5000.
inline constexpr int32_t MoveTargetHero = 10001;
inline constexpr int32_t MoveTargetThisEvent = 10005;

// What command mode remembers for the run (LastUsedRecord).
struct TMoveRouteMemory {
  int32_t TargetId = MoveTargetHero;
  int32_t Frequency = 8;
  std::string GraphicName;
  int32_t GraphicIndex = 0;
  int32_t SwitchId = 1;
  std::string SoundName = "(OFF)";
  int32_t Volume = 100;
  int32_t Tempo = 100;
  int32_t Balance = 50;
  bool operator==(const TMoveRouteMemory&) const = default;
};

class TFormEDMoveRoute : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMoveRoute(QWidget* owner = nullptr);

  // In, and out on OK.
  TXelMoveRoute Route;
  int32_t TargetId = 0; // command mode: 0 takes the last-used target
  int32_t Frequency = 8;
  // Out: set when the switch picker changed the database, OK or not.
  bool DataChanged = false;
  // In only. Command mode unless the event editor says otherwise.
  bool EventMode = false;
  int32_t EventId = 0;
  const TXelEventItem* Event = nullptr;
  const TXelMap* Map = nullptr;
  std::string GraphicName;
  int32_t GraphicIndex = 0;

  std::vector<uint8_t> CallerData() const;

  void FormShow() override;
  void ButtonOkClick() override;
  void ButtonList1Click(int index);
  void ButtonList2Click(int index);
  void ComboBox1Change(int index);
  void PopupMenu1Popup();
  void MenuCutClick();
  void MenuCopyClick();
  void MenuPasteClick();
  void MenuDeleteClick();

private:
  // The picker of a command with "...": false when it was cancelled.
  bool PickDetails(TXelMoveRouteItem& command);
  void AddCommand(const TXelMoveRouteItem& command);
  int SelectedLine() const;
  // The lines, the selection at Line, the target and the enabling.
  void ShowRoute(int line);
  void UpdateOwnControls() override;

  TXelMoveRoute route_;
  int32_t targetId_ = 0;
  int frequencyIndex_ = 7;
  std::vector<int32_t> targetIds_;
  QComboBox* ComboBox1;
  TSmartListBox* ListBox1;
  TButtonList* ButtonList1;
  TButtonList* ButtonList2;
  QPushButton* ButtonHelp;
  QMenu* PopupMenu1;
  QAction* MenuCut;
  QAction* MenuCopy;
  QAction* MenuPaste;
  QAction* MenuDelete;
};

// What command dialogs share: the value boxes of switches and variables with their
// pickers, the fixed-or-variable group, the target group of the switch and variable
// commands, and the combo boxes of catalog entries, map events and group members. The
// plain parts (parameters in and out, list contents) need no widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/event_script.h"

class QComboBox;
class QWidget;
class TDashBox;
class TFormBuilder;
class TFormEvCmdBase;
class TFormXelCommon;
class TXelEventItem;
class TXelMap;
class TXelMapTree;
class TScrollFrame;
class TXelMonGroupItem;

// ---- plain parts ----

// A value taken either from a constant or from a variable: Kind 0 fixed, 1 variable.
// Each kind keeps its own slot, so switching back shows the value it had.
struct TFixedOrVariable {
  int Kind = 0;
  int Fixed = 1;
  int Variable = 1;
  // The value of a kind this editor does not know, written back as read.
  int Unknown = 0;
  bool operator==(const TFixedOrVariable&) const = default;
};

// The kind parameter chooses the slot the value goes to; the other slot keeps its value.
void ReadFixedOrVariable(int32_t kind, int32_t value, TFixedOrVariable& v);
int32_t FixedOrVariableValue(const TFixedOrVariable& v);

// The target of the switch and variable commands: P0 mode (0 one, 1 range, 2 the id held
// in a variable), P1 and P2 the ids.
struct TTargetValues {
  int Mode = 0;
  int Single = 1;
  int From = 1;
  int To = 1;
  int Variable = 1;
  bool operator==(const TTargetValues&) const = default;
};

void ReadTarget(const TXelEventScriptLine& head, TTargetValues& t);
// P0-P2 of the head.
void WriteTarget(const TTargetValues& t, TParamList& params);

// Entries of a combo box with the id each stands for.
struct TIdChoices {
  QStringList Names;
  std::vector<int32_t> Ids;
  void Add(const QString& name, int32_t id);
  // The position of Id, or -1.
  int IndexOf(int32_t id) const;
};

inline constexpr int32_t HeroEventId = 10001;
inline constexpr int32_t ThisEventId = 10005;

// "Hero", "Boat", "Ship", "Airship", "this Event" (or "this Event" alone), then the map's
// events by id, the edited one under the name of its working copy.
TIdChoices EventChoices(const TXelMap* map, int32_t eventId, const TXelEventItem* event,
                        bool allFixedEntries);
// One "n:" + monster name per member, ids the member indexes, led by "All Group" (-1).
TIdChoices EnemyChoices(const TXelMonGroupItem* group, bool withAllGroup);

// "%.4d:%s" of a switch or variable, "?" when it does not exist.
QString SwitchBoxText(int id);
QString VariableBoxText(int id);
// The number of switches or variables, at least 1: the range maximum.
int SwitchCount();
int VariableCount();

// ---- widget parts ----

// Opens the picker through the modal opener, on the id last confirmed in it during the run;
// true and Id set to the choice on OK. A renaming picker sets the form's DataChanged
// whatever the result.
bool PickSwitch(TFormEvCmdBase& form, int& id);
bool PickVariable(TFormEvCmdBase& form, int& id);

// The layout of every command dialog: its controls in a column, the standard buttons in
// a column beside them.
void CommandLayout(TFormBuilder& b, const std::function<void()>& controls);

// A value box showing a switch or variable; a click opens its picker.
TDashBox* SwitchBox(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id);
TDashBox* VariableBox(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id);

// A combo over a whole database list: its width comes from a fixed number of characters,
// not from measuring thousands of names when it is first shown.
QComboBox* ListCombo(TFormBuilder& b, const char* name, const QStringList& names);

// The entries of a message style combo: "A:", "B:" ..., each followed by Message(style)
// of the vocabulary (nothing without a database).
QStringList MessageStyles(int count, const std::function<std::string(int)>& message);

// A combo of the names of a catalog: id = position + 1. When filled, an id below 1 or
// above the count becomes 1.
QComboBox* CatalogCombo(TFormBuilder& b, const char* name, const QStringList& names, int* id);
QStringList ItemNames();
QStringList HeroNames();
QStringList AnimationNames();
QStringList ChipSetNames();

// A combo of Choices bound to an id; a stored id not among them becomes Fallback.
QComboBox* IdCombo(TFormBuilder& b, const char* name, const TIdChoices& choices, int* id,
                   int32_t fallback);

// The IdCombo of EventChoices: the map is handed only after the form is built, so the
// entries are taken from the form when it first shows them. An unlisted id becomes
// "Hero", or "this Event" when the combo has no other fixed entry.
QComboBox* EventCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id,
                      bool allFixedEntries = true);
// The IdCombo of EnemyChoices of the form's monster group, likewise taken on first show.
// An unlisted member becomes the first member (0), or the first entry of an empty group.
QComboBox* EnemyCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id,
                      bool withAllGroup);

// The radio pair of a fixed-or-variable value: FixedRadio with the control FixedControl
// declares, VariableRadio with a variable box. Only the chosen kind's control is enabled.
struct TFixedOrVariableNames {
  const char* FixedRadio;
  QString FixedCaption;
  const char* VariableRadio;
  QString VariableCaption;
  const char* VariableBox;
  // A label before the variable box, enabled with it; none when not named.
  const char* VariableLabel = nullptr;
  QString VariableLabelCaption = {};
};
void FixedOrVariableGroup(TFormEvCmdBase& form, TFormBuilder& b, const TFixedOrVariableNames& names,
                          TFixedOrVariable& v,
                          const std::function<std::vector<QWidget*>()>& fixedControls,
                          std::function<bool()> enabled = {});

// A preview of one 48 x 48 face cell at twice its size, mirrored when asked; the image
// of folder "FaceSet" is reloaded when the name changes.
class TScrollFrame;
TScrollFrame* FacePreview(TFormEvCmdBase& form, TFormBuilder& b, const char* name,
                          const std::string& fileName, const int& index, const uint8_t& mirror);

// Open the face or walk graphic picker on a cell; true and the cell chosen on OK.
bool PickFace(TFormEvCmdBase& form, std::string& fileName, int& index);
bool PickChar(TFormEvCmdBase& form, std::string& fileName, int& index);

// The "One" / "Range" / "Variable" group of the switch and variable commands.
void TargetGroup(TFormEvCmdBase& form, TFormBuilder& b, const QString& caption, TTargetValues& t,
                 bool switches);

// ---- map places ----

struct TMapPlace {
  int32_t MapId = 0;
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TMapPlace&) const = default;
};

// Where a new command's position starts: the handed event's cell, or the cell at the
// centre of the active tree item's view, clipped to the map. With no active item the view
// is taken at (0, 0).
TMapPlace DefaultPlace(const TFormEvCmdBase& form);
// "%.4d:%s (%.3d,%.3d)" of the map id, its name in the tree ("?" when not there), x and y.
QString PlaceText(const TXelMapTree* tree, const TMapPlace& place);
// "(%.3d,%.3d)".
QString PositionText(int32_t x, int32_t y);

struct TPlacePicking {
  QString Caption;
  // Only the handed map may be used, and the position is handed as it is.
  bool Locked = false;
  uint8_t AllowAnyNode = 0;
  uint8_t RequirePosition = 1;
};
// Runs the map position picker through the modal opener. On OK Place takes the map (when
// not locked) and the cell. The active tree item's view is put back whatever the result.
bool PickPlace(TFormEvCmdBase& form, const TPlacePicking& how, TMapPlace& place);

// The variables last chosen for a map, x and y in the place commands, shared by them.
struct TPlaceVariables {
  int LastPlaceMapVariable = 1;
  int LastPlaceXVariable = 1;
  int LastPlaceYVariable = 1;
  bool operator==(const TPlaceVariables&) const = default;
};

// The transition last chosen in the screen erase and display commands (-1 the default).
int& LastScreenTransition();
// Whether the last command that offered "Wait Until Done" had it ticked.
uint8_t& LastWaitUntilDone();

// A slider and a dial edit over one value that follow each other: the dial shows the
// value, the slider the value div Scale; a slider move sets the value to position x Scale.
// Changed runs after either moved.
class TSlider;
class TDialEdit;
struct TSliderDial {
  TSlider* Slider;
  TDialEdit* Dial;
};
TSliderDial SliderDialPair(TFormXelCommon& form, TFormBuilder& b, const char* slider,
                           const char* dial, int minValue, int maxValue, int scale, int* value,
                           std::function<void()> changed = {});

// A "Sample" frame of the four tone bars drawn from red, green, blue and chroma (0-200).
TScrollFrame* ToneSample(TFormXelCommon& form, TFormBuilder& b, const char* name, const int* tone);
QStringList SkillNames();
QStringList MonsterGroupNames();
QStringList ConditionNames();
QStringList CommonEventNames();

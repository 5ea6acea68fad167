// What command dialogs share beyond the pieces of every form (form_pieces.h,
// name_pieces.h): parameters in and out of the shared values, the combo boxes of map
// events and group members, face previews, map places and the slider-dial pair.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/event_script.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/name_pieces.h"

class QComboBox;
class QWidget;
class TDashBox;
class TFormBuilder;
struct TStandardButtons;
class TFormEvCmdBase;
class TFormXelCommon;
class TXelEventItem;
class TXelMap;
class TXelMapTree;
class TScrollFrame;
class TXelMonGroupItem;

// ---- plain parts ----

// The kind parameter chooses the slot the value goes to; the other slot keeps its value.
void ReadFixedOrVariable(int32_t kind, int32_t value, TFixedOrVariable& v);
int32_t FixedOrVariableValue(const TFixedOrVariable& v);

// The target of the switch and variable commands: P0 the mode, P1 and P2 the ids.
void ReadTarget(const TXelEventScriptLine& head, TTargetValues& t);
// P0-P2 of the head.
void WriteTarget(const TTargetValues& t, TParamList& params);

inline constexpr int32_t HeroEventId = 10001;
inline constexpr int32_t ThisEventId = 10005;

// "Hero", "Boat", "Ship", "Airship", "this Event" (or "this Event" alone), then the map's
// events by id, the edited one under the name of its working copy.
TIdChoices EventChoices(const TXelMap* map, int32_t eventId, const TXelEventItem* event,
                        bool allFixedEntries);
// One "n:" + monster name per member, ids the member indexes, led by "All Group" (-1).
TIdChoices EnemyChoices(const TXelMonGroupItem* group, bool withAllGroup);

// ---- widget parts ----

// The layout of every command dialog: its controls in a column, the standard buttons in
// a column beside them.
TStandardButtons CommandLayout(TFormBuilder& b, const std::function<void()>& controls);

// The entries of a message style combo: "A:", "B:" ..., each followed by Message(style)
// of the vocabulary (nothing without a database).
QStringList MessageStyles(int count, const std::function<std::string(int)>& message);

// The IdCombo of EventChoices: the map is handed only after the form is built, so the
// entries are taken from the form when it first shows them. An unlisted id becomes
// "Hero", or "this Event" when the combo has no other fixed entry.
QComboBox* EventCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, TField<int> id,
                      bool allFixedEntries = true);
// The IdCombo of EnemyChoices of the form's monster group, likewise taken on first show.
// An unlisted member becomes the first member (0), or the first entry of an empty group.
QComboBox* EnemyCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, TField<int> id,
                      bool withAllGroup);

// A preview of one 48 x 48 face cell at twice its size, mirrored when asked; the image
// of folder "FaceSet" is reloaded when the name changes.
class TScrollFrame;
TScrollFrame* FacePreview(TFormEvCmdBase& form, TFormBuilder& b, const char* name,
                          const std::string& fileName, const int& index, const uint8_t& mirror);

// Open the face or walk graphic picker on a cell; true and the cell chosen on OK.
bool PickFace(TFormEvCmdBase& form, std::string& fileName, int& index);
bool PickChar(TFormEvCmdBase& form, std::string& fileName, int& index);

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

// The teleport, place-memory, vehicle and event-place commands: positions come from the
// map position picker, variables from the variable picker, and the three place variables
// are shared between the dialogs.
#include <QComboBox>
#include <QGroupBox>
#include <memory>

#include "core/map.h"
#include "core/map_tree.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

TPlaceVariables& LastPlaceVariables() {
  return LastUsedRecord<TPlaceVariables>();
}

// 10810 has no window of its own: the map position picker is its dialog.
class TFormEvCmd10810 : public TFormEvCmdBase {
public:
  explicit TFormEvCmd10810(QWidget* owner) : TFormEvCmdBase(owner, 10810) {
    setObjectName("FormEvCmd10810");
    setWindowTitle("Teleport to a Place");
  }

  bool Execute() override {
    place_ = DefaultPlace(*this);
    if (const TXelEventScriptLine* head = ScriptList->GetItem(0))
      place_ = {head->GetParam(0), head->GetParam(1), head->GetParam(2)};
    if (!PickPlace(*this, {windowTitle()}, place_)) return false;
    StoreCommand();
    return true;
  }

protected:
  void WriteLines(TXelEventScriptList& lines) const override {
    lines.Add(10810, 0)->Params = {place_.MapId, place_.X, place_.Y};
  }

private:
  TMapPlace place_;
};
VELMORA_REGISTER_FORM(TFormEvCmd10810, TFormGroup::Command, 10810);

// 10820 and 10830: three variables, the map id, x and y.
template <int32_t Code> struct TPlaceVariableValues {
  TPlaceVariables Variables;
  bool operator==(const TPlaceVariableValues&) const = default;
};

template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, TPlaceVariableValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Variables = {head.GetParam(0), head.GetParam(1), head.GetParam(2)};
}

template <int32_t Code>
void WriteCommand(const TPlaceVariableValues<Code>& v, TXelEventScriptList& lines) {
  lines.Add(Code, 0)->Params = {v.Variables.LastPlaceMapVariable, v.Variables.LastPlaceXVariable,
                                v.Variables.LastPlaceYVariable};
}

template <int32_t Code>
class TFormEvCmdPlaceVariables : public TFormEvCmd<TPlaceVariableValues<Code>> {
public:
  TFormEvCmdPlaceVariables(QWidget* owner, const char* caption, const char* group)
      : TFormEvCmd<TPlaceVariableValues<Code>>(owner, Code) {
    TFormBuilder b(this, QString("FormEvCmd%1").arg(Code).toUtf8().constData(), caption, 321, 150);
    TPlaceVariables& p = this->v.Variables;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", group, [&] {
        b.Grid(2, [&] {
          b.Label("Label1", "Map ID :");
          VariableBox(*this, b, "DashBox1", &p.LastPlaceMapVariable);
          b.Label("Label2", "X :");
          VariableBox(*this, b, "DashBox2", &p.LastPlaceXVariable);
          b.Label("Label3", "Y :");
          VariableBox(*this, b, "DashBox3", &p.LastPlaceYVariable);
        });
      });
    });
  }

protected:
  void LoadLastUsed() override { this->v.Variables = LastPlaceVariables(); }
  void StoreLastUsed() override { LastPlaceVariables() = this->v.Variables; }
};

class TFormEvCmd10820 : public TFormEvCmdPlaceVariables<10820> {
public:
  explicit TFormEvCmd10820(QWidget* owner)
      : TFormEvCmdPlaceVariables(owner, "Memorize this Place", "Store into Variable") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10820, TFormGroup::Command, 10820, LastPlaceVariables());

class TFormEvCmd10830 : public TFormEvCmdPlaceVariables<10830> {
public:
  explicit TFormEvCmd10830(QWidget* owner)
      : TFormEvCmdPlaceVariables(owner, "Teleport to Memorized Place",
                                 "Get coordinates from Variables") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10830, TFormGroup::Command, 10830, LastPlaceVariables());

// The "Position" / "By Variable" choice of 10850, 10860, 10910 and 10920: a place chosen
// on the map, or the variables that hold it. WithMap: the map is chosen too (10850) and
// the map variable is offered; otherwise the picker stays on the handed map.
void PlaceGroup(TFormEvCmdBase& form, TFormBuilder& b, const char* group, const QString& caption,
                int& mode, TMapPlace& place, TPlaceVariables& variables, bool withMap) {
  b.Group(group, caption, [&] {
    b.Radios(&mode, [&] {
      b.Row([&] {
        b.Radio("RadioButtonB1", "Position");
        auto* box = b.ValueBox("DashBox1", &place.X, [&form, &place, withMap](int) {
          return withMap ? PlaceText(form.MapTree, place) : PositionText(place.X, place.Y);
        });
        form.On(box, &TDashBox::Clicked, [&form, &place, caption, withMap] {
          PickPlace(form, {caption, !withMap}, place);
          form.UpdateControls();
        });
        form.EnableWhen({box}, [&mode] { return mode != 1; });
      });
      b.Radio("RadioButtonB2", "By Variable");
      auto* variableGroup = b.Group("GroupBoxVariables", "Get coordinates from Variables", [&] {
        b.Grid(2, [&] {
          int box = 2;
          auto row = [&](const char* label, const QString& text, int* id) {
            b.Label(label, text);
            VariableBox(form, b, ("DashBox" + QByteArray::number(box++)).constData(), id);
          };
          if (withMap) row("LabelMap", "Map ID :", &variables.LastPlaceMapVariable);
          row("LabelX", "X :", &variables.LastPlaceXVariable);
          row("LabelY", "Y :", &variables.LastPlaceYVariable);
        });
      });
      form.EnableWhen({variableGroup}, [&mode] { return mode == 1; });
    });
  });
}

// Reads the three parameters of a place at First: into the variables with mode 1, into
// the place otherwise (an unknown mode is written back from there as read).
void ReadPlace(const TXelEventScriptLine& head, int first, int mode, bool withMap, TMapPlace& place,
               TPlaceVariables& variables) {
  int32_t* targets[] = {&place.MapId, &place.X, &place.Y};
  if (mode == 1)
    targets[0] = &variables.LastPlaceMapVariable, targets[1] = &variables.LastPlaceXVariable,
    targets[2] = &variables.LastPlaceYVariable;
  for (int i = withMap ? 0 : 1; i < 3; ++i)
    *targets[i] = head.GetParam(first + (withMap ? i : i - 1));
}
void WritePlace(TParamList& params, int mode, bool withMap, const TMapPlace& place,
                const TPlaceVariables& variables) {
  if (mode == 1) {
    if (withMap) params.push_back(variables.LastPlaceMapVariable);
    params.insert(params.end(), {variables.LastPlaceXVariable, variables.LastPlaceYVariable});
  } else {
    if (withMap) params.push_back(place.MapId);
    params.insert(params.end(), {place.X, place.Y});
  }
}

// The values of every place command with a position: the place is never remembered, the
// variables are the shared ones.
struct TPlaceValues {
  int Mode = 0;
  TMapPlace Place;
  TPlaceVariables Variables;
  bool operator==(const TPlaceValues&) const = default;
};

template <class Values> class TFormEvCmdPlace : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;
  void LoadLastUsed() override {
    TFormEvCmd<Values>::LoadLastUsed();
    this->v.Place = DefaultPlace(*this);
    this->v.Variables = LastPlaceVariables();
  }
  void StoreLastUsed() override {
    TFormEvCmd<Values>::StoreLastUsed();
    LastPlaceVariables() = this->v.Variables;
  }
};

// ---- 10850, 10860: what is placed (a vehicle or an event), then the place ----

template <int32_t Code> struct TSubjectPlaceValues : TPlaceValues {
  static constexpr bool WithMap = Code == 10850;
  int Subject = WithMap ? 0 : ThisEventId;
  bool operator==(const TSubjectPlaceValues&) const = default;
};
template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, TSubjectPlaceValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Subject = head.GetParam(0);
  v.Mode = head.GetParam(1);
  ReadPlace(head, 2, v.Mode, v.WithMap, v.Place, v.Variables);
}
template <int32_t Code>
void WriteCommand(const TSubjectPlaceValues<Code>& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(Code, 0)->Params;
  params = {v.Subject, v.Mode};
  WritePlace(params, v.Mode, v.WithMap, v.Place, v.Variables);
}
using TVehiclePlaceValues = TSubjectPlaceValues<10850>;
using TEventPlaceValues = TSubjectPlaceValues<10860>;

class TFormEvCmd10850 : public TFormEvCmdPlace<TVehiclePlaceValues> {
public:
  explicit TFormEvCmd10850(QWidget* owner) : TFormEvCmdPlace(owner, 10850) {
    TFormBuilder b(this, "FormEvCmd10850", "Placement of Vehicle", 377, 249);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Vehicle", [&] {
        b.Radios(&v.Subject, [&] {
          b.Row([&] {
            b.Radio("RadioButtonA1", "Boat");
            b.Radio("RadioButtonA2", "Ship");
            b.Radio("RadioButtonA3", "Airship");
          });
        });
      });
      PlaceGroup(*this, b, "GroupBox2", "Move to Place", v.Mode, v.Place, v.Variables, true);
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10850, TFormGroup::Command, 10850,
                      LastUsedRecord<TVehiclePlaceValues>(), LastPlaceVariables());

class TFormEvCmd10860 : public TFormEvCmdPlace<TEventPlaceValues> {
public:
  explicit TFormEvCmd10860(QWidget* owner) : TFormEvCmdPlace(owner, 10860) {
    TFormBuilder b(this, "FormEvCmd10860", "Place of Event", 377, 225);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Event", [&] { EventCombo(*this, b, "ComboBox1", &v.Subject, false); });
      PlaceGroup(*this, b, "GroupBox2", "Move to Place", v.Mode, v.Place, v.Variables, false);
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10860, TFormGroup::Command, 10860,
                      LastUsedRecord<TEventPlaceValues>(), LastPlaceVariables());

// ---- 10870 ----

struct TExchangeValues {
  int First = ThisEventId;
  int Second = ThisEventId;
  bool operator==(const TExchangeValues&) const = default;
};
void ReadCommand(const TXelEventScriptList& lines, TExchangeValues& v) {
  v.First = lines.GetItem(0)->GetParam(0);
  v.Second = lines.GetItem(0)->GetParam(1);
}
void WriteCommand(const TExchangeValues& v, TXelEventScriptList& lines) {
  lines.Add(10870, 0)->Params = {v.First, v.Second};
}

class TFormEvCmd10870 : public TFormEvCmd<TExchangeValues> {
public:
  explicit TFormEvCmd10870(QWidget* owner) : TFormEvCmd(owner, 10870) {
    TFormBuilder b(this, "FormEvCmd10870", "Exchange Event Places", 321, 121);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Event 1", [&] { EventCombo(*this, b, "ComboBox1", &v.First, false); });
      b.Group("GroupBox2", "Event 2", [&] { EventCombo(*this, b, "ComboBox2", &v.Second, false); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10870, TFormGroup::Command, 10870,
                      LastUsedRecord<TExchangeValues>());

// ---- 10910, 10920: what stands on a cell, into a variable ----

template <int32_t Code> struct TCellQueryValues : TPlaceValues {
  int Result = 1;
  bool operator==(const TCellQueryValues&) const = default;
};
template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, TCellQueryValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Mode = head.GetParam(0);
  ReadPlace(head, 1, v.Mode, false, v.Place, v.Variables);
  v.Result = head.GetParam(3);
}
template <int32_t Code>
void WriteCommand(const TCellQueryValues<Code>& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(Code, 0)->Params;
  params = {v.Mode};
  WritePlace(params, v.Mode, false, v.Place, v.Variables);
  params.push_back(v.Result);
}

template <int32_t Code> class TFormEvCmdCellQuery : public TFormEvCmdPlace<TCellQueryValues<Code>> {
public:
  TFormEvCmdCellQuery(QWidget* owner, const char* caption, const char* location, const char* result)
      : TFormEvCmdPlace<TCellQueryValues<Code>>(owner, Code) {
    TFormBuilder b(this, QString("FormEvCmd%1").arg(Code).toUtf8().constData(), caption, 377, 201);
    auto& v = this->v;
    CommandLayout(b, [&] {
      PlaceGroup(*this, b, "GroupBox1", location, v.Mode, v.Place, v.Variables, false);
      b.Group("GroupBox2", result, [&] { VariableBox(*this, b, "DashBox4", &v.Result); });
    });
  }
};

class TFormEvCmd10910 : public TFormEvCmdCellQuery<10910> {
public:
  explicit TFormEvCmd10910(QWidget* owner)
      : TFormEvCmdCellQuery(owner, "Get Terrain ID", "The Tile`s Location",
                            "Set Terrain ID Value to Variable") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10910, TFormGroup::Command, 10910,
                      LastUsedRecord<TCellQueryValues<10910>>(), LastPlaceVariables());

class TFormEvCmd10920 : public TFormEvCmdCellQuery<10920> {
public:
  explicit TFormEvCmd10920(QWidget* owner)
      : TFormEvCmdCellQuery(owner, "Get Event ID", "The Event`s Location",
                            "Set Event ID value to Variable") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10920, TFormGroup::Command, 10920,
                      LastUsedRecord<TCellQueryValues<10920>>(), LastPlaceVariables());

} // namespace

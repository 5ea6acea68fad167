// The animation, character, movement and wait commands: one line each. Move Character is
// the route editor in command mode, its route stored one byte per parameter.
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ed_move_route.h"
#include "events/form_ev_cmd_base.h"
#include "events/modal_opener.h"
#include "framework/controls/error_guard.h"
#include "framework/controls/form_builder.h"
#include "framework/controls/form_registry.h"

namespace {

// ---- 11310 ----

class TFormEvCmd11310 : public TFormEvCmdTwoChoice<11310> {
public:
  explicit TFormEvCmd11310(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Change Hero Transparency", "Transparent", "Normal") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11310, TFormGroup::Command, 11310,
                      LastUsedRecord<TFormEvCmd11310::TValues>());

// ---- 11330 ----

class TFormEvCmd11330 : public TFormEvCmdBase {
public:
  explicit TFormEvCmd11330(QWidget* owner) : TFormEvCmdBase(owner, 11330) {
    setObjectName("FormEvCmd11330");
    setWindowTitle("Move Character");
  }

  bool Execute() override {
    TFormEDMoveRoute editor(this);
    editor.setWindowTitle(windowTitle());
    editor.EventId = EventId;
    editor.Event = Event;
    editor.Map = Map;
    editor.Route.Repeat = false;
    editor.Route.Skippable = false;
    if (ScriptList->GetCount() > 0) {
      const TXelEventScriptLine& head = *ScriptList->GetItem(0);
      editor.TargetId = head.GetParam(0);
      editor.Frequency = head.GetParam(1);
      editor.Route.Repeat = head.GetParam(2) != 0;
      editor.Route.Skippable = head.GetParam(3) != 0;
      std::vector<uint8_t> bytes;
      for (size_t p = 4; p < head.Params.size(); ++p)
        bytes.push_back(static_cast<uint8_t>(head.Params[p]));
      // A cut route is shown as an error and nothing is edited.
      bool read = false;
      GuardHandler(this, [&] {
        editor.Route.SetCommandData(bytes.data(), bytes.size());
        read = true;
      });
      if (!read) return false;
    }
    const bool ok = OpenModal(editor);
    if (editor.DataChanged) DataChanged = true;
    if (!ok) return false;
    TParamList& params = params_;
    params = {editor.TargetId, editor.Frequency, editor.Route.Repeat ? 1 : 0,
              editor.Route.Skippable ? 1 : 0};
    std::vector<uint8_t> bytes;
    editor.Route.GetCommandData(bytes);
    params.insert(params.end(), bytes.begin(), bytes.end());
    StoreCommand();
    return true;
  }

protected:
  void WriteLines(TXelEventScriptList& lines) const override {
    lines.Add(11330, 0)->Params = params_;
  }

private:
  TParamList params_;
};
VELMORA_REGISTER_FORM(TFormEvCmd11330, TFormGroup::Command, 11330);

// ---- 11340, 11350 ----

class TFormEvCmd11340 : public TFormEvCmdNoWindow<11340> {
public:
  explicit TFormEvCmd11340(QWidget* owner) : TFormEvCmdNoWindow(owner) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11340, TFormGroup::Command, 11340);

class TFormEvCmd11350 : public TFormEvCmdNoWindow<11350> {
public:
  explicit TFormEvCmd11350(QWidget* owner) : TFormEvCmdNoWindow(owner) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11350, TFormGroup::Command, 11350);

// ---- 11410 ----

class TFormEvCmd11410 : public TFormEvCmdOneDial<11410, 10> {
public:
  explicit TFormEvCmd11410(QWidget* owner)
      : TFormEvCmdOneDial(owner, "Wait", "Wait", 1000, "x0.1 Sec (10 = One Second)") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11410, TFormGroup::Command, 11410,
                      LastUsedRecord<TFormEvCmd11410::TValues>());

} // namespace

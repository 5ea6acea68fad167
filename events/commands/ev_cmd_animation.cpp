// The animation, character, movement and wait commands: one line each. Move Character is
// the route editor in command mode, its route stored one byte per parameter.
#include <QComboBox>
#include <QFrame>
#include <QLabel>

#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ed_move_route.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/slider.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"

namespace {

// ---- 11310 ----

class TFormEvCmd11310 : public TFormEvCmdTwoChoice<11310> {
public:
  explicit TFormEvCmd11310(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Change Hero Transparency", "Transparent", "Normal") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11310, TFormGroup::Command, 11310,
                      LastUsedRecord<TFormEvCmd11310::TValues>());

// ---- 11320 ----

struct TFlashValues {
  int Target = HeroEventId;
  int Color[4] = {31, 31, 31, 31}; // red, green, blue, power
  int Time = 10;
  bool Wait = true;
  bool operator==(const TFlashValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TFlashValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Target = head.GetParam(0);
  for (int i = 0; i < 4; ++i)
    v.Color[i] = head.GetParam(1 + i);
  v.Time = head.GetParam(5);
  v.Wait = head.GetParam(6) != 0;
}

void WriteCommand(const TFlashValues& v, TXelEventScriptList& lines) {
  lines.Add(11320, 0)->Params = {v.Target,   v.Color[0], v.Color[1], v.Color[2],
                                 v.Color[3], v.Time,     v.Wait};
}

class TFormEvCmd11320 : public TFormEvCmdWait<TFlashValues> {
public:
  explicit TFormEvCmd11320(QWidget* owner) : TFormEvCmdWait(owner, 11320) {
    TFormBuilder b(this, "FormEvCmd11320", "Flash Character", 400, 260);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Event", [&] { EventCombo(*this, b, "ComboBox1", &v.Target); });
      b.Group("GroupBox2", "Color", [&] {
        b.Grid(3, [&] {
          const char* captions[] = {"Red", "Green", "Blue", "Power"};
          for (int i = 0; i < 4; ++i) {
            const std::string n = std::to_string(i + 1);
            b.Label(("Label" + n).c_str(), captions[i]);
            // Both bound to the one value; each follows the other through UpdateControls.
            b.Slider(("Slider" + n).c_str(), 0, 31, &v.Color[i]);
            b.DialEdit(("DialEdit" + n).c_str(), 0, 31, &v.Color[i]);
          }
        });
      });
      b.Group("GroupBox3", "Sample", [&] {
        Sample = b.Add<QFrame>("Shape1");
        Sample->setFixedSize(64, 24);
        Sample->setAutoFillBackground(true);
      });
      b.Group("GroupBox4", "Time", [&] {
        b.Row([&] {
          b.DialEdit("DialEdit5", 0, 1000, &v.Time);
          b.Label("Label5", "x0.1 Sec");
        });
        WaitBox(b);
      });
    });
  }

protected:
  void BoundValueChanged(QWidget*) override { UpdateControls(); }
  void UpdateOwnControls() override {
    QPalette palette = Sample->palette();
    palette.setColor(QPalette::Window, QColor(v.Color[0] * 8, v.Color[1] * 8, v.Color[2] * 8));
    Sample->setPalette(palette);
  }

private:
  QFrame* Sample;
};
VELMORA_REGISTER_FORM(TFormEvCmd11320, TFormGroup::Command, 11320, LastUsedRecord<TFlashValues>(),
                      LastWaitUntilDone());

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

// ---- 11410 ----

class TFormEvCmd11410 : public TFormEvCmdOneDial<11410, 10> {
public:
  explicit TFormEvCmd11410(QWidget* owner)
      : TFormEvCmdOneDial(owner, "Wait", "Wait", 1000, "x0.1 Sec (10 = One Second)") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11410, TFormGroup::Command, 11410,
                      LastUsedRecord<TFormEvCmd11410::TValues>());

} // namespace

// The small command dialogs that differ only in their texts: a one-parameter command
// chosen from two "Operation" buttons or set with one dial, and the commands without a
// window, which write their single line at once. Also the base of the commands that
// offer "Wait Until Done".
#pragma once

#include <QCheckBox>
#include <QString>
#include <cstdint>

#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/form_builder.h"

// P0 of command Head; a new command starts from Initial.
template <int32_t Head, int Initial> struct TOneParamValues {
  int Value = Initial;
  bool operator==(const TOneParamValues&) const = default;
};

template <int32_t Head, int Initial>
void ReadCommand(const TXelEventScriptList& lines, TOneParamValues<Head, Initial>& v) {
  v.Value = lines.GetItem(0)->GetParam(0);
}

template <int32_t Head, int Initial>
void WriteCommand(const TOneParamValues<Head, Initial>& v, TXelEventScriptList& lines) {
  lines.Add(Head, 0)->Params = {v.Value};
}

// Group "Operation" with RadioButtonA1 (Tag 0) and RadioButtonA2 (Tag 1).
template <int32_t Head> class TFormEvCmdTwoChoice : public TFormEvCmd<TOneParamValues<Head, 0>> {
protected:
  TFormEvCmdTwoChoice(QWidget* owner, const QString& caption, const QString& first,
                      const QString& second)
      : TFormEvCmd<TOneParamValues<Head, 0>>(owner, Head) {
    TFormBuilder b(this, qPrintable("FormEvCmd" + QString::number(Head)), caption, 240, 90);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Operation", [&] {
        b.Radios(&this->v.Value, [&] {
          b.Radio("RadioButtonA1", first, 0);
          b.Radio("RadioButtonA2", second, 1);
        });
      });
    });
  }
};

// One DialEdit1 in a group with a unit label.
template <int32_t Head, int Initial>
class TFormEvCmdOneDial : public TFormEvCmd<TOneParamValues<Head, Initial>> {
protected:
  TFormEvCmdOneDial(QWidget* owner, const QString& caption, const QString& group, int maxValue,
                    const QString& unit)
      : TFormEvCmd<TOneParamValues<Head, Initial>>(owner, Head) {
    TFormBuilder b(this, qPrintable("FormEvCmd" + QString::number(Head)), caption, 260, 80);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", group, [&] {
        b.Row([&] {
          b.DialEdit("DialEdit1", 0, maxValue, &this->v.Value);
          if (!unit.isEmpty()) b.Label("Label1", unit);
        });
      });
    });
  }
};

// A command without parameters: Execute writes its line and reports OK.
template <int32_t Head> class TFormEvCmdNoWindow : public TFormEvCmdBase {
public:
  bool Execute() override {
    StoreCommand();
    return true;
  }

protected:
  explicit TFormEvCmdNoWindow(QWidget* owner) : TFormEvCmdBase(owner, Head) {
    setObjectName("FormEvCmd" + QString::number(Head));
  }
  void WriteLines(TXelEventScriptList& lines) const override { lines.Add(Head, 0); }
};

// A command with "Wait Until Done" (Values::Wait): its flag is the one every such command
// shares, not the command's own record.
template <class Values> class TFormEvCmdWait : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;
  void LoadLastUsed() override {
    TFormEvCmd<Values>::LoadLastUsed();
    this->v.Wait = LastWaitUntilDone() != 0;
  }
  void StoreLastUsed() override {
    TFormEvCmd<Values>::StoreLastUsed();
    LastWaitUntilDone() = this->v.Wait ? 1 : 0;
  }
  QCheckBox* WaitBox(TFormBuilder& b, const QString& caption = "Wait Until Done") {
    return b.CheckBox("CheckBox1", caption, &this->v.Wait);
  }
  // The "Time" group in tenths of a second beside the "Options" group.
  void TimeAndWait(TFormBuilder& b, const char* dial, const char* label, int* time) {
    b.Row([&] {
      b.Group("GroupBox3", "Time", [&] {
        b.Row([&] {
          b.DialEdit(dial, 0, 1000, time);
          b.Label(label, "x0.1 Sec");
        });
      });
      b.Group("GroupBox4", "Options", [&] { WaitBox(b); });
    });
  }
};

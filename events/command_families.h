// The small command dialogs that differ only in their texts: a one-parameter command
// chosen from two "Operation" buttons or set with one dial, and the commands without a
// window, which write their single line at once.
#pragma once

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

// The small command dialogs that differ only in their texts: a one-parameter command
// chosen from two "Operation" buttons or set with one dial, a text of up to four lines,
// and the commands without a window, which write their single line at once. Also the
// base of the commands that offer "Wait Until Done".
#pragma once

#include <QCheckBox>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"

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
                    const QString& unit, int minValue = 0)
      : TFormEvCmd<TOneParamValues<Head, Initial>>(owner, Head) {
    TFormBuilder b(this, qPrintable("FormEvCmd" + QString::number(Head)), caption, 260, 80);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", group, [&] {
        b.Row([&] {
          b.DialEdit("DialEdit1", minValue, maxValue, &this->v.Value);
          if (!unit.isEmpty()) b.Label("Label1", unit);
        });
      });
    });
  }
};

// A text of up to four lines: the head carries the first, each further line is one line
// of code Next, both without parameters.
inline constexpr int TextCommandLines = 4;

template <int32_t Head, int32_t Next> struct TTextLinesValues {
  std::string Text;
  // The memo's lines as read, or as wrapped when OK was pressed.
  std::vector<std::string> Lines;
  bool operator==(const TTextLinesValues&) const = default;
};

inline std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i)
    text += (i ? "\n" : "") + lines[i];
  return text;
}

template <int32_t Head, int32_t Next>
void ReadCommand(const TXelEventScriptList& lines, TTextLinesValues<Head, Next>& v) {
  v = {};
  // A lone empty head is an empty text, not one empty line.
  if (lines.GetCount() == 1 && lines.GetItem(0)->Text.empty()) return;
  for (int i = 0; i < TextCommandLines && i < lines.GetCount(); ++i) {
    if (i > 0 && lines.GetItem(i)->Code != Next) break;
    v.Lines.push_back(lines.GetItem(i)->Text);
  }
  v.Text = JoinTextLines(v.Lines);
}

template <int32_t Head, int32_t Next>
void WriteCommand(const TTextLinesValues<Head, Next>& v, TXelEventScriptList& lines) {
  lines.Add(Head, 0, v.Lines.empty() ? std::string() : v.Lines.front());
  for (size_t i = 1; i < v.Lines.size(); ++i)
    lines.Add(Next, 0, v.Lines[i]);
}

// The dialog of such a text: FixedMemo1, placed by the dialog with Memo. Nothing is
// remembered; every new command starts empty.
template <int32_t Head, int32_t Next>
class TFormEvCmdTextLines : public TFormEvCmd<TTextLinesValues<Head, Next>> {
  using TBase = TFormEvCmd<TTextLinesValues<Head, Next>>;

public:
  void ButtonOkClick() override {
    // An untouched text keeps its lines, even where this font would wrap them.
    if (this->v.Text != JoinTextLines(this->v.Lines)) {
      this->v.Lines.clear();
      if (!this->v.Text.empty())
        for (const QString& line : FixedMemo1->Lines())
          this->v.Lines.push_back(FromQString(line));
    }
    TBase::ButtonOkClick();
  }
  void FixedMemo1Cancel() { this->CancelButton()->click(); }
  void FixedMemo1CtrlReturn() { ButtonOkClick(); }

protected:
  using TBase::TBase;
  void LoadLastUsed() override { this->v = {}; }
  void StoreLastUsed() override {}

  TFixedMemo* Memo(TFormBuilder& b) {
    FixedMemo1 = b.Memo("FixedMemo1", &this->v.Text);
    FixedMemo1->SetMaxLines(TextCommandLines);
    this->On(FixedMemo1, &TFixedMemo::Cancel, &TFormEvCmdTextLines::FixedMemo1Cancel);
    this->On(FixedMemo1, &TFixedMemo::CtrlReturn, &TFormEvCmdTextLines::FixedMemo1CtrlReturn);
    return FixedMemo1;
  }

  TFixedMemo* FixedMemo1 = nullptr;
};

// A command without parameters: Execute writes its line and reports OK.
template <int32_t Head> class TFormEvCmdNoWindow : public TFormEvCmdBase {
public:
  explicit TFormEvCmdNoWindow(QWidget* owner) : TFormEvCmdBase(owner, Head) {
    setObjectName("FormEvCmd" + QString::number(Head));
  }
  bool Execute() override {
    StoreCommand();
    return true;
  }

protected:
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

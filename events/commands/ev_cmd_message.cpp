// The message commands: show a message, its window options, its face, choices and number
// input.
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "core/command_block.h"
#include "core/database_tables.h"
#include "core/switch_records.h"
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_cell.h"

namespace {

// A dialog without a last-used record: every new command starts from the defaults.
template <class Values> class TFormEvCmdFresh : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;
  void LoadLastUsed() override { this->v = Values{}; }
  void StoreLastUsed() override {}
};

// ---- 10110 ----

// A one-pixel guide line over the memo (Line1, Line2) that marks where a message line
// gets long. It shows the button face where the memo beneath shows its window colour and
// its own colour elsewhere, so it is dark only where text crosses it. Presses go through
// to the memo, which puts the text cursor there.
class TGuideLine : public TOpaquePaintBox {
public:
  TGuideLine(QWidget* form, TFixedMemo* memo, const char* name, int x, QColor color)
      // A child of the memo (beside its text area, which scrolls its own children): it
      // belongs to the memo and lies over it.
      : TOpaquePaintBox(memo), form_(form), memo_(memo), x_(x) {
    setObjectName(QString::fromLatin1(name));
    SetColor(color);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &TOpaquePaintBox::Paint, this, &TGuideLine::Draw);
  }
  static constexpr int Height = 50;

  // X is in the form's client area; the line starts at the top of the memo's text area.
  void Place() {
    QWidget* text = memo_->viewport();
    const QPoint top = text->mapTo(parentWidget(), QPoint(0, 0));
    const int x = parentWidget()->mapFrom(form_, QPoint(x_, 0)).x();
    setGeometry(x, top.y(), 1, std::min(Height, text->height()));
    setVisible(x >= top.x() && x < top.x() + text->width());
    raise();
  }

private:
  void Draw(QPainter& canvas) {
    QWidget* text = memo_->viewport();
    const QRect under(text->mapFrom(parentWidget(), pos()), size());
    QImage shown(size(), QImage::Format_RGB32);
    shown.fill(text->palette().color(QPalette::Base));
    text->render(&shown, QPoint(), QRegion(under), QWidget::DrawWindowBackground);
    const QRgb window = text->palette().color(QPalette::Base).rgb();
    const QRgb face = palette().color(QPalette::Button).rgb();
    const QRgb own = Color().rgb();
    for (int y = 0; y < shown.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
      for (int x = 0; x < shown.width(); ++x)
        row[x] = (row[x] & 0xFFFFFF) == (window & 0xFFFFFF) ? face : own;
    }
    canvas.drawImage(0, 0, shown);
  }

  QWidget* form_;
  TFixedMemo* memo_;
  const int x_;
};

class TFormEvCmd10110 : public TFormEvCmdTextLines<10110, 20110> {
public:
  explicit TFormEvCmd10110(QWidget* owner) : TFormEvCmdTextLines(owner, 10110) {
    TFormBuilder b(this, "FormEvCmd10110", "Show Message", 682, 133);
    CommandLayout(
        b, [&] { b.Tabs("TabControl1", [&] { b.Tab("TabSheet1", "", [&] { Memo(b); }); }); });
    GuideLines = {new TGuideLine(this, FixedMemo1, "Line1", 276, AppWorkSpaceColor()),
                  new TGuideLine(this, FixedMemo1, "Line2", 360, palette().color(QPalette::Dark))};
    FixedMemo1->setMinimumSize(650, 70);
    FixedMemo1->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == FixedMemo1 && (event->type() == QEvent::Move ||
                                  event->type() == QEvent::Resize || event->type() == QEvent::Show))
      for (TGuideLine* line : GuideLines)
        line->Place();
    return TFormEvCmdTextLines::eventFilter(watched, event);
  }

private:
  std::vector<TGuideLine*> GuideLines;
};
VELMORA_REGISTER_FORM(TFormEvCmd10110, TFormGroup::Command, 10110);

// ---- 10120 ----

struct TMessageOptionValues {
  int Format = 0;
  int Position = 2;
  uint8_t KeepHero = 1;
  uint8_t Continue = 0;
  bool operator==(const TMessageOptionValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TMessageOptionValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Format = head.GetParam(0);
  v.Position = head.GetParam(1);
  v.KeepHero = static_cast<uint8_t>(head.GetParam(2));
  v.Continue = static_cast<uint8_t>(head.GetParam(3));
}

void WriteCommand(const TMessageOptionValues& v, TXelEventScriptList& lines) {
  lines.Add(10120, 0)->Params = {v.Format, v.Position, v.KeepHero, v.Continue};
}

class TFormEvCmd10120 : public TFormEvCmd<TMessageOptionValues> {
public:
  explicit TFormEvCmd10120(QWidget* owner) : TFormEvCmd(owner, 10120) {
    TFormBuilder b(this, "FormEvCmd10120", "Change Message Options", 325, 169);
    CommandLayout(b, [&] {
      b.Row([&] {
        b.RadioGroup("GroupBox1", "Window Format", {"Norm", "Trans"}, &v.Format);
        b.RadioGroup("GroupBox2", "Window Position", {"Top", "Mid", "Bottom"}, &v.Position);
      });
      b.Group("GroupBox3", "Options", [&] {
        b.CheckBox("CheckBox1", "Prevent Hero from hiding", &v.KeepHero);
        b.CheckBox("CheckBox2", "Allow other events to continue", &v.Continue);
      });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10120, TFormGroup::Command, 10120,
                      LastUsedRecord<TMessageOptionValues>());

// ---- 10130 ----

struct TFaceValues {
  std::string FileName;
  int Index = 0;
  int Position = 0;
  uint8_t Flip = 0;
  bool operator==(const TFaceValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TFaceValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.FileName = head.Text;
  v.Index = head.GetParam(0);
  v.Position = head.GetParam(1);
  v.Flip = static_cast<uint8_t>(head.GetParam(2));
}

void WriteCommand(const TFaceValues& v, TXelEventScriptList& lines) {
  lines.Add(10130, 0, v.FileName)->Params = {v.Index, v.Position, v.Flip};
}

class TFormEvCmd10130 : public TFormEvCmd<TFaceValues> {
public:
  explicit TFormEvCmd10130(QWidget* owner) : TFormEvCmd(owner, 10130) {
    TFormBuilder b(this, "FormEvCmd10130", "Set Message Face", 305, 189);
    QPushButton* set = nullptr;
    QPushButton* erase = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Select Face Graphic", [&] {
        b.Row([&] {
          ScrollFrame1 = FacePreview(*this, b, "ScrollFrame1", v.FileName, v.Index, v.Flip);
          b.Column([&] {
            set = b.Button("ButtonSet", "Set...");
            erase = b.Button("ButtonErase", "Erase");
            b.Stretch();
          });
        });
      });
      b.Row([&] {
        b.RadioGroup("GroupBox2", "Display Position", {"Left", "Right"}, &v.Position);
        b.Group("GroupBox3", "Options",
                [&] { b.CheckBox("CheckBox1", "Flip Horizontal", &v.Flip); });
      });
    });
    On(set, &QPushButton::clicked, &TFormEvCmd10130::ButtonSetClick);
    On(ScrollFrame1, &TScrollFrame::DblClick, &TFormEvCmd10130::ButtonSetClick);
    On(erase, &QPushButton::clicked, [this] {
      v.FileName.clear();
      v.Index = 0;
      UpdateControls();
    });
  }

  void ButtonSetClick() {
    if (PickFace(*this, v.FileName, v.Index)) UpdateControls();
  }

protected:
  void UpdateOwnControls() override { ScrollFrame1->viewport()->update(); }
  void BoundValueChanged(QWidget*) override { ScrollFrame1->viewport()->update(); }

private:
  TScrollFrame* ScrollFrame1;
};
VELMORA_REGISTER_FORM(TFormEvCmd10130, TFormGroup::Command, 10130, LastUsedRecord<TFaceValues>());

// ---- 10140 ----

constexpr int ChoiceCount = 4;
constexpr int CancelBranch = 4; // P0 of the cancel branch's line
constexpr int AddCaseMode = 5;

struct TChoiceValues {
  std::string Choices[ChoiceCount] = {"Yes", "No", "", ""};
  int CancelMode = 2;
  // The bodies of the four choices and the cancel branch, as read.
  std::shared_ptr<TXelEventScriptList> Bodies[ChoiceCount + 1];
  bool operator==(const TChoiceValues& o) const {
    return std::equal(std::begin(Choices), std::end(Choices), std::begin(o.Choices)) &&
           CancelMode == o.CancelMode;
  }
};

void ReadCommand(const TXelEventScriptList& lines, TChoiceValues& v) {
  v = TChoiceValues{};
  std::fill(std::begin(v.Choices), std::end(v.Choices), std::string());
  v.CancelMode = lines.GetItem(0)->GetParam(0);
  for (const TBlockSection& section : SplitCommandBlock(lines)) {
    if (section.Line.Code != 20140) continue;
    // A branch line of no known branch is dropped with its body.
    const int branch = section.Line.GetParam(0);
    if (branch < 0 || branch > CancelBranch) continue;
    if (branch < ChoiceCount) v.Choices[branch] = section.Line.Text;
    auto body = std::make_shared<TXelEventScriptList>();
    if (section.Body.GetCount() > 0) body->InsertLines(0, section.Body, 0);
    v.Bodies[branch] = std::move(body);
  }
}

void WriteCommand(const TChoiceValues& v, TXelEventScriptList& lines) {
  int count = 1;
  for (int i = 1; i < ChoiceCount; ++i)
    if (!v.Choices[i].empty()) count = i + 1;
  std::string joined;
  for (int i = 0; i < count; ++i)
    joined += (i ? "/" : "") + v.Choices[i];
  lines.Add(10140, 0, joined)->Params = {v.CancelMode};
  const auto branch = [&](int index, const std::string& text) {
    lines.Add(20140, 0, text)->Params = {index};
    AppendBlockBody(lines, v.Bodies[index].get());
  };
  for (int i = 0; i < count; ++i)
    branch(i, v.Choices[i]);
  if (v.CancelMode == AddCaseMode) branch(CancelBranch, "");
  lines.Add(20141, 0);
}

class TFormEvCmd10140 : public TFormEvCmdFresh<TChoiceValues> {
public:
  explicit TFormEvCmd10140(QWidget* owner) : TFormEvCmdFresh(owner, 10140) {
    TFormBuilder b(this, "FormEvCmd10140", "Show Choices", 377, 237);
    CommandLayout(b, [&] {
      b.Grid(2, [&] {
        for (int i = 0; i < ChoiceCount; ++i) {
          const std::string n = std::to_string(i + 1);
          b.Group(("GroupBox" + n).c_str(), QString::fromStdString("Choice " + n),
                  [&] { b.Edit(("OverEdit" + n).c_str(), &v.Choices[i], 32); });
        }
      });
      b.RadioGroup("GroupBox5", "Cancel Case",
                   {"Ignore", "Choose 1", "Choose 2", "Choose 3", "Choose 4", "Add Case"},
                   &v.CancelMode, 3);
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10140, TFormGroup::Command, 10140);

// ---- 10150 ----

struct TInputNumberValues {
  int Digits = 1;
  int Variable = 1;
  bool operator==(const TInputNumberValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TInputNumberValues& v) {
  v.Digits = lines.GetItem(0)->GetParam(0);
  v.Variable = lines.GetItem(0)->GetParam(1);
}

void WriteCommand(const TInputNumberValues& v, TXelEventScriptList& lines) {
  lines.Add(10150, 0)->Params = {v.Digits, v.Variable};
}

class TFormEvCmd10150 : public TFormEvCmd<TInputNumberValues> {
public:
  explicit TFormEvCmd10150(QWidget* owner) : TFormEvCmd(owner, 10150) {
    TFormBuilder b(this, "FormEvCmd10150", "Input Number", 321, 105);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "# of Digits", [&] { b.DialEdit("DialEdit1", 1, 6, &v.Digits); });
      b.Group("GroupBox2", "Store it into Variable",
              [&] { VariableBox(*this, b, "DashBox1", &v.Variable, &StoreVariableText); });
    });
  }

private:
  // Unlike the other variable boxes, a missing variable shows nothing rather than "?".
  static QString StoreVariableText(int id) {
    return VariableList && VariableList->FindById(id) ? VariableBoxText(id) : QString();
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10150, TFormGroup::Command, 10150,
                      LastUsedRecord<TInputNumberValues>());

} // namespace

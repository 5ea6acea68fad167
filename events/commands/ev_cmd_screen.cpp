// The screen commands: erase and display transitions, colour tone, flash, shake, pan and
// weather. The transition and "Wait Until Done" are shared with other commands.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <iterator>

#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// Every parameter of the head in order, into the fields of Values (all int).
template <class Values> void ReadAll(const TXelEventScriptList& lines, Values& v, int count) {
  int* fields = &v.P[0];
  for (int i = 0; i < count; ++i)
    fields[i] = lines.GetItem(0)->GetParam(i);
}

// A combo whose entries stand for First, First + 1, ...: a stored value outside them
// selects nothing and is kept as read.
QComboBox* RangeCombo(TFormBuilder& b, const char* name, const QStringList& items, int first,
                      int* value) {
  auto* combo = b.Add<QComboBox>(name);
  combo->addItems(items);
  const int count = static_cast<int>(items.size());
  return b.Bind(
      combo, &QComboBox::currentIndexChanged, TField<int>(value),
      [first, count](QComboBox* c, int v) {
        c->setCurrentIndex(v >= first && v < first + count ? v - first : -1);
      },
      [first](QComboBox* c) { return c->currentIndex() + first; });
}

// ---- 11010, 11020: the transition ----

template <int32_t Code> struct TTransitionValues {
  int P[1] = {-1};
  bool operator==(const TTransitionValues&) const = default;
};
template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, TTransitionValues<Code>& v) {
  ReadAll(lines, v, 1);
}
template <int32_t Code>
void WriteCommand(const TTransitionValues<Code>& v, TXelEventScriptList& lines) {
  lines.Add(Code, 0)->Params = {v.P[0]};
}

template <int32_t Code> class TFormEvCmdTransition : public TFormEvCmd<TTransitionValues<Code>> {
public:
  TFormEvCmdTransition(QWidget* owner, const char* caption, const char* group,
                       const QStringList& items)
      : TFormEvCmd<TTransitionValues<Code>>(owner, Code) {
    TFormBuilder b(this, QString("FormEvCmd%1").arg(Code).toUtf8().constData(), caption, 321, 90);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", group, [&] { RangeCombo(b, "ComboBox1", items, -1, &this->v.P[0]); });
    });
  }

protected:
  void LoadLastUsed() override { this->v.P[0] = LastScreenTransition(); }
  void StoreLastUsed() override { LastScreenTransition() = this->v.P[0]; }
};

// The entries shared by both lists, by position.
QStringList Transitions(const char* first, const char* fade, const char* blind,
                        const QStringList& scrolls, const QStringList& divisions,
                        const QStringList& zoom, const char* last) {
  return QStringList{first,
                     fade,
                     "Whole Random Blocks",
                     "Random Block Up",
                     "Random Block Down",
                     blind,
                     "Hi-Low Stripe",
                     "Left-Right Stripe",
                     "Outside-Inside",
                     "Inside-Outside"} +
         scrolls + divisions + zoom + QStringList{"Mosaic", "Roster Scroll", last};
}

class TFormEvCmd11010 : public TFormEvCmdTransition<11010> {
public:
  explicit TFormEvCmd11010(QWidget* owner)
      : TFormEvCmdTransition(
            owner, "Screen Erase", "Erase Screen Type",
            Transitions(
                "Default Erase Transition", "Fade-out", "Blind Close",
                {"Scroll Up", "Scroll Down", "Scroll Left", "Scroll Right"},
                {"High and Low Division", "Left-Right Division", "Hi-Low + Left-Right Division"},
                {"Zoom In"}, "Instant Erase")) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11010, TFormGroup::Command, 11010, LastScreenTransition());

class TFormEvCmd11020 : public TFormEvCmdTransition<11020> {
public:
  explicit TFormEvCmd11020(QWidget* owner)
      : TFormEvCmdTransition(
            owner, "Screen Display", "Show Screen Type",
            Transitions("Default Show Transition", "Fade-In", "Blind Open",
                        {"Scroll Down", "Scroll Up", "Scroll Right", "Scroll Left"},
                        {"Hi-Low Combine", "Left-Right Combine", "Hi-Low + Left-Right Combine"},
                        {"Zoom Out"}, "Instant Display")) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11020, TFormGroup::Command, 11020, LastScreenTransition());

// ---- the commands with "Wait Until Done": P holds every parameter but the last ----

template <int32_t Code, int N> struct TWaitValues {
  int P[N];
  bool Wait = true;
  bool operator==(const TWaitValues&) const = default;
};
template <int32_t Code, int N>
void ReadCommand(const TXelEventScriptList& lines, TWaitValues<Code, N>& v) {
  ReadAll(lines, v, N);
  v.Wait = lines.GetItem(0)->GetParam(N) != 0;
}
template <int32_t Code, int N>
void WriteCommand(const TWaitValues<Code, N>& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(Code, 0);
  head->Params.assign(std::begin(v.P), std::end(v.P));
  head->Params.push_back(v.Wait ? 1 : 0);
}

struct TToneValues : TWaitValues<11030, 5> {
  TToneValues() : TWaitValues{{100, 100, 100, 100, 10}} {}
};
struct TFlashValues : TWaitValues<11040, 5> {
  TFlashValues() : TWaitValues{{31, 31, 31, 31, 5}} {}
};
struct TShakeValues : TWaitValues<11050, 3> {
  TShakeValues() : TWaitValues{{5, 5, 2}} {}
};
struct TPanValues : TWaitValues<11060, 4> {
  TPanValues() : TWaitValues{{0, 0, 1, 4}} {}
};

// The four colour rows of the tone and flash dialogs: label, slider and dial.
void ColourRows(TFormEvCmdBase& form, TFormBuilder& b, const char* fourth, int* values,
                int maxValue, int scale, const std::function<void()>& changed) {
  const QStringList captions{"Red", "Green", "Blue", fourth};
  b.Grid(3, [&] {
    for (int i = 0; i < 4; ++i) {
      const QByteArray n = QByteArray::number(i + 1);
      b.Label(("Label" + n).constData(), captions[i]);
      SliderDialPair(form, b, ("Slider" + n).constData(), ("DialEdit" + n).constData(), 0, maxValue,
                     scale, &values[i], changed);
    }
  });
}

class TFormEvCmd11030 : public TFormEvCmdWait<TToneValues> {
public:
  explicit TFormEvCmd11030(QWidget* owner) : TFormEvCmdWait(owner, 11030) {
    TFormBuilder b(this, "FormEvCmd11030", "Set Screen Color Tone", 449, 329);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Color", [&] {
        ColourRows(*this, b, "Chroma", v.P, 200, 10, [this] { sample_->viewport()->update(); });
      });
      b.Group("GroupBox2", "Sample", [&] { sample_ = ToneSample(*this, b, "ScrollFrame1", v.P); });
      TimeAndWait(b, "DialEdit5", "Label5", &v.P[4]);
    });
  }

private:
  TScrollFrame* sample_ = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd11030, TFormGroup::Command, 11030, LastUsedRecord<TToneValues>(),
                      LastWaitUntilDone());

class TFormEvCmd11040 : public TFormEvCmdWait<TFlashValues> {
public:
  explicit TFormEvCmd11040(QWidget* owner) : TFormEvCmdWait(owner, 11040) {
    TFormBuilder b(this, "FormEvCmd11040", "Screen Flash", 449, 273);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Color",
              [&] { ColourRows(*this, b, "Power", v.P, 31, 1, [this] { Recolour(); }); });
      b.Group("GroupBox2", "Sample", [&] {
        sample_ = b.Add<TScrollFrame>("ScrollFrame1");
        // A plain swatch of the colour: nothing to scroll.
        sample_->HorzScrollBar()->SetVisible(false);
        sample_->VertScrollBar()->SetVisible(false);
        sample_->setFixedHeight(32);
      });
      TimeAndWait(b, "DialEdit5", "Label5", &v.P[4]);
    });
  }

protected:
  void UpdateOwnControls() override { Recolour(); }

private:
  // The colour runs 0-31 a channel; the screen's is eight times finer.
  void Recolour() { sample_->SetColor(QColor(v.P[0] * 8, v.P[1] * 8, v.P[2] * 8)); }

  TScrollFrame* sample_ = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd11040, TFormGroup::Command, 11040, LastUsedRecord<TFlashValues>(),
                      LastWaitUntilDone());

// A 1-9 slider between its three marks.
void MarkedSlider(TFormBuilder& b, const char* group, const QString& caption, const char* slider,
                  int* value, const QStringList& marks, int firstLabel) {
  b.Group(group, caption, [&] {
    b.Slider(slider, 1, 9, value);
    b.Row([&] {
      for (int i = 0; i < 3; ++i) {
        if (i) b.Stretch();
        b.Label(("Label" + QByteArray::number(firstLabel + i)).constData(), marks[i]);
      }
    });
  });
}

class TFormEvCmd11050 : public TFormEvCmdWait<TShakeValues> {
public:
  explicit TFormEvCmd11050(QWidget* owner) : TFormEvCmdWait(owner, 11050) {
    TFormBuilder b(this, "FormEvCmd11050", "Shake Screen", 321, 249);
    CommandLayout(b, [&] {
      MarkedSlider(b, "GroupBox1", "Shake Power ", "Slider1", &v.P[0], {"Low", "Med.", "High"}, 1);
      MarkedSlider(b, "GroupBox2", "Shake Speed", "Slider2", &v.P[1], {"Slow", "Med.", "Fast"}, 4);
      TimeAndWait(b, "DialEdit1", "Label7", &v.P[2]);
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11050, TFormGroup::Command, 11050, LastUsedRecord<TShakeValues>(),
                      LastWaitUntilDone());

// The direction radios sit as a cross; each stores its direction, not its position.
constexpr int PanDirectionOfTag[] = {0, 3, 1, 2};

class TFormEvCmd11060 : public TFormEvCmdWait<TPanValues> {
public:
  explicit TFormEvCmd11060(QWidget* owner) : TFormEvCmdWait(owner, 11060) {
    TFormBuilder b(this, "FormEvCmd11060", "Pan Screen", 321, 273);
    QGroupBox *directions = nullptr, *chips = nullptr, *speed = nullptr, *options = nullptr;
    QRadioButton* pans[4] = {};
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Set", [&] {
        b.Radios(&v.P[0], [&] {
          b.Grid(2, [&] {
            b.Radio("RadioButtonA1", "Fix");
            b.Radio("RadioButtonA2", "Cancel Fix");
            b.Radio("RadioButtonA3", "Move Pos.");
            b.Radio("RadioButtonA4", "Return Pos.");
          });
        });
      });
      b.Row([&] {
        directions = b.Group("GroupBox2", "Direction to move", [&] {
          b.Radios(&tag_, [&] {
            b.Grid(3, [&] {
              b.Label("Label1", "");
              pans[0] = b.Radio("RadioButtonB1", "Up", 0);
              b.Label("Label2", "");
              pans[1] = b.Radio("RadioButtonB2", "Left", 1);
              b.Label("Label3", "");
              pans[2] = b.Radio("RadioButtonB3", "Right", 2);
              b.Label("Label4", "");
              pans[3] = b.Radio("RadioButtonB4", "Down", 3);
            });
          });
        });
        chips =
            b.Group("GroupBox3", "# of Chips", [&] { b.DialEdit("DialEdit1", 1, 100, &v.P[2]); });
      });
      b.Row([&] {
        speed = b.Group("GroupBox4", "Scroll Speed", [&] {
          RangeCombo(b, "ComboBox1",
                     {"1: x8 Slower", "2: x4 Slower", "3: x2 Slower", "4: Normal", "5: x2 Faster",
                      "6: x4 Faster"},
                     1, &v.P[3]);
        });
        options = b.Group("GroupBox5", "Options", [&] { WaitBox(b); });
      });
    });
    EnableWhen({directions, chips}, [this] { return v.P[0] == 2; });
    EnableWhen({speed, options}, [this] { return v.P[0] == 2 || v.P[0] == 3; });
    for (QRadioButton* pan : pans)
      // After the binding has stored the Tag: clicked comes after toggled.
      On(pan, &QRadioButton::clicked, [this] {
        if (tag_ >= 0 && tag_ <= 3) v.P[1] = PanDirectionOfTag[tag_];
      });
  }

protected:
  void LoadLastUsed() override {
    TFormEvCmdWait::LoadLastUsed();
    ShowDirection();
  }
  void ReadLines(const TXelEventScriptList& lines) override {
    TFormEvCmdWait::ReadLines(lines);
    ShowDirection();
  }

private:
  // The radio of the stored direction; none for a direction outside 0-3.
  void ShowDirection() {
    tag_ = -1;
    for (int tag = 0; tag < 4; ++tag)
      if (PanDirectionOfTag[tag] == v.P[1]) tag_ = tag;
  }

  int tag_ = 0;
};
VELMORA_REGISTER_FORM(TFormEvCmd11060, TFormGroup::Command, 11060, LastUsedRecord<TPanValues>(),
                      LastWaitUntilDone());

struct TWeatherValues {
  int P[2] = {0, 1};
  bool operator==(const TWeatherValues&) const = default;
};
void ReadCommand(const TXelEventScriptList& lines, TWeatherValues& v) {
  ReadAll(lines, v, 2);
}
void WriteCommand(const TWeatherValues& v, TXelEventScriptList& lines) {
  lines.Add(11070, 0)->Params = {v.P[0], v.P[1]};
}

class TFormEvCmd11070 : public TFormEvCmd<TWeatherValues> {
public:
  explicit TFormEvCmd11070(QWidget* owner) : TFormEvCmd(owner, 11070) {
    TFormBuilder b(this, "FormEvCmd11070", "Weather Screen Effects", 321, 160);
    QGroupBox* power = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Choose Weather Effect", [&] {
        b.Radios(&v.P[0], [&] {
          b.Radio("RadioButtonA1", "None");
          b.Radio("RadioButtonA2", "Rain");
          b.Radio("RadioButtonA3", "Snow");
        });
      });
      power = b.Group("GroupBox2", "Set Effects Power", [&] {
        b.Radios(&v.P[1], [&] {
          b.Radio("RadioButtonB1", "Low");
          b.Radio("RadioButtonB2", "Med.");
          b.Radio("RadioButtonB3", "High");
        });
      });
    });
    EnableWhen({power}, [this] { return v.P[0] != 0; });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11070, TFormGroup::Command, 11070,
                      LastUsedRecord<TWeatherValues>());

} // namespace

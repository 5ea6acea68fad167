#include "database/ed_animation_dialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>
#include <memory>

#include "events/command_pieces.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_music.h"

int LastTimingFrame = 1;
TComplementSettings LastComplement;
TManyCellSettings LastManyCell;
TFrameToolSettings LastFrameTool;

namespace {

const QStringList ColourCaptions{"Red", "Green", "Blue", "Chroma"};

TScrollFrame* PlainSample(TFormBuilder& b, const char* name, int height) {
  auto* view = b.Add<TScrollFrame>(name);
  view->HorzScrollBar()->SetVisible(false);
  view->VertScrollBar()->SetVisible(false);
  view->setFixedSize(TColorBar::BoardWidth + 2 * view->frameWidth(),
                     height + 2 * view->frameWidth());
  return view;
}

// The four colour rows in percent (sliders in tens) and their scale labels.
std::vector<QWidget*> PercentRows(TFormXelCommon& form, TFormBuilder& b, int* const values[4],
                                  const std::function<void()>& changed) {
  std::vector<QWidget*> made;
  b.Grid(3, [&] {
    for (int i = 0; i < 4; ++i) {
      const QByteArray n = QByteArray::number(i + 1);
      made.push_back(b.Label(("Label" + n).constData(), ColourCaptions[i]));
      const TSliderDial pair =
          SliderDialPair(form, b, ("Slider" + n).constData(), ("DialEdit" + n).constData(), 0, 200,
                         10, values[i], changed);
      made.push_back(pair.Slider);
      made.push_back(pair.Dial);
    }
  });
  b.Row([&] {
    made.push_back(b.Label("Label5", "0%"));
    b.Stretch();
    made.push_back(b.Label("Label6", "100%"));
    b.Stretch();
    made.push_back(b.Label("Label7", "200%"));
  });
  return made;
}

} // namespace

// ---- frame count ----

TFormEDAnimationFrameMax::TFormEDAnimationFrameMax(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDAnimationFrameMax", "Frame Number", 217, 73);
  b.Row([&] {
    b.Group("GroupBox1", "Max Frame", [&] { b.DialEdit("DialEdit1", 1, 9999, &count_); });
    b.ButtonColumn(false);
  });
}

void TFormEDAnimationFrameMax::FormShow() {
  count_ = FrameCount;
  UpdateControls();
}

void TFormEDAnimationFrameMax::ButtonOkClick() {
  FrameCount = count_;
  done(mrOk);
}
VELMORA_REGISTER_FORM(TFormEDAnimationFrameMax, TFormGroup::Dialog, 0);

// ---- timing ----

TFormEDAnimationTiming::TFormEDAnimationTiming(QWidget* owner) : TFormXelBase(owner) {
  Work.Frame = LastTimingFrame;
  TFormBuilder b(this, "FormEDAnimationTiming", "Sound Effect and Animation Timing", 449, 300);
  std::vector<QWidget*> colours;
  b.Row([&] {
    b.Column([&] {
      b.Row([&] {
        b.Group("GroupBox1", "Frame",
                [&] { DialEdit5 = b.DialEdit("DialEdit5", 1, 9999, &Work.Frame); });
        b.Group("GroupBox2", "Select Sound Effect", [&] {
          On(b.ValueBox("DashBox1", &Work.Sound.FileName), &TDashBox::Clicked,
             &TFormEDAnimationTiming::DashBox1Click);
        });
      });
      b.Group("GroupBox3", "Range", [&] {
        b.Radios(&Work.FlashScope, [&] {
          b.Row([&] {
            b.Radio("RadioButton1", "None");
            b.Radio("RadioButton2", "Target");
            b.Radio("RadioButton3", "Screen");
          });
        });
      });
      b.Group("GroupBox4", "Color", [&] {
        const QStringList captions{"Red", "Green", "Blue", "Power"};
        int* values[] = {&Work.FlashRed, &Work.FlashGreen, &Work.FlashBlue, &Work.FlashPower};
        b.Grid(3, [&] {
          for (int i = 0; i < 4; ++i) {
            const QByteArray n = QByteArray::number(i + 1);
            colours.push_back(b.Label(("Label" + n).constData(), captions[i]));
            const TSliderDial pair =
                SliderDialPair(*this, b, ("Slider" + n).constData(), ("DialEdit" + n).constData(),
                               0, 31, 1, values[i], [this] { Recolour(); });
            colours.push_back(pair.Slider);
            colours.push_back(pair.Dial);
          }
        });
        b.Row([&] {
          colours.push_back(b.Label("Label5", "0"));
          b.Stretch();
          colours.push_back(b.Label("Label6", "31"));
        });
      });
      b.Group("GroupBox5", "Sample", [&] { ScrollFrame1 = PlainSample(b, "ScrollFrame1", 32); });
    });
    b.ButtonColumn(false);
  });
  GreyWhen(colours, [this] { return Work.FlashScope != 0; });
  OnPaint(ScrollFrame1, [this](QPainter& canvas) {
    canvas.fillRect(ScrollFrame1->viewport()->rect(), SampleColour());
  });
}

TFormEDAnimationTiming::~TFormEDAnimationTiming() {
  LastTimingFrame = Work.Frame;
}

void TFormEDAnimationTiming::FormShow() {
  {
    TUpdatingScope updating(*this);
    DialEdit5->SetMaxValue(std::max(FrameCount, 1));
  }
  // The edit shows the frame within the animation, and OK must hand back what it shows.
  Work.Frame = std::clamp(Work.Frame, 1, std::max(FrameCount, 1));
  UpdateControls();
  DialEdit5->setFocus();
}

void TFormEDAnimationTiming::UpdateOwnControls() {
  Recolour();
}

void TFormEDAnimationTiming::Recolour() {
  ScrollFrame1->viewport()->update();
}

QColor TFormEDAnimationTiming::SampleColour() const {
  // The flash runs 0-31 a channel; the screen's colour is eight times finer.
  return Work.FlashScope == 0 ? AppWorkSpaceColor()
                              : QColor(Work.FlashRed * 8, Work.FlashGreen * 8, Work.FlashBlue * 8);
}

void TFormEDAnimationTiming::DashBox1Click() {
  TFormSelSound picker(this);
  picker.Sound.Assign(Work.Sound);
  if (!OpenModal(picker)) return;
  Work.Sound.Assign(picker.Sound);
  UpdateControls();
}
VELMORA_REGISTER_FORM(TFormEDAnimationTiming, TFormGroup::Dialog, 0);

// ---- cell ----

TFormEDAnimationCell::TFormEDAnimationCell(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDAnimationCell", "Edit Cell", 449, 300);
  b.Row([&] {
    b.Column([&] {
      b.Row([&] {
        b.Group("GroupBox1", "Pattern Number", [&] { b.DialEdit("DialEdit5", 1, 25, &v.Pattern); });
        b.Group("GroupBox2", "Magnification", [&] {
          b.Row([&] {
            b.DialEdit("DialEdit6", 20, 800, &v.Magnification)->SetIncrement(5);
            b.Label("Label8", "%");
          });
        });
        b.Group("GroupBox3", "Transparency", [&] {
          b.Row([&] {
            b.DialEdit("DialEdit7", 0, 100, &v.Transparency)->SetIncrement(5);
            b.Label("Label9", "%");
          });
        });
      });
      b.Group("GroupBox4", "Color", [&] {
        int* values[] = {&v.Tone[0], &v.Tone[1], &v.Tone[2], &v.Tone[3]};
        PercentRows(*this, b, values, [this] { WriteWork(); });
      });
      b.Group("GroupBox5", "Sample",
              [&] { ScrollFrame1 = ToneSample(*this, b, "ScrollFrame1", v.Tone); });
    });
    b.ButtonColumn(false);
  });
}

void TFormEDAnimationCell::FormShow() {
  v.Pattern = Work.Pattern + 1;
  v.Magnification = Work.Magnification;
  v.Transparency = Work.Transparency;
  const int tone[] = {Work.Red, Work.Green, Work.Blue, Work.Chroma};
  std::copy(std::begin(tone), std::end(tone), v.Tone);
  UpdateControls();
  ScrollFrame1->viewport()->update();
}

void TFormEDAnimationCell::WriteWork() {
  Work.Pattern = v.Pattern - 1;
  Work.Magnification = v.Magnification;
  Work.Transparency = v.Transparency;
  Work.Red = v.Tone[0];
  Work.Green = v.Tone[1];
  Work.Blue = v.Tone[2];
  Work.Chroma = v.Tone[3];
  ScrollFrame1->viewport()->update();
}
VELMORA_REGISTER_FORM(TFormEDAnimationCell, TFormGroup::Dialog, 0);

// ---- complement ----

TFormEDAnimationComplement::TFormEDAnimationComplement(QWidget* owner)
    : TFormEDAnimationTool(owner) {
  TFormBuilder b(this, "FormEDAnimationComplement", "Animation Complement Editor", 353, 190);
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", "Frame(s)", [&] {
        b.Row([&] {
          DialEdit1 = b.DialEdit("DialEdit1", 1, 9999, &v.From);
          b.Label("Label1", "to");
          DialEdit2 = b.DialEdit("DialEdit2", 1, 9999, &v.To);
        });
      });
      b.Group("GroupBox2", "Cell Number(s)", [&] {
        b.Row([&] {
          b.DialEdit("DialEdit3", 1, MaxAnimationCells, &v.FromCell);
          b.Label("Label2", "to");
          b.DialEdit("DialEdit4", 1, MaxAnimationCells, &v.ToCell);
        });
      });
      b.Group("GroupBox3", "Complement Item", [&] {
        b.Row([&] {
          b.CheckBox("CheckBox1", "Pattern Number", &v.Pattern);
          b.CheckBox("CheckBox2", "Magnification", &v.Magnification);
          b.CheckBox("CheckBox3", "Transparency", &v.Transparency);
        });
      });
    });
    b.ButtonColumn(false);
  });
}

void TFormEDAnimationComplement::FormShow() {
  {
    TUpdatingScope updating(*this);
    DialEdit1->SetMaxValue(Frames());
    DialEdit2->SetMaxValue(Frames());
  }
  const TComplementSettings& last = LastComplement;
  v = {Shown(last.FromFrame), Shown(last.ToFrame),      last.FromCell + 1,      last.ToCell + 1,
       last.Items.Pattern,    last.Items.Magnification, last.Items.Transparency};
  UpdateControls();
}

void TFormEDAnimationComplement::ButtonOkClick() {
  const int a = std::min(v.From, v.To), b = std::max(v.From, v.To);
  const int c1 = std::min(v.FromCell, v.ToCell), c2 = std::max(v.FromCell, v.ToCell);
  const TComplementItems items{v.Pattern, v.Magnification, v.Transparency};
  LastComplement = {a - 1, Remembered(b), c1 - 1, c2 - 1, items};
  ComplementFrames(Work, a - 1, b - 1, c1 - 1, c2 - 1, items);
  done(mrOk);
}
VELMORA_REGISTER_FORM(TFormEDAnimationComplement, TFormGroup::Dialog, 0, LastComplement);

// ---- many cells ----

TFormEDAnimationManyCell::TFormEDAnimationManyCell(QWidget* owner) : TFormEDAnimationTool(owner) {
  TFormBuilder b(this, "FormEDAnimationManyCell", "Edit Cells All At Once", 577, 420);
  std::vector<QWidget*> colours;
  QWidget *pattern, *magnification, *transparency;
  b.Row([&] {
    b.Group("GroupBox1", "Frame(s)", [&] {
      MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1");
      MarkListBox1->SetMode(TMarkListBox::mmCheck);
      MarkListBox1->setMinimumWidth(90);
    });
    b.Column([&] {
      b.Group("GroupBox2", "Cell Number", [&] {
        b.Grid(4, [&] {
          for (int c = 0; c < MaxAnimationCells; ++c)
            b.CheckBox(("CheckBoxCell" + QByteArray::number(c + 1)).constData(),
                       QString::number(c + 1), &v.CellChecked[c]);
        });
      });
      b.Group("GroupBox3", "", [&] {
        b.Grid(2, [&] {
          b.CheckBox("CheckBox1", "Pattern Number(s)", &v.SetPattern);
          pattern = b.DialEdit("DialEdit5", 1, 25, &pattern_);
          b.CheckBox("CheckBox2", "Magnification", &v.SetMagnification);
          auto* dial = b.DialEdit("DialEdit6", 20, 800, &v.Magnification);
          dial->SetIncrement(5);
          magnification = dial;
          b.CheckBox("CheckBox3", "Transparency", &v.SetTransparency);
          dial = b.DialEdit("DialEdit7", 0, 100, &v.Transparency);
          dial->SetIncrement(5);
          transparency = dial;
        });
      });
      b.Group("GroupBox4", "", [&] {
        b.CheckBox("CheckBox4", "Color", &v.SetColor);
        int* values[] = {&v.Red, &v.Green, &v.Blue, &v.Chroma};
        colours = PercentRows(*this, b, values, [this] { ScrollFrame1->viewport()->update(); });
        ScrollFrame1 = PlainSample(b, "ScrollFrame1", 2 * TColorBar::BarHeight);
      });
    });
    b.ButtonColumn(false);
  });
  auto bar = std::make_shared<TColorBar>();
  OnPaint(ScrollFrame1, [this, bar](QPainter& canvas) {
    if (!v.SetColor) {
      canvas.fillRect(ScrollFrame1->viewport()->rect(), AppWorkSpaceColor());
      return;
    }
    bar->SetTone(v.Red, v.Green, v.Blue, v.Chroma);
    bar->DrawAll(canvas);
  });
  GreyWhen({pattern}, [this] { return v.SetPattern; });
  GreyWhen({magnification}, [this] { return v.SetMagnification; });
  GreyWhen({transparency}, [this] { return v.SetTransparency; });
  GreyWhen(colours, [this] { return v.SetColor; });
}

void TFormEDAnimationManyCell::FormShow() {
  std::vector<uint8_t>& marks = LastManyCell.FrameMarks;
  if (static_cast<int>(marks.size()) < Work.GetFrameCount()) marks.resize(Work.GetFrameCount());
  MarkListBox1->clear();
  for (int f = 0; f < Work.GetFrameCount(); ++f) {
    MarkListBox1->addItem(QString::asprintf("< %.3d >", f + 1));
    MarkListBox1->SetChecked(f, marks[f] != 0);
  }
  MarkListBox1->setCurrentRow(0);
  v = LastManyCell.Values;
  pattern_ = v.Pattern + 1;
  UpdateControls();
}

void TFormEDAnimationManyCell::BoundValueChanged(QWidget*) {
  ScrollFrame1->viewport()->update();
}

void TFormEDAnimationManyCell::ButtonOkClick() {
  std::vector<uint8_t>& marks = LastManyCell.FrameMarks;
  for (int f = 0; f < Work.GetFrameCount(); ++f)
    marks[f] = MarkListBox1->Checked(f) ? 1 : 0;
  v.Pattern = pattern_ - 1;
  LastManyCell.Values = v;
  ApplyManyCells(Work, marks, v);
  done(mrOk);
}
VELMORA_REGISTER_FORM(TFormEDAnimationManyCell, TFormGroup::Dialog, 0, LastManyCell);

// ---- frame tool ----

TFormEDAnimationFrameTool::TFormEDAnimationFrameTool(QWidget* owner) : TFormEDAnimationTool(owner) {
  TFormBuilder b(this, "FormEDAnimationFrameTool", "Frame Management", 289, 217);
  QWidget* pasteGroup = nullptr;
  QRadioButton* copy = nullptr;
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", "Frame(s)", [&] {
        b.Row([&] {
          DialEdit1 = b.DialEdit("DialEdit1", 1, 9999, &v.From);
          b.Label("Label1", "to");
          DialEdit2 = b.DialEdit("DialEdit2", 1, 9999, &v.To);
        });
      });
      b.Group("GroupBox2", "Operation", [&] {
        b.Radios(&v.Operation, [&] {
          b.Row([&] {
            copy = b.Radio("RadioButton1", "Copy Page");
            b.Radio("RadioButton2", "Clear");
          });
        });
      });
      pasteGroup = b.Group("GroupBox3", "Paste starting at",
                           [&] { DialEdit3 = b.DialEdit("DialEdit3", 1, 9999, &v.Start); });
    });
    b.ButtonColumn(false);
  });
  On(copy, &QRadioButton::clicked, &TFormEDAnimationFrameTool::RadioButton1Click);
  GreyWhen({pasteGroup, DialEdit3}, [this] { return v.Operation == 0; });
}

void TFormEDAnimationFrameTool::FormShow() {
  {
    TUpdatingScope updating(*this);
    for (TDialEdit* edit : {DialEdit1, DialEdit2, DialEdit3})
      edit->SetMaxValue(Frames());
  }
  const TFrameToolSettings& last = LastFrameTool;
  v = {Shown(last.FromFrame), Shown(last.ToFrame), Shown(last.PasteStart), last.Operation};
  UpdateControls();
}

void TFormEDAnimationFrameTool::RadioButton1Click() {
  v.Start = Shown(LastFrameTool.PasteStart);
  UpdateControls();
}

void TFormEDAnimationFrameTool::ButtonOkClick() {
  const int from = std::min(v.From, v.To) - 1, to = std::max(v.From, v.To) - 1;
  LastFrameTool = {from, Remembered(to + 1), v.Start - 1, v.Operation};
  if (v.Operation == 0)
    CopyFrameRange(Work, from, to, v.Start - 1);
  else
    ClearFrameRange(Work, from, to);
  done(mrOk);
}
VELMORA_REGISTER_FORM(TFormEDAnimationFrameTool, TFormGroup::Dialog, 0, LastFrameTool);

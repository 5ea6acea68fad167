#include "database/ed_player_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <algorithm>
#include <random>

#include "core/database_names.h"
#include "core/database_tables.h"
#include "events/command_pieces.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

const char* const ParameterCaptions[HeroParameterCount] = {"Max HP",  "Max MP", "Attack",
                                                           "Defense", "Mind",   "Agility"};

// Curve editor graph: 10 pixels a level, 250 high.
constexpr int GraphWidth = 500;
constexpr int GraphHeight = 250;

QColor BgrColor(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// A black frame without scroll bars whose client area is Width x Height.
TScrollFrame* BlackFrame(TFormBuilder& b, const char* name, int width, int height) {
  auto* frame = b.Add<TScrollFrame>(name);
  frame->HorzScrollBar()->SetVisible(false);
  frame->VertScrollBar()->SetVisible(false);
  frame->SetColor(Qt::black);
  frame->SetOpaque(true);
  frame->setFixedSize(width + 2 * frame->frameWidth(), height + 2 * frame->frameWidth());
  return frame;
}

TRandomSource DefaultRandom() {
  static std::mt19937 engine{std::random_device{}()};
  return [](int n) { return n > 0 ? std::uniform_int_distribution<int>(0, n - 1)(engine) : 0; };
}

// The learned-skill dialog's values for a new entry, for the run.
int LastLearningLevel = 1;
int LastLearningSkill = 1;

} // namespace

QColor ParameterColor(int parameter) {
  return BgrColor(ParameterScale(parameter).Color);
}

// ---- curve editor ----

TFormEDPlayerParameter::TFormEDPlayerParameter(QWidget* owner)
    : TFormXelBase(owner, 46), Random(DefaultRandom()) {
  TFormBuilder b(this, "FormEDPlayerParameter", "Curve of Abilities", 641, 353);
  b.Row([&] {
    b.Column([&] {
      TabControl = b.Add<QTabBar>("TabControl");
      for (const char* caption : ParameterCaptions)
        TabControl->addTab(QString::fromLatin1(caption));
      GraphArea = BlackFrame(b, "GraphArea", GraphWidth, GraphHeight);
      GraphArea->SetTabStop(true);
      b.Stretch();
    });
    b.Column([&] {
      b.Group("GroupBox1", "Level", [&] { DialEdit1 = b.Add<TDialEdit>("DialEdit1"); });
      GroupBox2 = b.Group("GroupBox2", ParameterCaptions[0],
                          [&] { DialEdit2 = b.Add<TDialEdit>("DialEdit2"); });
      On(b.Button("Button1", "Create Curve..."), &QPushButton::clicked,
         &TFormEDPlayerParameter::Button1Click);
      b.Group("GroupBox3", "Simple Creation", [&] {
        const char* const names[4] = {"Button2", "Button3", "Button4", "Button5"};
        const char* const captions[4] = {"Genius", "Exellent", "Normal", "Low"};
        for (int i = 0; i < 4; ++i)
          On(b.Button(names[i], captions[i]), &QPushButton::clicked, [this, i] { PresetClick(i); });
      });
      b.Stretch();
      b.OkButton();
      b.CancelButton();
      b.HelpButton();
    });
  });
  DialEdit1->SetMinValue(1);
  DialEdit1->SetMaxValue(HeroMaxLevel);
  DialEdit2->SetMinValue(1);
  DialEdit2->SetMaxValue(CurveMaximum);
  On(DialEdit1, &QLineEdit::textChanged, &TFormEDPlayerParameter::RefreshValueDisplay);
  On(DialEdit2, &QLineEdit::textChanged, [this] {
    SetCurveValue(CurrentTab(), DialEdit1->Value(), DialEdit2->Value());
    GraphArea->viewport()->update();
  });
  On(TabControl, &QTabBar::currentChanged, [this] {
    RefreshValueDisplay();
    GraphArea->viewport()->update();
  });
  OnPaint(GraphArea, [this](QPainter& canvas) { GraphAreaPaint(canvas); });
  // The mouse draws while a button is held; Qt keeps sending the moves to the graph
  // until the button is let go, wherever the pointer goes.
  On(GraphArea, &TScrollFrame::MouseDown, &TFormEDPlayerParameter::GraphAreaMouseDown);
  On(GraphArea, &TScrollFrame::MouseMove, &TFormEDPlayerParameter::GraphAreaMouseMove);

  auto* next = new QAction(this);
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
  auto* previous = new QAction(this);
  previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
  addActions({next, previous});
  On(next, &QAction::triggered, [this] { SetCurrentTab((CurrentTab() + 1) % HeroParameterCount); });
  On(previous, &QAction::triggered,
     [this] { SetCurrentTab((CurrentTab() + HeroParameterCount - 1) % HeroParameterCount); });
}

int TFormEDPlayerParameter::GetCurveValue(int parameter, int level) const {
  if (parameter < 0 || parameter >= HeroParameterCount || level < 1 || level > HeroMaxLevel)
    return 0;
  return values_[size_t(parameter * HeroMaxLevel + level - 1)];
}

void TFormEDPlayerParameter::SetCurveValue(int parameter, int level, int value) {
  if (parameter < 0 || parameter >= HeroParameterCount || level < 1 || level > HeroMaxLevel) return;
  values_[size_t(parameter * HeroMaxLevel + level - 1)] = uint16_t(value);
}

void TFormEDPlayerParameter::SetCurrentTab(int parameter) {
  TabControl->setCurrentIndex(std::clamp(parameter, 0, HeroParameterCount - 1));
}

int TFormEDPlayerParameter::CurrentTab() const {
  return std::max(TabControl->currentIndex(), 0);
}

TCurveValues TFormEDPlayerParameter::Curve() {
  return TCurveValues(values_.data() + CurrentTab() * HeroMaxLevel, HeroMaxLevel);
}

void TFormEDPlayerParameter::FormShow() {
  values_ = Curves;
  DialEdit1->SetValue(1);
  RefreshValueDisplay();
  GraphArea->setFocus();
}

void TFormEDPlayerParameter::ButtonOkClick() {
  Curves = values_;
  done(mrOk);
}

void TFormEDPlayerParameter::RefreshValueDisplay() {
  const int tab = CurrentTab();
  GroupBox2->setTitle(TabControl->tabText(tab));
  TUpdatingScope updating(*this);
  DialEdit2->SetMinValue(CurveMinimum(tab));
  DialEdit2->SetValue(GetCurveValue(tab, DialEdit1->Value()));
}

void TFormEDPlayerParameter::CurveChanged() {
  GraphArea->viewport()->update();
  RefreshValueDisplay();
}

void TFormEDPlayerParameter::GraphAreaPaint(QPainter& canvas) {
  const int tab = CurrentTab();
  const int divisor = ParameterScale(tab).EditorDivisor;
  const QColor color = ParameterColor(tab);
  canvas.fillRect(QRect(QPoint(0, 0), GraphArea->ClientSize()), Qt::black);
  for (int level = 1; level <= HeroMaxLevel; ++level) {
    const int top = CurveBarTop(GetCurveValue(tab, level), divisor, GraphHeight);
    const int left = 10 * (level - 1);
    if (top < GraphHeight) canvas.fillRect(QRect(left, top, 9, GraphHeight - top), color);
  }
}

void TFormEDPlayerParameter::GraphAreaMouseDown(QMouseEvent* event) {
  GraphArea->setFocus();
  if (event->button() == Qt::MiddleButton) return;
  drawing_ = event->button() == Qt::LeftButton;
  // The press only starts the stroke: a click that focuses the graph changes no value.
  stroke_ = {};
}

void TFormEDPlayerParameter::GraphAreaMouseMove(QMouseEvent* event) {
  if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) return;
  Stroke(event->position().toPoint().x(), event->position().toPoint().y());
}

void TFormEDPlayerParameter::Stroke(int x, int y) {
  const int level = TCurveStroke::LevelAt(x);
  {
    TUpdatingScope updating(*this);
    DialEdit1->SetValue(std::clamp(level, 1, HeroMaxLevel));
  }
  if (drawing_) {
    const int tab = CurrentTab();
    stroke_.Move(Curve(), x, y, ParameterScale(tab).EditorDivisor, DialEdit2->MinValue(),
                 DialEdit2->MaxValue());
    GraphArea->viewport()->update();
  }
  RefreshValueDisplay();
}

void TFormEDPlayerParameter::Button1Click() {
  const int tab = CurrentTab();
  TFormEDPlayerParamGen generator(this);
  generator.MinValue = DialEdit2->MinValue();
  generator.MaxValue = DialEdit2->MaxValue();
  generator.FirstValue = GetCurveValue(tab, 1);
  generator.LastValue = GetCurveValue(tab, HeroMaxLevel);
  if (!generator.ExecuteAt(400, 72)) return;
  SetCurveValue(tab, 1, generator.FirstValue);
  SetCurveValue(tab, HeroMaxLevel, generator.LastValue);
  GenerateCurve(Curve(), generator.GrowthStyle);
  CurveChanged();
}

void TFormEDPlayerParameter::PresetClick(int preset) {
  ApplyCurvePreset(Curve(), CurrentTab(), CurvePresets[std::clamp(preset, 0, 3)], Random);
  CurveChanged();
}

VELMORA_REGISTER_FORM(TFormEDPlayerParameter, TFormGroup::Dialog, 0);

// ---- curve generator ----

TFormEDPlayerParamGen::TFormEDPlayerParamGen(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDPlayerParamGen", "Create Curve", 217, 173);
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", "Level 1 Cost",
              [&] { DialEdit1 = b.DialEdit("DialEdit1", 0, 50, &v.First); });
      b.Group("GroupBox2", "Growth Style", [&] {
        TSlider* slider = b.Slider("Slider1", -2, 8, &v.Style);
        slider->SetPageSize(1);
        b.Row([&] {
          b.Label("Label1", "Early");
          b.Stretch();
          b.Label("Label2", "Normal");
          b.Stretch();
          b.Label("Label3", "Late");
        });
      });
      b.Group("GroupBox3", "Level 50 Cost",
              [&] { DialEdit2 = b.DialEdit("DialEdit2", 0, 50, &v.Last); });
    });
    b.ButtonColumn(false);
  });
}

void TFormEDPlayerParamGen::FormShow() {
  for (TDialEdit* edit : {DialEdit1, DialEdit2}) {
    edit->SetMinValue(MinValue);
    edit->SetMaxValue(MaxValue);
  }
  v = {FirstValue, 3, LastValue};
  UpdateControls();
  DialEdit1->setFocus();
}

void TFormEDPlayerParamGen::ButtonOkClick() {
  FirstValue = DialEdit1->Value();
  LastValue = DialEdit2->Value();
  GrowthStyle = v.Style;
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormEDPlayerParamGen, TFormGroup::Dialog, 0);

// ---- learned skill ----

TFormEDPlayerLearning::TFormEDPlayerLearning(QWidget* owner)
    : TFormXelBase(owner), Level(LastLearningLevel), SkillId(LastLearningSkill),
      offer_(SkillList ? SkillList->GetCount() : 0) {
  TFormBuilder b(this, "FormEDPlayerLearning", "Skills", 201, 153);
  b.Group("GroupBox1", "Level", [&] {
    b.Row([&] {
      DialEdit1 = b.Add<TDialEdit>("DialEdit1");
      b.Stretch();
    });
  });
  b.Group("GroupBox2", "Learned Tech Skill", [&] { ComboBox1 = ListCombo(b, "ComboBox1", {}); });
  b.Row([&] {
    b.Stretch();
    ButtonOk = b.OkButton();
    b.CancelButton();
  });
  DialEdit1->SetMinValue(1);
  DialEdit1->SetMaxValue(HeroMaxLevel);
}

TFormEDPlayerLearning::~TFormEDPlayerLearning() {
  LastLearningLevel = Level;
  LastLearningSkill = SkillId;
}

void TFormEDPlayerLearning::MarkSkillTaken(int skillId) {
  offer_.MarkSkillTaken(skillId);
}

void TFormEDPlayerLearning::FormShow() {
  offered_ = offer_.OfferedSkills();
  QStringList names;
  names.reserve(qsizetype(offered_.size()));
  for (int id : offered_)
    names.push_back(ToQString(SkillNameById(id)));
  TUpdatingScope updating(*this);
  ComboBox1->addItems(names);
  ComboBox1->setCurrentIndex(offered_.empty() ? -1
                                              : TLearnedSkillOffer::LineFor(offered_, SkillId));
  DialEdit1->SetValue(Level);
  // Without a skill to learn there is no entry to store.
  ButtonOk->setEnabled(!offered_.empty());
  DialEdit1->setFocus();
}

void TFormEDPlayerLearning::ButtonOkClick() {
  if (offered_.empty()) return;
  Level = DialEdit1->Value();
  SkillId = TLearnedSkillOffer::SkillAt(offered_, ComboBox1->currentIndex());
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormEDPlayerLearning, TFormGroup::Dialog, 0);

// ---- experience curve ----

TFormEDPlayerExp::TFormEDPlayerExp(QWidget* owner) : TFormXelBase(owner, 17) {
  TFormBuilder b(this, "FormEDPlayerExp", "Curve of Experience", 497, 409);
  b.Row([&] {
    b.Column([&] {
      const auto changed = [this] { Redraw(); };
      b.Group("GroupBox1", "Standard Increase", [&] {
        b.Row([&] {
          SliderDialPair(*this, b, "Slider1", "DialEdit1", 10, 50, 1, &v.Standard, changed);
        });
      });
      b.Group("GroupBox2", "Additional Increase", [&] {
        b.Row([&] {
          SliderDialPair(*this, b, "Slider2", "DialEdit2", 10, 50, 1, &v.Additional, changed);
        });
      });
      b.Group("GroupBox3", "Corrected", [&] {
        b.Row([&] {
          SliderDialPair(*this, b, "Slider3", "DialEdit3", 0, 40, 1, &v.Corrected, changed);
        });
      });
      ExpGraph = BlackFrame(b, "ExpGraph", 250, 161);
      b.Stretch();
    });
    b.Column([&] {
      TabControl2 = b.Add<QTabBar>("TabControl2");
      TabControl2->addTab(QStringLiteral("Total EXP"));
      TabControl2->addTab(QStringLiteral("Next Level"));
      ExpList = BlackFrame(b, "ExpList", 181, 300);
      b.Stretch();
    });
  });
  b.Row([&] {
    b.Stretch();
    b.StandardButtons();
  });
  On(TabControl2, &QTabBar::currentChanged, [this] {
    TabControl2->setFocus();
    ExpList->viewport()->update();
  });
  OnPaint(ExpList, [this](QPainter& canvas) { ExpListPaint(canvas); });
  OnPaint(ExpGraph, [this](QPainter& canvas) { ExpGraphPaint(canvas); });
}

void TFormEDPlayerExp::FormShow() {
  v = {Standard, Additional, Corrected};
  UpdateControls();
  Redraw();
  FocusFirstInput();
}

void TFormEDPlayerExp::ButtonOkClick() {
  Standard = v.Standard;
  Additional = v.Additional;
  Corrected = v.Corrected;
  done(mrOk);
}

int TFormEDPlayerExp::Total(int level) const {
  return ExpForLevel(v.Standard, v.Additional, v.Corrected, level);
}

void TFormEDPlayerExp::Redraw() {
  ExpList->viewport()->update();
  ExpGraph->viewport()->update();
}

void TFormEDPlayerExp::ExpListPaint(QPainter& canvas) {
  const QSize client = ExpList->ClientSize();
  canvas.fillRect(QRect(QPoint(0, 0), client), Qt::black);
  const bool nextLevel = TabControl2->currentIndex() == 1;
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(10);
  canvas.setFont(font);
  canvas.setPen(nextLevel ? BgrColor(0xFFCCCC) : BgrColor(0x44FF88));
  for (int level = 1; level <= HeroMaxLevel; ++level) {
    const int x = level <= 25 ? 2 : client.width() / 2 + 6;
    const int y = (level - 1) % 25 * 12;
    canvas.drawText(QRect(x, y, client.width() / 2, 12), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::fromStdString(
                        ExpTableLine(v.Standard, v.Additional, v.Corrected, level, nextLevel)));
  }
}

void TFormEDPlayerExp::ExpGraphPaint(QPainter& canvas) {
  const QSize client = ExpGraph->ClientSize();
  const int h = client.height() - 1;
  canvas.fillRect(QRect(QPoint(0, 0), client), Qt::black);
  bool beyond = false;
  for (int level = 1; level <= HeroMaxLevel; ++level) {
    const int total = Total(level);
    beyond = beyond || total >= ExpLimit;
    const int top = h - int(int64_t(total) * h / ExpLimit);
    canvas.fillRect(QRect(5 * (level - 1), top, 4, client.height() - top),
                    BgrColor(beyond ? 0x440088 : 0x8844FF));
  }
}

VELMORA_REGISTER_FORM(TFormEDPlayerExp, TFormGroup::Dialog, 0);

// The commands that rename a hero, change a hero's degree, walk graphic and face, change a
// vehicle's graphic and change the screen transitions. Each starts from the database's
// current value of the entry it shows; the last-used record keeps only which entry was
// chosen.
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <iterator>
#include <utility>

#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/screen_transitions.h"
#include "core/system_records.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "events/turning_preview.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_cell.h"

namespace {

// A remembered hero that no longer exists gives way to the first one.
void FirstHeroIfMissing(int& hero) {
  if (!PlayerList || hero < 1 || hero > PlayerList->GetCount()) hero = 1;
}

const TXelPlayerItem* HeroEntry(int hero) {
  return PlayerList ? PlayerList->FindById(hero) : nullptr;
}

// A command that shows one hero in ComboBox1 and starts from that hero's current value:
// LoadHero takes it from the database whenever the hero changes.
template <class Values> class TFormEvCmdHeroLook : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;
  using TFormEvCmd<Values>::v;

  QComboBox* HeroCombo(TFormBuilder& b) {
    QComboBox* hero = CatalogCombo(b, "ComboBox1", HeroModel(), &v.Hero);
    this->On(hero, &QComboBox::currentIndexChanged, [this] {
      LoadHero(HeroEntry(v.Hero));
      this->UpdateControls();
    });
    return hero;
  }
  void LoadLastUsed() override {
    TFormEvCmd<Values>::LoadLastUsed();
    FirstHeroIfMissing(v.Hero);
    LoadHero(HeroEntry(v.Hero));
  }
  // Hero is none when the id has no entry.
  virtual void LoadHero(const TXelPlayerItem* hero) = 0;
};

// ---- hero name and degree ----

template <int32_t Code> struct THeroTextValues {
  int Hero = 1;     // P0
  std::string Text; // the new name or degree
  bool operator==(const THeroTextValues&) const = default;
};

template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, THeroTextValues<Code>& v) {
  v.Hero = lines.GetItem(0)->GetParam(0);
  v.Text = lines.GetItem(0)->Text;
}

template <int32_t Code>
void WriteCommand(const THeroTextValues<Code>& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(Code, 0);
  head->Text = v.Text;
  head->Params = {v.Hero};
}

template <int32_t Code>
class TFormEvCmdHeroText : public TFormEvCmdHeroLook<THeroTextValues<Code>> {
public:
  TFormEvCmdHeroText(QWidget* owner, const char* caption, const QString& textCaption,
                     std::string TXelPlayerItem::*field, int maxLength)
      : TFormEvCmdHeroLook<THeroTextValues<Code>>(owner, Code), field_(field) {
    TFormBuilder b(this, QStringLiteral("FormEvCmd%1").arg(Code).toLatin1().constData(), caption,
                   300, 130);
    CommandLayout(b, [&] {
      this->HeroCombo(b);
      // The length limit applies to typing only: a longer stored text is kept whole.
      b.Group("GroupBox1", textCaption, [&] { b.Edit("OverEdit1", &v.Text, maxLength); });
    });
  }

private:
  using TFormEvCmdHeroLook<THeroTextValues<Code>>::v;

  void LoadHero(const TXelPlayerItem* hero) override {
    v.Text = hero ? hero->*field_ : std::string();
  }

  std::string TXelPlayerItem::*field_;
};

class TFormEvCmd10610 : public TFormEvCmdHeroText<10610> {
public:
  explicit TFormEvCmd10610(QWidget* owner)
      : TFormEvCmdHeroText(owner, "Change Hero Name", QStringLiteral("New Name (12)"),
                           &TXelPlayerItem::Name, 50) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10610, TFormGroup::Command, 10610,
                      LastUsedRecord<THeroTextValues<10610>>());

class TFormEvCmd10620 : public TFormEvCmdHeroText<10620> {
public:
  explicit TFormEvCmd10620(QWidget* owner)
      : TFormEvCmdHeroText(owner, "Change Hero Degree", QStringLiteral("New Degree"),
                           &TXelPlayerItem::Title, 12) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10620, TFormGroup::Command, 10620,
                      LastUsedRecord<THeroTextValues<10620>>());

// ---- hero face ----

struct THeroFaceValues {
  int Hero = 1;         // P0
  std::string FileName; // folder "FaceSet"
  int Index = 0;        // P1
  bool operator==(const THeroFaceValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, THeroFaceValues& v) {
  v.Hero = lines.GetItem(0)->GetParam(0);
  v.Index = lines.GetItem(0)->GetParam(1);
  v.FileName = lines.GetItem(0)->Text;
}

void WriteCommand(const THeroFaceValues& v, TXelEventScriptList& lines) {
  lines.Add(10640, 0, v.FileName)->Params = {v.Hero, v.Index};
}

class TFormEvCmd10640 : public TFormEvCmdHeroLook<THeroFaceValues> {
public:
  explicit TFormEvCmd10640(QWidget* owner) : TFormEvCmdHeroLook(owner, 10640) {
    TFormBuilder b(this, "FormEvCmd10640", "Change Hero Face", 305, 189);
    QPushButton* set = nullptr;
    CommandLayout(b, [&] {
      HeroCombo(b);
      b.Row([&] {
        ScrollFrame1 = FacePreview(*this, b, "ScrollFrame1", v.FileName, v.Index, NoMirror);
        b.Column([&] {
          set = b.Button("ButtonSet", "Set...");
          b.Stretch();
        });
      });
    });
    On(set, &QPushButton::clicked, &TFormEvCmd10640::ButtonSetClick);
    On(ScrollFrame1, &TScrollFrame::DblClick, &TFormEvCmd10640::ButtonSetClick);
  }

  void ButtonSetClick() {
    if (PickFace(*this, v.FileName, v.Index)) UpdateControls();
  }

private:
  void LoadHero(const TXelPlayerItem* hero) override {
    v.FileName = hero ? hero->FaceGraphic : std::string();
    v.Index = hero ? hero->FaceIndex : 0;
  }
  void UpdateOwnControls() override { ScrollFrame1->viewport()->update(); }

  static constexpr uint8_t NoMirror = 0;
  TScrollFrame* ScrollFrame1 = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10640, TFormGroup::Command, 10640,
                      LastUsedRecord<THeroFaceValues>());

// ---- hero walk graphic and vehicle graphic ----

struct THeroWalkValues {
  int Hero = 1;             // P0
  std::string FileName;     // folder "CharSet"
  int Index = 0;            // P1
  bool Transparent = false; // P2
  bool operator==(const THeroWalkValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, THeroWalkValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Hero = head.GetParam(0);
  v.Index = head.GetParam(1);
  v.Transparent = head.GetParam(2) == 1;
  v.FileName = head.Text;
}

void WriteCommand(const THeroWalkValues& v, TXelEventScriptList& lines) {
  lines.Add(10630, 0, v.FileName)->Params = {v.Hero, v.Index, v.Transparent ? 1 : 0};
}

// The turning preview with "Set..." beside it; the button and a double click on the
// preview open the walk graphic picker, and a new graphic starts its turn again.
TTurningPreview* CharacterPreview(TFormEvCmdBase& form, TFormBuilder& b,
                                  const TTurningPreviewKind& kind, std::string& fileName,
                                  int& index, const bool* seeThrough,
                                  const std::function<void()>& beside) {
  TTurningPreview* preview = nullptr;
  QPushButton* set = nullptr;
  b.Row([&] {
    preview = b.Add<TTurningPreview>("ScrollFrame1", form, kind, fileName, index, seeThrough);
    b.Column([&] {
      set = b.Button("ButtonSet", "Set...");
      beside();
      b.Stretch();
    });
  });
  const auto pick = [&form, &fileName, &index, preview] {
    if (!PickChar(form, fileName, index)) return;
    preview->Restart();
    form.UpdateControls();
  };
  form.On(set, &QPushButton::clicked, pick);
  form.On(preview, &TScrollFrame::DblClick, pick);
  return preview;
}

class TFormEvCmd10630 : public TFormEvCmdHeroLook<THeroWalkValues> {
public:
  explicit TFormEvCmd10630(QWidget* owner) : TFormEvCmdHeroLook(owner, 10630) {
    TFormBuilder b(this, "FormEvCmd10630", "Change Hero Walking GFX", 305, 189);
    CommandLayout(b, [&] {
      HeroCombo(b);
      ScrollFrame1 =
          CharacterPreview(*this, b, HeroWalkPreview, v.FileName, v.Index, &v.Transparent, [&] {
            b.CheckBox("CheckBox1", QStringLiteral("Transp."), &v.Transparent);
          });
    });
  }

private:
  void LoadHero(const TXelPlayerItem* hero) override {
    v.FileName = hero ? hero->WalkGraphic : std::string();
    v.Index = hero ? hero->WalkIndex : 0;
    v.Transparent = hero && hero->WalkTransparent != 0;
  }
  void UpdateOwnControls() override { ScrollFrame1->viewport()->update(); }
  // "Transp." shows at once, not at the next tick.
  void BoundValueChanged(QWidget*) override { ScrollFrame1->viewport()->update(); }

  TTurningPreview* ScrollFrame1 = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10630, TFormGroup::Command, 10630,
                      LastUsedRecord<THeroWalkValues>());

struct TVehicleValues {
  int Vehicle = 0;      // P0, the only value remembered
  std::string FileName; // folder "CharSet"
  int Index = 0;        // P1
  bool operator==(const TVehicleValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TVehicleValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Vehicle = head.GetParam(0);
  v.Index = head.GetParam(1);
  v.FileName = head.Text;
}

void WriteCommand(const TVehicleValues& v, TXelEventScriptList& lines) {
  lines.Add(10650, 0, v.FileName)->Params = {v.Vehicle, v.Index};
}

// The system record's graphic of each vehicle.
const std::pair<std::string TXelSystem::*, int32_t TXelSystem::*> VehicleGraphics[] = {
    {&TXelSystem::BoatGraphic, &TXelSystem::BoatIndex},
    {&TXelSystem::ShipGraphic, &TXelSystem::ShipIndex},
    {&TXelSystem::AirshipGraphic, &TXelSystem::AirshipIndex}};

class TFormEvCmd10650 : public TFormEvCmd<TVehicleValues> {
public:
  explicit TFormEvCmd10650(QWidget* owner) : TFormEvCmd(owner, 10650) {
    TFormBuilder b(this, "FormEvCmd10650", "Change Vehicle Graphic", 305, 189);
    QComboBox* vehicle = nullptr;
    CommandLayout(b, [&] {
      vehicle = b.ComboBox("ComboBox1", {"Boat", "Ship", "Airship"}, &v.Vehicle);
      ScrollFrame1 =
          CharacterPreview(*this, b, VehiclePreview, v.FileName, v.Index, nullptr, [] {});
    });
    On(vehicle, &QComboBox::currentIndexChanged, [this] {
      LoadVehicle();
      UpdateControls();
    });
  }

private:
  void LoadLastUsed() override {
    TFormEvCmd::LoadLastUsed();
    LoadVehicle();
  }
  // A vehicle outside the table reads nothing: it is written back as it came.
  void LoadVehicle() {
    if (!SystemData || v.Vehicle < 0 || v.Vehicle >= static_cast<int>(std::size(VehicleGraphics)))
      return;
    v.FileName = SystemData->*VehicleGraphics[v.Vehicle].first;
    v.Index = SystemData->*VehicleGraphics[v.Vehicle].second;
  }
  void UpdateOwnControls() override { ScrollFrame1->viewport()->update(); }

  TTurningPreview* ScrollFrame1 = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10650, TFormGroup::Command, 10650,
                      LastUsedRecord<TVehicleValues>());

// ---- screen transitions ----

// The system record's transition of each kind; even kinds erase, odd kinds show.
uint8_t TXelSystem::*const TransitionFields[] = {
    &TXelSystem::TeleportErase,   &TXelSystem::TeleportShow,   &TXelSystem::BattleStartErase,
    &TXelSystem::BattleStartShow, &TXelSystem::BattleEndErase, &TXelSystem::BattleEndShow};
constexpr int TransitionKinds = 6;

struct TTransitionValues {
  int Kind = 0;       // P0
  int Transition = 0; // P1
  bool operator==(const TTransitionValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TTransitionValues& v) {
  v.Kind = lines.GetItem(0)->GetParam(0);
  v.Transition = lines.GetItem(0)->GetParam(1);
}

void WriteCommand(const TTransitionValues& v, TXelEventScriptList& lines) {
  lines.Add(10690, 0)->Params = {v.Kind, v.Transition};
}

bool KnownTransitionKind(int kind) {
  return kind >= 0 && kind < TransitionKinds;
}

class TFormEvCmd10690 : public TFormEvCmd<TTransitionValues> {
public:
  explicit TFormEvCmd10690(QWidget* owner) : TFormEvCmd(owner, 10690) {
    TFormBuilder b(this, "FormEvCmd10690", "Change Screen Transition", 340, 330);
    QComboBox* kind = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", QStringLiteral("Screen Exchange Type"), [&] {
        kind = b.ComboBox("ComboBox1",
                          {"Teleport / Erase", "Teleport / Show", "Battle Start/Erase",
                           "Battle Start/Show", "Battle End / Erase", "Battle End / Show"},
                          &v.Kind);
      });
      EraseGroup = b.Group("GroupBox2", QStringLiteral("Erase Screen Type"), [&] {
        b.ListBox("ListBox1", LatinNames(EraseTransitionNames), &v.Transition);
      });
      ShowGroup = b.Group("GroupBox3", QStringLiteral("Show Screen Type"), [&] {
        b.ListBox("ListBox2", LatinNames(ShowTransitionNames), &v.Transition);
      });
    });
    On(kind, &QComboBox::currentIndexChanged, [this] {
      LoadTransition();
      UpdateControls();
    });
  }

private:
  void LoadLastUsed() override {
    TFormEvCmd::LoadLastUsed();
    LoadTransition();
  }
  // A kind outside the table reads nothing: it is written back as it came.
  void LoadTransition() {
    if (SystemData && KnownTransitionKind(v.Kind))
      v.Transition = SystemData->*TransitionFields[v.Kind];
  }
  void UpdateOwnControls() override {
    EraseGroup->setVisible(KnownTransitionKind(v.Kind) && v.Kind % 2 == 0);
    ShowGroup->setVisible(KnownTransitionKind(v.Kind) && v.Kind % 2 == 1);
  }

  QGroupBox* EraseGroup = nullptr;
  QGroupBox* ShowGroup = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10690, TFormGroup::Command, 10690,
                      LastUsedRecord<TTransitionValues>());

} // namespace

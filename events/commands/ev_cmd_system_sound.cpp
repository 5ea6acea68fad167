// The commands that change the system's music of one kind, its sound effect of one kind
// and its graphics. Choosing a kind starts from the system record's setting of it; the
// picker gets and gives back the whole setting.
#include <QComboBox>
#include <type_traits>

#include "core/database_tables.h"
#include "core/sound_record.h"
#include "core/system_records.h"
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"

namespace {

template <int32_t Code> struct TSystemSoundValues {
  int Kind = 0; // P0, the only value remembered
  std::string Name;
  int FadeIn = 0, Volume = 100, Tempo = 100, Balance = 50;
  bool operator==(const TSystemSoundValues&) const = default;
};

// Music carries a fade-in before the rest; a sound effect does not.
template <int32_t Code> constexpr bool WithFadeIn = Code == 10660;

template <int32_t Code>
void ReadCommand(const TXelEventScriptList& lines, TSystemSoundValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  int p = 0;
  v.Kind = head.GetParam(p++);
  v.Name = head.Text;
  if constexpr (WithFadeIn<Code>) v.FadeIn = head.GetParam(p++);
  v.Volume = head.GetParam(p++);
  v.Tempo = head.GetParam(p++);
  v.Balance = head.GetParam(p++);
}

template <int32_t Code>
void WriteCommand(const TSystemSoundValues<Code>& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(Code, 0, v.Name)->Params;
  params = {v.Kind};
  if constexpr (WithFadeIn<Code>) params.push_back(v.FadeIn);
  params.insert(params.end(), {v.Volume, v.Tempo, v.Balance});
}

template <class Record> void CopySetting(const Record& from, auto& v) {
  v.Name = from.FileName;
  if constexpr (std::is_same_v<Record, TXelMusic>) v.FadeIn = from.FadeIn;
  v.Volume = from.Volume;
  v.Tempo = from.Tempo;
  v.Balance = from.Balance;
}

template <class Record> void CopySettingBack(const auto& v, Record& to) {
  to.FileName = v.Name;
  if constexpr (std::is_same_v<Record, TXelMusic>) to.FadeIn = v.FadeIn;
  to.Volume = v.Volume;
  to.Tempo = v.Tempo;
  to.Balance = v.Balance;
}

template <int32_t Code, class Record, class Picker>
class TFormEvCmdSystemSound : public TFormEvCmd<TSystemSoundValues<Code>> {
public:
  TFormEvCmdSystemSound(QWidget* owner, const char* caption, const QString& kindCaption,
                        const QStringList& kinds, std::vector<Record TXelSystem::*> fields)
      : TFormEvCmd<TSystemSoundValues<Code>>(owner, Code), fields_(std::move(fields)) {
    TFormBuilder b(this, QStringLiteral("FormEvCmd%1").arg(Code).toLatin1().constData(), caption,
                   300, 140);
    QComboBox* kind = nullptr;
    TDashBox* name = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", kindCaption, [&] { kind = b.ComboBox("ComboBox1", kinds, &v.Kind); });
      name = b.ValueBox("DashBox1", &v.Name);
    });
    this->On(kind, &QComboBox::currentIndexChanged, [this] {
      LoadSetting();
      this->UpdateControls();
    });
    this->On(name, &TDashBox::Clicked, [this] {
      Picker picker(this);
      if constexpr (std::is_same_v<Record, TXelMusic>)
        CopySettingBack(v, picker.Music);
      else
        CopySettingBack(v, picker.Sound);
      if (!OpenModal(picker)) return;
      if constexpr (std::is_same_v<Record, TXelMusic>)
        CopySetting(picker.Music, v);
      else
        CopySetting(picker.Sound, v);
      this->UpdateControls();
    });
  }

private:
  using TFormEvCmd<TSystemSoundValues<Code>>::v;

  void LoadLastUsed() override {
    TFormEvCmd<TSystemSoundValues<Code>>::LoadLastUsed();
    LoadSetting();
  }
  // A kind outside the table reads nothing: it is written back as it came.
  void LoadSetting() {
    if (SystemData && v.Kind >= 0 && v.Kind < static_cast<int>(fields_.size()))
      CopySetting(SystemData->*fields_[v.Kind], v);
  }

  std::vector<Record TXelSystem::*> fields_;
};

class TFormEvCmd10660 : public TFormEvCmdSystemSound<10660, TXelMusic, TFormSelMusic> {
public:
  explicit TFormEvCmd10660(QWidget* owner)
      : TFormEvCmdSystemSound(
            owner, "Change BGM", QStringLiteral("Type of BGM"),
            {"Battle", "Battle End", "Inn", "Boat", "Ship", "Airship", "Game Over"},
            {&TXelSystem::BattleMusic, &TXelSystem::BattleEndMusic, &TXelSystem::InnMusic,
             &TXelSystem::BoatMusic, &TXelSystem::ShipMusic, &TXelSystem::AirshipMusic,
             &TXelSystem::GameOverMusic}) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10660, TFormGroup::Command, 10660,
                      LastUsedRecord<TSystemSoundValues<10660>>());

class TFormEvCmd10670 : public TFormEvCmdSystemSound<10670, TXelSound, TFormSelSound> {
public:
  explicit TFormEvCmd10670(QWidget* owner)
      : TFormEvCmdSystemSound(
            owner, "Change Sound Effect", QStringLiteral("Type of Sound Effect"),
            {"Cursor Movement", "Decision", "Cancel", "Buzzer", "Start Battle", "Escape",
             "Enemy Attack", "Enemys Damage", "Friends Damage", "Evasion", "Enemy Die", "Item Use"},
            {&TXelSystem::CursorSound, &TXelSystem::DecisionSound, &TXelSystem::CancelSound,
             &TXelSystem::BuzzerSound, &TXelSystem::BattleStartSound, &TXelSystem::EscapeSound,
             &TXelSystem::EnemyAttackSound, &TXelSystem::EnemyDamageSound,
             &TXelSystem::HeroDamageSound, &TXelSystem::EvasionSound, &TXelSystem::EnemyDieSound,
             &TXelSystem::ItemUseSound}) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd10670, TFormGroup::Command, 10670,
                      LastUsedRecord<TSystemSoundValues<10670>>());

// ---- system graphics ----

// No window of its own: the system graphic picker, captioned as the command, edits the
// line, and only its OK writes it.
class TFormEvCmd10680 : public TFormEvCmdNoWindow<10680> {
public:
  explicit TFormEvCmd10680(QWidget* owner) : TFormEvCmdNoWindow(owner) {
    setWindowTitle(QStringLiteral("Change System Graphics"));
  }

  bool Execute() override {
    TFormSelSystem picker(this);
    picker.setWindowTitle(windowTitle());
    if (ScriptList->GetCount() > 0) {
      const TXelEventScriptLine& head = *ScriptList->GetItem(0);
      picker.FileName = head.Text;
      picker.WallpaperMode = head.GetParam(0);
      picker.FontIndex = head.GetParam(1);
    }
    if (!OpenModal(picker)) return false;
    fileName_ = picker.FileName;
    wallpaper_ = picker.WallpaperMode;
    font_ = picker.FontIndex;
    StoreCommand();
    return true;
  }

protected:
  void WriteLines(TXelEventScriptList& lines) const override {
    lines.Add(10680, 0, fileName_)->Params = {wallpaper_, font_};
  }

private:
  std::string fileName_;
  int wallpaper_ = 0, font_ = 0;
};
VELMORA_REGISTER_FORM(TFormEvCmd10680, TFormGroup::Command, 10680);

} // namespace

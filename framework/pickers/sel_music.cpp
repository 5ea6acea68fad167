#include "framework/pickers/sel_music.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "core/list_picker_kinds.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/picker_messages.h"
#include "framework/pickers/sel_material_list.h"

VELMORA_REGISTER_FORM(TFormSelMusic, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelSound, TFormGroup::Dialog, 0);

namespace {

struct TSliderLook {
  TSoundSlider Slider;
  const char* Group;
  const char* Marks[3];
};

constexpr TSliderLook SliderLooks[] = {
    {TSoundSlider::FadeIn, "Fade-in Time", {"None", "5s", "10s"}},
    {TSoundSlider::Volume, "Volume", {"0%", "50%", "100%"}},
    {TSoundSlider::Tempo, "Tempo", {"50%", "100%", "150%"}},
    {TSoundSlider::Balance, "Balance", {"Left", "Mid.", "Right"}},
};

std::string Numbered(const char* stem, size_t number) {
  return stem + std::to_string(number);
}

} // namespace

TFormSelSoundBase::TFormSelSoundBase(QWidget* owner, const char* name, const char* caption,
                                     bool fadeIn)
    : TFormXelBase(owner) {
  TFormBuilder b(this, name, QString::fromLatin1(caption), 401, 345);
  b.Row([&] {
    IconListBox1 = b.Add<TIconListBox>("IconListBox1");
    IconListBox1->setFixedWidth(177);
    b.Column([&] {
      b.Row([&] {
        auto* play = b.Add<TImageButton>("ImageButton1", QStringLiteral("Play"));
        auto* stop = b.Add<TImageButton>("ImageButton2", QStringLiteral("Stop"));
        On(play, &QPushButton::clicked, &TFormSelSoundBase::ImageButton1Click);
        On(stop, &QPushButton::clicked, &TFormSelSoundBase::ImageButton2Click);
      });
      for (size_t i = fadeIn ? 0 : 1; i < std::size(SliderLooks); ++i) {
        const TSliderLook& look = SliderLooks[i];
        b.Group(Numbered("GroupBox", i + 1).c_str(), QString::fromLatin1(look.Group), [&] {
          Sliders[i] = b.Add<TSlider>(Numbered("Slider", i + 1).c_str());
          Sliders[i]->SetMax(SoundSliderMax);
          b.Row([&] {
            for (size_t m = 0; m < 3; ++m) {
              b.Label(Numbered("Label", 3 * i + m + 1).c_str(), QString::fromLatin1(look.Marks[m]));
              if (m < 2) b.Stretch();
            }
          });
        });
        On(Sliders[i], &TSlider::Change,
           [this, look] { SliderChange(look.Slider, SliderOf(look.Slider)->Position()); });
      }
      b.Stretch();
      b.Row([&] {
        b.Stretch();
        ButtonOk = b.OkButton();
        ButtonCancel = b.CancelButton();
      });
    });
  });
  On(IconListBox1, &QListWidget::currentRowChanged, &TFormSelSoundBase::IconListBox1Click);
  On(IconListBox1, &QListWidget::itemDoubleClicked, &TFormSelSoundBase::ImageButton1Click);
  IconListBox1->installEventFilter(this);
}

bool TFormSelSoundBase::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the list plays; it must not reach the default button and close the dialog.
  if (watched == IconListBox1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GuardHandler(this, [this] { ImageButton1Click(); });
      return true;
    }
  }
  return TFormXelBase::eventFilter(watched, event);
}

TSlider* TFormSelSoundBase::SliderOf(TSoundSlider slider) const {
  return Sliders[static_cast<int>(slider)];
}

void TFormSelSoundBase::FormShow() {
  // Not under Updating: a slider that moves off 0 runs its handler, which snaps the
  // value to the slider's grid; a value at position 0 stays as it is.
  for (const TSliderLook& look : SliderLooks)
    if (TSlider* slider = SliderOf(look.Slider))
      slider->SetPosition(SoundSliderPosition(look.Slider, Value(look.Slider)));
  std::vector<std::string> items;
  ListMaterialFiles(items, Folder(), Extensions());
  items.insert(items.begin(), SoundOffName);
  {
    TUpdatingScope updating(*this);
    ShowMaterialEntries(IconListBox1, items, Name(), DefaultLinesAboveSelection);
  }
  IconListBox1Click();
  UpdateControls();
}

void TFormSelSoundBase::IconListBox1Click() {
  // Choosing plays nothing; Play, Enter and a double-click do.
  Name() = SelectedMaterialName(IconListBox1, SoundOffName);
}

// ---- TFormSelMusic ----

TFormSelMusic::TFormSelMusic(QWidget* owner)
    : TFormSelSoundBase(owner, "FormSelMusic", "Select Background Music", true) {
  Music.FileName = PlayingMusicName;
  Music.FadeIn = PlayingMusicFadeIn;
  Music.Volume = PlayingMusicVolume;
  Music.Tempo = PlayingMusicTempo;
  Music.Balance = PlayingMusicBalance;
}

std::tuple<std::string, int, int, int, int> TFormSelMusic::CallerData() const {
  return {Music.FileName, Music.FadeIn, Music.Volume, Music.Tempo, Music.Balance};
}

void TFormSelMusic::FormShow() {
  music_.Assign(Music);
  if (ListenOnly == 1) {
    ButtonOk->hide();
    ButtonCancel->setText(QString::fromLatin1(SListenOnlyCancel));
  }
  IsPlaying = PlayingMusicName == music_.FileName ? 1 : 0;
  TFormSelSoundBase::FormShow();
}

void TFormSelMusic::ButtonOkClick() {
  Music.Assign(music_);
  done(mrOk);
}

int TFormSelMusic::Value(TSoundSlider slider) const {
  switch (slider) {
  case TSoundSlider::FadeIn:
    return music_.FadeIn;
  case TSoundSlider::Volume:
    return music_.Volume;
  case TSoundSlider::Tempo:
    return music_.Tempo;
  case TSoundSlider::Balance:
    break;
  }
  return music_.Balance;
}

void TFormSelMusic::SliderChange(TSoundSlider slider, int position) {
  ApplyMusicSlider(music_, slider, position, IsPlaying == 1);
}

void TFormSelMusic::ImageButton1Click() {
  PlayMusicSetting(music_);
  IsPlaying = music_.FileName == SoundOffName ? 0 : 1;
}

void TFormSelMusic::ImageButton2Click() {
  // The modifiers of the click that pressed Stop.
  const bool fadeOut = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
  StopMusicPlayback(fadeOut);
  if (!fadeOut) IsPlaying = 0;
}

// ---- TFormSelSound ----

TFormSelSound::TFormSelSound(QWidget* owner)
    : TFormSelSoundBase(owner, "FormSelSound", "Select Sound Effect", false) {}

std::tuple<std::string, int, int, int> TFormSelSound::CallerData() const {
  return {Sound.FileName, Sound.Volume, Sound.Tempo, Sound.Balance};
}

void TFormSelSound::FormShow() {
  sound_.Assign(Sound);
  TFormSelSoundBase::FormShow();
}

void TFormSelSound::ButtonOkClick() {
  Sound.Assign(sound_);
  done(mrOk);
}

int TFormSelSound::Value(TSoundSlider slider) const {
  switch (slider) {
  case TSoundSlider::Volume:
    return sound_.Volume;
  case TSoundSlider::Tempo:
    return sound_.Tempo;
  case TSoundSlider::Balance:
    return sound_.Balance;
  case TSoundSlider::FadeIn:
    break;
  }
  return 0;
}

void TFormSelSound::SliderChange(TSoundSlider slider, int position) {
  ApplySoundSlider(sound_, slider, position);
}

void TFormSelSound::ImageButton1Click() {
  PlaySoundSetting(sound_);
}

void TFormSelSound::ImageButton2Click() {
  StopSoundPlayback();
}

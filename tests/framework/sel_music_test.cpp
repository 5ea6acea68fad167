#include "framework/pickers/sel_music.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/music_playback.h"
#include "core/sound_library.h"
#include "framework/controls/slider.h"
#include "framework/harness/widget_harness.h"
#include "picker_test_env.h"

namespace {

using Lines = std::vector<std::string>;

// The sound library records every call in a log; each test reads what its clicks sent.
class MusicPicker : public PickerTestEnv {
protected:
  void SetUp() override {
    PickerTestEnv::SetUp();
    setenv("VELMORA_SOUND_LOG", Path("sound.log").c_str(), 1);
    ASSERT_TRUE(LoadSoundLibrary(TUNARA_BUILD_DIR));
    ResetPlayingMusic();
    Put("proj/Music/Theme.mid", "");
    Put("rtp/Music/Field.wav", "");
    Put("proj/Sound/Door.wav", "");
  }
  void TearDown() override {
    FreeSoundLibrary();
    unsetenv("VELMORA_SOUND_LOG");
    ResetPlayingMusic();
    PickerTestEnv::TearDown();
  }
  // The calls since the last look.
  Lines Calls() {
    std::ifstream in(Path("sound.log"));
    Lines lines;
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    std::filesystem::remove(Path("sound.log"));
    return lines;
  }
  static void Click(QWidget* form, const char* name, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(FindControl<QPushButton>(form, name), Qt::LeftButton, modifiers);
  }
  static QListWidget* List(QWidget* form) { return FindControl<QListWidget>(form, "IconListBox1"); }
  static TSlider* Slider(QWidget* form, const char* name) {
    return FindControl<TSlider>(form, name);
  }
};

TEST_F(MusicPicker, PlaySendsTheWholeSettingAndTheMusicOutlivesThePicker) {
  auto form = std::make_unique<TFormSelMusic>();
  form->Music.FileName = "Theme";
  form->Music.FadeIn = 2000;
  form->Music.Volume = 80;
  form->Music.Tempo = 120;
  form->Music.Balance = 30;
  ShowAndActivate(form.get());
  EXPECT_EQ(List(form.get())->currentItem()->text(), "Theme");
  EXPECT_EQ(form->IsPlaying, 0);
  EXPECT_EQ(Calls(), Lines{}); // opening plays nothing
  Click(form.get(), "ImageButton1");
  EXPECT_EQ(Calls(),
            (Lines{"TunaraInitMidi()", "TunaraPlayMusic(\"" + Path("proj/Music/Theme.mid") + "\")",
                   "TunaraFadeInMusic(2000)", "TunaraSetMusicVolume(80)",
                   "TunaraSetMusicSpeed(120)", "TunaraSetMusicPanpot(30)"}));
  EXPECT_EQ(form->IsPlaying, 1);
  EXPECT_EQ(PlayingMusicName, "Theme");
  EXPECT_EQ(PlayingMusicTempo, 120);
  // Playing music takes slider moves at once.
  Slider(form.get(), "Slider2")->SetPosition(5);
  EXPECT_EQ(Calls(), Lines{"TunaraSetMusicVolume(50)"});
  form->reject();
  form.reset();
  EXPECT_EQ(Calls(), Lines{});

  // Listening again shows what plays, with only a way out.
  auto listen = std::make_unique<TFormSelMusic>();
  listen->ListenOnly = 1;
  ShowAndActivate(listen.get());
  EXPECT_EQ(listen->Music.FileName, "Theme");
  EXPECT_EQ(listen->Music.Volume, 50);
  EXPECT_EQ(listen->IsPlaying, 1);
  // Showing the sliders of the playing music hands their values to the library again.
  EXPECT_EQ(Calls(), (Lines{"TunaraSetMusicVolume(50)", "TunaraSetMusicSpeed(120)",
                            "TunaraSetMusicPanpot(30)"}));
  EXPECT_FALSE(FindControl<QPushButton>(listen.get(), "ButtonOk")->isVisible());
  EXPECT_EQ(FindControl<QPushButton>(listen.get(), "ButtonCancel")->text(), "&Cancel");
  // Shift+Stop fades out and keeps what plays; Stop ends it.
  Click(listen.get(), "ImageButton2", Qt::ShiftModifier);
  EXPECT_EQ(Calls(), Lines{"TunaraFadeOutMusic(5000)"});
  EXPECT_EQ(PlayingMusicName, "Theme");
  Click(listen.get(), "ImageButton2");
  EXPECT_EQ(Calls(), (Lines{"TunaraStopMusic()", "TunaraTermMidi()"}));
  EXPECT_EQ(PlayingMusicName, "(OFF)");
  EXPECT_EQ(PlayingMusicVolume, 100);
}

TEST_F(MusicPicker, EnterAndDoubleClickPlayWithoutClosingAndOffStops) {
  auto form = std::make_unique<TFormSelMusic>();
  form->Music.FileName = "Field";
  ShowAndActivate(form.get());
  QListWidget* list = List(form.get());
  EXPECT_EQ(list->currentItem()->text(), "Field <RTP>");
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Calls().at(1), "TunaraPlayMusic(\"" + Path("rtp/Music/Field.wav") + "\")");
  const QPoint first = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Calls(), (Lines{"TunaraStopMusic()", "TunaraTermMidi()"}));
  EXPECT_EQ(PlayingMusicName, "(OFF)");
  EXPECT_EQ(form->IsPlaying, 0);
  Click(form.get(), "ButtonOk");
  EXPECT_EQ(form->Music.FileName, "(OFF)");
}

TEST_F(MusicPicker, SlidersOfMusicNotPlayingOnlyChangeTheSettingAndThePlayingState) {
  auto form = std::make_unique<TFormSelMusic>();
  form->Music.FileName = "Theme";
  form->Music.Volume = 95;
  form->Music.Tempo = 55;
  ShowAndActivate(form.get());
  Slider(form.get(), "Slider4")->SetPosition(10);
  EXPECT_EQ(PlayingMusicBalance, 100);
  EXPECT_EQ(Calls(), Lines{});
  Click(form.get(), "ButtonOk");
  EXPECT_EQ(form->Music.Volume, 90); // snapped to the slider's grid on showing
  EXPECT_EQ(form->Music.Tempo, 55);  // position 0: left alone
  EXPECT_EQ(form->Music.Balance, 100);

  auto cancelled = std::make_unique<TFormSelMusic>();
  cancelled->Music.FileName = "Theme";
  ShowAndActivate(cancelled.get());
  Slider(cancelled.get(), "Slider3")->SetPosition(0);
  cancelled->reject();
  EXPECT_EQ(cancelled->Music.Tempo, 100);
  EXPECT_EQ(PlayingMusicTempo, 50);
}

// A name that finds no file never reaches the library: it would open whatever that name
// points at from the current folder.
TEST_F(MusicPicker, ANameThatFindsNoFileIsNeverSent) {
  Put("proj/secret.wav", "");
  TXelMusic music;
  for (const char* name : {"Gone", "../secret", "../../x"}) {
    music.FileName = name;
    PlayMusicSetting(music);
    EXPECT_EQ(Calls(), Lines{"TunaraStopMusic()"}) << name; // what played before ends
  }
  TXelSound sound;
  for (const char* name : {"Gone", "../secret", "../Music/Theme"}) {
    sound.FileName = name;
    PlaySoundSetting(sound);
    EXPECT_EQ(Calls(), Lines{}) << name;
  }
}

TEST_F(MusicPicker, SoundsPlayWithTheirSettingAndComeBackSnapped) {
  auto form = std::make_unique<TFormSelSound>();
  form->Sound.FileName = "Door";
  form->Sound.Volume = 95;
  form->Sound.Tempo = 55;
  form->Sound.Balance = 20;
  ShowAndActivate(form.get());
  EXPECT_EQ(form->findChild<TSlider*>("Slider1"), nullptr);
  Click(form.get(), "ImageButton1");
  Click(form.get(), "ImageButton2");
  EXPECT_EQ(Calls(),
            (Lines{"TunaraPlaySoundEx(\"" + Path("proj/Sound/Door.wav") + "\", 90, 55, 20)",
                   "TunaraStopSound()"}));
  Click(form.get(), "ButtonOk");
  EXPECT_EQ(form->result(), mrOk);
  EXPECT_EQ(form->Sound.Volume, 90);
  EXPECT_EQ(form->Sound.Tempo, 55);
  EXPECT_EQ(PlayingMusicVolume, 100);
}

} // namespace

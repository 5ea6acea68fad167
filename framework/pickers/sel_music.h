// The music and sound pickers: a music or sound-effect setting (a file and how it is
// played), chosen from a list and tried out through the sound library. Music started
// here plays on after the picker has closed.
#pragma once

#include <cstdint>

#include "core/material.h"
#include "core/music_playback.h"
#include "core/sound_record.h"
#include "framework/forms/form_xel_base.h"

class QPushButton;
class TIconListBox;
class TSlider;

class TFormSelSoundBase : public TFormXelBase {
  Q_OBJECT
public:
  void FormShow() override;
  void IconListBox1Click();
  // Play (also Enter and a double-click in the list) and Stop.
  virtual void ImageButton1Click() = 0;
  virtual void ImageButton2Click() = 0;

protected:
  TFormSelSoundBase(QWidget* owner, const char* name, const char* caption, bool fadeIn);
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The setting being edited.
  virtual std::string& Name() = 0;
  virtual const char* Folder() const = 0;
  virtual TExtensionTable Extensions() const = 0;
  virtual int Value(TSoundSlider slider) const = 0;
  virtual void SliderChange(TSoundSlider slider, int position) = 0;

  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

private:
  TSlider* SliderOf(TSoundSlider slider) const;

  TIconListBox* IconListBox1;
  TSlider* Sliders[4] = {};
};

class TFormSelMusic : public TFormSelSoundBase {
  Q_OBJECT
public:
  explicit TFormSelMusic(QWidget* owner = nullptr);

  // In, and out on OK. Starts as the music playing now; callers that edit a setting put
  // theirs in with Assign.
  TXelMusic Music;
  // 1: only for listening (no "&Ok").
  uint8_t ListenOnly = 0;
  // 1 while the shown music is the one playing: the sliders then act on it at once.
  uint8_t IsPlaying = 0;

  std::tuple<std::string, int, int, int, int> CallerData() const;

  void FormShow() override;
  void ButtonOkClick() override;
  void ImageButton1Click() override;
  void ImageButton2Click() override;

protected:
  std::string& Name() override { return music_.FileName; }
  const char* Folder() const override { return "Music"; }
  TExtensionTable Extensions() const override { return MusicExtensions; }
  int Value(TSoundSlider slider) const override;
  void SliderChange(TSoundSlider slider, int position) override;

private:
  TXelMusic music_;
};

class TFormSelSound : public TFormSelSoundBase {
  Q_OBJECT
public:
  explicit TFormSelSound(QWidget* owner = nullptr);

  // In, and out on OK.
  TXelSound Sound;

  std::tuple<std::string, int, int, int> CallerData() const;

  void FormShow() override;
  void ButtonOkClick() override;
  void ImageButton1Click() override;
  void ImageButton2Click() override;

protected:
  std::string& Name() override { return sound_.FileName; }
  const char* Folder() const override { return "Sound"; }
  TExtensionTable Extensions() const override { return SoundExtensions; }
  int Value(TSoundSlider slider) const override;
  void SliderChange(TSoundSlider slider, int position) override;

private:
  TXelSound sound_;
};

// Listening to music and sound settings through the sound library: the music that plays
// on after the picker that started it has closed, and the sliders' steps.
#pragma once

#include <string>

class TXelMusic;
class TXelSound;

// The music the editor plays, for the whole run. "(OFF)" while nothing plays; test plays
// set it back when they release the sound library.
extern std::string PlayingMusicName;
extern int PlayingMusicFadeIn;
extern int PlayingMusicVolume;
extern int PlayingMusicTempo;
extern int PlayingMusicBalance;
// "(OFF)", 0, 100, 100, 50.
void ResetPlayingMusic();

// The sliders of the music and sound settings, each at positions 0..10.
enum class TSoundSlider { FadeIn, Volume, Tempo, Balance };
inline constexpr int SoundSliderMax = 10;
// Fade-in p x 1000 ms, volume p x 10 %, tempo p x 10 + 50 %, balance p x 10.
int SoundSliderValue(TSoundSlider slider, int position);
// The position that shows Value (integer division towards zero), within 0..10.
int SoundSliderPosition(TSoundSlider slider, int value);

// A moved music slider: the setting takes the slider's value, and so does the playing
// music's state; the library hears of it at once when this music is the one playing.
void ApplyMusicSlider(TXelMusic& music, TSoundSlider slider, int position, bool isPlaying);
// A moved sound slider changes the setting alone.
void ApplySoundSlider(TXelSound& sound, TSoundSlider slider, int position);

// Plays the setting from its start with its parameters and makes it the playing music.
// "(OFF)" stops instead.
void PlayMusicSetting(const TXelMusic& music);
// Fading out over 5 seconds keeps the playing music's state; stopping clears it.
void StopMusicPlayback(bool fadeOut);
// Plays a sound setting ("(OFF)" stops the sounds instead).
void PlaySoundSetting(const TXelSound& sound);
void StopSoundPlayback();

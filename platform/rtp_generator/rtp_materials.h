// The default run-time package made by the build: the fourteen material folders with
// simple materials drawn and composed by our own code, deterministically, so every build
// writes the same bytes. The sound library is copied in beside them by the build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bitmap.h"

// Names of the generated materials; the template database uses them too.
namespace RtpName {
inline constexpr const char* ChipSet = "World";
inline constexpr const char* CharSet = "Folk";
inline constexpr const char* FaceSet = "Faces";
inline constexpr const char* System = "Frame";
inline constexpr const char* Title = "Title";
inline constexpr const char* GameOver = "GameOver";
inline constexpr const char* Backdrop = "Grassland";
inline constexpr const char* Panorama = "Sky";
inline constexpr const char* Monster = "Slime";
inline constexpr const char* Battle = "Sparks";
inline constexpr const char* Sound = "Chime";
inline constexpr const char* Music = "Theme";
} // namespace RtpName

// Characters 5, 6 and 7 of the character set are the boat, the ship and the airship.
inline constexpr int RtpBoatIndex = 5;
inline constexpr int RtpShipIndex = 6;
inline constexpr int RtpAirshipIndex = 7;

struct TGeneratedImage {
  const char* Folder;
  const char* Name;
  TBitmap (*Draw)();
};

// Every image of the package, each an 8-bit palettised bitmap saved as PNG.
const std::vector<TGeneratedImage>& GeneratedImages();

TBitmap DrawChipSet();
TBitmap DrawCharSet();
TBitmap DrawFaceSet();
TBitmap DrawSystemGraphic();
TBitmap DrawTitle();
TBitmap DrawGameOver();
TBitmap DrawBackdrop();
TBitmap DrawPanorama();
TBitmap DrawMonster();
TBitmap DrawBattleGraphic();

// A wave file of mono 16-bit PCM samples at Rate samples a second.
std::string MonoPcmWave(const std::vector<int16_t>& samples, uint32_t rate);
// A mono 16-bit PCM wave file at 22050 Hz: a short two-tone chime that dies away.
std::string SynthesizeChimeWave();
// A standard MIDI file (format 0): a short tune of melody and bass.
std::string ComposeThemeMidi();

// Writes the folders and every material into Folder (created when missing). Files are
// replaced atomically; nothing else in the folder is touched.
void WriteRuntimePackage(const std::string& folder);

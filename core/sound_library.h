// The binding of the sound library: loaded at run time from the run-time package folder,
// its 25 entry points resolved by name. Every sound the editor plays goes through these.
#pragma once

#include <string>

// Shown by start-up when the library cannot be loaded.
inline constexpr const char* STunaraNotFound = "Tunara.dll not found";

// The library's file on this platform.
inline constexpr const char* TunaraFileName = "libtunara.so";

// The entry points. Counts of percent and milliseconds are plain ints; results that are
// ints are 1 for success or yes and 0 otherwise.
struct TTunaraEntries {
  int (*TunaraGetVersion)();
  int (*TunaraCreate)();
  void (*TunaraRelease)();
  int (*TunaraInitMidi)();
  int (*TunaraInitWave)();
  void (*TunaraTermMidi)();
  void (*TunaraTermWave)();
  int (*TunaraCheckValidMidi)();
  int (*TunaraCheckValidWave)();
  void (*TunaraFadeInMusic)(int milliseconds);
  void (*TunaraFadeOutMusic)(int milliseconds);
  void (*TunaraSetMusicVolume)(int percent);
  void (*TunaraSetMusicSpeed)(int percent);
  void (*TunaraSetMusicPanpot)(int balance);
  int (*TunaraPlayMusic)(const char* path);
  void (*TunaraStopMusic)();
  int (*TunaraGetMusicPlaying)();
  int (*TunaraGetMusicLooping)();
  int (*TunaraPlaySound)(const char* path);
  int (*TunaraPlaySoundEx)(const char* path, int volume, int tempo, int balance);
  void (*TunaraStopSound)();
  int (*TunaraCacheSound)(const char* path);
  int (*TunaraReserveSound)(const char* path);
  int (*TunaraCancelSound)(const char* path);
  int (*TunaraGetMidiTick)();
};

// The loaded library's handle; null while it is not loaded.
extern void* TunaraLibrary;
// The resolved entry points; all null while the library is not loaded.
extern TTunaraEntries Tunara;

// Loads the library once: by name alone when Folder is empty, else from Folder (which may
// or may not end with '/'). Returns whether it is loaded. A library that lacks any entry
// point is not kept, so callers never meet a null entry.
bool LoadSoundLibrary(const std::string& Folder);
// Begins loading the library from Folder beside the caller, for a LoadSoundLibrary of the
// same folder to take up; loading the library and the sound and synthesizer libraries it
// pulls in costs more than the rest of a start.
void PreloadSoundLibrary(const std::string& Folder);

// Releases the sound output (see below) and forgets the library. Safe when nothing is
// loaded.
void FreeSoundLibrary();

// The editor's sound output: TunaraCreate and TunaraInitWave make it, TunaraRelease gives
// it up, each only when it is not so already, so the library sees one release however
// many ways lead there (a test play, the main window closing, the program ending).
// Nothing happens while the library is not loaded.
void CreateSoundOutput();
void ReleaseSoundOutput();

#include "core/sound_library.h"

#include <dlfcn.h>

void* TunaraLibrary = nullptr;
TTunaraEntries Tunara = {};

namespace {

// Binds one entry point by its own name; false when the library lacks it.
template <typename F> bool Bind(void* library, F& entry, const char* name) {
  entry = reinterpret_cast<F>(dlsym(library, name));
  return entry != nullptr;
}

bool BindAll(void* library) {
#define TUNARA_BIND(name) Bind(library, Tunara.name, #name)
  return TUNARA_BIND(TunaraGetVersion) && TUNARA_BIND(TunaraCreate) && TUNARA_BIND(TunaraRelease) &&
         TUNARA_BIND(TunaraInitMidi) && TUNARA_BIND(TunaraInitWave) &&
         TUNARA_BIND(TunaraTermMidi) && TUNARA_BIND(TunaraTermWave) &&
         TUNARA_BIND(TunaraCheckValidMidi) && TUNARA_BIND(TunaraCheckValidWave) &&
         TUNARA_BIND(TunaraFadeInMusic) && TUNARA_BIND(TunaraFadeOutMusic) &&
         TUNARA_BIND(TunaraSetMusicVolume) && TUNARA_BIND(TunaraSetMusicSpeed) &&
         TUNARA_BIND(TunaraSetMusicPanpot) && TUNARA_BIND(TunaraPlayMusic) &&
         TUNARA_BIND(TunaraStopMusic) && TUNARA_BIND(TunaraGetMusicPlaying) &&
         TUNARA_BIND(TunaraGetMusicLooping) && TUNARA_BIND(TunaraPlaySound) &&
         TUNARA_BIND(TunaraPlaySoundEx) && TUNARA_BIND(TunaraStopSound) &&
         TUNARA_BIND(TunaraCacheSound) && TUNARA_BIND(TunaraReserveSound) &&
         TUNARA_BIND(TunaraCancelSound) && TUNARA_BIND(TunaraGetMidiTick);
#undef TUNARA_BIND
}

// Frees the library when the program ends, whether or not the main window released it.
struct TUnloadAtExit {
  ~TUnloadAtExit() { FreeSoundLibrary(); }
} UnloadAtExit;

} // namespace

bool LoadSoundLibrary(const std::string& Folder) {
  if (TunaraLibrary) return true;
  std::string path;
  if (Folder.empty())
    path = TunaraFileName;
  else if (Folder.back() == '/')
    path = Folder + TunaraFileName;
  else
    path = Folder + "/" + TunaraFileName;
  // The code stays mapped after FreeSoundLibrary: the libraries it pulls in may keep
  // threads or exit handlers that outlive our handle.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!library) return false;
  if (!BindAll(library)) {
    Tunara = {};
    dlclose(library);
    return false;
  }
  TunaraLibrary = library;
  return true;
}

namespace {
bool soundOutputMade = false;
} // namespace

void CreateSoundOutput() {
  if (!TunaraLibrary || soundOutputMade) return;
  Tunara.TunaraCreate();
  Tunara.TunaraInitWave();
  soundOutputMade = true;
}

void ReleaseSoundOutput() {
  if (!TunaraLibrary || !soundOutputMade) return;
  soundOutputMade = false;
  Tunara.TunaraRelease();
}

void FreeSoundLibrary() {
  if (!TunaraLibrary) return;
  ReleaseSoundOutput();
  Tunara = {};
  dlclose(TunaraLibrary);
  TunaraLibrary = nullptr;
}

#include "core/sound_library.h"

#include <dlfcn.h>

#include <thread>

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

std::string LibraryPath(const std::string& folder) {
  if (folder.empty()) return TunaraFileName;
  return folder.back() == '/' ? folder + TunaraFileName : folder + "/" + TunaraFileName;
}

// The code stays mapped after FreeSoundLibrary: the libraries it pulls in may keep threads
// or exit handlers that outlive our handle.
void* OpenLibrary(const std::string& path) {
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

// A load begun ahead of LoadSoundLibrary.
struct TPreload {
  std::string Path;
  std::thread Loader;
  void* Library = nullptr;
  // The handle when the load was of Path; waits for it to end.
  void* Take(const std::string& path) {
    if (!Loader.joinable()) return nullptr;
    Loader.join();
    void* library = Path == path ? Library : nullptr;
    Library = nullptr;
    return library;
  }
} Preload;

// Frees the library when the program ends, whether or not the main window released it.
struct TUnloadAtExit {
  ~TUnloadAtExit() {
    Preload.Take({});
    FreeSoundLibrary();
  }
} UnloadAtExit;

} // namespace

void PreloadSoundLibrary(const std::string& Folder) {
  if (TunaraLibrary || Preload.Loader.joinable()) return;
  Preload.Path = LibraryPath(Folder);
  Preload.Loader = std::thread([] { Preload.Library = OpenLibrary(Preload.Path); });
}

bool LoadSoundLibrary(const std::string& Folder) {
  if (TunaraLibrary) return true;
  const std::string path = LibraryPath(Folder);
  void* library = Preload.Take(path);
  if (!library) library = OpenLibrary(path);
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

#include "platform/sound/sdl_library.h"

const TSdl* Sdl() {
  static const TSdl* const sdl = LoadLateLibrary<TSdl>(
      SDL_LIBRARY, [](void* library, TSdl& entries) { return true SDL_ENTRIES(LATE_ENTRY_BIND); });
  return sdl;
}

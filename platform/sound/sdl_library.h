// SDL, for the sound device and for decoding and resampling waves, opened when a sound
// first needs it (see late_library.h).
#pragma once

#include <SDL.h>

#include "platform/sound/late_library.h"

// clang-format off
#define SDL_ENTRIES(X) \
  X(SDL_InitSubSystem) \
  X(SDL_QuitSubSystem) \
  X(SDL_OpenAudioDevice) \
  X(SDL_PauseAudioDevice) \
  X(SDL_CloseAudioDevice) \
  X(SDL_RWFromConstMem) \
  X(SDL_LoadWAV_RW) \
  X(SDL_FreeWAV) \
  X(SDL_NewAudioStream) \
  X(SDL_AudioStreamPut) \
  X(SDL_AudioStreamFlush) \
  X(SDL_AudioStreamAvailable) \
  X(SDL_AudioStreamGet) \
  X(SDL_FreeAudioStream)
// clang-format on

struct TSdl {
  SDL_ENTRIES(LATE_ENTRY_FIELD)
};

// The entry points, or null when SDL or one of them is missing: there is then no device,
// and no wave can be decoded.
const TSdl* Sdl();

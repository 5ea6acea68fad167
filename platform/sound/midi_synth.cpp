#include "platform/sound/midi_synth.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <sys/stat.h>

#include "platform/sound/late_library.h"

namespace {

// FluidSynth loads with the first synthesizer (see late_library.h).
// clang-format off
#define FLUID_ENTRIES(X) \
  X(new_fluid_settings) \
  X(delete_fluid_settings) \
  X(fluid_settings_setnum) \
  X(fluid_settings_setstr) \
  X(fluid_settings_setint) \
  X(new_fluid_synth) \
  X(delete_fluid_synth) \
  X(fluid_synth_sfload) \
  X(fluid_synth_system_reset) \
  X(fluid_synth_write_float) \
  X(new_fluid_player) \
  X(delete_fluid_player) \
  X(fluid_player_add_mem) \
  X(fluid_player_set_loop) \
  X(fluid_player_play) \
  X(fluid_player_stop) \
  X(fluid_player_get_current_tick) \
  X(fluid_player_set_tempo) \
  X(fluid_player_get_status)
// clang-format on

struct TFluid {
  FLUID_ENTRIES(LATE_ENTRY_FIELD)
};

// The entry points, or null when the library or one of them is missing (MIDI is then
// silent).
const TFluid* Fluid() {
  static const TFluid* const fluid =
      LoadLateLibrary<TFluid>(FLUIDSYNTH_LIBRARY, [](void* library, TFluid& entries) {
        return true FLUID_ENTRIES(LATE_ENTRY_BIND);
      });
  return fluid;
}

bool FileExists(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

class TMidiMusic : public TMusicSource {
public:
  TMidiMusic(fluid_synth_t* synth, fluid_player_t* player) : Synth(synth), Player(player) {}
  ~TMidiMusic() override {
    Fluid()->fluid_player_stop(Player);
    Fluid()->delete_fluid_player(Player);
    // Notes still sounding would ring into the next piece.
    Fluid()->fluid_synth_system_reset(Synth);
  }
  void Render(float* out, int frames) override {
    Fluid()->fluid_synth_write_float(Synth, frames, out, 0, 2, out, 1, 2);
    int tick = Fluid()->fluid_player_get_current_tick(Player);
    if (tick < LastTick) ++LoopCount;
    LastTick = tick;
  }
  void Skip(int64_t) override {}
  void SetSpeed(int percent) override {
    Fluid()->fluid_player_set_tempo(Player, FLUID_PLAYER_TEMPO_INTERNAL, percent / 100.0);
  }
  bool Playing() const override {
    return Fluid()->fluid_player_get_status(Player) == FLUID_PLAYER_PLAYING;
  }
  int Loops() const override { return LoopCount; }
  int Tick() const override { return LastTick; }

private:
  fluid_synth_t* Synth;
  fluid_player_t* Player;
  int LastTick = 0;
  int LoopCount = 0;
};

} // namespace

TMidiSynth::TMidiSynth(int rate) {
  if (!Fluid()) return;
  Settings = Fluid()->new_fluid_settings();
  if (!Settings) return;
  Fluid()->fluid_settings_setnum(Settings, "synth.sample-rate", rate);
  // The player must follow the samples we render, not the wall clock.
  Fluid()->fluid_settings_setstr(Settings, "player.timing-source", "sample");
  Fluid()->fluid_settings_setint(Settings, "synth.threadsafe-api", 0);
  Synth = Fluid()->new_fluid_synth(Settings);
  if (!Synth) return;
  // A soundfont named in the environment is the only one tried, so it can also be
  // used to run without one.
  if (const char* chosen = std::getenv("VELMORA_SOUNDFONT")) {
    if (FileExists(chosen)) SoundFont = Fluid()->fluid_synth_sfload(Synth, chosen, 1);
    return;
  }
  for (const char* path :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
    if (FileExists(path)) SoundFont = Fluid()->fluid_synth_sfload(Synth, path, 1);
    if (SoundFont >= 0) break;
  }
}

TMidiSynth::~TMidiSynth() {
  if (Synth) Fluid()->delete_fluid_synth(Synth);
  if (Settings) Fluid()->delete_fluid_settings(Settings);
}

std::unique_ptr<TMusicSource> TMidiSynth::Play(const std::string& bytes) {
  if (!HasSoundFont()) return nullptr;
  fluid_player_t* player = Fluid()->new_fluid_player(Synth);
  if (!player) return nullptr;
  if (Fluid()->fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK ||
      Fluid()->fluid_player_set_loop(player, -1) != FLUID_OK ||
      Fluid()->fluid_player_play(player) != FLUID_OK) {
    Fluid()->delete_fluid_player(player);
    return nullptr;
  }
  return std::make_unique<TMidiMusic>(Synth, player);
}

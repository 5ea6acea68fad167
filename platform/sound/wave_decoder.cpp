#include "platform/sound/wave_decoder.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "platform/sound/sdl_library.h"

bool ReadWholeFile(const char* path, size_t maxBytes, std::string& bytes) {
  if (!path || !*path) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) return false;
  in.seekg(0);
  bytes.resize(static_cast<size_t>(size));
  in.read(bytes.data(), size);
  return static_cast<bool>(in) || size == 0;
}

bool IsWaveFile(const std::string& bytes) {
  return bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0;
}

bool IsMidiFile(const std::string& bytes) {
  return bytes.size() >= 14 && bytes.compare(0, 4, "MThd") == 0;
}

std::shared_ptr<const TPcm> DecodeWave(const std::string& bytes, int rate, size_t maxFrames) {
  const TSdl* sdl = Sdl();
  if (!IsWaveFile(bytes) || !sdl) return nullptr;
  SDL_RWops* rw = sdl->SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return nullptr;
  SDL_AudioSpec spec;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!sdl->SDL_LoadWAV_RW(rw, 1, &spec, &data, &length)) return nullptr;
  std::shared_ptr<TPcm> pcm;
  size_t frameBytes = static_cast<size_t>(SDL_AUDIO_BITSIZE(spec.format) / 8) * spec.channels;
  if (frameBytes > 0 && spec.freq > 0) {
    size_t srcFrames = length / frameBytes;
    auto outFrames = static_cast<size_t>(static_cast<double>(srcFrames) * rate / spec.freq);
    SDL_AudioStream* stream =
        outFrames <= maxFrames
            ? sdl->SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 2, rate)
            : nullptr;
    if (stream) {
      // The resampler holds back the last stretch even when flushed: feed it a tenth of a
      // second of silence after the data and cut the result to the data's own length.
      std::vector<Uint8> padding((static_cast<size_t>(spec.freq) / 10 + 1) * frameBytes,
                                 spec.format == AUDIO_U8 ? 0x80 : 0);
      if (sdl->SDL_AudioStreamPut(stream, data, static_cast<int>(srcFrames * frameBytes)) == 0 &&
          sdl->SDL_AudioStreamPut(stream, padding.data(), static_cast<int>(padding.size())) == 0 &&
          sdl->SDL_AudioStreamFlush(stream) == 0) {
        int available = sdl->SDL_AudioStreamAvailable(stream);
        pcm = std::make_shared<TPcm>();
        pcm->Samples.resize(static_cast<size_t>(available) / sizeof(float));
        int got = sdl->SDL_AudioStreamGet(stream, pcm->Samples.data(), available);
        size_t frames = got > 0 ? static_cast<size_t>(got) / (2 * sizeof(float)) : 0;
        pcm->Samples.resize(2 * std::min(frames, outFrames));
      }
      sdl->SDL_FreeAudioStream(stream);
    }
  }
  sdl->SDL_FreeWAV(data);
  return pcm;
}

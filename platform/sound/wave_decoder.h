// Turns the bytes of a wave file into float stereo at the mixer's rate.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/sound/sound_mixer.h"

// Null for anything that is not a wave SDL can decode (unsupported encodings included)
// or that would decode to more than maxFrames frames.
std::shared_ptr<const TPcm> DecodeWave(const std::string& bytes, int rate, size_t maxFrames);

// Reads a whole file of at most maxBytes bytes; false when it is missing, unreadable or
// larger.
bool ReadWholeFile(const char* path, size_t maxBytes, std::string& bytes);

bool IsWaveFile(const std::string& bytes);
bool IsMidiFile(const std::string& bytes);

#include "platform/sound/call_log.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

TCallLine::TCallLine(const char* name) : Line(name) {
  Line += '(';
}

void TCallLine::Separate() {
  if (HasArguments) Line += ", ";
  HasArguments = true;
}

TCallLine& TCallLine::Int(int value) {
  Separate();
  Line += std::to_string(value);
  return *this;
}

TCallLine& TCallLine::Str(const char* text) {
  Separate();
  if (!text) {
    Line += "NULL";
    return *this;
  }
  Line += '"';
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      Line += '\\';
      Line += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      Line += hex;
    } else {
      Line += static_cast<char>(c);
    }
  }
  Line += '"';
  return *this;
}

void TCallLine::Write() {
  const char* path = std::getenv("VELMORA_SOUND_LOG");
  if (!path || !*path) return;
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  // Opened per call so each line is on disk before the call does anything.
  if (FILE* f = std::fopen(path, "ab")) {
    std::fputs(Line.c_str(), f);
    std::fputs(")\n", f);
    std::fclose(f);
  }
}

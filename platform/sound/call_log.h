// The recording backend: with VELMORA_SOUND_LOG naming a file, every entry-point call is
// appended to it as one line, name and arguments, so tests can check what callers did.
#pragma once

#include <string>

class TCallLine {
public:
  explicit TCallLine(const char* name);
  TCallLine& Int(int value);
  // Quoted, with '"', '\' and control bytes escaped so a call stays on one line.
  TCallLine& Str(const char* text);
  // Appends the line, when a log is asked for.
  void Write();

private:
  void Separate();
  std::string Line;
  bool HasArguments = false;
};

// Script lines in a short notation for the command tables, one line per "|": indent,
// code, quoted text, parameters, e.g. `0 10810 "" [1,9,7]`.
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "core/event_script.h"

inline void ParseLines(const std::string& text, TXelEventScriptList& lines) {
  std::istringstream in(text);
  std::string bar;
  for (int indent, code; in >> indent >> code;) {
    TXelEventScriptLine* line = lines.Add(code, indent);
    char c;
    in >> std::quoted(line->Text) >> c; // '['
    for (int32_t value; in >> c && c != ']';) {
      if (c != ',') in.putback(c);
      if (in >> value)
        line->Params.push_back(value);
      else
        in.clear();
    }
    in >> bar; // "|" or nothing
  }
}

inline std::string FormatLines(const TXelEventScriptList& lines) {
  std::ostringstream out;
  for (int i = 0; i < lines.GetCount(); ++i) {
    const TXelEventScriptLine& line = *lines.GetItem(i);
    out << (i ? " | " : "") << line.Indent << ' ' << line.Code << ' ' << std::quoted(line.Text)
        << " [";
    for (size_t p = 0; p < line.Params.size(); ++p)
      out << (p ? "," : "") << line.Params[p];
    out << ']';
  }
  return out.str();
}

// The lines of Text with the first at depth 0: what a dialog writes back untouched.
inline std::string AtDepthZero(const std::string& text) {
  TXelEventScriptList lines;
  ParseLines(text, lines);
  const int depth = lines.GetItem(0)->Indent;
  for (int i = 0; i < lines.GetCount(); ++i)
    lines.GetItem(i)->Indent -= depth;
  return FormatLines(lines);
}

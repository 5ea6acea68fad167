#include "core/code_page.h"

#include <cstdint>

namespace {

// 0x80..0x9F. The five holes of the code page map to the C1 control of the same value,
// so every byte survives a round trip.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(uint8_t b) {
  return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b;
}

// The byte for a code point, or -1 when the code page has none.
int CodePointToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at s[i]. Returns the code point and sets Length, or returns
// -1 with Length 1 for a malformed, overlong or surrogate sequence.
long DecodeUtf8(std::string_view s, size_t i, size_t& length) {
  const uint8_t b = uint8_t(s[i]);
  length = 1;
  if (b < 0x80) return b;
  size_t n;
  char32_t cp, min;
  if ((b & 0xE0) == 0xC0) {
    n = 2, cp = b & 0x1F, min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    n = 3, cp = b & 0x0F, min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    n = 4, cp = b & 0x07, min = 0x10000;
  } else {
    return -1;
  }
  if (i + n > s.size()) return -1;
  for (size_t k = 1; k < n; ++k) {
    const uint8_t c = uint8_t(s[i + k]);
    if ((c & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  length = n;
  return long(cp);
}

// Calls F(Byte, Raw) for every character of Utf8: Byte is its code-page byte, or -1 when
// the page has none or the sequence is malformed; Raw is its UTF-8 bytes.
template <class F> void ForEachCharacter(std::string_view utf8, F f) {
  for (size_t i = 0; i < utf8.size();) {
    size_t length;
    const long cp = DecodeUtf8(utf8, i, length);
    f(cp < 0 ? -1 : CodePointToByte(char32_t(cp)), utf8.substr(i, length));
    i += length;
  }
}

} // namespace

std::string CodePageToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes)
    AppendUtf8(out, ByteToCodePoint(uint8_t(c)));
  return out;
}

std::string Utf8ToCodePage(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  ForEachCharacter(utf8, [&](int b, std::string_view) { out += b < 0 ? '?' : char(b); });
  return out;
}

bool CodePageHolds(char32_t codePoint) {
  return CodePointToByte(codePoint) >= 0;
}

char CodePageLowerChar(char c) {
  const uint8_t b = uint8_t(c);
  if (b >= 'A' && b <= 'Z') return char(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return char(b + 32);
  switch (b) {
  case 0x8A:
    return char(0x9A);
  case 0x8C:
    return char(0x9C);
  case 0x8E:
    return char(0x9E);
  case 0x9F:
    return char(0xFF);
  default:
    return c;
  }
}

std::string CodePageLowerCase(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out)
    c = CodePageLowerChar(c);
  return out;
}

std::string FoldCaseUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  ForEachCharacter(utf8, [&](int b, std::string_view raw) {
    if (b < 0)
      out.append(raw);
    else
      AppendUtf8(out, ByteToCodePoint(uint8_t(CodePageLowerChar(char(b)))));
  });
  return out;
}

// Conversion between the code page of the game data (Windows-1252 bytes) and UTF-8, with
// our own table so that the result never depends on the locale. This is the only
// conversion in the program: file names and the Qt boundary both go through it.
#pragma once

#include <string>
#include <string_view>

// Every byte has a character, so this never loses anything.
std::string CodePageToUtf8(std::string_view bytes);
// Characters the code page cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCodePage(std::string_view utf8);
// Whether the code page has a byte for the character.
bool CodePageHolds(char32_t codePoint);

// Lower case within the code page (ASCII, the accented letters and the few extra pairs).
char CodePageLowerChar(char c);
std::string CodePageLowerCase(std::string_view bytes);
// The same folding applied to UTF-8 text; anything the code page lacks is left alone.
// Two file names are the same name to the game when their folded forms are equal.
std::string FoldCaseUtf8(std::string_view utf8);

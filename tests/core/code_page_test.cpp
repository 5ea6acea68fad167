#include <gtest/gtest.h>

#include "core/code_page.h"

namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += char(b);
  const std::string utf8 = CodePageToUtf8(all);
  EXPECT_EQ(Utf8ToCodePage(utf8), all);
}

TEST(CodePage, TheHighRowUsesTheCodePageTable) {
  // 0x80 is the euro sign U+20AC, 0x9F is Y with diaeresis U+0178, 0xE9 is e acute U+00E9,
  // and the hole 0x81 stands for the control character U+0081.
  EXPECT_EQ(CodePageToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(CodePageToUtf8("\x9F"), "\xC5\xB8");
  EXPECT_EQ(CodePageToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(CodePageToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(Utf8ToCodePage("\xE2\x80\x9C"
                           "a"
                           "\xE2\x80\x9D"),
            "\x93"
            "a"
            "\x94");
}

TEST(CodePage, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCodePage("snow\xE2\x98\x83man"), "snow?man"); // U+2603
  EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x98\x80"), "?");           // U+1F600, one character
  EXPECT_EQ(Utf8ToCodePage("\xC2\x80"), "?");                   // U+0080 is not in the page
  // Malformed input: a cut sequence, an overlong '/', a surrogate, a stray continuation.
  EXPECT_EQ(Utf8ToCodePage("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToCodePage("\xC0\xAF"), "??");
  EXPECT_EQ(Utf8ToCodePage("\xED\xA0\x80"), "???");
  EXPECT_EQ(Utf8ToCodePage("\x80z"), "?z");
}

TEST(CodePage, LowerCaseFoldsLettersOfTheWholePage) {
  EXPECT_EQ(CodePageLowerCase("HERO_01.PNG"), "hero_01.png");
  EXPECT_EQ(CodePageLowerCase("\xC0\xC9\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xFE\x9A\x9C\x9E\xFF");
  // The multiplication sign and sharp s have no other case.
  EXPECT_EQ(CodePageLowerCase("\xD7\xDF"), "\xD7\xDF");
  EXPECT_EQ(FoldCaseUtf8("H\xC3\x89RO.PNG"), "h\xC3\xA9ro.png");
  EXPECT_EQ(FoldCaseUtf8("\xC5\xA0\xE2\x98\x83"), "\xC5\xA1\xE2\x98\x83");
  EXPECT_EQ(FoldCaseUtf8("A\xFF"), "a\xFF"); // a malformed byte is kept as it is
}

} // namespace

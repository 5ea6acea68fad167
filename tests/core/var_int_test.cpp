#include <gtest/gtest.h>

#include <climits>

#include "core/errors.h"
#include "core/stream.h"
#include "core/var_int.h"
#include "sample_records.h"

namespace {

Bytes Encode(int32_t value, bool withLength = false) {
  TMemoryStream s;
  WriteVarInt(s, value, withLength);
  return s.Bytes();
}

uint32_t Decode(const Bytes& bytes) {
  TMemoryStream s(bytes);
  return ReadVarInt(s);
}

TEST(VarInt, EncodesTheDocumentedExamples) {
  EXPECT_EQ(Encode(0), (Bytes{0x00}));
  EXPECT_EQ(Encode(127), (Bytes{0x7F}));
  EXPECT_EQ(Encode(128), (Bytes{0x81, 0x00}));
  EXPECT_EQ(Encode(300), (Bytes{0x82, 0x2C}));
  EXPECT_EQ(Encode(-1), (Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));
  // The length byte counts the groups that follow it.
  EXPECT_EQ(Encode(300, true), (Bytes{0x02, 0x82, 0x2C}));
  EXPECT_EQ(Encode(-1, true), (Bytes{0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(VarInt, RoundTripsAtEveryGroupBoundary) {
  for (int64_t v : {0LL, 127LL, 128LL, 16383LL, 16384LL, 2097151LL, 2097152LL, 268435455LL,
                    268435456LL, (long long)INT_MAX, (long long)INT_MIN, -2LL}) {
    const Bytes bytes = Encode(static_cast<int32_t>(v));
    EXPECT_EQ(static_cast<int>(bytes.size()), VarIntSize(static_cast<uint32_t>(v)));
    EXPECT_EQ(static_cast<int32_t>(Decode(bytes)), static_cast<int32_t>(v)) << v;
  }
}

TEST(VarInt, ReadingHasNoGroupLimitAndKeepsTheLow32Bits) {
  // Six groups: the top bits shift out, as 32-bit arithmetic would.
  EXPECT_EQ(Decode({0x81, 0x80, 0x80, 0x80, 0x80, 0x05}), 5u);
}

TEST(VarInt, TruncatedValuesRaiseTheReadError) {
  for (const Bytes& bytes : {Bytes{}, Bytes{0x81}, Bytes{0x8F, 0xFF, 0xFF}}) {
    TMemoryStream s(bytes);
    try {
      ReadVarInt(s);
      FAIL() << "no error for " << bytes.size() << " bytes";
    } catch (const EReadError& e) {
      EXPECT_STREQ(e.what(), "A reading error from the stream");
    }
  }
}

TEST(VarString, RoundTripsRawBytesAndRejectsHostileLengths) {
  TMemoryStream s;
  const std::string text("H\xE9ros\0x", 7);
  WriteVarString(s, text);
  EXPECT_EQ(s.Bytes().front(), 7);
  s.SetPosition(0);
  EXPECT_EQ(ReadVarString(s), text);

  // A length of 2^31 with three bytes behind it must fail before allocating.
  TMemoryStream hostile(Bytes{0x88, 0x80, 0x80, 0x80, 0x00, 'a', 'b', 'c'});
  EXPECT_THROW(ReadVarString(hostile), EReadError);
  // One byte short.
  TMemoryStream shortOne(Bytes{0x04, 'a', 'b', 'c'});
  EXPECT_THROW(ReadVarString(shortOne), EReadError);
}

TEST(ReadVarCount, ChecksTheCountAgainstTheRemainingBytes) {
  TMemoryStream s(Bytes{0x03, 1, 2, 3, 4, 5, 6});
  EXPECT_EQ(ReadVarCount(s, 2), 3u);
  s.SetPosition(0);
  EXPECT_THROW(ReadVarCount(s, 3), EReadError);
  TMemoryStream huge(Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F});
  EXPECT_THROW(ReadVarCount(huge), EReadError);
}

TEST(ReadLimit, ConfinesReadsAndRestoresTheOuterLimit) {
  TMemoryStream s(Bytes{1, 2, 3, 4, 5});
  s.SetPosition(1);
  {
    TReadLimit outer(s, 3); // bytes 2, 3, 4
    {
      TReadLimit inner(s, 1);
      EXPECT_EQ(s.ReadByte(), 2);
      EXPECT_THROW(s.ReadByte(), EReadError);
      EXPECT_EQ(inner.End(), 2);
    }
    EXPECT_EQ(s.Remaining(), 2);
    EXPECT_THROW(TReadLimit(s, 3), EReadError); // cannot widen past the outer window
  }
  EXPECT_EQ(s.Remaining(), 3);
}

} // namespace

#include <gtest/gtest.h>

#include "core/sound_record.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

TEST(SoundRecords, ClearedRecordsWriteOnlyTheOffName) {
  // id 1, length 5, "(OFF)", end: the name is always written, the rest are defaults.
  const Bytes off = {0x01, 0x05, '(', 'O', 'F', 'F', ')', 0x00};
  TXelMusic music;
  TXelSound sound;
  EXPECT_EQ(SaveBytes(music), off);
  EXPECT_EQ(SaveBytes(sound), off);
  ExpectNoFieldAboveLastId(music);
  ExpectNoFieldAboveLastId(sound);
}

TEST(SoundRecords, EveryFieldRoundTripsAndAssignCopiesDirectly) {
  TXelMusic music;
  music.FileName = "Fanfare";
  music.FadeIn = 1500;
  music.Volume = 80;
  music.Tempo = 150;
  music.Balance = 0;
  // 1 "Fanfare" | 2 FadeIn 1500 (8B 5C) | 3 Volume 80 | 4 Tempo 150 (81 16) | 5 Balance 0
  const Bytes expected = {0x01, 0x07, 'F',  'a',  'n',  'f',  'a',  'r',  'e',  0x02, 0x02, 0x8B,
                          0x5C, 0x03, 0x01, 0x50, 0x04, 0x02, 0x81, 0x16, 0x05, 0x01, 0x00, 0x00};
  EXPECT_EQ(SaveBytes(music), expected);
  TXelMusic back;
  LoadBytes(back, expected);
  EXPECT_EQ(SaveBytes(back), expected);

  TXelMusic copy;
  copy.Assign(music);
  EXPECT_EQ(SaveBytes(copy), expected);

  TXelSound sound;
  sound.FileName = "";
  sound.Tempo = 60;
  // An empty name is still written; a sound has no field 2 even when the bytes hold one.
  EXPECT_EQ(SaveBytes(sound), (Bytes{0x01, 0x00, 0x04, 0x01, 0x3C, 0x00}));
  TXelSound loaded;
  LoadBytes(loaded, {0x02, 0x01, 0x07, 0x00});
  EXPECT_EQ(loaded.FileName, "(OFF)");
  EXPECT_EQ(loaded.Volume, 100);
}

} // namespace

#include <gtest/gtest.h>

#include "core/material.h"
#include "material_test_env.h"

namespace {

using Names = std::vector<std::string>;

class Materials : public MaterialTestEnv {
protected:
  Names List(const char* folder, TExtensionTable extensions) {
    Names items;
    ListMaterialFiles(items, folder, extensions);
    return items;
  }
};

TEST_F(Materials, FindLooksInTheProjectFirstAndInTableOrderWithinAFolder) {
  Put("proj/Music/Battle.wav", "p");
  Put("rtp/Music/Battle.mid", "r");
  std::string path;
  EXPECT_TRUE(FindMaterialFile("Battle", "Music", MusicExtensions, path));
  EXPECT_EQ(path, Path("proj/Music/Battle.wav"));
  Put("proj/Music/Battle.mid", "p");
  EXPECT_TRUE(FindMaterialFile("Battle", "Music", MusicExtensions, path));
  EXPECT_EQ(path, Path("proj/Music/Battle.mid"));
  Put("rtp/Music/Town.mid", "r");
  EXPECT_TRUE(FindMaterialFile("Town", "Music", MusicExtensions, path));
  EXPECT_EQ(path, Path("rtp/Music/Town.mid"));
}

TEST_F(Materials, FindMatchesNamesAndFoldersWithoutRegardToCase) {
  Put("proj/charset/HERO.PNG", "h");
  Put("rtp/CharSet/Caf\xC3\xA9.XYZ", "c");
  std::string path;
  EXPECT_TRUE(FindMaterialFile("hero", "CharSet", ImageExtensions, path));
  EXPECT_EQ(path, Path("proj/charset/HERO.PNG"));
  EXPECT_TRUE(FindMaterialFile("CAF\xC9", "CharSet", ImageExtensions, path)); // code-page name
  EXPECT_EQ(path, Path("rtp/CharSet/Caf\xC3\xA9.XYZ"));
}

TEST_F(Materials, FindLeavesNoPathWhenThereIsNoFile) {
  Put("rtp/Music/(OFF)x.mid", "r");
  std::string path = "old";
  EXPECT_FALSE(FindMaterialFile("(OFF)", "Music", MusicExtensions, path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(FindMaterialFile("", "Music", MusicExtensions, path));
  EXPECT_EQ(path, "");
  // A folder is not a file, even with a material's name.
  Mkdir("proj/Music/Song.mid");
  EXPECT_FALSE(FindMaterialFile("Song", "Music", MusicExtensions, path));
  // Names that would leave the material folder are not material names.
  Put("proj/secret.wav", "s");
  Put("proj/Sound/x.wav", "x");
  EXPECT_FALSE(FindMaterialFile("../secret", "Sound", SoundExtensions, path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(FindMaterialFile("..\\secret", "Sound", SoundExtensions, path));
  // Without a package folder the project alone is searched.
  Put("rtp/Sound/Only.wav", "o");
  Settings().WriteString("RuntimePackagePath", "");
  EXPECT_FALSE(FindMaterialFile("Only", "Sound", SoundExtensions, path));
}

// Each name would reach a file that exists, outside the Sound folder or under a name the
// data cannot hold; lookup refuses every one without touching the disk.
TEST_F(Materials, NamesThatClimbOutOfTheirFolderAreRefused) {
  Put("proj/secret.wav", "s");
  Put("proj/Sound/Sub/x.wav", "x");
  Put("proj/Sound/Door\xC2\x81.wav", "h");
  Put("proj/Sound/Door", "n");
  const std::string absolute = Path("proj/secret");
  const struct {
    const char* why;
    std::string name;
  } rows[] = {
      {"parent folder", "../secret"},
      {"parent folder, data separator", "..\\secret"},
      {"the folder itself", "."},
      {"the parent itself", ".."},
      {"sub-folder", "Sub/x"},
      {"sub-folder, data separator", "Sub\\x"},
      {"absolute path", absolute},
      {"absolute path, data separator", std::string(1, '\\').append(absolute, 1)},
      {"a NUL cuts the path short", std::string("Door\0.wav", 9)},
      {"control character", "Door\n"},
      {"byte the code page cannot spell", "Door\x81"},
  };
  for (const auto& row : rows) {
    std::string path = "old";
    EXPECT_FALSE(FindMaterialFile(row.name, "Sound", SoundExtensions, path)) << row.why;
    EXPECT_EQ(path, "") << row.why;
  }
  // The listing never offers a name that lookup refuses.
  EXPECT_EQ(List("Sound", SoundExtensions), Names{});
}

TEST_F(Materials, ListShowsProjectNamesThenPackageOnlyNamesMarked) {
  Put("proj/ChipSet/Meadow.png", "");
  Put("proj/ChipSet/Cellar2.BMP", "");
  Put("proj/ChipSet/Cellar10.png", "");
  Put("proj/ChipSet/notes.txt", "");
  Put("proj/ChipSet/.hidden.png", "");
  Mkdir("proj/ChipSet/Folder.png");
  Put("rtp/chipset/meadow.xyz", ""); // in both (whatever the case): listed once, unmarked
  Put("rtp/chipset/Bare.png", "");
  Put("rtp/chipset/Cellar.png", "");
  EXPECT_EQ(List("ChipSet", ImageExtensions),
            (Names{"Cellar2", "Cellar10", "Meadow", "Bare <RTP>", "Cellar <RTP>"}));
}

TEST_F(Materials, ListGivesEachNameOnceAndOnlySpellableNames) {
  Put("proj/Sound/Door.wav", "");
  Put("proj/Sound/DOOR.WAV", "");
  Put("proj/Sound/door.wav", "");
  Put("proj/Sound/snow\xE2\x98\x83.wav", ""); // no code-page spelling: never usable
  Put("proj/Sound/Caf\xC3\xA9.wav", "");
  EXPECT_EQ(List("Sound", SoundExtensions), (Names{"Caf\xE9", "DOOR"}));
  Settings().WriteString("RuntimePackagePath", "");
  EXPECT_EQ(List("Sound", SoundExtensions), (Names{"Caf\xE9", "DOOR"}));
  EXPECT_EQ(List("Missing", SoundExtensions), Names{});
}

TEST(MaterialSort, TrailingNumbersCompareAsNumbers) {
  Names names{"b10", "B2", "b", "a1", "B1", "a01", "c99999999999", "c100000000000", "c7"};
  SortMaterialNames(names);
  EXPECT_EQ(names,
            (Names{"a01", "a1", "b", "B1", "B2", "b10", "c7", "c99999999999", "c100000000000"}));
  // Keys are compared whole, in lower case: "tow0000000009" < "tower0000000000" <
  // "town0000000000" < "town0000000001" < "town0000000002".
  Names mixed{"Pond", "pond2", "POND1", "Poler", "Pol9"};
  SortMaterialNames(mixed);
  EXPECT_EQ(mixed, (Names{"Pol9", "Poler", "Pond", "POND1", "pond2"}));
}

TEST(RtpSuffix, MarksAndStrips) {
  EXPECT_TRUE(HasRtpSuffix("Hero <RTP>"));
  EXPECT_FALSE(HasRtpSuffix("Hero<RTP>"));
  EXPECT_FALSE(HasRtpSuffix("<RTP>"));
  EXPECT_EQ(StripRtpSuffix("Hero <RTP>"), "Hero");
  EXPECT_EQ(StripRtpSuffix("Hero"), "Hero");
  EXPECT_EQ(StripRtpSuffix(" <RTP> <RTP>"), " <RTP>");
}

} // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "core/path_resolver.h"
#include "file_test_env.h"

namespace {

class PathResolving : public FileTestEnv {};

TEST_F(PathResolving, FindsFoldersAndFilesWhateverTheirCase) {
  Put("proj/chipset/HERO.PNG", "h");
  TResolvedPath r = ResolvePath(Path("proj/ChipSet/hero.png"));
  EXPECT_TRUE(r.Exists);
  EXPECT_EQ(r.Path, Path("proj/chipset/HERO.PNG"));
  // What is missing keeps the case it was asked for, beyond what exists.
  r = ResolvePath(Path("proj/CHIPSET/New/Sub.png"));
  EXPECT_FALSE(r.Exists);
  EXPECT_EQ(r.Path, Path("proj/chipset/New/Sub.png"));
  r = ResolvePath(Path("proj/CHIPSET/"));
  EXPECT_TRUE(r.Exists);
  EXPECT_EQ(r.Path, Path("proj/chipset/"));
  // Accented letters of the code page fold too (names on disk are UTF-8).
  Put("proj/Music/CAF\xC3\x89.mid", "m");
  EXPECT_EQ(ResolvePath(Path("proj/music/caf\xC3\xA9.MID")).Path,
            Path("proj/Music/CAF\xC3\x89.mid"));
}

TEST_F(PathResolving, ExactCaseWinsThenTheFirstInByteOrder) {
  Put("p/ChipSet/a.png", "1");
  Put("p/chipset/a.png", "2");
  Put("p/CHIPSET/b.png", "3");
  EXPECT_EQ(ResolvePath(Path("p/chipset/a.png")).Path, Path("p/chipset/a.png"));
  EXPECT_EQ(ResolvePath(Path("p/ChipSet/a.png")).Path, Path("p/ChipSet/a.png"));
  // "CHIPSET" < "ChipSet" < "chipset" in byte order.
  const TResolvedPath r = ResolvePath(Path("p/chipSet/b.png"));
  EXPECT_TRUE(r.Exists);
  EXPECT_EQ(r.Path, Path("p/CHIPSET/b.png"));
  EXPECT_FALSE(ResolvePath(Path("p/chipSet/a.png")).Exists); // CHIPSET has no a.png
}

TEST_F(PathResolving, NoticesFilesAddedAndRemovedAfterAListing) {
  Put("p/Sound/one.wav", "1");
  EXPECT_FALSE(ResolvePath(Path("p/sound/TWO.wav")).Exists);
  Put("p/Sound/Two.wav", "2");
  EXPECT_EQ(ResolvePath(Path("p/sound/TWO.wav")).Path, Path("p/Sound/Two.wav"));
  std::filesystem::remove(Path("p/Sound/Two.wav"));
  EXPECT_FALSE(ResolvePath(Path("p/sound/TWO.wav")).Exists);
  // A folder whose time stamps are long past is trusted from the cache, but a change
  // still moves its time stamp and so is seen.
  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(Path("p/Sound"), past);
  EXPECT_EQ(ResolvePath(Path("p/SOUND/ONE.WAV")).Path, Path("p/Sound/one.wav"));
  std::filesystem::rename(Path("p/Sound/one.wav"), Path("p/Sound/Uno.wav"));
  EXPECT_FALSE(ResolvePath(Path("p/SOUND/ONE.WAV")).Exists);
  EXPECT_EQ(ResolvePath(Path("p/SOUND/uno.WAV")).Path, Path("p/Sound/Uno.wav"));
}

TEST_F(PathResolving, RelativePathsResolveFromTheCurrentFolder) {
  Put("p/Title/Logo.png", "t");
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(Path("p"));
  const TResolvedPath r = ResolvePath("title/logo.PNG");
  std::filesystem::current_path(saved);
  EXPECT_TRUE(r.Exists);
  EXPECT_EQ(r.Path, "Title/Logo.png");
  EXPECT_FALSE(ResolvePath("").Exists);
}

} // namespace

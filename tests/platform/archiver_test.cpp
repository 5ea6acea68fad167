// The archiver library through its entry point, checked by an independent extractor
// (lhasa), and its parts: CRC, headers, the -lh5- codec and the list file.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "core/file_utils.h"
#include "core/unlha_library.h"
#include "platform/archiver/archiver_error.h"
#include "platform/archiver/lh5_codec.h"
#include "platform/archiver/lha_archive.h"
#include "platform/archiver/lha_crc.h"
#include "platform/archiver/lha_header.h"
#include "platform/archiver/list_file.h"
#include "sound_test_files.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a shell command; its exit status, with stdout and stderr in Output.
int Shell(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    output.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

// The library as the editor loads it: from the program folder.
TUnlhaProc Archiver() {
  OverrideProgramFile(std::string(VELMORA_PROGRAM_DIR) + "/velmora-studio");
  const bool loaded = LoadUnlhaLibrary();
  OverrideProgramFile("");
  EXPECT_TRUE(loaded);
  return UnlhaProc;
}

int RunArchiver(const std::string& command, std::string* message = nullptr) {
  char output[512] = "unchanged";
  const int result = Archiver()(nullptr, command.c_str(), output, sizeof output);
  if (message) *message = output;
  return result;
}

std::string Pattern(const std::string& kind, size_t size, uint32_t seed) {
  std::string out;
  out.reserve(size);
  if (kind == "zero") return std::string(size, '\0');
  std::mt19937 rng(seed);
  if (kind == "random") {
    while (out.size() < size)
      out += static_cast<char>(rng() & 0xFF);
    return out;
  }
  static const char* words[] = {"hero ", "map ", "event ", "switch ", "the ", "of ", "\r\n"};
  while (out.size() < size)
    out += words[rng() % 7];
  out.resize(size);
  return out;
}

// Member name -> "[level] method" from the extractor's verbose listing.
std::map<std::string, std::string> ListMembers(const std::string& archive) {
  std::string out;
  EXPECT_EQ(Shell("lhasa vv " + Quote(archive), out), 0) << out;
  std::map<std::string, std::string> members;
  std::istringstream lines(out);
  std::string line, name;
  while (std::getline(lines, line)) {
    const size_t method = line.find(" -lh");
    if (method != std::string::npos && !name.empty()) {
      members[name] = line.substr(line.size() - 3) + " " + line.substr(method + 1, 5);
      name.clear();
    } else if (!line.empty() && line[0] != '-' && line[0] != ' ' && line[0] != '[') {
      name = line;
    }
  }
  return members;
}

class ArchiverTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string out;
    ASSERT_EQ(Shell("command -v lhasa", out), 0) << "lhasa is installed by the set-up script";
  }
  TTempDir Dir;
};

TEST(UnlhaBinding, LoadsFromTheProgramFolderOnlyAndNamesTheMissingLibrary) {
  EXPECT_STREQ(SUnlhaNotFound, "Unlha32.dll not found");
  FreeUnlhaLibrary();
  TTempDir empty;
  OverrideProgramFile(empty / "velmora-studio");
  EXPECT_FALSE(LoadUnlhaLibrary());
  EXPECT_EQ(UnlhaLibrary, nullptr);
  EXPECT_EQ(UnlhaProc, nullptr);
  OverrideProgramFile("");
  ASSERT_NE(Archiver(), nullptr);
  EXPECT_NE(UnlhaLibrary, nullptr);
  FreeUnlhaLibrary();
  EXPECT_EQ(UnlhaLibrary, nullptr);
  EXPECT_EQ(UnlhaProc, nullptr);
}

TEST_F(ArchiverTest, CorpusRoundTripsThroughTheIndependentExtractor) {
  const std::string proj = Dir / "My Project";
  fs::create_directories(proj + "/ChipSet");
  fs::create_directories(proj + "/Music/Empty Folder");
  std::map<std::string, std::string> files; // archive name -> content
  std::map<std::string, std::string> methods;
  uint32_t seed = 1;
  for (size_t size : {0, 1, 2, 3, 8191, 8192, 8193, 65535, 65536, 1 << 20})
    for (const std::string kind : {"zero", "random", "text"}) {
      const std::string name = "ChipSet/" + kind + " " + std::to_string(size) + ".bin";
      files[name] = Pattern(kind, size, seed++);
      WriteFileBytes(proj + "/" + name, files[name]);
      // What does not shrink is stored; zeros and text always shrink from 8 KiB on.
      if (size < 4 || kind == "random")
        methods[name] = "[2] -lh0-";
      else if (size >= 8191)
        methods[name] = "-lh5-";
    }
  files["KOVAX.ldb"] = Pattern("text", 5000, 99);
  WriteFileBytes(proj + "/KOVAX.ldb", files["KOVAX.ldb"]);
  WriteFileBytes(proj + "/Map0001.lmu", files["Map0001.lmu"] = "map one");
  WriteFileBytes(proj + "/Map0002.lmu", files["Map0002.lmu"] = "map two");
  WriteFileBytes(proj + "/Map01.lmu", "not matched by Map????.lmu");
  // A second base folder whose KOVAX.ldb comes later and so replaces the first one.
  const std::string other = Dir / "other";
  fs::create_directories(other);
  WriteFileBytes(other + "/kovax.LDB", files["KOVAX.ldb"] = "the later one wins");

  const std::string list = Dir / "Response.lst";
  WriteFileBytes(list, "\"" + proj +
                           "/\"\r\nChipSet\r\nMusic\r\nMovie\r\nKOVAX.ldb\r\n"
                           "Map????.lmu\r\n\"" +
                           other + "\"\r\nKOVAX.ldb\r\n");
  const std::string archive = Dir / "My Project.lzh";
  std::string message;
  ASSERT_EQ(RunArchiver("a -+ -r2 -d \"" + archive + "\" @" + list, &message), 0) << message;

  std::string out;
  EXPECT_EQ(Shell("lhasa t " + Quote(archive), out), 0) << out;
  const auto members = ListMembers(archive);
  EXPECT_EQ(members.size(), files.size() + 3); // ChipSet/, Music/, Music/Empty Folder/
  for (const auto& [name, member] : members)
    EXPECT_EQ(member.substr(0, 3), "[2]") << name;
  EXPECT_EQ(members.at("ChipSet/"), "[2] -lhd-");
  EXPECT_EQ(members.at("Music/Empty Folder/"), "[2] -lhd-");
  for (const auto& [name, method] : methods)
    EXPECT_NE(members.at(name).find(method), std::string::npos) << name << " " << members.at(name);
  EXPECT_EQ(members.count("Map01.lmu"), 0u);
  // The later file is stored under its own spelling.
  EXPECT_EQ(members.count("kovax.LDB"), 1u);

  const std::string x = Dir / "x";
  fs::create_directories(x);
  ASSERT_EQ(Shell("lhasa xq2fw=" + Quote(x) + " " + Quote(archive), out), 0) << out;
  files["kovax.LDB"] = files["KOVAX.ldb"];
  files.erase("KOVAX.ldb");
  for (const auto& [name, content] : files)
    EXPECT_TRUE(ReadAll(x + "/" + name) == content) << name;
  EXPECT_TRUE(fs::is_directory(x + "/Music/Empty Folder"));
}

TEST_F(ArchiverTest, AddsToAnExistingArchiveReplacingMembersInPlace) {
  WriteFileBytes(Dir / "a.txt", "first a");
  WriteFileBytes(Dir / "b.txt", "first b");
  WriteFileBytes(Dir / "list1", "\"" + Dir.Path + "\"\na.txt\nb.txt\n");
  const std::string archive = Dir / "out.lzh";
  ASSERT_EQ(RunArchiver("a \"" + archive + "\" @\"" + Dir / "list1" + "\""), 0);
  WriteFileBytes(Dir / "B.TXT", "second b, a longer text than the first");
  WriteFileBytes(Dir / "c.txt", "c");
  WriteFileBytes(Dir / "list2", "\"" + Dir.Path + "\"\nc.txt\nB.TXT\n");
  ASSERT_EQ(RunArchiver("a \"" + archive + "\" @\"" + Dir / "list2" + "\""), 0);

  const std::string bytes = ReadAll(archive);
  const auto members = ScanArchive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].Header.Name, "a.txt");
  EXPECT_EQ(members[1].Header.Name, "B.TXT");
  EXPECT_EQ(members[2].Header.Name, "c.txt");
  std::string out;
  EXPECT_EQ(Shell("lhasa t " + Quote(archive), out), 0) << out;
  EXPECT_EQ(Shell("lhasa p " + Quote(archive) + " B.TXT", out), 0);
  EXPECT_NE(out.find("second b, a longer text"), std::string::npos) << out;
}

TEST_F(ArchiverTest, StoresNamesInTheWindowsCodePage) {
  // "Héros" in a folder "Dossier ÿ": é is 0xE9 in the code page; ÿ is 0xFF, which would
  // read as a separator inside a folder name, so there it becomes '_'. Characters the code
  // page lacks become '?'.
  fs::create_directories(Dir / "Dossier \xC3\xBF");
  WriteFileBytes(Dir / "Dossier \xC3\xBF/H\xC3\xA9ros \xC3\xBF.txt", "hero");
  WriteFileBytes(Dir / "\xE2\x98\x83.txt", "snowman");
  WriteFileBytes(Dir / "list", "\"" + Dir.Path + "\"\nDossier*\n*.txt\n");
  const std::string archive = Dir / "names.lzh";
  ASSERT_EQ(RunArchiver("a -r2 \"" + archive + "\" @" + Dir / "list"), 0);
  const std::string bytes = ReadAll(archive);
  std::vector<std::string> names;
  for (const auto& m : ScanArchive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
    names.push_back(m.Header.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Dossier _", "Dossier _/H\xE9ros \xFF.txt", "?.txt"}));
  std::string out;
  EXPECT_EQ(Shell("lhasa t " + Quote(archive), out), 0) << out;
}

TEST_F(ArchiverTest, BadCommandsAndUnreadableListsFailWithoutWriting) {
  WriteFileBytes(Dir / "f", "data");
  WriteFileBytes(Dir / "list", "\"" + Dir.Path + "\"\nf\n");
  const std::string archive = Dir / "out.lzh";
  std::string message;
  for (const std::string& bad : std::vector<std::string>{
           "a -x \"" + archive + "\" @" + Dir / "list", "a -r \"" + archive + "\" @" + Dir / "list",
           "x \"" + archive + "\" @" + Dir / "list", "a \"" + archive + "\"", "a @" + Dir / "list",
           "a \"" + archive + "\" extra @" + Dir / "list", ""}) {
    EXPECT_EQ(RunArchiver(bad, &message), 1) << bad;
    EXPECT_NE(message, "unchanged") << bad;
  }
  EXPECT_EQ(RunArchiver("a \"" + archive + "\" @" + Dir / "missing.lst", &message), 2);
  EXPECT_NE(message.find("missing.lst"), std::string::npos) << message;
  EXPECT_EQ(RunArchiver("a \"" + archive + "\" @" + Dir.Path, &message), 2);
  EXPECT_FALSE(fs::exists(archive));

  // An existing file that is not an archive is left alone.
  WriteFileBytes(archive, "not an archive at all, just some text");
  EXPECT_EQ(RunArchiver("a \"" + archive + "\" @" + Dir / "list", &message), 5);
  EXPECT_EQ(ReadAll(archive), "not an archive at all, just some text");
  // A source that cannot be read fails the whole run rather than being left out.
  fs::remove(archive);
  try {
    AddToArchive(archive, {{Dir / "f", "f", false}, {Dir / "gone", "gone", false}});
    ADD_FAILURE() << "a missing source was not reported";
  } catch (const EArchiverError& e) {
    EXPECT_EQ(e.Code, UnlhaReadError);
  }
  EXPECT_FALSE(fs::exists(archive));
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path), fs::directory_iterator()), 2);
  // The message is cut to the buffer and terminated.
  char small[8];
  Archiver()(nullptr, "a -q", small, sizeof small);
  EXPECT_EQ(std::string(small), "Unknown");
}

TEST(LhaCrc, MatchesTheCheckValueAndChains) {
  const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(LhaCrc16(digits, 9), 0xBB3D);
  EXPECT_EQ(LhaCrc16(digits + 4, 5, LhaCrc16(digits, 4)), 0xBB3D);
}

TEST(LhaHeader, Level2BytesOfAFileAndAFolder) {
  TLhaMember file;
  file.Method = MethodStored;
  file.Name = "A.TXT";
  file.PackedSize = file.OriginalSize = 3;
  file.Time = 0x5F5E1000;
  file.Crc = 0x1234;
  // Fixed part: size, method, packed and original size, time, attribute 0x20, level 2,
  // CRC, OS 'w', next size 5; then the common extension (header CRC, next 8), the file
  // name (next 5) and the attribute (0x0020, next 0).
  std::vector<uint8_t> expected = {44,   0,   '-', 'l', 'h', '0',  '-',  3,    0,    0, 0,
                                   3,    0,   0,   0,   0,   0x10, 0x5E, 0x5F, 0x20, 2, 0x34,
                                   0x12, 'w', 5,   0,   0,   0,    0,    8,    0,    1, 'A',
                                   '.',  'T', 'X', 'T', 5,   0,    0x40, 0x20, 0,    0, 0};
  const uint16_t crc = LhaCrc16(expected.data(), expected.size());
  expected[27] = crc & 0xFF;
  expected[28] = crc >> 8;
  EXPECT_EQ(MakeLevel2Header(file), expected);

  TLhaMember folder;
  folder.Method = MethodFolder;
  folder.Name = "Sub Dir/Inner";
  const std::vector<uint8_t> h = MakeLevel2Header(folder);
  ASSERT_EQ(h.size(), 26u + 5 + 17 + 5);
  EXPECT_EQ(h[19], 0x10);
  const std::string ext(h.begin() + 31, h.begin() + 48);
  EXPECT_EQ(ext, std::string("\x02Sub Dir\xFFInner\xFF\x05\x00", 17));

  TLhaMember back;
  ASSERT_EQ(ReadLhaHeader(h.data(), h.size(), back), THeaderRead::Member);
  EXPECT_EQ(back.Name, "Sub Dir/Inner");
  EXPECT_TRUE(back.IsFolder());
}

TEST(LhaHeader, PadsASizeWithALowZeroByteAndRejectsDamage) {
  TLhaMember m;
  m.Method = MethodLh5;
  m.Name = std::string(217, 'n'); // 39 bytes of header around it make 256
  std::vector<uint8_t> h = MakeLevel2Header(m);
  ASSERT_EQ(h.size(), 257u);
  EXPECT_EQ(h[0], 1);
  EXPECT_EQ(h[1], 1);
  TLhaMember back;
  ASSERT_EQ(ReadLhaHeader(h.data(), h.size(), back), THeaderRead::Member);
  EXPECT_EQ(back.Name, m.Name);

  h[40] ^= 1; // a name byte: the header CRC no longer matches
  EXPECT_EQ(ReadLhaHeader(h.data(), h.size(), back), THeaderRead::Bad);
  h[40] ^= 1;
  EXPECT_EQ(ReadLhaHeader(h.data(), h.size() - 1, back), THeaderRead::Bad);
  h[24] = 0xFF; // an extension running past the header
  EXPECT_EQ(ReadLhaHeader(h.data(), h.size(), back), THeaderRead::Bad);
  const uint8_t end = 0;
  EXPECT_EQ(ReadLhaHeader(&end, 1, back), THeaderRead::End);
}

TEST(LhaHeader, ReadsLevelZeroNamesWithBackslashes) {
  // Size byte (header length after the first two), checksum, method, sizes, DOS time,
  // attribute, level 0, name length and name, CRC.
  std::vector<uint8_t> h = {0,   0,    '-', 'l', 'h', '0', '-', 2, 0,    0,   0,
                            2,   0,    0,   0,   0,   0,   0,   0, 0x20, 0,   7,
                            'D', '\\', 'F', '.', 'T', 'X', 'T', 0, 0,    'h', 'i'};
  h[0] = 29; // bytes 2 to 30: everything before the data but the first two
  uint8_t sum = 0;
  for (size_t i = 2; i < 2u + h[0]; ++i)
    sum = static_cast<uint8_t>(sum + h[i]);
  h[1] = sum;
  TLhaMember m;
  ASSERT_EQ(ReadLhaHeader(h.data(), h.size(), m), THeaderRead::Member);
  EXPECT_EQ(m.Name, "D/F.TXT");
  EXPECT_EQ(m.HeaderSize, 31u);
  EXPECT_EQ(m.PackedSize, 2u);
  h[1] ^= 1;
  EXPECT_EQ(ReadLhaHeader(h.data(), h.size(), m), THeaderRead::Bad);
}

TEST(Lh5Codec, RoundTripsAcrossBlocksAndRejectsDamage) {
  // Text of many blocks, with long runs and matches at the window's far end.
  std::string data = Pattern("text", 600000, 7);
  data += std::string(70000, 'z');
  data += data.substr(1000, 8192 + 300);
  const auto* in = reinterpret_cast<const uint8_t*>(data.data());
  std::vector<uint8_t> packed;
  ASSERT_TRUE(Lh5Encode(in, data.size(), packed));
  EXPECT_LT(packed.size(), data.size() / 3);
  std::vector<uint8_t> out(data.size());
  ASSERT_TRUE(Lh5Decode(packed.data(), packed.size(), out.data(), out.size()));
  EXPECT_TRUE(std::equal(out.begin(), out.end(), in));

  EXPECT_FALSE(Lh5Decode(packed.data(), packed.size() / 2, out.data(), out.size()));
  std::vector<uint8_t> damaged = packed;
  int rejected = 0;
  for (size_t at = 0; at < 64; ++at) {
    damaged[at] ^= 0x5A;
    const bool ok = Lh5Decode(damaged.data(), damaged.size(), out.data(), out.size());
    rejected += !ok || LhaCrc16(out.data(), out.size()) != LhaCrc16(in, data.size());
    damaged[at] ^= 0x5A;
  }
  EXPECT_EQ(rejected, 64);

  const std::string noise = Pattern("random", 5000, 3);
  EXPECT_FALSE(Lh5Encode(reinterpret_cast<const uint8_t*>(noise.data()), noise.size(), packed));
  // A single repeated byte: one literal and one length, single-symbol tables.
  const std::string same(1000, 'q');
  ASSERT_TRUE(Lh5Encode(reinterpret_cast<const uint8_t*>(same.data()), same.size(), packed));
  std::vector<uint8_t> back(same.size());
  ASSERT_TRUE(Lh5Decode(packed.data(), packed.size(), back.data(), back.size()));
  EXPECT_EQ(std::string(back.begin(), back.end()), same);

  // The packed form of an input does not depend on what was packed before it (the match
  // finder keeps its tables from call to call).
  const std::string small = data.substr(5000, 3000);
  const auto* smallIn = reinterpret_cast<const uint8_t*>(small.data());
  std::vector<uint8_t> first, again;
  ASSERT_TRUE(Lh5Encode(smallIn, small.size(), first));
  ASSERT_TRUE(Lh5Encode(in, data.size(), packed));
  ASSERT_TRUE(Lh5Encode(smallIn, small.size(), again));
  EXPECT_EQ(first, again);
}

TEST(ListFile, ParsesBasesEntriesAndLineEnds) {
  const auto lines =
      ParseListFile("\"C:\\Proj\\\"\r\n  Map????.lmu  \r\n\r\n\t\n\"\"\nSub\\a b.txt\n"
                    "\"/x y/\" trailing\nlast");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(lines[0].IsBase);
  EXPECT_EQ(lines[0].Text, "C:/Proj/");
  EXPECT_EQ(lines[1].Text, "Map????.lmu");
  EXPECT_TRUE(lines[2].IsBase);
  EXPECT_EQ(lines[2].Text, "");
  EXPECT_EQ(lines[3].Text, "Sub/a b.txt");
  EXPECT_EQ(lines[4].Text, "/x y/");
  EXPECT_FALSE(lines[5].IsBase);
  EXPECT_EQ(lines[5].Text, "last");
}

TEST(ListFile, WildcardsMatchAsWindowsDoes) {
  EXPECT_TRUE(MatchWildcard("Map????.lmu", "MAP0001.LMU"));
  EXPECT_FALSE(MatchWildcard("Map????.lmu", "Map001.lmu"));
  EXPECT_FALSE(MatchWildcard("Map????.lmu", "Map00001.lmu"));
  EXPECT_TRUE(MatchWildcard("*", ""));
  EXPECT_TRUE(MatchWildcard("*", "a*b")); // a star in a name is only a character there
  EXPECT_FALSE(MatchWildcard("a*", "b*"));
  EXPECT_TRUE(MatchWildcard("*.png", "a.b.PNG"));
  EXPECT_TRUE(MatchWildcard("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(MatchWildcard("a*b*c", "aXbYbZ"));
  EXPECT_TRUE(MatchWildcard("\xC3\xA9t?", "\xC3\x89T\xC3\xA9")); // é and É, one char for ?
  // Many stars against a long name must stay fast.
  EXPECT_FALSE(MatchWildcard(std::string(200, '*') + "b", std::string(4000, 'a')));
}

TEST(ListFile, CollectsFromDiskInListOrder) {
  TTempDir dir;
  fs::create_directories(dir / "Base/ChipSet/Deep");
  fs::create_directories(dir / "Base/Other");
  WriteFileBytes(dir / "Base/ChipSet/b.png", "b");
  WriteFileBytes(dir / "Base/ChipSet/A.png", "a");
  WriteFileBytes(dir / "Base/ChipSet/Deep/z", "z");
  WriteFileBytes(dir / "Base/KOVAX.ini", "i");
  WriteFileBytes(dir / "outside", "o");
  symlink("..", (dir / "Base/ChipSet/Deep/loop").c_str());
  mkfifo((dir / "Base/ChipSet/pipe").c_str(), 0600);

  const auto lines = ParseListFile("\"" + dir / "Base" +
                                   "\"\nchipset\nkovax.ini\nnothing\n"
                                   "../outside\nOther\nchipset/a.PNG\n" +
                                   std::string("ChipSet\0/x\n", 11));
  std::vector<std::string> names;
  for (const auto& s : CollectSources(lines, true))
    names.push_back(s.Name + (s.IsFolder ? "/" : ""));
  // The folder first, then its contents in byte order; the link back up and the pipe are
  // left out, "nothing", the climb out of the base and the name holding a NUL (which
  // the system would read as "ChipSet") are skipped, and the later
  // "chipset/a.PNG" replaces "ChipSet/A.png" in its place.
  const std::vector<std::string> expected = {"ChipSet/",       "ChipSet/A.png", "ChipSet/Deep/",
                                             "ChipSet/Deep/z", "ChipSet/b.png", "KOVAX.ini",
                                             "Other/"};
  EXPECT_EQ(names, expected);

  names.clear();
  for (const auto& s : CollectSources(lines, false))
    names.push_back(s.Name + (s.IsFolder ? "/" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"ChipSet/", "KOVAX.ini", "Other/", "ChipSet/A.png"}));
}

} // namespace

// Parses arbitrary bytes as an ini file. Writing it back must reproduce every line
// (with CRLF ends), reading that again must give the same file, and a write must land
// where a read finds it. Also checks the code-page conversion both ways.
#include <cstdlib>
#include <string>

#include "core/code_page.h"
#include "core/ini_file.h"
#include "fuzz_seeds.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  return {Bytes("[KOVAX]\r\nGameTitle=Untitled\r\nMapEditMode=1\r\nMapEditZoom=0\r\n"),
          Bytes("; c\n[A]\nk = \"v\"\n\n[b]\nK=0x10\nline\n[unclosed\n=x\n"),
          Bytes("[VELMORA]\r\nRuntimePackagePath=/opt/rtp\r\nFullScreenFlag=0\r\n"),
          Bytes("\xEF\xBB\xBF[\xC9t\xE9]\r\n\xC9=\xE9\r\r\n")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (Utf8ToCodePage(CodePageToUtf8(input)) != input) std::abort();
  (void)FoldCaseUtf8(input);

  TIniFile ini = TIniFile::FromBytes(input);
  const std::string written = ini.ToBytes();
  if (TIniFile::FromBytes(written).ToBytes() != written) std::abort();
  // Use the first line's text as a section and key name, as a hostile file could.
  const std::string name(input.substr(0, std::min<size_t>(input.find('\n'), 16)));
  (void)ini.ReadInteger(name, name, 0);
  ini.WriteString(name, "Key", name);
  ini.WriteBool("KOVAX", name, true);
  const TIniFile reread = TIniFile::FromBytes(ini.ToBytes());
  // Names with the format's own marks, quotes (dropped on reading) or outer blanks
  // cannot be stored as they are.
  const bool plain = !name.empty() && name.find_first_of("=[];\"'\r\n") == std::string::npos &&
                     name.front() != ' ' && name.back() != ' ' && name.front() != '\t' &&
                     name.back() != '\t';
  if (plain && !reread.ReadBool("KOVAX", name, false)) std::abort();
  if (plain && reread.ReadString(name, "Key", "") != name) std::abort();
  return 0;
}

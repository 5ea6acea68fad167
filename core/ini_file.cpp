#include "core/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/atomic_file.h"
#include "core/code_page.h"
#include "core/file_utils.h"

namespace {

// Settings files are a few lines; this only keeps a hostile file from exhausting memory.
constexpr uint64_t kMaxIniBytes = 16 << 20;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (CodePageLowerChar(a[i]) != CodePageLowerChar(b[i])) return false;
  return true;
}

bool ParseInteger(std::string_view text, int& value) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 20) return false;
  long long result = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    result = result * base + digit;
    if (result > 0x1FFFFFFFFLL) return false;
  }
  if (negative) result = -result;
  // Hex values up to 32 bits are accepted as their two's-complement int.
  if (base == 16 && !negative && result <= 0xFFFFFFFFLL) result = int32_t(uint32_t(result));
  if (result < INT_MIN || result > INT_MAX) return false;
  value = int(result);
  return true;
}

} // namespace

TIniFile TIniFile::FromBytes(std::string_view bytes) {
  TIniFile ini;
  ini.Parse(bytes);
  return ini;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
  std::string bytes;
  if (ReadFileBytes(fileName_, bytes, kMaxIniBytes)) Parse(bytes);
}

void TIniFile::Parse(std::string_view bytes) {
  lines_.clear();
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    TLine line;
    line.Raw = std::string(raw);
    const std::string_view text = Trim(raw);
    if (!text.empty() && text[0] == '[') {
      const size_t close = text.find(']');
      line.Kind = TLineKind::Section;
      line.Name = std::string(
          Trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1)));
    } else if (!text.empty() && text[0] != ';') {
      const size_t equals = text.find('=');
      if (equals != std::string_view::npos) {
        line.Kind = TLineKind::Key;
        line.Name = std::string(Trim(text.substr(0, equals)));
        line.Value = std::string(Trim(text.substr(equals + 1)));
      }
    }
    lines_.push_back(std::move(line));
  }
}

int TIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].Kind == TLineKind::Section && SameName(lines_[i].Name, section)) return int(i);
  return -1;
}

int TIniFile::FindKey(std::string_view section, std::string_view key) const {
  const int header = FindSection(section);
  if (header < 0) return -1;
  for (size_t i = size_t(header) + 1; i < lines_.size(); ++i) {
    if (lines_[i].Kind == TLineKind::Section) break;
    if (lines_[i].Kind == TLineKind::Key && SameName(lines_[i].Name, key)) return int(i);
  }
  return -1;
}

bool TIniFile::SectionExists(std::string_view section) const {
  return FindSection(section) >= 0;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindKey(section, key) >= 0;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const int at = FindKey(section, key);
  if (at < 0) return std::string(defaultValue);
  std::string_view value = lines_[size_t(at)].Value;
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  int value;
  const int at = FindKey(section, key);
  if (at < 0 || !ParseInteger(lines_[size_t(at)].Value, value)) return defaultValue;
  return value;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string clean(value);
  for (char& c : clean)
    if (c == '\r' || c == '\n') c = ' ';
  TLine line;
  line.Kind = TLineKind::Key;
  line.Value = std::string(Trim(clean));
  const int at = FindKey(section, key);
  if (at >= 0) {
    TLine& old = lines_[size_t(at)];
    line.Name = old.Name; // keeps the spelling the file already uses
    line.Raw = line.Name + "=" + clean;
    // The same value is no change: the line keeps its spacing and the file its bytes.
    if (old.Value == line.Value) return;
    old = std::move(line);
    modified_ = true;
    return;
  }
  line.Name = std::string(key);
  line.Raw = line.Name + "=" + clean;
  int header = FindSection(section);
  if (header < 0) {
    TLine head;
    head.Kind = TLineKind::Section;
    head.Name = std::string(section);
    head.Raw = "[" + head.Name + "]";
    lines_.push_back(std::move(head));
    header = int(lines_.size()) - 1;
  }
  // After the section's last key, so blank lines and comments that close it stay last.
  size_t insert = size_t(header) + 1;
  for (size_t i = insert; i < lines_.size() && lines_[i].Kind != TLineKind::Section; ++i)
    if (lines_[i].Kind == TLineKind::Key) insert = i + 1;
  lines_.insert(lines_.begin() + std::ptrdiff_t(insert), std::move(line));
  modified_ = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
  // Every copy of the key goes: a hand-edited file may repeat it, and the next copy would
  // otherwise come to light as the value just deleted.
  for (int at = FindKey(section, key); at >= 0; at = FindKey(section, key)) {
    lines_.erase(lines_.begin() + at);
    modified_ = true;
  }
}

std::string TIniFile::ToBytes() const {
  std::string bytes;
  for (const TLine& line : lines_) {
    bytes += line.Raw;
    bytes += "\r\n";
  }
  return bytes;
}

void TIniFile::UpdateFile() {
  if (!modified_ || fileName_.empty()) return;
  WriteFileAtomically(fileName_, ToBytes());
  modified_ = false;
}

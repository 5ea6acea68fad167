#include "platform/archiver/lha_header.h"

#include "platform/archiver/lha_crc.h"

namespace {

// Level-2 header layout: fixed part, then extended headers each made of a type byte, its
// data and the size of the next one.
constexpr size_t Level2FixedSize = 26;
constexpr uint8_t ExtCommon = 0x00;
constexpr uint8_t ExtFileName = 0x01;
constexpr uint8_t ExtFolderName = 0x02;
constexpr uint8_t ExtDosAttribute = 0x40;
constexpr uint8_t FolderSeparator = 0xFF;
constexpr uint8_t AttributeArchive = 0x20;
constexpr uint8_t AttributeFolder = 0x10;
// Names are in the Windows code page and keep their case, as on Windows.
constexpr uint8_t OsWindows = 'w';

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
uint16_t Get16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p) {
  return Get16(p) | (static_cast<uint32_t>(Get16(p + 2)) << 16);
}

void AddExtension(std::vector<uint8_t>& out, uint8_t type, const std::string& data) {
  // The size of this extension sits at the end of the one before it.
  const size_t size = 1 + data.size() + 2;
  out[out.size() - 2] = static_cast<uint8_t>(size);
  out[out.size() - 1] = static_cast<uint8_t>(size >> 8);
  out.push_back(type);
  out.insert(out.end(), data.begin(), data.end());
  Put16(out, 0);
}

// Folder separators ('\', and 0xFF where it separates) become '/'; no leading or doubled
// ones.
std::string NormalName(const std::string& name, bool ffSeparates) {
  std::string out;
  for (char c : name) {
    const bool sep =
        c == '/' || c == '\\' || (ffSeparates && static_cast<uint8_t>(c) == FolderSeparator);
    if (sep) {
      if (!out.empty() && out.back() != '/') out += '/';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == '/')
    out.pop_back();
  return out;
}

THeaderRead ReadOldLevel(const uint8_t* data, size_t avail, TLhaMember& member) {
  const size_t base = 2 + static_cast<size_t>(data[0]);
  if (base > avail || base < 24) return THeaderRead::Bad;
  uint8_t sum = 0;
  for (size_t i = 2; i < base; ++i)
    sum = static_cast<uint8_t>(sum + data[i]);
  if (sum != data[1]) return THeaderRead::Bad;
  const size_t nameLen = data[21];
  if (22 + nameLen + 2 > base) return THeaderRead::Bad;
  std::string name(reinterpret_cast<const char*>(data + 22), nameLen);
  member.Crc = Get16(data + 22 + nameLen);
  member.HeaderSize = base;
  std::string folder;
  if (member.Level == 1) {
    // Extended headers follow the base one and are counted in the packed size.
    if (22 + nameLen + 5 > base) return THeaderRead::Bad;
    size_t next = Get16(data + base - 2);
    size_t pos = base;
    while (next != 0) {
      if (next < 3 || next > avail - pos || next > member.PackedSize) return THeaderRead::Bad;
      const uint8_t type = data[pos];
      const std::string ext(reinterpret_cast<const char*>(data + pos + 1), next - 3);
      if (type == ExtFileName) name = ext;
      if (type == ExtFolderName) folder = ext;
      member.PackedSize -= static_cast<uint32_t>(next);
      pos += next;
      next = Get16(data + pos - 2);
    }
    member.HeaderSize = pos;
  }
  member.Name = NormalName(folder.empty() ? name : folder + "/" + name, true);
  return THeaderRead::Member;
}

THeaderRead ReadLevel2(const uint8_t* data, size_t avail, TLhaMember& member) {
  const size_t size = Get16(data);
  if (size < Level2FixedSize || size > avail) return THeaderRead::Bad;
  member.Crc = Get16(data + 21);
  member.HeaderSize = size;
  std::string name, folder;
  size_t next = Get16(data + 24);
  size_t pos = Level2FixedSize;
  size_t crcAt = 0;
  bool hasCrc = false;
  while (next != 0) {
    if (next < 3 || next > size - pos) return THeaderRead::Bad;
    const uint8_t type = data[pos];
    const std::string ext(reinterpret_cast<const char*>(data + pos + 1), next - 3);
    if (type == ExtCommon && ext.size() >= 2) {
      hasCrc = true;
      crcAt = pos + 1;
    }
    if (type == ExtFileName) name = ext;
    if (type == ExtFolderName) folder = ext;
    pos += next;
    next = Get16(data + pos - 2);
  }
  if (hasCrc) {
    std::vector<uint8_t> copy(data, data + size);
    copy[crcAt] = copy[crcAt + 1] = 0;
    if (LhaCrc16(copy.data(), copy.size()) != Get16(data + crcAt)) return THeaderRead::Bad;
  }
  member.Name = NormalName(NormalName(folder, true) + "/" + NormalName(name, false), false);
  return THeaderRead::Member;
}

} // namespace

std::vector<uint8_t> MakeLevel2Header(const TLhaMember& member) {
  std::vector<uint8_t> out;
  out.reserve(64 + member.Name.size());
  Put16(out, 0); // the header size, filled in below
  for (size_t i = 0; i < 5; ++i)
    out.push_back(i < member.Method.size() ? static_cast<uint8_t>(member.Method[i]) : '-');
  Put32(out, member.PackedSize);
  Put32(out, member.OriginalSize);
  Put32(out, member.Time);
  out.push_back(member.IsFolder() ? AttributeFolder : AttributeArchive);
  out.push_back(2);
  Put16(out, member.Crc);
  out.push_back(OsWindows);
  Put16(out, 0);

  AddExtension(out, ExtCommon, std::string(2, '\0'));
  const size_t crcAt = out.size() - 4;
  std::string folder, file = member.Name;
  const size_t slash = member.IsFolder() ? member.Name.size() : member.Name.rfind('/');
  if (slash != std::string::npos) {
    folder = member.Name.substr(0, slash) + '/';
    file = member.IsFolder() ? "" : member.Name.substr(slash + 1);
    for (char& c : folder)
      if (c == '/') c = static_cast<char>(FolderSeparator);
  }
  if (!member.IsFolder()) AddExtension(out, ExtFileName, file);
  if (!folder.empty()) AddExtension(out, ExtFolderName, folder);
  AddExtension(
      out, ExtDosAttribute,
      std::string{static_cast<char>(member.IsFolder() ? AttributeFolder : AttributeArchive), 0});
  // A size whose low byte is 0 would read as the end mark to older readers.
  if ((out.size() & 0xFF) == 0) out.push_back(0);
  out[0] = static_cast<uint8_t>(out.size());
  out[1] = static_cast<uint8_t>(out.size() >> 8);
  const uint16_t crc = LhaCrc16(out.data(), out.size());
  out[crcAt] = static_cast<uint8_t>(crc);
  out[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
  return out;
}

THeaderRead ReadLhaHeader(const uint8_t* data, size_t avail, TLhaMember& member) {
  if (avail == 0 || data[0] == 0) return THeaderRead::End;
  if (avail < 26) return THeaderRead::Bad;
  member = TLhaMember();
  member.Method.assign(reinterpret_cast<const char*>(data + 2), 5);
  if (member.Method[0] != '-' || member.Method[4] != '-') return THeaderRead::Bad;
  member.PackedSize = Get32(data + 7);
  member.OriginalSize = Get32(data + 11);
  member.Time = Get32(data + 15);
  member.Level = data[20];
  THeaderRead result = THeaderRead::Bad;
  if (member.Level == 0 || member.Level == 1)
    result = ReadOldLevel(data, avail, member);
  else if (member.Level == 2)
    result = ReadLevel2(data, avail, member);
  if (result != THeaderRead::Member) return result;
  if (member.HeaderSize > avail || member.PackedSize > avail - member.HeaderSize)
    return THeaderRead::Bad;
  return THeaderRead::Member;
}

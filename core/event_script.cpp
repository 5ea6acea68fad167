#include "core/event_script.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "core/stream.h"
#include "core/var_int.h"

namespace {

// Where the insertion checks stood in the original unit; kept so that a report of
// either failure points at the same place as before.
constexpr const char* ScriptUnit = "LD_Event";
constexpr int InsertPositionCheckLine = 393;
constexpr int InsertSourceCheckLine = 394;
constexpr const char* AssertionText = "Assertion failure";

// Steps over one compressed integer at P (before End) if it is written as a save writes
// it: in its fewest groups (no leading empty group) and with no bit beyond 32. False
// otherwise, or when it is cut. Most are a single group.
inline bool SkipSavedVarInt(const uint8_t*& p, const uint8_t* end) {
  if (p == end) return false;
  uint8_t b = *p++;
  if (b < 0x80) return true;
  if (b == 0x80) return false;
  const uint8_t first = b;
  int groups = 1;
  while (b & 0x80) {
    if (p == end || groups == 5) return false;
    b = *p++;
    ++groups;
  }
  return groups < 5 || (first & 0x7F) <= 0x0F;
}

// As SkipSavedVarInt, and gives the value.
inline bool ReadSavedVarInt(const uint8_t*& p, const uint8_t* end, uint32_t& value) {
  const uint8_t* const start = p;
  if (!SkipSavedVarInt(p, end)) return false;
  uint32_t v = 0;
  for (const uint8_t* q = start; q != p; ++q)
    v = (v << 7) | (*q & 0x7F);
  value = v;
  return true;
}

// True when the line stream parses as TXelEventScriptLine::LoadFromStream reads it and
// saving the lines parsed would give these very bytes.
bool IsSavedLineStream(const std::vector<uint8_t>& bytes) {
  const uint8_t* p = bytes.data();
  const uint8_t* const end = p + bytes.size();
  uint32_t length = 0, count = 0;
  while (p < end) {
    if (!SkipSavedVarInt(p, end) || !SkipSavedVarInt(p, end)) return false;
    if (!ReadSavedVarInt(p, end, length) || length > size_t(end - p)) return false;
    p += length;
    if (!ReadSavedVarInt(p, end, count) || count > size_t(end - p)) return false;
    for (uint32_t i = 0; i < count; ++i)
      if (!SkipSavedVarInt(p, end)) return false;
  }
  return true;
}

} // namespace

void TXelEventScriptLine::SetParamCount(int32_t count) {
  Params.resize(static_cast<size_t>(std::max(count, 0)), 0);
}

int32_t TXelEventScriptLine::GetParam(int index) const {
  if (index < 0 || index >= ParamCount()) return 0;
  return Params[static_cast<size_t>(index)];
}

void TXelEventScriptLine::SetParam(int index, int32_t value) {
  if (index < 0 || index >= ParamCount()) return;
  Params[static_cast<size_t>(index)] = value;
}

void TXelEventScriptLine::LoadFromStream(TStream& stream) {
  Code = static_cast<int32_t>(ReadVarInt(stream));
  Indent = static_cast<int32_t>(ReadVarInt(stream));
  // Read into the string it holds, which keeps its storage when a line is reloaded.
  const uint32_t length = ReadVarCount(stream);
  Text.resize(length);
  stream.ReadBuffer(Text.data(), length);
  // Every parameter takes at least one byte, so a count beyond the bytes left is
  // refused before the parameters are allocated.
  const uint32_t count = ReadVarCount(stream, 1);
  Params.resize(count);
  for (auto& param : Params)
    param = static_cast<int32_t>(ReadVarInt(stream));
}

size_t TXelEventScriptLine::SavedSize() const {
  size_t size = size_t(VarIntSize(static_cast<uint32_t>(Code))) +
                size_t(VarIntSize(static_cast<uint32_t>(Indent))) +
                size_t(VarIntSize(static_cast<uint32_t>(Text.size()))) + Text.size() +
                size_t(VarIntSize(static_cast<uint32_t>(Params.size())));
  for (int32_t param : Params)
    size += size_t(VarIntSize(static_cast<uint32_t>(param)));
  return size;
}

uint8_t* TXelEventScriptLine::SaveTo(uint8_t* out) const {
  out += EncodeVarInt(static_cast<uint32_t>(Code), out);
  out += EncodeVarInt(static_cast<uint32_t>(Indent), out);
  out += EncodeVarInt(static_cast<uint32_t>(Text.size()), out);
  if (!Text.empty()) std::memcpy(out, Text.data(), Text.size());
  out += Text.size();
  out += EncodeVarInt(static_cast<uint32_t>(Params.size()), out);
  for (int32_t param : Params)
    out += EncodeVarInt(static_cast<uint32_t>(param), out);
  return out;
}

void TXelEventScriptLine::SaveToStream(TStream& stream) const {
  // Most lines fit the buffer on the stack.
  uint8_t small[256];
  std::vector<uint8_t> large;
  const size_t size = SavedSize();
  uint8_t* buf = small;
  if (size > sizeof small) {
    large.resize(size);
    buf = large.data();
  }
  SaveTo(buf);
  stream.WriteBuffer(buf, size);
}

TXelEventScriptLine* TXelEventScriptList::GetItem(int index) const {
  Unfold();
  if (index < 0 || index >= GetCount()) return nullptr;
  return lines_[static_cast<size_t>(index)].get();
}

TXelEventScriptLine* TXelEventScriptList::Add(std::unique_ptr<TXelEventScriptLine> line) {
  Unfold();
  lines_.push_back(std::move(line));
  return lines_.back().get();
}

TXelEventScriptLine* TXelEventScriptList::Add(int32_t code, int32_t indent, std::string text) {
  auto line = std::make_unique<TXelEventScriptLine>();
  line->Code = code;
  line->Indent = indent;
  line->Text = std::move(text);
  return Add(std::move(line));
}

void TXelEventScriptList::Delete(int index) {
  if (index < 0 || index >= GetCount()) return;
  lines_.erase(lines_.begin() + index);
}

void TXelEventScriptList::InsertLines(int at, const TXelEventScriptList& source,
                                      int32_t indentDelta) {
  Unfold();
  source.Unfold();
  XelAssert(at >= 0 && at <= GetCount(), AssertionText, ScriptUnit, InsertPositionCheckLine);
  XelAssert(source.GetCount() >= 1, AssertionText, ScriptUnit, InsertSourceCheckLine);

  const int32_t base = lines_.empty() ? 0 : lines_[std::min(at, GetCount() - 1)]->Indent;
  const int32_t shift = base - source.lines_.front()->Indent + indentDelta;
  // Copy first: Source may be this very list.
  std::vector<std::unique_ptr<TXelEventScriptLine>> copies;
  copies.reserve(source.lines_.size());
  for (const auto& line : source.lines_) {
    copies.push_back(std::make_unique<TXelEventScriptLine>(*line));
    copies.back()->Indent = line->Indent + shift;
  }
  lines_.insert(lines_.begin() + at, std::make_move_iterator(copies.begin()),
                std::make_move_iterator(copies.end()));
}

std::unique_ptr<TXelEventScriptLine> TXelEventScriptList::TakeLine() const {
  if (spare_.empty()) return std::make_unique<TXelEventScriptLine>();
  auto line = std::move(spare_.back());
  spare_.pop_back();
  return line;
}

void TXelEventScriptList::LoadFromStream(TStream& stream) {
  unparsed_ = {};
  ParseLines(stream);
}

bool TXelEventScriptList::KeepSavedBytes(std::vector<uint8_t>& bytes) {
  if (bytes.empty() || !IsSavedLineStream(bytes)) return false;
  // The lines held go: what they would be reused for is parsed only when asked for.
  lines_.clear();
  spare_.clear();
  unparsed_ = std::move(bytes);
  bytes.clear();
  return true;
}

void TXelEventScriptList::UnfoldSaved() const {
  TMemoryStream stream(std::move(unparsed_));
  unparsed_.clear();
  // Cannot fail: KeepSavedBytes took only bytes that parse.
  ParseLines(stream);
}

void TXelEventScriptList::ParseLines(TStream& stream) const {
  // The lines held are filled again where they stand; only those beyond the script
  // loaded are put aside, and only a longer script takes more.
  size_t loaded = 0;
  try {
    while (stream.Remaining() > 0) {
      if (loaded == lines_.size()) lines_.push_back(TakeLine());
      lines_[loaded]->LoadFromStream(stream);
      ++loaded;
    }
  } catch (...) {
    KeepLinesFrom(loaded);
    throw;
  }
  KeepLinesFrom(loaded);
}

void TXelEventScriptList::KeepLinesFrom(size_t count) const {
  while (lines_.size() > count) {
    spare_.push_back(std::move(lines_.back()));
    lines_.pop_back();
  }
}

void TXelEventScriptList::ResetToEndLine() {
  unparsed_ = {};
  if (lines_.empty()) lines_.push_back(TakeLine());
  KeepLinesFrom(1);
  TXelEventScriptLine& line = *lines_.front();
  line.Code = ScriptEndCode;
  line.Indent = 0;
  line.Text.clear();
  line.Params.clear();
}

void TXelEventScriptList::SaveToStream(TStream& stream) const {
  if (!unparsed_.empty()) return stream.WriteBuffer(unparsed_.data(), unparsed_.size());
  for (const auto& line : lines_)
    line->SaveToStream(stream);
}

void TXelEventScriptList::SaveToBytes(std::vector<uint8_t>& bytes) const {
  if (!unparsed_.empty()) {
    bytes.assign(unparsed_.begin(), unparsed_.end());
    return;
  }
  // One pass over the lines, each written where room for its longest form is ensured:
  // the lines lie all over the heap, and a second pass to size them first would fetch
  // each of them twice. A save reaches them after other work, when they are no longer
  // cached: a window of lines is asked for at once, so that their fetches overlap
  // instead of following one another.
  constexpr size_t Window = 16;
  size_t used = 0;
  for (size_t start = 0; start < lines_.size(); start += Window) {
    const size_t end = std::min(start + Window, lines_.size());
    for (size_t i = start; i < end; ++i)
      __builtin_prefetch(lines_[i].get());
    for (size_t i = start; i < end; ++i)
      __builtin_prefetch(lines_[i]->Params.data());
    for (size_t i = start; i < end; ++i) {
      const TXelEventScriptLine& line = *lines_[i];
      const size_t longest = 4 * 5 + line.Text.size() + 5 * line.Params.size();
      if (longest > bytes.size() - used) bytes.resize(std::max(used + longest, bytes.capacity()));
      used = size_t(line.SaveTo(bytes.data() + used) - bytes.data());
    }
  }
  bytes.resize(used);
}

TXelBaseEventPageItem::TXelBaseEventPageItem(int32_t id, int scriptSizeId)
    : TCatalogItem(id), scriptSizeId_(scriptSizeId) {
  TXelBaseEventPageItem::Clear();
}

void TXelBaseEventPageItem::Clear() {
  // The default blob is one end line: code 0, indent 0, no text, no parameters. Every
  // new page comes here, so the line is set directly rather than parsed from the blob.
  ScriptSize = 4;
  ScriptData.assign(4, 0);
  // A load parses the script over the lines held instead (or resets it when it fails).
  if (!loading_) Script.ResetToEndLine();
}

void TXelBaseEventPageItem::LoadFromStream(TStream& stream) {
  loading_ = true;
  try {
    TCatalogItem::LoadFromStream(stream);
  } catch (...) {
    loading_ = false;
    Script.ResetToEndLine();
    throw;
  }
  loading_ = false;
  ParseScript();
}

void TXelBaseEventPageItem::SaveToStream(TStream& stream) const {
  BuildScript();
  TCatalogItem::SaveToStream(stream);
}

void TXelBaseEventPageItem::ParseScript() {
  // Bytes that a save would write back as they are become the script as they stand;
  // their lines are parsed when first asked for.
  if (Script.KeepSavedBytes(ScriptData)) return;
  // The editor relies on every script holding at least its end line, also when a
  // lenient load keeps a page whose blob was damaged.
  auto keepEndLine = [this] {
    if (Script.GetCount() == 0) Script.Add(ScriptEndCode, 0);
  };
  // The blob is lent to the stream, not copied.
  TMemoryStream blob(std::move(ScriptData));
  try {
    Script.LoadFromStream(blob);
  } catch (...) {
    ScriptData = blob.TakeBytes();
    keepEndLine();
    throw;
  }
  // Script is the working form from here on and every save rebuilds the blob from it, so
  // the bytes read are let go: a large database would otherwise hold every script twice,
  // and the next page's blob reuses this memory instead of touching fresh pages.
  ScriptData.clear(); // moved into the blob stream, which frees it
  keepEndLine();
}

void TXelBaseEventPageItem::BuildScript() const {
  // Written over the previous bytes: a save builds every page's script.
  Script.SaveToBytes(ScriptData);
  ScriptSize = static_cast<int32_t>(ScriptData.size());
}

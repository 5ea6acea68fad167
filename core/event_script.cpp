#include "core/event_script.h"

#include <algorithm>

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

void TXelEventScriptLine::SaveToStream(TStream& stream) const {
  WriteVarInt(stream, Code);
  WriteVarInt(stream, Indent);
  WriteVarString(stream, Text);
  WriteVarInt(stream, ParamCount());
  for (int32_t param : Params)
    WriteVarInt(stream, param);
}

TXelEventScriptLine* TXelEventScriptList::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return lines_[static_cast<size_t>(index)].get();
}

TXelEventScriptLine* TXelEventScriptList::Add(std::unique_ptr<TXelEventScriptLine> line) {
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

void TXelEventScriptList::KeepLinesAside() {
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it)
    spare_.push_back(std::move(*it));
  lines_.clear();
}

std::unique_ptr<TXelEventScriptLine> TXelEventScriptList::TakeLine() {
  if (spare_.empty()) return std::make_unique<TXelEventScriptLine>();
  auto line = std::move(spare_.back());
  spare_.pop_back();
  return line;
}

void TXelEventScriptList::LoadFromStream(TStream& stream) {
  KeepLinesAside();
  while (stream.Remaining() > 0) {
    auto line = TakeLine();
    line->LoadFromStream(stream);
    lines_.push_back(std::move(line));
  }
}

void TXelEventScriptList::ResetToEndLine() {
  KeepLinesAside();
  auto line = TakeLine();
  line->Code = ScriptEndCode;
  line->Indent = 0;
  line->Text.clear();
  line->Params.clear();
  lines_.push_back(std::move(line));
}

void TXelEventScriptList::SaveToStream(TStream& stream) const {
  for (const auto& line : lines_)
    line->SaveToStream(stream);
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
  Script.ResetToEndLine();
}

void TXelBaseEventPageItem::LoadFromStream(TStream& stream) {
  TCatalogItem::LoadFromStream(stream);
  ParseScript();
}

void TXelBaseEventPageItem::SaveToStream(TStream& stream) const {
  BuildScript();
  TCatalogItem::SaveToStream(stream);
}

void TXelBaseEventPageItem::ParseScript() {
  // The editor relies on every script holding at least its end line, also when a
  // lenient load keeps a page whose blob was damaged.
  auto keepEndLine = [this] {
    if (Script.GetCount() == 0) Script.Add(ScriptEndCode, 0);
  };
  // The blob is lent to the stream and taken back, not copied.
  TMemoryStream blob(std::move(ScriptData));
  try {
    Script.LoadFromStream(blob);
  } catch (...) {
    ScriptData = blob.TakeBytes();
    keepEndLine();
    throw;
  }
  ScriptData = blob.TakeBytes();
  keepEndLine();
}

void TXelBaseEventPageItem::BuildScript() const {
  // Written over the previous bytes: a save builds every page's script.
  TMemoryStream blob(std::move(ScriptData));
  blob.SetSize(0);
  Script.SaveToStream(blob);
  ScriptData = blob.TakeBytes();
  ScriptSize = static_cast<int32_t>(ScriptData.size());
}

bool TXelBaseEventPageItem::ScriptVarData(int id, TCatalogVarData& d) {
  if (id == scriptSizeId_) {
    d.Int(&ScriptSize, 0);
    return true;
  }
  if (id == scriptSizeId_ + 1) {
    d.Blob(&ScriptData, ScriptSize);
    return true;
  }
  return false;
}

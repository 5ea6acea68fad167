// Event scripts: a flat list of command lines, blocks expressed by depth alone.
//
// Line stream (the saved script blob and the script-lines clipboard payload): the lines
// one after another, no count and no terminator; per line the compressed Code, Indent,
// the Text as a compressed length and its bytes, the compressed parameter count and the
// parameters (all compressed integers without a length byte; negatives take 5 groups).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/catalog_item.h"
#include "core/small_object_pool.h"

class TStream;

// Command codes with a meaning to the data core itself.
inline constexpr int32_t ScriptEndCode = 0;     // the last line of every script
inline constexpr int32_t BlockBodyEndCode = 10; // the last line of every block body

// A line's integer parameters.
using TParamList = std::vector<int32_t, TPoolAllocator<int32_t>>;

class TXelEventScriptLine : public TPooledObject {
public:
  void Assign(const TXelEventScriptLine& source) { *this = source; }
  int32_t ParamCount() const { return static_cast<int32_t>(Params.size()); }
  // Entries added hold 0; a negative count empties the parameters.
  void SetParamCount(int32_t count);
  // 0 for an index outside the parameters.
  int32_t GetParam(int index) const;
  // Ignored for an index outside the parameters.
  void SetParam(int index, int32_t value);

  // Raises EReadError on a cut or malformed line; counts and lengths are checked
  // against the bytes that remain before anything is allocated.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  // The bytes SaveToStream writes: their count, and the bytes themselves put at Out
  // (which holds SavedSize() bytes); returns the end of what was put.
  size_t SavedSize() const;
  uint8_t* SaveTo(uint8_t* out) const;

  int32_t Code = 0;
  int32_t Indent = 0;
  std::string Text;
  TParamList Params;
};

class TXelEventScriptList {
public:
  TXelEventScriptList() = default;
  TXelEventScriptList(const TXelEventScriptList&) = delete;
  TXelEventScriptList& operator=(const TXelEventScriptList&) = delete;
  TXelEventScriptList(TXelEventScriptList&&) = default;
  TXelEventScriptList& operator=(TXelEventScriptList&&) = default;

  int GetCount() const {
    Unfold();
    return static_cast<int>(lines_.size());
  }
  // The line at Index, or nothing outside the list.
  TXelEventScriptLine* GetItem(int index) const;
  TXelEventScriptLine* Add(std::unique_ptr<TXelEventScriptLine> line);
  // Appends a line with no parameters; for building scripts in code.
  TXelEventScriptLine* Add(int32_t code, int32_t indent, std::string text = {});
  // Nothing for an index outside the list.
  void Delete(int index);
  // Inserts copies of every line of Source before index At. The block keeps its inner
  // structure and starts at the depth of the line it goes before (the last line when At
  // is the count, 0 in an empty list), plus IndentDelta. At beyond the count or an empty
  // Source is a programming error (EAssertionFailed).
  void InsertLines(int at, const TXelEventScriptList& source, int32_t indentDelta);
  void Clear() {
    lines_.clear();
    spare_.clear();
    unparsed_ = {};
  }
  // Clear, then parse lines until the bytes of the stream (or of its read limit) are
  // used up. Raises EReadError on a cut line; the lines before it stay. The line
  // objects already held are filled again rather than freed and made anew, so a reload
  // of a script allocates nothing; those left over are kept for the next load.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  // Bytes becomes what SaveToStream writes; it is sized once and written over in place.
  void SaveToBytes(std::vector<uint8_t>& bytes) const;
  // Leaves the single end line of an empty script, filled into a line already held.
  void ResetToEndLine();
  // Takes a script's saved bytes in place of its lines, which are parsed from them when
  // first asked for: a project's first load reads every script, and most are never
  // opened. Taken only when the bytes parse and a save would write them back unchanged;
  // true then, and Bytes is left empty. Otherwise Bytes stays and the lines are untouched.
  bool KeepSavedBytes(std::vector<uint8_t>& bytes);

private:
  void Unfold() const {
    if (!unparsed_.empty()) UnfoldSaved();
  }
  void UnfoldSaved() const;
  // Puts the lines from index Count on aside, last first.
  void KeepLinesFrom(size_t count) const;
  std::unique_ptr<TXelEventScriptLine> TakeLine() const;
  void ParseLines(TStream& stream) const;

  using TLines = std::vector<std::unique_ptr<TXelEventScriptLine>,
                             TPoolAllocator<std::unique_ptr<TXelEventScriptLine>>>;
  // Mutable: the lines of saved bytes taken are made by the first call that asks.
  mutable TLines lines_;
  mutable TLines spare_;                  // last to be used first
  mutable std::vector<uint8_t> unparsed_; // saved bytes taken, not yet parsed
};

// The record part of everything that carries a script (map event pages, common events,
// battle-event pages). The script is saved as a blob (a size field and a bytes field
// whose ids each descendant chooses); Script is the working form, parsed after every
// load and rebuilt into the blob before every save.
class TXelBaseEventPageItem : public TCatalogItem {
public:
  // ScriptSizeId holds the blob's byte count, ScriptSizeId + 1 the blob itself.
  TXelBaseEventPageItem(int32_t id, int scriptSizeId);

  // Subclasses call this first from their own Clear.
  void Clear() override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

  // Parses ScriptData (its actual bytes, whatever ScriptSize says) into Script, or hands
  // them to Script to be parsed when first asked for (when they can only parse and save
  // back unchanged). A blob that holds no line gives the single end line. Raises
  // EReadError on a cut blob.
  void ParseScript();
  // Writes Script into ScriptData and ScriptSize.
  void BuildScript() const;

  // The saved form, kept up to date by BuildScript only.
  mutable int32_t ScriptSize = 0;
  mutable std::vector<uint8_t> ScriptData;
  TXelEventScriptList Script;

protected:
  // Answers for the two script fields; true when Id was one of them. Inline: a save
  // asks it for every id of every page.
  bool ScriptVarData(int id, TCatalogVarData& d) {
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

private:
  int scriptSizeId_;
  bool loading_ = false; // within LoadFromStream, before the script is parsed
};

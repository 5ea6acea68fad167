// The lines of a block command as its dialog edits them. A dialog gets the whole block
// (head, branch lines, bodies and end lines), keeps the body of every branch while the
// author changes the command, and writes each body back under its branch line.
//
// A block is split at the lines of the head's depth: the head and every branch or
// continuation line lead a section, and the deeper lines after a leader are its body
// (its code-10 end line included). A conditional branch has a body under its head; a
// choice has none there and one under each of its case lines.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/event_script.h"

struct TBlockSection {
  TXelEventScriptLine Line;
  // The lines under Line with their own depths; empty when it has none.
  TXelEventScriptList Body;
};

// One section per leader in order; none for an empty block. Lines shallower than the
// head lead sections too, so no line is lost from a damaged block.
std::vector<TBlockSection> SplitCommandBlock(const TXelEventScriptList& block);

// The body of the first section led by a line of that code, or nothing.
const TXelEventScriptList* FindBlockBody(const std::vector<TBlockSection>& sections, int32_t code);

// A copy of that body, kept beside a dialog's values while the block is edited (shared, so
// the values stay cheap to copy); nothing when the branch has no lines under it.
std::shared_ptr<TXelEventScriptList> KeepBlockBody(const std::vector<TBlockSection>& sections,
                                                   int32_t code);

// Writes a body back under the last line of Lines (the branch line just appended), one
// level deeper, its inner structure kept. A missing or empty body becomes one code-10
// line, the body of an empty branch.
void AppendBlockBody(TXelEventScriptList& lines, const TXelEventScriptList* body);

// Appends each branch line at depth 0 with its body under it, then the block's end line.
struct TBlockBranch {
  int32_t Code;
  const TXelEventScriptList* Body;
};
void AppendBlockBranches(TXelEventScriptList& lines, const std::vector<TBlockBranch>& branches,
                         int32_t endCode);

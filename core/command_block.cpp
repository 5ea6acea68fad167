#include "core/command_block.h"

#include <algorithm>
#include <memory>

std::vector<TBlockSection> SplitCommandBlock(const TXelEventScriptList& block) {
  std::vector<TBlockSection> sections;
  if (block.GetCount() == 0) return sections;
  const int32_t depth = block.GetItem(0)->Indent;
  for (int i = 0; i < block.GetCount(); ++i) {
    const TXelEventScriptLine& line = *block.GetItem(i);
    if (line.Indent <= depth)
      sections.push_back({line, {}});
    else
      sections.back().Body.Add(std::make_unique<TXelEventScriptLine>(line));
  }
  return sections;
}

const TXelEventScriptList* FindBlockBody(const std::vector<TBlockSection>& sections, int32_t code) {
  for (const TBlockSection& section : sections)
    if (section.Line.Code == code) return &section.Body;
  return nullptr;
}

std::shared_ptr<TXelEventScriptList> KeepBlockBody(const std::vector<TBlockSection>& sections,
                                                   int32_t code) {
  const TXelEventScriptList* body = FindBlockBody(sections, code);
  if (!body || body->GetCount() == 0) return nullptr;
  auto kept = std::make_shared<TXelEventScriptList>();
  kept->InsertLines(0, *body, 0);
  return kept;
}

void AppendBlockBody(TXelEventScriptList& lines, const TXelEventScriptList* body) {
  if (body && body->GetCount() > 0) {
    // The shallowest line goes one level under the branch line, not the first: a damaged
    // body whose first line is deeper than the rest must not climb above its branch.
    int32_t shallowest = body->GetItem(0)->Indent;
    for (int i = 1; i < body->GetCount(); ++i)
      shallowest = std::min(shallowest, body->GetItem(i)->Indent);
    lines.InsertLines(lines.GetCount(), *body, 1 + body->GetItem(0)->Indent - shallowest);
    return;
  }
  const int count = lines.GetCount();
  lines.Add(BlockBodyEndCode, count > 0 ? lines.GetItem(count - 1)->Indent + 1 : 1);
}

void AppendBlockBranches(TXelEventScriptList& lines, const std::vector<TBlockBranch>& branches,
                         int32_t endCode) {
  for (const TBlockBranch& branch : branches) {
    lines.Add(branch.Code, 0);
    AppendBlockBody(lines, branch.Body);
  }
  lines.Add(endCode, 0);
}

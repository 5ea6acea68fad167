#include "core/command_block.h"

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

void AppendBlockBody(TXelEventScriptList& lines, const TXelEventScriptList* body) {
  if (body && body->GetCount() > 0) {
    lines.InsertLines(lines.GetCount(), *body, 1);
    return;
  }
  const int count = lines.GetCount();
  lines.Add(BlockBodyEndCode, count > 0 ? lines.GetItem(count - 1)->Indent + 1 : 1);
}

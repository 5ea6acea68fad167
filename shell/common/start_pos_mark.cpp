#include "shell/common/start_pos_mark.h"

#include "core/bitmap.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "shell/common/shell_pictures.h"

TStartPosMark::TStartPosMark() {
  for (int i = 1; i <= 4; ++i) {
    const TBitmap bitmap = StartPosBitmap(i);
    auto sheet = std::make_unique<TGlimraSheet>();
    sheet->SetSize(bitmap.Width(), bitmap.Height());
    sheet->LoadFromBitmap(bitmap);
    sheet->Transparent = true;
    sheets_[size_t(i - 1)] = std::move(sheet);
  }
}

TStartPosMark::~TStartPosMark() = default;

void TStartPosMark::Draw(TGlimraBoard& board, int x, int y, int cellSize, int mark, bool dim) {
  int index;
  switch (cellSize) {
  case 32:
    index = 0;
    break;
  case 16:
    index = 1;
    break;
  case 8:
    index = 2;
    break;
  case 4:
    index = 3;
    break;
  default:
    return;
  }
  TGlimraSheet& sheet = *sheets_[size_t(index)];
  sheet.Opacity = dim ? 128 : 255;
  board.DrawSheet(x, y, sheet, TRect{cellSize * mark, 0, cellSize * mark + cellSize, cellSize});
}

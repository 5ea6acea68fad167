#include "events/turning_preview.h"

#include <QPainter>
#include <QTimer>

#include "core/char_set_graphic.h"
#include "core/glimra_board.h"
#include "core/material_image.h"
#include "events/event_page_preview.h"
#include "framework/controls/color_bar.h"
#include "framework/forms/form_xel_base.h"

TTurningPreview::TTurningPreview(TFormXelCommon& form, const TTurningPreviewKind& kind,
                                 const std::string& fileName, const int& index,
                                 const bool* seeThrough, QWidget* parent)
    : TScrollFrame(parent), kind_(kind), fileName_(fileName), index_(index),
      seeThrough_(seeThrough), Timer1(new QTimer(this)) {
  constexpr int Height = 64;
  // A walk graphic is read at its fixed size; a larger image is cut.
  sheet_.SetSize(CharSetWidth, CharSetHeight);
  HorzScrollBar()->SetVisible(false);
  VertScrollBar()->SetVisible(false);
  setFixedSize(kind.Width + 2 * frameWidth(), Height + 2 * frameWidth());
  Timer1->setObjectName(QStringLiteral("Timer1"));
  form.On(Timer1, &QTimer::timeout, [this] { Timer1Timer(); });
  Timer1->start(kind.Interval);
  form.OnPaint(this, [this](QPainter& canvas) {
    TGlimraBoard board;
    DrawPreview(board);
    canvas.drawImage(QRect(QPoint(0, 0), ClientSize()), BoardToImage(board));
  });
}

void TTurningPreview::Timer1Timer() {
  ++tick_;
  viewport()->update();
}

void TTurningPreview::Restart() {
  tick_ = 0;
  viewport()->update();
}

void TTurningPreview::DrawPreview(TGlimraBoard& board) {
  board.SetSize(kind_.Width, 64);
  if (fileName_.empty()) return;
  if (sheetName_ != fileName_) {
    sheetName_ = fileName_;
    loaded_ = LoadMaterialSheet(sheet_, sheetName_, "CharSet", false);
  }
  if (!loaded_) return;
  DrawCharacterFrame(board, sheet_, Bounds(kind_.Left, 0, 48, 64),
                     TurningFrame(index_, kind_.Rows, tick_), seeThrough_ && *seeThrough_);
}

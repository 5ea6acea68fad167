#include "core/animation_graphic.h"

#include <algorithm>

#include "core/animation_record.h"
#include "core/animation_sound.h"
#include "core/bitmap.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/material.h"
#include "core/material_image.h"

namespace {

constexpr int kFlashFrames = 6;
constexpr int kFlashTableSlack = 10;

void ApplyFlash(TGlimraColorControl& tone, const std::vector<TAnimationFlash>& table, int frame) {
  if (frame >= 0 && size_t(frame) < table.size()) {
    const TAnimationFlash& f = table[size_t(frame)];
    tone.SetFlash(f.Red, f.Green, f.Blue, f.Power);
  } else {
    tone.Reset();
  }
}

} // namespace

TXelAnimationGraphic::TXelAnimationGraphic() : TXelAnimationGraphic(DefaultAnimationSoundSink()) {}

TXelAnimationGraphic::TXelAnimationGraphic(TAnimationSoundSink& sink) : sink_(&sink) {
  Sheet.AutoSize = true;
  Sheet.Transparent = true;
}

void TXelAnimationGraphic::SetAnimation(const TXelAnimationItem* item, bool clearOnly) {
  Animation = item;
  LoadGraphic(item ? item->Graphic : std::string());
  BuildFlashTables(clearOnly);
}

void TXelAnimationGraphic::LoadGraphic(const std::string& name) {
  if (name == FileName) return;
  FileName = name;
  LoadMaterialSheet(Sheet, name, "Battle", !IsEditorMode());
}

void TXelAnimationGraphic::BuildFlashTables(bool clearOnly) {
  if (!Animation) return;
  const size_t size = size_t(Animation->GetFrameCount()) + kFlashTableSlack;
  TargetFlash.assign(size, TAnimationFlash{});
  ScreenFlash.assign(size, TAnimationFlash{});
  if (clearOnly) return;
  for (int i = 0; i < Animation->Timings.GetCount(); ++i) {
    const TXelAnimationTimingItem* t = Animation->Timings.GetItem(i);
    std::vector<TAnimationFlash>* table = t->FlashScope == 1   ? &TargetFlash
                                          : t->FlashScope == 2 ? &ScreenFlash
                                                               : nullptr;
    if (!table) continue;
    for (int k = 0; k < kFlashFrames; ++k) {
      const int64_t index = int64_t(t->Frame) - 1 + k;
      if (index < 0 || index >= int64_t(size)) continue;
      const int64_t power =
          std::min<int64_t>(31, (kFlashFrames + 1 - k) * int64_t(t->FlashPower) / kFlashFrames);
      (*table)[size_t(index)] = {t->FlashRed, t->FlashGreen, t->FlashBlue, int32_t(power)};
    }
  }
}

uint32_t TXelAnimationGraphic::GetBackgroundColor() const {
  const TPaletteEntry& e = Sheet.Palette()[0];
  return PackRgb(e.Red, e.Green, e.Blue);
}

void TXelAnimationGraphic::ResetEffects() {
  Sheet.Opacity = 255;
  Sheet.Tone1.Reset(false);
  Sheet.Tone2.Reset(false);
  Sheet.UpdateColorTable();
}

bool TXelAnimationGraphic::PatternRect(int pattern, TRect& rect) const {
  if (pattern < 0) return false;
  const int64_t left = int64_t(pattern % AnimationPatternsPerRow) * AnimationPatternSize;
  const int64_t top = int64_t(pattern / AnimationPatternsPerRow) * AnimationPatternSize;
  if (left >= Sheet.Width() || top >= Sheet.Height()) return false;
  rect = Bounds(int(left), int(top), AnimationPatternSize, AnimationPatternSize);
  return true;
}

void TXelAnimationGraphic::DrawPattern(TGlimraBoard& board, int x, int y, int pattern) {
  TRect source;
  if (PatternRect(pattern, source)) board.DrawSheet(x, y, Sheet, source);
}

void TXelAnimationGraphic::ApplyTargetFlash(TGlimraSheet& sheet, int frame) const {
  ApplyFlash(sheet.Tone1, TargetFlash, frame);
}

void TXelAnimationGraphic::ApplyScreenFlash(TGlimraSheet& sheet, int frame) const {
  ApplyFlash(sheet.Tone2, ScreenFlash, frame);
}

void TXelAnimationGraphic::DrawCell(TGlimraBoard& board, int x, int y, bool withScreenFlash,
                                    int cell, int frame) {
  if (!Animation) return;
  const TXelAnimationPatternItem* f = Animation->Frames().GetItem(frame);
  const TXelAnimationCellItem* c = f ? f->Cells.GetItem(cell) : nullptr;
  TRect source;
  if (!c || c->Magnification <= 0 || !PatternRect(c->Pattern, source)) return;
  if (withScreenFlash)
    ApplyScreenFlash(Sheet, frame);
  else
    Sheet.Tone2.Reset();
  Sheet.Tone1.SetTone(c->Red, c->Green, c->Blue, c->Chroma);
  Sheet.Opacity = int(std::clamp<int64_t>((100 - int64_t(c->Transparency)) * 255 / 100, 0, 255));
  board.DrawSheetCentered(double(x) + c->X, double(y) + c->Y, c->Magnification / 100.0,
                          AnimationPatternSize / 2, AnimationPatternSize / 2, source, Sheet);
}

void TXelAnimationGraphic::DrawFrame(TGlimraBoard& board, int x, int y, int frame) {
  if (!Animation) return;
  const TXelAnimationPatternItem* f = Animation->Frames().GetItem(frame);
  if (!f) return;
  for (int i = 0; i < f->Cells.GetCount(); ++i)
    if (f->Cells.GetItem(i)->Visible) DrawCell(board, x, y, true, i, frame);
}

void TXelAnimationGraphic::PlayFrameSounds(int frame) {
  if (!Animation) return;
  for (int i = 0; i < Animation->Timings.GetCount(); ++i) {
    const TXelAnimationTimingItem* t = Animation->Timings.GetItem(i);
    if (int64_t(t->Frame) - 1 != frame || t->Sound.FileName == NoMaterialName) continue;
    // A sound that finds no file is not played: a bare name would reach whatever file
    // of that name lies in the current folder.
    std::string path;
    if (!FindMaterialFile(t->Sound.FileName, "Sound", SoundExtensions, path)) continue;
    sink_->PlaySound(path, t->Sound.Volume, t->Sound.Tempo, t->Sound.Balance);
  }
}

// A list box with a 13-pixel mark cell before every line: a five-step rank or a check
// mark, changed by clicking the cell (left steps back, right steps forward) or by Space.
// The database pages use it for attribute ranks and for condition and attribute checks.
#pragma once

#include <QImage>
#include <QListWidget>
#include <vector>

// The glyphs of the mark cells: 0 to 4 the ranks, 5 the check mark; an empty image for
// any other number.
QImage MarkGlyph(int index);
inline constexpr int MarkCellWidth = 13;
inline constexpr int MarkGlyphCount = 6;
inline constexpr int CheckMarkGlyph = 5;

class TMarkListBox : public QListWidget {
  Q_OBJECT
public:
  enum TMarkMode { mmRank = 0, mmCheck = 1 };

  explicit TMarkListBox(QWidget* parent = nullptr);

  TMarkMode Mode() const { return mode_; }
  void SetMode(TMarkMode value);
  // 0 for an index outside the list.
  int Marks(int index) const;
  // Ignored for an index outside the list; a change repaints the mark cell at once.
  void SetMarks(int index, int value);
  bool Checked(int index) const { return Marks(index) != 0; }
  void SetChecked(int index, bool value);
  // Steps the mark of a line: ranks go round 0..4 (Forward up, else down), checks toggle.
  // ClickMark fires afterwards.
  void ChangeMark(int index, bool forward);
  // The row under a point, or -1.
  int ItemAtPos(QPoint point) const;

signals:
  void ClickMark(int index);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void RepaintMark(int index);
  mutable std::vector<int> marks_;
  TMarkMode mode_ = mmRank;
};

// A read-only list of rows in columns with one empty row at its end for adding: the
// hero's learned skills, the monster's action patterns, the animation's timings. Row i
// stands for entry i of the page's list; the page fills the texts and does the editing,
// the list turns the author's keys and clicks into requests.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <vector>

class QMenu;

class TReportList : public QTreeWidget {
  Q_OBJECT
public:
  // Columns: the captions; Widths: their widths in pixels, widened where the caption needs
  // more in the list's font. The parent comes last, as the form builder's Add hands it.
  TReportList(const QStringList& columns, const std::vector<int>& widths,
              QWidget* parent = nullptr);

  // Widens Column so that each of Texts, the widest it will show, reads whole.
  void FitColumnTo(int column, const QStringList& texts);
  // Room for every column at its width beside the vertical bar: the last column stretches
  // into what the list has, so the list keeps at least this.
  QSize minimumSizeHint() const override;

  // One row per entry of Rows, then the empty row. The current row stays where it was
  // (the last row when the list got shorter); with Reset it is row 0.
  void Fill(const std::vector<QStringList>& rows, bool reset = false);
  // The number of entry rows (the empty row not counted).
  int Rows() const;
  // The current row, -1 when none; Rows() is the empty row.
  int CurrentRow() const;
  void SetCurrentRow(int row);
  bool OnEntryRow() const { return CurrentRow() >= 0 && CurrentRow() < Rows(); }

  // Shown on a right press while the list has the focus (on the row under the mouse)
  // and by the context-menu key (at the list's top-left corner).
  QMenu* PopupMenu = nullptr;

signals:
  // Double click or Enter on a row (the empty row: add an entry).
  void EditRequested();
  // Del, Ctrl+X, Ctrl+C, Ctrl+V on a row.
  void DeleteRequested();
  void CutRequested();
  void CopyRequested();
  void PasteRequested();
  // Just before PopupMenu is shown: the page enables its items.
  void PopupOpening();

protected:
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  void ShowPopup(const QPoint& globalPos);
  // Sets every column to its width or what its caption and texts need, whichever is more.
  void FitColumns();

  std::vector<int> widths_;
  std::vector<QStringList> widest_; // per column, the texts it must show whole
  std::vector<int> fitted_;         // the widths FitColumns gave
};

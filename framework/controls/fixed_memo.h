// A multi-line text field that holds exactly the lines it shows: lines wrap at its
// width, and typing or pasting that would need another line is refused. Ctrl+Enter and
// Escape are the dialog's OK and Cancel, Tab moves to the next control. Characters the
// game's code page cannot hold are not taken in.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextEdit>

// The lines Text needs when wrapped (at word boundaries, or anywhere in a word longer
// than a line) to WrapWidth pixels in Font. An empty text is one line, and so is the
// empty line after a final line break.
int CountWrappedLines(const QString& text, const QFont& font, int wrapWidth);
// The same lines' texts: each wrapped line as it shows (a break between words leaves the
// blank at the end of the line), an empty one for an empty text line.
QStringList WrappedLines(const QString& text, const QFont& font, int wrapWidth);

class TFixedMemo : public QTextEdit {
  Q_OBJECT
public:
  explicit TFixedMemo(QWidget* parent = nullptr);

  // (Height - 6) div the line height of the font, or the number set.
  int MaxLines() const;
  // Fixes the number of lines whatever the font; 0 goes back to the height.
  void SetMaxLines(int lines) { fixedMaxLines_ = lines; }
  // The texts of the lines as wrapped now.
  QStringList Lines() const;
  // The lines the current text takes.
  int LineCount() const;
  QString Text() const { return toPlainText(); }
  // Inserts Text in place of the selection the way a paste does: refused when it needs
  // more lines than fit; a final line break that would take the last line is dropped.
  void PasteText(const QString& text);

signals:
  void Cancel();
  void CtrlReturn();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  int WrapWidth() const;
  // Runs an edit and takes it back when the text no longer fits.
  template <class Edit> void EditWithinLines(Edit&& edit);

  int fixedMaxLines_ = 0;
};

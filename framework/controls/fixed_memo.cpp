#include "framework/controls/fixed_memo.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include "framework/controls/qt_text.h"

namespace {

// The memo's frame and its document margin take 6 pixels of its height in all.
constexpr int DocumentMargin = 1;
constexpr int HeightOutsideLines = 6;

QString NormalisedBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // The Unicode line and paragraph breaks, which the code page cannot hold, break a line too.
  for (const char16_t brk : {u'\r', u'\u0085', u'\u2028', u'\u2029'})
    text.replace(QChar(brk), QLatin1Char('\n'));
  return text;
}

} // namespace

QStringList WrappedLines(const QString& text, const QFont& font, int wrapWidth) {
  QTextDocument document;
  document.setDefaultFont(font);
  document.setDocumentMargin(0);
  QTextOption option = document.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document.setDefaultTextOption(option);
  document.setPlainText(text);
  document.setTextWidth(std::max(wrapWidth, 1));
  QStringList lines;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    // Asking for the block's rectangle lays it out.
    document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0) lines.push_back(QString());
    for (int i = 0; i < layout->lineCount(); ++i)
      lines.push_back(
          block.text().mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength()));
  }
  return lines;
}

int CountWrappedLines(const QString& text, const QFont& font, int wrapWidth) {
  return static_cast<int>(WrappedLines(text, font, wrapWidth).size());
}

TFixedMemo::TFixedMemo(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setAcceptDrops(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setLineWrapMode(QTextEdit::FixedPixelWidth);
  document()->setDocumentMargin(DocumentMargin);
  setCursor(Qt::IBeamCursor);
  // Tab and Shift+Tab move between the dialog's controls, as in every dialog.
  setTabChangesFocus(true);
}

int TFixedMemo::MaxLines() const {
  if (fixedMaxLines_ > 0) return fixedMaxLines_;
  return (height() - HeightOutsideLines) / std::max(QFontMetrics(font()).height(), 1);
}

int TFixedMemo::WrapWidth() const {
  return viewport()->width() - 2 * DocumentMargin;
}

QStringList TFixedMemo::Lines() const {
  return WrappedLines(toPlainText(), font(), WrapWidth());
}

int TFixedMemo::LineCount() const {
  return CountWrappedLines(toPlainText(), font(), WrapWidth());
}

void TFixedMemo::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  // The document is laid out at the same width the line count is measured at.
  setLineWrapColumnOrWidth(WrapWidth() + 2 * DocumentMargin);
}

template <class Edit> void TFixedMemo::EditWithinLines(Edit&& edit) {
  const QString before = toPlainText();
  const QTextCursor cursorBefore = textCursor();
  const int anchor = cursorBefore.anchor();
  const int position = cursorBefore.position();
  edit();
  if (toPlainText() == before || LineCount() <= MaxLines()) return;
  setPlainText(before);
  QTextCursor restored(document());
  restored.setPosition(anchor);
  restored.setPosition(position, QTextCursor::KeepAnchor);
  setTextCursor(restored);
}

void TFixedMemo::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
      event->modifiers().testFlag(Qt::ControlModifier)) {
    event->accept();
    emit CtrlReturn();
    return;
  }
  if (key == Qt::Key_Escape) {
    event->accept();
    emit Cancel();
    return;
  }
  // The text is stored in the game's code page: what it cannot hold is not typed.
  const QString typed = CodePageCharacters(event->text());
  if (typed != event->text()) {
    if (typed.isEmpty()) {
      event->accept();
      return;
    }
    QKeyEvent held(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                   event->nativeVirtualKey(), event->nativeModifiers(), typed,
                   event->isAutoRepeat(), event->count());
    EditWithinLines([&] { QTextEdit::keyPressEvent(&held); });
    event->setAccepted(held.isAccepted());
    return;
  }
  EditWithinLines([&] { QTextEdit::keyPressEvent(event); });
}

void TFixedMemo::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = CodePageCharacters(event->commitString());
  if (committed != event->commitString()) {
    QInputMethodEvent held(event->preeditString(), event->attributes());
    held.setCommitString(committed, event->replacementStart(), event->replacementLength());
    EditWithinLines([&] { QTextEdit::inputMethodEvent(&held); });
    event->setAccepted(held.isAccepted());
    return;
  }
  EditWithinLines([&] { QTextEdit::inputMethodEvent(event); });
}

void TFixedMemo::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText()) {
    QTextEdit::insertFromMimeData(source);
    return;
  }
  PasteText(source->text());
}

void TFixedMemo::PasteText(const QString& text) {
  // Tried first on a copy of the text with the same selection.
  QTextDocument trial;
  trial.setPlainText(toPlainText());
  const QTextCursor current = textCursor();
  QTextCursor cursor(&trial);
  cursor.setPosition(current.selectionStart());
  cursor.setPosition(current.selectionEnd(), QTextCursor::KeepAnchor);
  cursor.insertText(CodePageCharacters(NormalisedBreaks(text)));
  QString result = trial.toPlainText();
  int caret = cursor.position();
  const int lines = CountWrappedLines(result, font(), WrapWidth());
  if (lines > MaxLines()) return;
  if (lines == MaxLines() && result.endsWith(QLatin1Char('\n'))) {
    result.chop(1);
    caret = std::min(caret, static_cast<int>(result.size()));
  }
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.insertText(result);
  QTextCursor placed(document());
  placed.setPosition(std::min(caret, static_cast<int>(toPlainText().size())));
  setTextCursor(placed);
}

// Buttons with images from a shared image list: the push button with an image beside its
// caption, and the flat tool-bar button that may drop down a menu.
#pragma once

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <vector>

#include "framework/controls/cancel_mode.h"

class QPainter;

// A list of equal-sized images; a disabled image is drawn from DisabledImages when that
// is set, else greyed.
class TImageListEx {
public:
  TImageListEx(int width = 16, int height = 16) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  const QPixmap& Image(int index) const { return images_.at(static_cast<size_t>(index)); }
  void Clear() { images_.clear(); }
  // Adds an image; its pixels of MaskColor become transparent.
  void Add(const QImage& image, QColor maskColor);
  // Clears the list and cuts the strip into square cells stacked top to bottom, each
  // the list's size; a cell's bottom-left pixel is its mask colour.
  void LoadFromStrip(const QImage& strip);
  // Nothing for an index outside the list.
  void Draw(QPainter& painter, int x, int y, int index, bool enabled) const;

  TImageListEx* DisabledImages = nullptr;

private:
  int width_;
  int height_;
  std::vector<QPixmap> images_;
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TButtonPlacement {
  QPoint ImagePos;
  QRect TextRect;
};

// Where an image and a caption go on a button: Margin is the gap from the edge the image
// sits at (-1 centres image and caption together), Spacing the gap between them (-1
// spreads them evenly).
TButtonPlacement PlaceImageAndCaption(QRect client, QSize image, QSize text, TButtonLayout layout,
                                      int margin, int spacing);

class TImageButton : public QPushButton {
  Q_OBJECT
public:
  explicit TImageButton(const QString& caption = QString(), QWidget* parent = nullptr);

  TImageListEx* Images() const { return images_; }
  void SetImages(TImageListEx* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  int Margin() const { return margin_; }
  // Never below -1.
  void SetMargin(int value);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TImageListEx* images_ = nullptr;
  int imageIndex_ = -1;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4;
  int margin_ = -1;
};

// The flat tool-bar button: an image and no caption; Down keeps it pushed in; with a
// drop-down menu a press opens the menu below its left edge.
class TMenuButton : public QWidget {
  Q_OBJECT
public:
  enum TState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3 };

  explicit TMenuButton(QWidget* parent = nullptr);

  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TImageListEx* Images() const { return images_; }
  void SetImages(TImageListEx* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  QMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(QMenu* menu);
  TState State() const { return state_; }
  bool MouseInControl() const { return mouseInControl_; }

  // Opens the drop-down menu, or fires Clicked.
  void Click();

signals:
  void Clicked();
  void DblClick();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void SetState(TState state);
  // Looks again whether the mouse is over the button.
  void UpdateTracking();
  void MenuClosed();
  bool HeldInside(QPoint at) const;

  bool down_ = false;
  bool mouseHeld_ = false;
  bool transparent_ = true;
  bool flat_ = false;
  bool mouseInControl_ = false;
  TImageListEx* images_ = nullptr;
  int imageIndex_ = -1;
  QPointer<QMenu> dropdownMenu_;
  TState state_ = bsUp;
  TCancelModeWatcher cancelModeWatcher_{this, [this] { mouseHeld_ = false; }};
};

// The shell's pictures: the splash picture, the program icon, the folder icon of the
// project list, the map-editing cursors and the tool-bar glyphs come from the resource
// files (resources/images/, drawn by scripts/draw-resources.sh), and so do the
// start-position mark strips, which the map view takes as 8-bit palette pictures.
#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "framework/controls/resource_pictures.h"

class TBitmap;

// 512 x 256, with the program's name and line set in the machine's font.
QImage SplashPicture();
// The same in its two steps, the backdrop read and the texts set into it; both may run
// off the GUI thread once the application object exists.
QImage SplashBackdrop();
void DrawSplashTexts(QImage& picture);
// The picture's size, from the backdrop's header alone.
QSize SplashPictureSize();
// The font at the largest pixel size, up to LargestPixelSize, at which Text fits in Box.
QFont FitFontToBox(QFont font, const QString& text, QSize box, int largestPixelSize);
// 32 x 32.
QPixmap ProgramIconPixmap();
QIcon ProgramIcon();
// 16 x 16.
QPixmap FolderIconPixmap();

// The map-editing cursors live in the screen's cursor slots 1 to 9 (select 1, zoom 2,
// fill 3, pen 4, pick 6, rectangle 8, ellipse 9), each read when first asked for.
inline constexpr int ScreenCursorSlots = 9;
// The cursor of a slot; the arrow for a slot that holds none.
QCursor ScreenCursor(int slot);
// The resource file of a slot's cursor (slots 1 to 9).
QString CursorResource(int slot);

// The tool-bar glyphs, one 16 x 16 cell each, stacked top to bottom in this order. The
// bottom-left pixel of every cell is the mask colour.
enum TToolGlyph {
  tgProjectNew,
  tgProjectOpen,
  tgProjectClose,
  tgProjectPack,
  tgExit,
  tgMapSave,
  tgMapRevert,
  tgModeLower,
  tgModeUpper,
  tgModeEvent,
  tgScale1,
  tgScale2,
  tgScale4,
  tgScale8,
  tgDataBase,
  tgMaterial,
  tgSelectMusic,
  tgTestPlay,
  tgFullScreen,
  tgShowTitle,
  tgHelpContents,
  tgHelpAbout,
  tgUndo,
  tgToolSelect,
  tgToolZoom,
  tgToolPen,
  tgToolRectangle,
  tgToolEllipse,
  tgToolFill,
  tgPlay,
  tgStop,
  ToolGlyphCount
};
inline constexpr int ToolGlyphSize = 16;
// The resource file of one glyph.
QString ToolGlyphResource(int glyph);
// The glyphs in one strip, and the disabled strip (the same shapes, flat grey). Drawing
// them may run off the GUI thread once the application object exists.
struct TToolGlyphs {
  QImage Normal;
  QImage Disabled;
};
TToolGlyphs DrawToolGlyphs();

// "STARTPOS1" .. "STARTPOS4": an 8-bit strip of five square marks of 32, 16, 8 and 4
// pixels (party, boat, ship, airship, plain event); index 0 is the transparent colour.
TBitmap StartPosBitmap(int index);

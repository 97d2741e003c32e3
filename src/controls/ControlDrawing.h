// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules every skinned control shares: cutting its images out of skin bitmaps, turning
// text keys into shown text, and the text format a control draws with.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

#include "platform/core/WinTypes.h"
#include "skin/SkinGeometry.h"

class QPainter;

// The colour drawn for text whose colour is 0 or unset.
constexpr COLORREF kDefaultTextColor = 0xFEFEFE;

QColor ToQColor(COLORREF color);

// The control's own image of size (right - left) x (bottom - top) taken from the
// source at (left, top); parts outside the source stay transparent. A null source
// gives a null image.
QImage CutImage(const QImage& source, int left, int top, int right, int bottom);

// An off-screen picture of `control` to compose its painting in, with as many
// pixels as the screen gives the control (twice as many on a screen scaled by 2)
// and painted in the control's own coordinates, so text drawn into it stays sharp.
// Not yet filled.
QImage PaintBuffer(const QWidget& control, QImage::Format format);

// Draws a frame of the given width just inside `area` (the pen's outer edge on the
// area's edge), with square corners.
void DrawInsideFrame(QPainter& painter, const QRect& area, COLORREF colour, int width);

// Translates a text key through the current language, applies the caps mode and
// turns the first backslash-n pair into a line break.
QString MakeCaption(std::u16string_view key, CapsMode caps = CapsMode::AsWritten);
// Translates a tooltip key and turns every backslash-n pair into a line break.
QString MakeTooltip(std::u16string_view key);

// How a control lays out its text.
struct DrawTextFormat {
    Justify horizontal = Justify::Left;
    bool singleLine = false;
    bool verticalCentre = false;
    bool wordBreak = false;

    bool IsEmpty() const { return horizontal == Justify::Left && !singleLine && !verticalCentre && !wordBreak; }
    // Qt alignment and text flags equivalent to this format.
    int QtFlags() const;
};

// Buttons and keys: multiline 1 breaks words; anything else is one vertically
// centred line.
DrawTextFormat ButtonTextFormat(Justify justify, int multiline);
// Text items: centred or right-aligned text is one vertically centred line unless
// multiline is 1 (then words break); left-aligned single-line text has no format and
// is drawn 5 pixels in from the left edge.
DrawTextFormat TextItemFormat(Justify justify, int multiline);

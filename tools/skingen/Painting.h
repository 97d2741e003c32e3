// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing helpers of the skin bitmap generator: every image is drawn with QPainter
// and written into the skins folder. Masks follow the skin rule "pure white is
// outside, anything else inside"; window backgrounds are magenta where the window is
// cut away.
#include <functional>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

class SkinWriter {
public:
    explicit SkinWriter(QString directory) : directory_(std::move(directory)) {}

    // Saves `image` as `name` (the suffix picks the format); false on failure.
    bool Save(const QImage& image, const QString& name);
    // A 24-bit Windows bitmap (slider thumbs, which the loader reads as such).
    bool SaveBitmap24(const QImage& image, const QString& name);
    int Failures() const { return failures_; }
    int Written() const { return written_; }

private:
    QString directory_;
    int failures_ = 0;
    int written_ = 0;
};

// A transparent canvas of the given size with antialiasing on.
QImage Canvas(int width, int height);
// A mask image: black inside `shape`, pure white elsewhere (no antialiasing, so
// mask and window shape agree pixel for pixel).
QImage MaskFromPath(int width, int height, const QPainterPath& shape);
QPainterPath RoundedPath(const QRectF& rect, qreal radius);

// A rounded box with a vertical gradient fill and a border.
void DrawBox(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top, const QColor& bottom,
             const QColor& border, qreal borderWidth = 1.0);
// A soft outer glow around a rounded rectangle (highlighted controls).
void DrawGlow(QPainter& painter, const QRectF& rect, qreal radius, const QColor& colour, int spread);
// Text centred in a rectangle, used only for glyph-like labels inside icons.
void DrawGlyphText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize, const QColor& colour,
                   bool bold = true);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The families of images the default skin names. Each function draws one family
// and writes it through the writer; the file names are the ones the skin files use.
#include <QString>
#include <vector>

#include "Painting.h"

enum class ButtonLook { Push, Tab, Danger };

// normal, over, down, disabled and mask of a push button or tab: <base>_n.png,
// _o.png, _d.png, _ds.png, _m.png.
void WriteButtonSet(SkinWriter& out, const QString& base, int width, int height, ButtonLook look);
// A square icon button with a drawn glyph (help, exit, community links, media).
enum class IconGlyph { Help, Close, Chat, Bird, Globe, Plus, Minus, Record, Stop, Play, First, Last };
void WriteIconButtonSet(SkinWriter& out, const QString& base, int size, IconGlyph glyph);
// A check box (20 x 20) and a radio row (a dot with room for a caption to its right).
void WriteCheckBoxSet(SkinWriter& out, const QString& base);
void WriteRadioSet(SkinWriter& out, const QString& base, int width, int height);

// A horizontal slider track with its disabled variant (<base>.png, <base>_ds.png).
void WriteHorizontalTrack(SkinWriter& out, const QString& base, int width, int height);
void WriteVerticalTrack(SkinWriter& out, const QString& base, int width, int height);
// Thumbs as 24-bit Windows bitmaps with a magenta key colour in the corners.
void WriteThumbs(SkinWriter& out);

// A value box (frame with a black well) and the selected variant.
void WriteValueBox(SkinWriter& out, const QString& name, int width, int height, bool selected);
void WriteValueBoxBitmap(SkinWriter& out, const QString& name, int width, int height);
// Frames of one sensitivity stage window (normal and selected).
void WriteStageFrames(SkinWriter& out, int width, int height);
// A group frame for page sections.
void WritePanelFrame(SkinWriter& out, const QString& name, int width, int height);
void WriteSeparator(SkinWriter& out, const QString& name, int width, bool vertical);

void WriteScrollBarPieces(SkinWriter& out);
void WriteListHeader(SkinWriter& out, int width, int height);
void WriteStatusIcons(SkinWriter& out);
void WriteMacroIcons(SkinWriter& out);

// Window backgrounds and masks: <base>_bg.png and <base>_mask.png.
struct WindowDecor {
    int headerHeight = 44;
    std::vector<QRectF> wells; // sunken panels drawn into the background
    std::vector<QRectF> bars;  // progress bar frames
};
void WriteWindow(SkinWriter& out, const QString& base, int width, int height, const WindowDecor& decor);
void WriteMainWindow(SkinWriter& out, int width, int height);

// The mouse seen from above with numbered call-outs, and the number strip.
enum class MouseGeneration { Current, Earlier };
void WriteMouseTopView(SkinWriter& out, const QString& name, int width, int height, MouseGeneration generation,
                       bool callouts);
void WriteButtonNumberStrip(SkinWriter& out, const QString& name, int width, const std::vector<int>& rowCentres);

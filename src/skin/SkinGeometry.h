// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain value types shared by the parsed skin elements.
#include <optional>
#include <string>

#include <QImage>
#include <QRect>

#include "platform/core/WinTypes.h"

// A rectangle as a skin writes it: left/top inclusive, right/bottom exclusive.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

enum class Justify { Left = 0, Centre = 1, Right = 2 };

// Letter case applied to captions: 1 upper case, 2 lower case, 0 as written.
enum class CapsMode { AsWritten = 0, Upper = 1, Lower = 2 };

enum class TooltipSide { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// One bitmap named by a skin element: the file name as written and the decoded
// image from the resource cache (null when the file was missing or unreadable).
struct SkinBitmap {
    std::u16string file;
    QImage image;
    bool IsLoaded() const { return !image.isNull(); }
};

// The four state bitmaps and the mask of a control, with the text colour each state
// element may carry in its own `fontclr` (0 when absent: the control's default).
struct StateBitmaps {
    SkinBitmap normal;   // SBMN
    SkinBitmap over;     // SBMO
    SkinBitmap down;     // SBMD
    SkinBitmap disabled; // SBMDS
    SkinBitmap mask;     // SBMM
    COLORREF normalTextColor = 0;
    COLORREF overTextColor = 0;
    COLORREF downTextColor = 0;
    COLORREF disabledTextColor = 0;
};

// A colour attribute: empty when absent (the control keeps its default); a name
// that is not in the colour table gives 0xFFFFFFFF.
using SkinColor = std::optional<COLORREF>;

struct TooltipInfo {
    std::u16string text;   // `tooltip`, usually a "$" key
    std::u16string prefix; // `ttprefix`
    TooltipSide side = TooltipSide::Left;
    bool enabled = true; // `ttenabled`
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain value types shared by the parsed skin elements.
#include <climits>
#include <optional>
#include <string>

#include <QImage>
#include <QRect>

#include "platform/core/WinTypes.h"

// The largest width or height a skin may give anything, and the farthest a
// coordinate may lie: a few times any screen. Only a damaged or hostile file goes
// beyond them, and a control sized from it would allocate gigabytes for its pictures.
constexpr int kSkinMaxExtent = 8192;
constexpr int kSkinMaxCoordinate = 4 * kSkinMaxExtent;

// Whether a size read from a skin file lies within 0..kSkinMaxExtent.
constexpr bool IsSkinExtent(long long size)
{
    return size >= 0 && size <= kSkinMaxExtent;
}

// A rectangle as a skin writes it: left/top inclusive, right/bottom exclusive.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Saturate instead of overflowing for coordinates far apart.
    int Width() const { return Saturated(static_cast<long long>(right) - left); }
    int Height() const { return Saturated(static_cast<long long>(bottom) - top); }
    // Every coordinate within kSkinMaxCoordinate and the size within kSkinMaxExtent.
    bool IsWithinSkinLimits() const
    {
        const auto near = [](int v) { return v >= -kSkinMaxCoordinate && v <= kSkinMaxCoordinate; };
        return near(left) && near(top) && near(right) && near(bottom) &&
               static_cast<long long>(right) - left <= kSkinMaxExtent &&
               static_cast<long long>(bottom) - top <= kSkinMaxExtent;
    }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;

private:
    static int Saturated(long long value)
    {
        return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    }
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

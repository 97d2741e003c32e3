// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One item of a skin file: a font, a bitmap, a language, a keyboard record or a
// live control window. Control windows carry this as a second base next to their
// window class; data items carry it alone.
#include <cstdint>

class CSkinWindow;

// Item kind codes as stored in `CGUIItem::kind`.
namespace ItemKind {
constexpr int Unset = -1;
constexpr int PANELBITMAP = 0; // background and mask of a panel file
constexpr int BITMAPITEM = 1;
constexpr int BUTTON = 2;
constexpr int AVIBUTTON = 3;
constexpr int VSLIDER = 5;
constexpr int THUMB = 6; // one thumb of a multi-stage slider
constexpr int DMARKER = 7;
constexpr int HSLIDERM = 8;
constexpr int HSLIDERMAPM = 9;
constexpr int MACRODISPLAY = 10;
constexpr int TEXTITEM = 11;
constexpr int FONT = 12;
constexpr int LANG = 13;
constexpr int COMBO = 14;
constexpr int COMBOCOLOR = 15;
constexpr int LISTPANEL = 16;
constexpr int BITMAPWINDOW = 17;
constexpr int LISTCTRL = 18;
constexpr int EDITCTRL = 19;
constexpr int EDITCTRLSK = 20; // also EDITCTRLSKMMO
constexpr int DPISTAGEWINDOW = 21;
constexpr int KEYBOARDDEF = 22;
constexpr int KBDKEY = 23;
constexpr int KBLAYOUT = 24;
constexpr int SLIDERTRACK = 25;
constexpr int PROGRESSPANELITEM = 26;
} // namespace ItemKind

// Ids of the two bitmaps every panel file carries.
constexpr int kPanelBackgroundId = -2;
constexpr int kPanelMaskId = -3;

class CGUIItem {
public:
    CGUIItem() = default;
    CGUIItem(int itemId, int itemKind, CSkinWindow* itemWindow, CSkinWindow* itemOwner)
        : id(itemId), kind(itemKind), window(itemWindow), owner(itemOwner)
    {
    }
    virtual ~CGUIItem() = default;
    CGUIItem(const CGUIItem&) = delete;
    CGUIItem& operator=(const CGUIItem&) = delete;

    // Shows the item's window for flag 1 and hides it otherwise; items without a
    // window ignore it.
    virtual void Show(int flag);

    int GetId() const { return id; }
    int GetKind() const { return kind; }
    CSkinWindow* GetWindow() const { return window; }
    CSkinWindow* GetOwner() const { return owner; }

    int id = -1;
    int kind = ItemKind::Unset;
    // The item's own window, or null for items that are not windows.
    CSkinWindow* window = nullptr;
    // The window the skin file was loaded for (stored unchanged, may be null).
    CSkinWindow* owner = nullptr;
};

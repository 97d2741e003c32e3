// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list in which the macro page shows the events of a macro (`MACRODISPLAY`,
// kind 10): one row per event with an icon (key pressed or released, mouse button,
// delay clock) and a description.
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlDrawing.h"
#include "controls/VScrollBar.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct MacroDisplayElement;

enum class MacroDisplayEventKind { Key, MouseButton, Delay };

// One row's event as the display needs it.
struct MacroDisplayEvent {
    MacroDisplayEventKind kind = MacroDisplayEventKind::Key;
    // Key and mouse events: the key or button name (a "$" key or plain text) and
    // whether it was pressed or released.
    std::u16string name;
    bool down = true;
    // Delays: the length in seconds.
    double seconds = 0.0;
};

class CMacroDisplayItem : public CSkinWindow, public CGUIItem, public IScrollTarget {
public:
    CMacroDisplayItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CMacroDisplayItem> FromElement(const MacroDisplayElement& element, CSkinWindow* itemOwner);

    // A key or button: its name followed directly by "Up" or "Down", translated when
    // that makes a text key. A delay: "%.3f %s" of the seconds and "$secondsdelay".
    static QString Describe(const MacroDisplayEvent& event);

    struct Icons {
        QImage keyDown, keyUp, mouse, mouseHighlight, clock, clockHighlight;
    };
    void SetIcons(const Icons& icons);
    // Column widths of the icon and the description (from the list columns).
    void SetColumns(int iconWidth, int descriptionWidth);
    void SetColours(COLORREF font, COLORREF fontHighlight, COLORREF back, COLORREF backHighlight, COLORREF border);
    void SetBorderWidth(int width) { borderWidth_ = width; }
    void SetLeftMargin(int margin) { leftMargin_ = margin; }
    void SetFont(const QFont& font);
    void SetMaxEvents(int max) { maxEvents_ = max; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool IsReadOnly() const { return readOnly_; }

    // Appends a row, scrolls it into view and selects it. Returns its index, or -1
    // when the display already holds its maximum (`max`, 0 for no limit).
    int AddEvent(const MacroDisplayEvent& event);
    void Clear();
    int Count() const { return int(rows_.size()); }
    const MacroDisplayEvent& Event(int index) const { return rows_.at(std::size_t(index)).event; }
    QString RowText(int index) const { return rows_.at(std::size_t(index)).text; }
    // The icon drawn for a row (its highlighted form when the row is selected).
    QImage RowIcon(int index) const;

    int Selected() const { return selected_; }
    void Select(int index);
    int TopRow() const { return topRow_; }
    int RowHeight() const;
    int VisibleRows() const;

    // The skinned scroll bar at the right edge (none without `VSCROLL`).
    void SetScrollBar(const ScrollBarInfo& info);
    CVScrollBar* ScrollBar() const { return scrollBar_; }
    ScrollState GetScrollState() const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Row {
        MacroDisplayEvent event;
        QString text;
    };
    void EnsureVisible(int index);
    void ScrollTo(int top);
    QRect RowsArea() const;

    std::vector<Row> rows_;
    Icons icons_;
    int iconWidth_ = 24;
    int descriptionWidth_ = 0; // 0: the rest of the width
    COLORREF fontColour_ = kDefaultTextColor;
    COLORREF fontHighlight_ = kDefaultTextColor;
    COLORREF backColour_ = 0;
    COLORREF backHighlight_ = RGB(0x36, 0x2E, 0x05);
    COLORREF borderColour_ = RGB(0x48, 0x3D, 0x06);
    int borderWidth_ = 0;
    int leftMargin_ = 2;
    int scrollBarWidth_ = 0;
    CVScrollBar* scrollBar_ = nullptr;
    QFont font_;
    int maxEvents_ = 0;
    bool readOnly_ = false;
    int selected_ = -1;
    int topRow_ = 0;
};

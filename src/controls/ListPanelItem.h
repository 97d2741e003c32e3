// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list panel (`LISTPANEL`, kind 16): rows of text that may each open a sub-panel,
// with the skin's colours, border and margins. A panel that is not `dynamic` is
// shown embedded in its window as a list (`CListPanelStatic`) that reports a chosen
// row at once (1557). A dynamic panel is shown on demand as a modal pop-up
// (ShowListPanelPopup in ListPanelPopup.h).
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWheelEvent>
#include <optional>
#include <vector>

#include "controls/ControlDrawing.h"
#include "controls/VScrollBar.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"
#include "skin/SkinGeometry.h"

struct ListPanelElement;
class CListPanelStatic;

struct ListPanelColours {
    COLORREF text = kDefaultTextColor;
    COLORREF textHighlight = kDefaultTextColor;
    COLORREF textSelected = kDefaultTextColor;
    COLORREF disabledText = RGB(0x77, 0x70, 0x69);
    COLORREF back = RGB(0x36, 0x2E, 0x05);
    COLORREF backHighlight = RGB(0x5E, 0x51, 0x0A);
    COLORREF backSelected = RGB(0x81, 0x6E, 0x0B);
    COLORREF disabledBack = RGB(0x2B, 0x2B, 0x2B);
    COLORREF border = RGB(0x81, 0x6E, 0x0B);
};

class CListPanelItem : public CGUIItem {
public:
    struct Entry {
        QString text; // as shown
        QString tooltip;
        CListPanelItem* subPanel = nullptr;
        bool disabled = false;
        std::u16string key; // as written ("$AssignApplication"), for callers that act on it
    };

    CListPanelItem(int itemId, CSkinWindow* itemOwner, const SkinRect& rect);
    ~CListPanelItem() override;
    static std::unique_ptr<CListPanelItem> FromElement(const ListPanelElement& element, CSkinWindow* itemOwner);

    // Texts are keys or plain texts, translated here; with `sorted` the rows stay in
    // letter-case insensitive order.
    void ClearEntries();
    int AddEntry(std::u16string_view text, std::u16string_view tooltip = {}, CListPanelItem* subPanel = nullptr,
                 bool disabled = false);
    // The same for a text that is already what is shown (no translation); the
    // tooltip too is taken as it is.
    int AddShownEntry(const QString& text, CListPanelItem* subPanel = nullptr, bool disabled = false,
                      const QString& tooltip = QString());
    int RowCount() const { return int(entries_.size()); }
    const Entry& EntryAt(int row) const { return entries_.at(std::size_t(row)); }
    // A row is disabled when marked so or when its sub-panel has no rows.
    bool IsRowDisabled(int row) const;
    void SetSelectionText(const QString& text);
    const QString& SelectionText() const { return selectionText_; }

    void SetColours(const ListPanelColours& colours) { colours_ = colours; }
    const ListPanelColours& Colours() const { return colours_; }
    // Negative widths and margins are read as 0.
    void SetBorderWidth(int width) { borderWidth_ = std::max(0, width); }
    // The border drawn: a width of 0 is drawn as 1.
    int ShownBorderWidth() const { return borderWidth_ == 0 ? 1 : borderWidth_; }
    void SetMargins(int left, int right);
    // The margins in use: one wider than the panel is taken as 0.
    int LeftMargin() const;
    int RightMargin() const;
    void SetFont(const QFont& font) { font_ = font; }
    const QFont& Font() const { return font_; }
    void SetSorted(bool sorted) { sorted_ = sorted; }
    bool IsSorted() const { return sorted_; }
    void SetDynamic(bool dynamic) { dynamic_ = dynamic; }
    bool IsDynamic() const { return dynamic_; }
    void SetListHeight(int height) { listHeight_ = std::max(0, height); }
    int ListHeight() const { return listHeight_; }
    // The skinned scroll bar the panel's lists show at their right edge.
    void SetScrollBar(const ScrollBarInfo& info) { scrollBar_ = info; }
    const std::optional<ScrollBarInfo>& ScrollBarLooks() const { return scrollBar_; }
    int ScrollBarWidth() const { return scrollBar_ ? scrollBar_->Width() : 0; }
    int Width() const { return rect_.Width(); }
    const SkinRect& Rect() const { return rect_; }

    // For a panel that is not dynamic: the list shown in `parent` at the panel's
    // rectangle. It becomes the item's window.
    CListPanelStatic* Embed(CSkinWindow* parent);
    CListPanelStatic* EmbeddedList() const { return list_; }

private:
    std::vector<Entry> entries_;
    QString selectionText_;
    ListPanelColours colours_;
    int borderWidth_ = 0;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    QFont font_;
    bool sorted_ = false;
    bool dynamic_ = true;
    int listHeight_ = 0;
    std::optional<ScrollBarInfo> scrollBar_;
    SkinRect rect_;
    QPointer<CListPanelStatic> list_;
};

// The rows of a list panel: hover, a scroll offset and the drawing rules. The
// embedded list draws the panel's border around them itself; the pop-up's list
// leaves that to the pop-up.
class CListPanelRows : public CSkinWindow, public IScrollTarget {
public:
    static constexpr int kRowHeight = 18;

    CListPanelRows(CListPanelItem& panel, CSkinWindow* parent, int frameWidth);

    CListPanelItem& Panel() const { return panel_; }
    int HoveredRow() const { return hovered_; }
    int SelectedRow() const { return selected_; }
    void SetSelectedRow(int row);
    int RowAt(const QPoint& point) const;
    int TopRow() const { return topRow_; }
    void ScrollTo(int top);
    // Scrolls as little as needed to show the row.
    void ScrollIntoView(int row);
    // The enabled row `delta` rows away from `from` (-1: from before the first),
    // skipping disabled rows and stopping at the ends; -1 when there is none.
    int NextEnabledRow(int from, int delta) const;
    int VisibleRows() const;
    QRect RowRect(int row) const;
    // The tooltip of the row at a client point: empty over no row, over a disabled
    // row (it cannot be hovered) or over a row without one.
    QString TooltipAt(const QPoint& point) const;
    CVScrollBar* ScrollBar() const { return scrollBar_; }
    ScrollState GetScrollState() const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void OnMouseLeave() override;
    void SetHoveredRow(int row);
    QRect RowsArea() const;
    // The pop-up shows its clicked row as it showed it hovered, in the highlight
    // colours; the embedded list keeps its chosen row in the selected colours.
    void SetSelectionDrawnAsHighlight(bool on) { selectionAsHighlight_ = on; }

private:
    CListPanelItem& panel_;
    int frameWidth_ = 0;
    int hovered_ = -1;
    int selected_ = -1;
    int topRow_ = 0;
    bool selectionAsHighlight_ = false;
    CVScrollBar* scrollBar_ = nullptr;
};

// A panel that is not dynamic, embedded in its window: a press on an enabled row
// chooses it at once and tells the parent (1557).
class CListPanelStatic : public CListPanelRows {
public:
    CListPanelStatic(CListPanelItem& panel, CSkinWindow* parent);
    // Chooses an enabled row as a press on it does; false for any other row.
    bool ChooseRow(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Up and Down (Home, End) choose the neighbouring enabled row.
    void keyPressEvent(QKeyEvent* event) override;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The closed box of a drop-down list (`COMBO`, kind 14): it shows the label, ": "
// and the selected entry (or the selected entry alone without a label) and tells
// its parent when it is pressed (1588). The press opens the entries as a list-panel
// pop-up under the box; a chosen entry becomes the selection and is reported (1556).
// An entry may carry a description (its tooltip in the pop-up), a detail (a plain
// text shown after its name, such as the key a button sends), a disabled mark and a
// sub-menu that opens beside it; the row chosen in that sub-menu is kept with the
// choice.
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CListPanelItem;
struct ComboElement;
struct ListColors;

// One entry as a page adds it.
struct DropdownEntry {
    std::u16string text;               // a `$` key or plain text, translated when added
    std::u16string description;        // a `$` key or plain text: the row's tooltip in the pop-up
    std::u16string detail;             // plain text after the name ("Ctrl+A"), never translated
    bool disabled = false;             // shown greyed; cannot be chosen
    bool plainText = false;            // `text` is a user's name: shown as written, never translated
    CListPanelItem* subMenu = nullptr; // not owned; must outlive the entry
};

struct DropdownColours {
    COLORREF text = kDefaultTextColor;
    COLORREF textHighlight = kDefaultTextColor;
    COLORREF disabledText = RGB(0x77, 0x70, 0x69);
    COLORREF back = RGB(0x1C, 0x18, 0x03);
    COLORREF backHighlight = RGB(0x36, 0x2E, 0x04);
    COLORREF disabledBack = RGB(0x0B, 0x0B, 0x0B);
    COLORREF border = RGB(0x48, 0x3D, 0x06);
    COLORREF disabledBorder = RGB(0x2B, 0x2B, 0x2B);
};

// The skin's colours where it gives them, ours where it does not.
DropdownColours DropdownColoursFromSkin(const ListColors& skin);

class CDropdownListItem : public CSkinWindow, public CGUIItem {
public:
    CDropdownListItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect,
                      int itemKind = ItemKind::COMBO);
    static std::unique_ptr<CDropdownListItem> FromElement(const ComboElement& element, CSkinWindow* itemOwner);

    // Entries are keys or plain texts, translated when added; kept in letter-case
    // insensitive order when sorted.
    void SetEntries(const std::vector<std::u16string>& entries);
    void AddEntry(std::u16string_view entry);
    // Returns the entry's index (entries after it move down when sorted).
    int AddEntry(const DropdownEntry& entry);
    // No entries and no selection.
    void ClearEntries();
    int EntryCount() const { return int(entries_.size()); }
    // The entry's name as shown (empty outside the entries).
    QString Entry(int index) const;
    // The text the entry was added with, untranslated ("$macro").
    std::u16string EntryKey(int index) const;
    QString EntryDetail(int index) const;
    QString EntryDescription(int index) const;
    bool IsEntryDisabled(int index) const;
    CListPanelItem* EntrySubMenu(int index) const;
    // What the entry shows in the box and in the pop-up: its name, and ": " and
    // the detail when it has one.
    QString ShownText(int index) const;
    // After a choice reported with 1556: the row chosen in the chosen entry's
    // sub-menu, or -1 when it has none or nothing was chosen there.
    int LastSubMenuChoice() const { return lastSubChoice_; }
    // -1 for none; other values outside the entries are refused.
    bool SetSelected(int index);
    int Selected() const { return selected_; }
    void SetLabel(std::u16string_view key);
    // What the closed box shows.
    QString BoxText() const;

    void SetColours(const DropdownColours& colours);
    void SetBorderWidth(int width) { borderWidth_ = std::max(0, width); }
    void SetMargins(int left, int right);
    void SetSorted(bool sorted) { sorted_ = sorted; }
    void SetPopupSize(int width, int height);
    int PopupWidth() const { return popupWidth_; }
    int PopupHeight() const { return popupHeight_; }
    // The closed box inside the control's rectangle (the skin's `CBOX`): drawn
    // there, pressed there, and the pop-up opens under it. The whole control when
    // not set or when it lies outside the control.
    void SetBoxRect(const QRect& box);
    QRect BoxRect() const;
    void SetFont(const QFont& font) { font_ = font; }
    void SetDisabled(bool disabled);
    bool IsDisabled() const { return disabled_; }
    void SetInteractive(bool interactive) { interactive_ = interactive; }
    bool IsOpen() const { return open_; }
    // Opens the pop-up as a press on the box does (1588 to the parent first);
    // false when the drop-down is disabled, not interactive or open already.
    virtual bool Open();
    // Opens as the keyboard does, the arrows starting from the current choice.
    bool OpenAtChoice();
    bool IsInteractive() const { return interactive_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Space, F4 and the arrows (Alt with them too) open the list.
    void keyPressEvent(QKeyEvent* event) override;
    void OnMouseEnter() override { update(); }
    void OnMouseLeave() override { update(); }
    // Draws what the box holds between its border and the arrow.
    virtual void PaintContent(QPainter& painter, const QRect& area, const QColor& textColour);
    virtual bool ShowsArrow() const { return true; }
    const DropdownColours& Colours() const { return colours_; }
    int BorderWidth() const { return borderWidth_; }

private:
    struct EntryData {
        QString text;
        std::u16string key;
        QString description;
        QString detail;
        bool disabled = false;
        CListPanelItem* subMenu = nullptr;
    };

    void OpenPopup();

    std::vector<EntryData> entries_;
    int lastSubChoice_ = -1;
    std::optional<QRect> box_;
    int selected_ = -1;
    QString label_;
    DropdownColours colours_;
    int borderWidth_ = 1;
    int leftMargin_ = 4;
    int rightMargin_ = 0;
    bool sorted_ = false;
    int popupWidth_ = 0;
    int popupHeight_ = 0;
    QFont font_;
    bool disabled_ = false;
    bool interactive_ = true;
    bool open_ = false;
    bool openedByKeyboard_ = false; // the arrows then start from the current entry
};

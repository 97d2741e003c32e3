// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTextItem`: a skinned label. It draws its translated text in the colour of its
// state, over whatever is behind it. An interactive label reports clicks to its
// parent (WM_COMMAND with its item id and BN_CLICKED); a label linked to a check box
// acts as part of that box: hovering it lights the box, clicking it clicks the box.
#include <QPointer>
#include <QString>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/FontItem.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class CBitmapBtn;

class CTextItem : public CSkinWindow, public CGUIItem {
public:
    CTextItem(const SkinRect& rect, QWidget* parent);
    static std::unique_ptr<CTextItem> FromElement(const TextItemElement& element);

    // Translates the key, turns the first backslash-n pair into a line break and repaints.
    void SetText(std::u16string_view key);
    // Shows the text exactly as given: a user's profile or macro name such as "$x",
    // "#3" or one holding a backslash-n pair is a name, not a text key.
    void SetPlainText(const QString& text);
    void SetPlainText(std::u16string_view text);
    const QString& GetText() const { return text_; }
    void SetCaps(CapsMode caps) { caps_ = caps; }

    // Each colour is optional: unset colours fall back as the drawing rules say.
    void SetColours(SkinColor normal, SkinColor hover, SkinColor disabled);
    void SetFont(const CFontItem* font);
    void SetTextFormat(const DrawTextFormat& format);
    const DrawTextFormat& TextFormat() const { return format_; }
    void SetInteractive(bool interactive) { interactive_ = interactive; }
    bool IsInteractive() const { return interactive_; }
    // What a click on an interactive label does: tells the parent, as a button
    // does. False (and nothing happens) when the label is not interactive or is
    // disabled.
    bool Click();
    void SetTooltip(std::u16string_view key);

    // Links the label to a check box (a button that is a check box); other buttons
    // are refused and clear the link.
    bool LinkCheckBox(CBitmapBtn* checkBox);
    CBitmapBtn* LinkedCheckBox() const;

    bool IsHover() const { return hover_; }
    // The colour the next paint uses.
    COLORREF ChosenColour() const;

    void Show(int flag) override { CGUIItem::Show(flag); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;

private:
    QString text_;
    CapsMode caps_ = CapsMode::AsWritten;
    SkinColor normal_, hover_colour_, disabled_;
    const CFontItem* font_ = nullptr;
    DrawTextFormat format_;
    bool interactive_ = false;
    bool hover_ = false;
    QPointer<CBitmapBtn> checkBox_;
};

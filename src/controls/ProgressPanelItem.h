// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress panel of the progress popups (`PROGRESSPANELITEM`, kind 26): a bar
// filling its `FILLINFO` rectangle with the percent written over it ("%d%%"), and
// text lines from its `TEXTINFO` children.
#include <QFont>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct ProgressPanelElement;

class CProgressPanelItem : public CSkinWindow, public CGUIItem {
public:
    CProgressPanelItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CProgressPanelItem> FromElement(const ProgressPanelElement& element, CSkinWindow* itemOwner);

    struct TextLine {
        int id = -1;
        QRect rect;
        QString text;
        COLORREF textColour = kDefaultTextColor;
        std::optional<COLORREF> backColour;
        std::optional<QFont> font;
    };

    // The bar area and its colours.
    void SetBar(const QRect& rect, COLORREF fill, COLORREF back);
    void SetColours(COLORREF text, COLORREF textOverBar, COLORREF back, COLORREF border);
    void SetBorderWidth(int width) { borderWidth_ = std::max(0, width); }
    void AddTextLine(const TextLine& line);

    // Clamped to [0, 100].
    void SetPercent(int percent);
    int Percent() const { return percent_; }
    QString PercentText() const;
    // Text lines in the order the skin lists them; out-of-range lines are ignored.
    void SetLineText(std::size_t line, const QString& text);
    QString LineText(std::size_t line) const;
    std::size_t LineCount() const { return lines_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect bar_;
    COLORREF barFill_ = RGB(0x6F, 0xE8, 0xED);
    COLORREF barBack_ = RGB(0x03, 0x18, 0x1C);
    COLORREF textColour_ = kDefaultTextColor;
    COLORREF textOverBar_ = RGB(0, 0, 0);
    COLORREF backColour_ = RGB(0x0B, 0x0B, 0x0B);
    COLORREF borderColour_ = RGB(0x48, 0x3D, 0x06);
    int borderWidth_ = 0;
    int percent_ = 0;
    std::vector<TextLine> lines_;
};

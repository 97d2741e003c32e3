// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ProgressPanelItem.h"

#include "controls/accessibility/AccessibleEvents.h"
#include "skin/FontItem.h"
#include "skin/SkinElements.h"
#include "skin/TextFormat.h"

#include <QPainter>
#include <algorithm>

CProgressPanelItem::CProgressPanelItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::PROGRESSPANELITEM, nullptr, itemOwner)
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
    bar_ = QRect(QPoint(0, 0), size());
}

std::unique_ptr<CProgressPanelItem> CProgressPanelItem::FromElement(const ProgressPanelElement& element,
                                                                    CSkinWindow* itemOwner)
{
    auto panel = std::make_unique<CProgressPanelItem>(element.id, element.parentWindow, itemOwner, element.rect);
    const ListColors& c = element.colors;
    panel->SetColours(c.fontColor.value_or(panel->textColour_), c.fontColorHighlight.value_or(panel->textOverBar_),
                      c.backColor.value_or(panel->backColour_), c.borderColor.value_or(panel->borderColour_));
    panel->SetBorderWidth(element.borderWidth);
    if (element.fill)
        panel->SetBar(element.fill->rect.ToQRect(), element.fill->fillColor.value_or(panel->barFill_),
                      element.fill->backColor.value_or(panel->barBack_));
    for (const auto& info : element.texts) {
        TextLine line;
        line.id = info.id;
        line.rect = info.rect.ToQRect();
        line.text = MakeCaption(info.textKey);
        line.textColour = info.fontColor.value_or(panel->textColour_);
        line.backColour = info.backColor;
        if (info.font)
            line.font = info.font->Font();
        panel->AddTextLine(line);
    }
    panel->show();
    return panel;
}

void CProgressPanelItem::SetBar(const QRect& rect, COLORREF fill, COLORREF back)
{
    bar_ = rect;
    barFill_ = fill;
    barBack_ = back;
    update();
}

void CProgressPanelItem::SetColours(COLORREF text, COLORREF textOverBar, COLORREF back, COLORREF border)
{
    textColour_ = text;
    textOverBar_ = textOverBar;
    backColour_ = back;
    borderColour_ = border;
    update();
}

void CProgressPanelItem::AddTextLine(const TextLine& line)
{
    lines_.push_back(line);
    update();
}

void CProgressPanelItem::SetPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_)
        return;
    percent_ = percent;
    update();
    AnnounceValueChange(this, percent_);
}

QString CProgressPanelItem::PercentText() const
{
    return QString::fromStdU16String(FormatText(u"%d%%", {percent_}));
}

void CProgressPanelItem::SetLineText(std::size_t line, const QString& text)
{
    if (line >= lines_.size())
        return;
    lines_[line].text = text;
    update(lines_[line].rect);
}

QString CProgressPanelItem::LineText(std::size_t line) const
{
    return line < lines_.size() ? lines_[line].text : QString();
}

void CProgressPanelItem::paintEvent(QPaintEvent*)
{
    QImage buffer = PaintBuffer(*this, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(ToQColor(backColour_));
    {
        QPainter painter(&buffer);
        DrawInsideFrame(painter, rect(), borderColour_, borderWidth_);
        painter.setFont(DefaultControlFont());
        // The bar, framed, with the percent drawn twice: in the text colour over the
        // empty part and in the contrasting colour over the filled part.
        painter.fillRect(bar_, ToQColor(barBack_));
        const QRect filled(bar_.left(), bar_.top(), bar_.width() * percent_ / 100, bar_.height());
        painter.fillRect(filled, ToQColor(barFill_));
        const QString percentText = PercentText();
        painter.save();
        painter.setClipRect(QRect(filled.right() + 1, bar_.top(), bar_.right() - filled.right(), bar_.height()));
        painter.setPen(ToQColor(textColour_));
        painter.drawText(bar_, Qt::AlignCenter, percentText);
        painter.setClipRect(filled);
        painter.setPen(ToQColor(textOverBar_));
        painter.drawText(bar_, Qt::AlignCenter, percentText);
        painter.restore();
        painter.setPen(ToQColor(borderColour_));
        painter.drawRect(bar_.adjusted(0, 0, -1, -1));

        for (const auto& line : lines_) {
            if (line.backColour)
                painter.fillRect(line.rect, ToQColor(*line.backColour));
            painter.setFont(line.font.value_or(DefaultControlFont()));
            painter.setPen(ToQColor(line.textColour == 0 ? kDefaultTextColor : line.textColour));
            painter.drawText(line.rect, Qt::AlignCenter | Qt::TextWordWrap, line.text);
        }
    }
    QPainter(this).drawImage(0, 0, buffer);
}

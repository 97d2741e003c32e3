// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DPIStageWindow.h"

#include "controls/accessibility/AccessibleEvents.h"
#include "platform/core/TextCase.h"
#include "skin/FontItem.h"
#include "skin/ResourceCache.h"
#include "skin/SkinElements.h"
#include "skin/TextFormat.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <array>

namespace {

constexpr std::array<std::u16string_view, 5> kBitmapNames{u"DPIFRAME", u"DPIFRAMESELECTED", u"DPIWIN", u"DPIWINX",
                                                          u"DPIWINY"};
constexpr qreal kDisabledOpacity = 0.4;
constexpr std::array<std::u16string_view, 6> kAreaNames{u"HEADING", u"DPI", u"DPIX", u"DPIY", u"X", u"Y"};

// Translated, the first backslash-n pair made a line break, then the caps mode; in
// that order, so upper case cannot turn the pair into "\N" and keep it on one line.
QString HeadingText(std::u16string_view key, CapsMode caps)
{
    QString text = MakeCaption(key);
    if (caps == CapsMode::Upper)
        text = text.toUpper();
    else if (caps == CapsMode::Lower)
        text = text.toLower();
    return text;
}

template <std::size_t N>
int IndexOfName(const std::array<std::u16string_view, N>& names, std::u16string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (EqualsIgnoringCase(names[i], name))
            return int(i);
    }
    return -1;
}

} // namespace

CDPIStageWindow::CDPIStageWindow(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::DPISTAGEWINDOW, nullptr, itemOwner), font_(DefaultControlFont())
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
    setFocusPolicy(Qt::StrongFocus);
    format_ = ButtonTextFormat(Justify::Left, 0);
}

std::unique_ptr<CDPIStageWindow> CDPIStageWindow::FromElement(const DPIStageWindowElement& element,
                                                              CSkinWindow* itemOwner)
{
    auto stage = std::make_unique<CDPIStageWindow>(element.id, element.parentWindow, itemOwner, element.rect);
    for (const auto& bitmap : element.bitmaps)
        stage->SetNamedBitmap(bitmap.name, bitmap.data.image, bitmap.rect, bitmap.mask.image);
    stage->SetCaps(element.text.caps);
    stage->SetTextFormat(ButtonTextFormat(element.text.justify, element.text.multiline));
    for (const auto& area : element.textAreas) {
        stage->SetTextArea(area.name, area.textKey, area.rect);
        // The heading gets the caps mode as well.
        if (EqualsIgnoringCase(area.name, u"HEADING"))
            stage->SetHeading(area.textKey);
    }
    if (element.text.font)
        stage->SetFont(element.text.font->Font());
    if (element.fontColor)
        stage->SetTextColour(*element.fontColor);
    if (!element.tooltip.text.empty())
        stage->SetTooltip(element.tooltip.text);
    stage->SetSelectedBoxImage(CResourceCache::Instance().Image(u"stageSelected.bmp"));
    stage->show();
    return stage;
}

void CDPIStageWindow::SetNamedBitmap(std::u16string_view name, const QImage& image, const SkinRect& rect,
                                     const QImage& mask)
{
    const int index = IndexOfName(kBitmapNames, name);
    if (index < 0)
        return;
    PlacedImage placed{image, rect.ToQRect(), true, std::nullopt};
    if (!mask.isNull())
        placed.shape = RegionFromMask(mask, MaskKind::ControlMask);
    bitmaps_[index] = std::move(placed);
    update();
}

void CDPIStageWindow::DrawPlaced(QPainter& painter, const PlacedImage& placed, const QImage& image) const
{
    if (image.isNull())
        return;
    painter.save();
    if (placed.shape)
        painter.setClipRegion(placed.shape->translated(placed.rect.topLeft()));
    painter.drawImage(placed.rect.topLeft(), image);
    painter.restore();
}

void CDPIStageWindow::SetTextArea(std::u16string_view name, std::u16string_view textKey, const SkinRect& rect)
{
    const int index = IndexOfName(kAreaNames, name);
    if (index < 0)
        return;
    areas_[index] = PlacedText{MakeCaption(textKey), rect.ToQRect(), true};
    update();
}

QString CDPIStageWindow::AreaText(std::u16string_view name) const
{
    const int index = IndexOfName(kAreaNames, name);
    return index < 0 ? QString() : areas_[index].text;
}

void CDPIStageWindow::SetValues(int single, int x, int y)
{
    const bool changed = single != single_ || x != x_ || y != y_;
    single_ = single;
    x_ = x;
    y_ = y;
    update();
    if (changed)
        AnnounceEvent(this, QAccessible::NameChanged);
}

QString CDPIStageWindow::ValuesText() const
{
    if (xyMode_)
        return QStringLiteral("X %1, Y %2").arg(x_).arg(y_);
    return QString::number(single_);
}

void CDPIStageWindow::SetXYMode(bool xyMode)
{
    xyMode_ = xyMode;
    update();
}

void CDPIStageWindow::SetSelected(bool selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
    AnnounceSelected();
}

void CDPIStageWindow::AnnounceSelected()
{
    QAccessible::State changed;
    changed.checked = true;
    changed.selected = true;
    AnnounceStateChange(this, changed);
}

void CDPIStageWindow::SetVisibleFlag(bool visible)
{
    visible_ = visible;
    update();
}

void CDPIStageWindow::SetHeading(std::u16string_view textKey)
{
    areas_[Heading].text = HeadingText(textKey, caps_);
    update();
}

void CDPIStageWindow::SetTooltip(std::u16string_view textKey)
{
    setToolTip(MakeTooltip(textKey));
}

void CDPIStageWindow::DrawArea(QPainter& painter, Area area, int flags) const
{
    if (areas_[area].present || !areas_[area].text.isEmpty())
        painter.drawText(areas_[area].rect, flags, areas_[area].text);
}

void CDPIStageWindow::DrawValueBox(QPainter& painter, Bitmap box, int value) const
{
    const PlacedImage& placed = bitmaps_[box];
    DrawPlaced(painter, placed, selected_ ? selectedBox_ : placed.image);
    // The number sits on black inside the box's frame, whether or not the box has a picture.
    const QRect inner = placed.rect.adjusted(3, 2, -3, -2);
    painter.fillRect(inner, Qt::black);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdU16String(FormatText(u"%d", {value})));
}

void CDPIStageWindow::paintEvent(QPaintEvent*)
{
    if (!visible_)
        return;
    QImage buffer = PaintBuffer(*this, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        QPainter painter(&buffer);
        // Erasing fills black, except under a selected box.
        if (!selected_)
            painter.fillRect(rect(), Qt::black);
        const PlacedImage& frame =
            selected_ && bitmaps_[FrameSelected].present ? bitmaps_[FrameSelected] : bitmaps_[Frame];
        DrawPlaced(painter,
                   PlacedImage{frame.image, QRect(QPoint(0, 0), frame.image.size()), frame.present, frame.shape},
                   frame.image);

        painter.setFont(font_);
        painter.setPen(ToQColor(textColour_ == 0 ? kDefaultTextColor : textColour_));
        painter.setBackgroundMode(Qt::TransparentMode);
        DrawArea(painter, Heading, Qt::AlignCenter);
        if (xyMode_) {
            DrawArea(painter, DpiX, format_.QtFlags());
            DrawArea(painter, DpiY, format_.QtFlags());
            DrawArea(painter, X, Qt::AlignCenter);
            DrawArea(painter, Y, Qt::AlignCenter);
            DrawValueBox(painter, WinX, x_);
            DrawValueBox(painter, WinY, y_);
        } else {
            DrawArea(painter, Dpi, format_.QtFlags());
            DrawValueBox(painter, Win, single_);
        }
    }
    if (!isEnabled()) {
        // A stage that is not in use is darkened where it is drawn; its cut-away
        // corners stay see-through.
        QPainter fade(&buffer);
        fade.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        fade.fillRect(rect(), QColor(0, 0, 0, int(255 * (1.0 - kDisabledOpacity))));
    }
    QPainter(this).drawImage(0, 0, buffer);
}

void CDPIStageWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    CSkinWindow::changeEvent(event);
}

void CDPIStageWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void CDPIStageWindow::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (Choose())
        setFocus(Qt::MouseFocusReason);
}

bool CDPIStageWindow::Choose()
{
    if (!clickable_ || selected_ || !isEnabled())
        return false;
    selected_ = true;
    AnnounceSelected();
    if (CSkinWindow* parent = GetParentWindow())
        parent->SendMessage(WM_STAGE_CLICKED, WPARAM(stageIndex_), LPARAM(id));
    update();
    return true;
}

void CDPIStageWindow::keyPressEvent(QKeyEvent* event)
{
    // Space chooses, as on a radio button; Enter stays the popup's OK.
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        CSkinWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    Choose();
}

void CDPIStageWindow::focusOutEvent(QFocusEvent* event)
{
    update();
    CSkinWindow::focusOutEvent(event);
}

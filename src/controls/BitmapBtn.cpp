// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/BitmapBtn.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/BitmapItem.h"
#include "controls/accessibility/AccessibleEvents.h"

CBitmapBtn::CBitmapBtn(const SkinRect& rect, QWidget* parent)
    : CSkinWindow(parent), CGUIItem(-1, ItemKind::BUTTON, this, nullptr)
{
    setGeometry(rect.ToQRect());
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    show();
}

std::unique_ptr<CBitmapBtn> CBitmapBtn::FromElement(const ButtonElement& element)
{
    auto button = std::make_unique<CBitmapBtn>(element.rect, element.parentWindow);
    button->SetTextFormat(ButtonTextFormat(element.text.justify, element.text.multiline));
    button->SetFont(element.text.font);
    const StateBitmaps& b = element.bitmaps;
    // Buttons of a button list use their images at control size.
    button->SetBitmaps(b.normal.image, b.over.image, b.down.image, b.disabled.image, b.mask.image,
                       SkinRect{0, 0, element.rect.Width(), element.rect.Height()});
    button->SetColours(b.normalTextColor, b.overTextColor, b.downTextColor, b.disabledTextColor);
    if (element.fontColor && b.normalTextColor == 0)
        button->colours_[0] = *element.fontColor;
    if (!element.tooltip.text.empty())
        button->SetTooltip(element.tooltip.text);
    button->SetCheckBox(element.isCheckBox);
    button->SetCaption(element.caption, element.text.caps);
    button->SetLeftMargin(element.leftMargin);
    return button;
}

void CBitmapBtn::SetBitmaps(const QImage& normal, const QImage& over, const QImage& down, const QImage& disabled,
                            const QImage& mask, const SkinRect& cut)
{
    normal_ = CutImage(normal, cut.left, cut.top, cut.right, cut.bottom);
    over_ = CutImage(over, cut.left, cut.top, cut.right, cut.bottom);
    down_ = CutImage(down, cut.left, cut.top, cut.right, cut.bottom);
    disabled_ = CutImage(disabled, cut.left, cut.top, cut.right, cut.bottom);
    if (!mask.isNull()) {
        mask_ = CutImage(mask, cut.left, cut.top, cut.right, cut.bottom);
        if (!regionSet_ && !mask_.isNull()) {
            SetRegionFromMask(mask_, MaskKind::ControlMask);
            regionSet_ = true;
        }
    }
    update();
}

void CBitmapBtn::SetChecked(bool checked)
{
    if (checked_ != checked) {
        checked_ = checked;
        update();
        AnnounceChecked();
    }
}

void CBitmapBtn::SetHighlighted(bool highlighted)
{
    if (highlighted_ != highlighted) {
        highlighted_ = highlighted;
        update();
        // A tab or radio-style choice is checked while it is highlighted.
        if (role_ != ButtonRole::Push && !isCheckBox_)
            AnnounceChecked();
    }
}

void CBitmapBtn::AnnounceChecked()
{
    QAccessible::State changed;
    changed.checked = true;
    changed.selected = role_ != ButtonRole::Push && !isCheckBox_;
    AnnounceStateChange(this, changed);
}

void CBitmapBtn::SetHover(bool hover)
{
    if (hover_ != hover) {
        hover_ = hover;
        update();
    }
}

void CBitmapBtn::SetBitmapItem(const CBitmapItem* item)
{
    bitmapItem_ = item;
    update();
}

void CBitmapBtn::SetFont(const CFontItem* font)
{
    font_ = font;
    update();
}

void CBitmapBtn::SetColours(COLORREF normal, COLORREF over, COLORREF down, COLORREF disabled)
{
    colours_[0] = normal;
    colours_[1] = over;
    colours_[2] = down;
    colours_[3] = disabled;
    update();
}

void CBitmapBtn::SetCaption(std::u16string_view key, CapsMode caps)
{
    caption_ = MakeCaption(key, caps);
    update();
}

void CBitmapBtn::SetTooltip(std::u16string_view key)
{
    setToolTip(MakeTooltip(key));
}

void CBitmapBtn::Blink(UINT period)
{
    if (period == 0) {
        KillTimer(kBlinkTimerId);
        blinkPhase_ = false;
    } else {
        SetTimer(kBlinkTimerId, period);
    }
    update();
}

void CBitmapBtn::OnTimer(UINT id)
{
    if (id != kBlinkTimerId) {
        CSkinWindow::OnTimer(id);
        return;
    }
    blinkPhase_ = !blinkPhase_;
    update();
}

const QImage& CBitmapBtn::ChosenImage() const
{
    if (bitmapItem_)
        return bitmapItem_->Bitmap();
    if (IsBlinking() && blinkPhase_)
        return over_;
    const bool disabled = !isEnabled();
    if (isCheckBox_) {
        if (checked_)
            return down_;
        if (!disabled)
            return (hover_ || highlighted_) ? over_ : normal_;
    }
    if (disabled)
        return disabled_;
    if (checked_ || pressed_)
        return down_;
    if (hover_ || highlighted_)
        return over_;
    return normal_;
}

COLORREF CBitmapBtn::ChosenTextColour() const
{
    COLORREF colour;
    if (checked_ || pressed_)
        colour = colours_[2];
    else if (hover_)
        colour = colours_[1];
    else if (!isEnabled())
        colour = colours_[3];
    else
        colour = colours_[0];
    return colour == 0 ? kDefaultTextColor : colour;
}

void CBitmapBtn::paintEvent(QPaintEvent*)
{
    // Everything is composed off-screen first, then copied in one go: the bitmap
    // cut by its mask pixel for pixel, then the caption at the screen's own
    // resolution, so that it stays sharp on a scaled screen.
    QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter bitmapPainter(&picture);
    const QImage& image = ChosenImage();
    if (!image.isNull())
        bitmapPainter.drawImage(QPoint(0, 0), image);
    bitmapPainter.end();
    if (!mask_.isNull()) {
        // Pure white in the mask is outside the button: nothing of the image shows there.
        for (int y = 0; y < std::min(picture.height(), mask_.height()); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            const auto* maskLine = reinterpret_cast<const QRgb*>(mask_.constScanLine(y));
            for (int x = 0; x < std::min(picture.width(), mask_.width()); ++x)
                if ((maskLine[x] & 0x00FFFFFF) == 0x00FFFFFF)
                    line[x] = 0;
        }
    }
    QImage composed = PaintBuffer(*this, QImage::Format_ARGB32_Premultiplied);
    composed.fill(Qt::transparent);
    QPainter painter(&composed);
    painter.drawImage(rect(), picture);
    if (!caption_.isEmpty()) {
        painter.setFont(font_ ? font_->Font() : DefaultControlFont());
        painter.setPen(ToQColor(ChosenTextColour()));
        QRect area = rect();
        const int flags = format_.QtFlags();
        if (!format_.singleLine) {
            const QRect needed = painter.boundingRect(area, flags, caption_);
            area.setTop((height() - needed.height()) / 2);
            area.setHeight(needed.height());
        }
        area.setLeft(area.left() + leftMargin_);
        painter.drawText(area, flags, caption_);
    }
    painter.end();
    QPainter screen(this);
    screen.drawImage(QPoint(0, 0), composed);
}

void CBitmapBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        CSkinWindow::mousePressEvent(event);
        return;
    }
    if (isCheckBox_) {
        // `window` alone names the item field; the top-level widget is QWidget's.
        QWidget* topLevel = QWidget::window();
        if (topLevel && !topLevel->isActiveWindow())
            topLevel->activateWindow();
        if (toggles_) {
            checked_ = !checked_;
            AnnounceChecked();
        }
        update();
        NotifyParent();
        return;
    }
    pressed_ = true;
    update();
}

void CBitmapBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || isCheckBox_) {
        CSkinWindow::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    update();
    // A push button clicks when the button is released over it.
    if (wasPressed && isEnabled() && rect().contains(event->position().toPoint()))
        NotifyParent();
}

bool CBitmapBtn::ClickFromLabel()
{
    if (!isEnabled())
        return false;
    if (isCheckBox_ && toggles_) {
        checked_ = !checked_;
        AnnounceChecked();
    }
    update();
    NotifyParent();
    return true;
}

void CBitmapBtn::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool space = event->key() == Qt::Key_Space;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isCheckBox_;
    if (!plain || !(space || enter)) {
        CSkinWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key must not click again and again (a page button would reopen its popup).
    if (!event->isAutoRepeat())
        ClickFromLabel();
}

void CBitmapBtn::NotifyParent()
{
    // Buttons have child-window id 0; the parent tells them apart by window.
    ::SendMessage(GetParentWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(GetHandle()));
}

void CBitmapBtn::focusOutEvent(QFocusEvent* event)
{
    pressed_ = false;
    update();
    CSkinWindow::focusOutEvent(event);
}

void CBitmapBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    CSkinWindow::changeEvent(event);
}

void CBitmapBtn::OnMouseEnter()
{
    hover_ = true;
    raise();
    update();
}

void CBitmapBtn::OnMouseLeave()
{
    hover_ = false;
    update();
}

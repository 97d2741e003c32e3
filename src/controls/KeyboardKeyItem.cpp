// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/KeyboardKeyItem.h"

#include "platform/core/KeyNames.h"
#include "platform/core/VirtualKeys.h"
#include "skin/SkinText.h"
#include "skin/keyboard/KeyHash.h"
#include "skin/keyboard/KeyboardDef.h"

CKeyboardKeyItem::CKeyboardKeyItem(const SkinRect& rect, QWidget* parent) : CBitmapBtn(rect, parent)
{
    kind = ItemKind::KBDKEY;
}

std::unique_ptr<CKeyboardKeyItem> CKeyboardKeyItem::FromElement(const KbdKeyElement& element)
{
    auto key = std::make_unique<CKeyboardKeyItem>(element.rect, element.parentWindow);
    DrawTextFormat format = ButtonTextFormat(element.text.justify, element.text.multiline);
    format.verticalCentre = true;
    key->SetTextFormat(format);
    key->SetFont(element.text.font);

    StateBitmaps bitmaps = element.bitmaps;
    if (element.bitmapInfo) {
        // A key's own bitmap set replaces the shared one.
        const NamedBitmap& own = *element.bitmapInfo;
        bitmaps = own.states;
        if (!bitmaps.normal.IsLoaded())
            bitmaps.normal = own.data;
        if (!bitmaps.mask.IsLoaded())
            bitmaps.mask = own.mask;
    }
    // Keys cut their part out of pictures the size of their parent.
    key->SetBitmaps(bitmaps.normal.image, bitmaps.over.image, bitmaps.down.image, bitmaps.disabled.image,
                    bitmaps.mask.image, element.rect);
    key->SetColours(bitmaps.normalTextColor, bitmaps.overTextColor, bitmaps.downTextColor, bitmaps.disabledTextColor);
    if (!element.tooltip.text.empty())
        key->SetKeyTooltip(MakeTooltip(element.tooltip.text));
    key->SetCheckBox(element.isCheckBox);
    key->SetCaption(element.caption, element.text.caps);
    if (!element.keyName.empty())
        key->BindKey(HashKeyName(element.keyName));
    return key;
}

bool CKeyboardKeyItem::BindKey(uint32_t hash)
{
    key_ = CKeyboardDef::Instance().FindKey(hash);
    if (!key_ || !key_->IsValid()) {
        key_.reset();
        return false;
    }
    scanCode_ = key_->derived.scanCode;
    extended_ = (key_->derived.flag & KEY_FLAG_EXTENDED) != 0;
    virtualKey_ = MapVirtualKey(extended_ ? (0xE000u | scanCode_) : scanCode_, MAPVK_VSC_TO_VK_EX);
    if (tooltip_.isEmpty())
        SetKeyTooltip(ToQString(KeyNameForScanCode(scanCode_, extended_)));
    return true;
}

void CKeyboardKeyItem::SetKeyTooltip(const QString& text)
{
    tooltip_ = text;
    setToolTip(text);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteWarningDlg`: a warning, confirmation or simple choice
// ("NoMousePopup.xml", "ConfirmDeletePopup.xml", "RestorePopup.xml"...). Its heading
// (`TEXT_WARNDLG_HEADING`) can carry an extra text after the skin's own words (a
// profile or macro name), or be replaced by a whole message.
#include <optional>
#include <string>

#include "popups/PopupBox.h"

class CTextItem;

class CTovikEliteWarningDlg : public CPopupBox {
public:
    // `extraText` is appended to the heading's text when the items are bound.
    CTovikEliteWarningDlg(std::u16string skinFile, QWidget* parent, std::u16string extraText = {},
                          int templateId = PopupTemplate::Warning);

    // Set before the run: replaces the heading's text once the popup is initialised.
    void SetMessage(std::u16string message) { message_ = std::move(message); }

    CTextItem* Heading() const { return heading_; }

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    bool OffersPlainFallback() const override { return true; }
    // The popup's name, then the message or the extra text.
    std::u16string FallbackText() const override;

private:
    std::u16string extraText_;
    std::optional<std::u16string> message_;
    CTextItem* heading_ = nullptr;
};

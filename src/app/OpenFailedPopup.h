// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notice shown when the manual or a web page cannot be opened because no
// program on this computer opens it: it names the file or the address, so the
// user can open it by hand ("OpenFailedPopup.xml").
#include "popups/TovikEliteWarningDlg.h"

#include <string>

class COpenFailedPopup : public CTovikEliteWarningDlg {
public:
    enum class What { Manual, WebPage };

    // `target` is the manual's full path or the page's address.
    COpenFailedPopup(What what, std::u16string target, QWidget* parent);

    // The explanation as shown: the translated sentence, then the target on a line
    // of its own.
    QString MessageText() const;

protected:
    void BindItems() override;

private:
    What what_;
    std::u16string target_;
    CTextItem* message_ = nullptr;
};

// Runs the notice modally over `parent`.
void ShowOpenFailed(COpenFailedPopup::What what, std::u16string_view target, QWidget* parent);

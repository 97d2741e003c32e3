// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WarningPopup.h"

#include "popups/TovikEliteWarningDlg.h"

int RunWarningPopup(std::u16string_view skinFile, QWidget* parent)
{
    CTovikEliteWarningDlg popup{std::u16string(skinFile), parent};
    return popup.DoModal();
}

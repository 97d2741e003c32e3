// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Popups as dialogs for assistive tools, named by their heading.
#include <QAccessibleWidget>

class CPopupBox;

class CAccessiblePopup : public QAccessibleWidget {
public:
    explicit CAccessiblePopup(CPopupBox* popup);
    QString text(QAccessible::Text t) const override;
};

// The popup's heading: its topmost label whose skin name calls it a heading (or
// header) and that holds text, else its topmost label with text, else words
// made from the popup's skin file name ("ConfirmDeletePopup.xml" -> "Confirm
// delete popup").
QString PopupHeading(const CPopupBox& popup);

// Installs the factory for popups; later calls do nothing.
void InstallPopupAccessibility();

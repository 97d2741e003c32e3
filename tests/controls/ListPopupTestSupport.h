// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers for the list pop-ups that drop-downs and combo cells open.
#include "controls/ListPanelPopup.h"
#include "platform/ModalService.h"

#include <QTest>

// The next list pop-up notes in `startRow` the row its arrows start from (-1 for
// none), then takes the row below it with Down and Enter, as a keyboard user does.
inline void TakeTheNextRowByKeys(int& startRow)
{
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&startRow](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        startRow = popup.List()->HoveredRow();
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Return);
        QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
    });
}

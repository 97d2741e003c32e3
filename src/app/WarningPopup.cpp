#include "app/WarningPopup.h"

#include "app/WindowPlacement.h"
#include "platform/ModalService.h"
#include "skin/ItemIds.h"

#include <QKeyEvent>

CAppWarningDlg::CAppWarningDlg(std::u16string skinFile, QWidget* parent)
    : CGUIPanel(std::move(skinFile), parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    EnableClientAreaDrag(true);
}

int CAppWarningDlg::DoModal()
{
    if (!IsLoaded() && !Create())
        return IDCANCEL;
    if (parentWidget() && parentWidget()->isVisible())
        CenterOver(*this, *parentWidget());
    else
        CenterOnScreen(*this);
    QString name = QString::fromStdU16String(SkinFile());
    return RunModal(*this, name.toStdString());
}

LRESULT CAppWarningDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const CGUIItem* item = Items().FindByHandle(reinterpret_cast<const IMessageTarget*>(lParam));
        const int id = item ? item->id : int(LOWORD(wParam));
        if (id == ItemId::BUTTON_POPUP_OK) {
            EndModal(IDOK);
            return 0;
        }
        if (id == ItemId::BUTTON_POPUP_CANCEL) {
            EndModal(IDCANCEL);
            return 0;
        }
    }
    return CGUIPanel::WindowProc(msg, wParam, lParam);
}

void CAppWarningDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        EndModal(IDOK);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        EndModal(IDCANCEL);
        return;
    }
    CGUIPanel::keyPressEvent(event);
}

int RunWarningPopup(std::u16string_view skinFile, QWidget* parent)
{
    CAppWarningDlg popup{std::u16string(skinFile), parent};
    return popup.DoModal();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/PopupBox.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/ModalService.h"
#include "skin/ItemIds.h"

namespace {

// Dialog base units of the 8-point dialog font at 96 dots per inch: a dialog unit
// is a quarter of the average character width across, an eighth of its height down.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// The near-black of the panels, for a popup whose skin has no background picture.
const QColor kFallbackBackground(12, 14, 16);

int DialogUnitsToPixels(int units, int baseUnit, int divisor)
{
    // Rounded to the nearest pixel, as the platform's MulDiv does.
    return (units * baseUnit + divisor / 2) / divisor;
}

} // namespace

CPopupBox::CPopupBox(int templateId, std::u16string skinFile, QWidget* parent)
    : CGUIPanel(std::move(skinFile), parent, Qt::Dialog | Qt::FramelessWindowHint), templateId_(templateId)
{
    EnableClientAreaDrag(true);
}

CPopupBox::~CPopupBox() = default;

std::optional<QSize> CPopupBox::TemplatePixelSize(int templateId)
{
    struct Size {
        int id, width, height;
    };
    static constexpr Size kSizes[] = {
        {PopupTemplate::Warning, 316, 185},
        {PopupTemplate::Progress, 316, 183},
        {PopupTemplate::Entry, 317, 183},
        {PopupTemplate::DpiStages, 316, 184},
        {PopupTemplate::Preview, 317, 183},
        {PopupTemplate::TempDpi, 316, 184},
        {PopupTemplate::SurfaceCalibration, 316, 184},
    };
    for (const Size& size : kSizes)
        if (size.id == templateId)
            return QSize(DialogUnitsToPixels(size.width, kBaseUnitX, 4),
                         DialogUnitsToPixels(size.height, kBaseUnitY, 8));
    return std::nullopt;
}

std::string CPopupBox::RunName() const
{
    return QString::fromStdU16String(SkinFile()).toStdString();
}

int CPopupBox::DoModal()
{
    if (used_)
        return IDCANCEL; // a popup is never reused
    used_ = true;
    // Until the skin says otherwise the window has its template's size.
    if (auto size = TemplatePixelSize(templateId_))
        resize(*size);
    if (!Create())
        return IDCANCEL;
    if (!OnInitDialog())
        return IDCANCEL;
    if (QWidget* over = parentWidget()) {
        const QRect area = over->window()->geometry();
        move(area.center() - rect().center());
    }
    const int result = RunModal(*this, RunName());
    OnRunEnded();
    return result == IDOK ? IDOK : IDCANCEL;
}

bool CPopupBox::OnInitDialog()
{
    BindItems();
    return true;
}

bool CPopupBox::OnCommand(CGUIItem* sender)
{
    if (!sender || sender->kind != ItemKind::BUTTON)
        return false;
    if (sender->id == ItemId::BUTTON_POPUP_OK) {
        OnOK();
        return true;
    }
    if (sender->id == ItemId::BUTTON_POPUP_CANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CPopupBox::OnOK()
{
    EndModal(IDOK);
}

void CPopupBox::OnCancel()
{
    EndModal(IDCANCEL);
}

LRESULT CPopupBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Buttons send their window; text items send their item id.
        CGUIItem* sender = Items().FindByHandle(reinterpret_cast<const IMessageTarget*>(lParam));
        if (!sender && LOWORD(wParam) != 0)
            sender = Items().FindById(int(LOWORD(wParam)), ItemKind::TEXTITEM);
        if (OnCommand(sender))
            return 0;
    }
    return CGUIPanel::WindowProc(msg, wParam, lParam);
}

void CPopupBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        return;
    default:
        CGUIPanel::keyPressEvent(event);
    }
}

void CPopupBox::closeEvent(QCloseEvent* event)
{
    if (IsInModalRun())
        OnCancel();
    CGUIPanel::closeEvent(event);
}

void CPopupBox::paintEvent(QPaintEvent* event)
{
    if (Background().isNull())
        QPainter(this).fillRect(rect(), kFallbackBackground);
    CGUIPanel::paintEvent(event);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GUIPanel.h"

#include <QPainter>

#include "controls/FocusNavigation.h"
#include "skin/PanelBitmap.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"

CGUIPanel::CGUIPanel(std::u16string skinFile, QWidget* parent, Qt::WindowFlags flags)
    : CSkinWindow(parent, flags), skinFile_(std::move(skinFile))
{
}

CGUIPanel::CGUIPanel(const SkinRect& rect, QWidget* parent, Qt::WindowFlags flags)
    : CSkinWindow(parent, flags), rect_(rect)
{
}

CGUIPanel::~CGUIPanel()
{
    // The controls are children of this window: destroy them while it still exists.
    items_.Clear();
}

bool CGUIPanel::Create()
{
    if (skinFile_.empty()) {
        setGeometry(rect_.ToQRect());
        loaded_ = true;
        return true;
    }
    if (!LoadSkinFile(items_, skinFile_, this, observable_))
        return false;
    if (auto* background = dynamic_cast<CPanelBitmap*>(items_.FindById(kPanelBackgroundId, ItemKind::PANELBITMAP))) {
        background_ = background->Image();
        if (!background_.isNull())
            setGeometry(0, 0, background_.width(), background_.height());
    }
    if (auto* mask = dynamic_cast<CPanelBitmap*>(items_.FindById(kPanelMaskId, ItemKind::PANELBITMAP))) {
        if (!mask->Image().isNull())
            SetRegionFromMask(mask->Image(), MaskKind::ControlMask);
        // A window-sized picture kept for nothing: the next window with this mask
        // reads it again.
        mask->ReleaseImage();
        CResourceCache::Instance().ReleaseImage(mask->FileName());
    }
    loaded_ = true;
    update();
    return true;
}

void CGUIPanel::Destroy()
{
    items_.Clear();
    background_ = QImage();
    ClearRegion();
    loaded_ = false;
    update();
}

void CGUIPanel::paintEvent(QPaintEvent*)
{
    if (!loaded_ || background_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), background_);
}

bool CGUIPanel::focusNextPrevChild(bool next)
{
    if (!isWindow())
        return CSkinWindow::focusNextPrevChild(next);
    return MoveFocus(*this, next);
}

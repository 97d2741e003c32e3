// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressPopupDlg.h"

#include "controls/BitmapBtn.h"
#include "controls/ProgressPanelItem.h"
#include "controls/TextItem.h"
#include "device/ProgressMessenger.h"

#include <algorithm>

CProgressPopupDlg::CProgressPopupDlg(std::u16string skinFile, int progressItem, int textItem, int buttonItem,
                                     const std::vector<CProgressMessenger*>* sources, QWidget* parent)
    : CGUIPanel(std::move(skinFile), parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      progressItemId_(progressItem), textItemId_(textItem), buttonItemId_(buttonItem), sources_(sources)
{
    setWindowTitle(QStringLiteral("Zemko Tovik Configurator"));
}

CProgressPopupDlg::~CProgressPopupDlg() = default;

bool CProgressPopupDlg::CreateAndBind()
{
    const bool loaded = Create();
    // Each control is taken only when it is of the kind the popup drives; a skin
    // without it leaves the control missing and the popup still runs.
    if (CGUIItem* item = Items().FindById(progressItemId_, ItemKind::PROGRESSPANELITEM))
        progressPanel_ = dynamic_cast<CProgressPanelItem*>(item);
    if (CGUIItem* item = Items().FindById(buttonItemId_, ItemKind::BUTTON))
        button_ = dynamic_cast<CBitmapBtn*>(item);
    if (CGUIItem* item = Items().FindById(textItemId_, ItemKind::TEXTITEM))
        textItem_ = dynamic_cast<CTextItem*>(item);
    return loaded;
}

bool CProgressPopupDlg::IsAttached(const CProgressMessenger* source) const
{
    return source && sources_ && std::find(sources_->begin(), sources_->end(), source) != sources_->end();
}

LRESULT CProgressPopupDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DEVICE_PROGRESS: {
        const auto* source = reinterpret_cast<const CProgressMessenger*>(wParam);
        if (progressPanel_ && IsAttached(source))
            progressPanel_->SetPercent(int(std::min<LPARAM>(lParam, 100)));
        return 0;
    }
    case WM_DEVICE_PROGRESS_TEXT: {
        const auto* source = reinterpret_cast<const CProgressMessenger*>(wParam);
        if (progressPanel_ && IsAttached(source)) {
            const auto* text = reinterpret_cast<const char16_t*>(lParam);
            progressPanel_->SetLineText(1, text ? QString::fromUtf16(text) : QString());
            progressPanel_->SetLineText(0, QString::fromStdU16String(source->GetText()));
            progressPanel_->update();
        }
        return 0;
    }
    case WM_PROGRESS_SHOW:
        if (IsLoaded()) {
            show();
            raise();
            activateWindow();
        }
        return 0;
    case WM_PROGRESS_HIDE:
        hide();
        return 0;
    case WM_PROGRESS_SETTEXT:
        if (textItem_) {
            const auto* text = reinterpret_cast<const char16_t*>(wParam);
            textItem_->SetText(text ? std::u16string_view(text) : std::u16string_view());
        }
        if (textHandledHandler_)
            textHandledHandler_();
        return 0;
    case WM_PROGRESS_CLOSE:
        hide();
        if (closedHandler_)
            closedHandler_();
        return 0;
    default:
        return CGUIPanel::WindowProc(msg, wParam, lParam);
    }
}

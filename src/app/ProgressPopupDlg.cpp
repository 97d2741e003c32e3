// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressPopupDlg.h"

#include "controls/BitmapBtn.h"
#include "controls/ProgressPanelItem.h"
#include "controls/TextItem.h"
#include "device/ProgressMessenger.h"
#include "popups/PopupBox.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPalette>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

Q_LOGGING_CATEGORY(lcProgressPopup, "zemko.tovik.app")

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
    if (!loaded) {
        qCWarning(lcProgressPopup) << "progress popup skin" << QString::fromStdU16String(SkinFile())
                                   << "did not load; a plain window stands in";
        BuildPlainFallback();
    }
    return loaded;
}

void CProgressPopupDlg::BuildPlainFallback()
{
    if (plainBar_)
        return;
    if (auto size = CPopupBox::TemplatePixelSize(PopupTemplate::Progress))
        resize(*size);
    // The panels' near-black with light text, as the skinned popups look.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(12, 14, 16));
    colours.setColor(QPalette::WindowText, QColor(224, 224, 224));
    setPalette(colours);
    setAutoFillBackground(true);
    plainStatus_ = new QLabel(this);
    plainDetail_ = new QLabel(this);
    plainBar_ = new QProgressBar(this);
    plainBar_->setRange(0, 100);
    plainBar_->setValue(0);
    for (QLabel* label : {plainStatus_, plainDetail_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(plainStatus_);
    layout->addWidget(plainBar_);
    layout->addWidget(plainDetail_);
    layout->addStretch();
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
        if (!IsAttached(source))
            return 0;
        const int percent = int(std::clamp<LPARAM>(lParam, 0, 100));
        if (progressPanel_)
            progressPanel_->SetPercent(int(std::min<LPARAM>(lParam, 100)));
        if (plainBar_)
            plainBar_->setValue(percent);
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
        if (plainDetail_ && IsAttached(source)) {
            const auto* text = reinterpret_cast<const char16_t*>(lParam);
            plainDetail_->setText(QString::fromStdU16String(source->GetText()) + QStringLiteral("\n") +
                                  (text ? QString::fromUtf16(text) : QString()));
        }
        return 0;
    }
    case WM_PROGRESS_SHOW:
        if (IsShowable()) {
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
        if (plainStatus_) {
            const auto* text = reinterpret_cast<const char16_t*>(wParam);
            plainStatus_->setText(text ? QString::fromUtf16(text) : QString());
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

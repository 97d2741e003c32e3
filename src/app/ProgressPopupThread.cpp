// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressPopupThread.h"

#include "app/WindowPlacement.h"
#include "device/ProgressMessenger.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

CProgressPopupThread::CProgressPopupThread(std::u16string skinFile, int progressItem, int textItem, int buttonItem,
                                           const std::vector<CProgressMessenger*>* sources, QWidget* parent)
    : dialog_(
          std::make_unique<CProgressPopupDlg>(std::move(skinFile), progressItem, textItem, buttonItem, sources, parent))
{
    dialog_->SetClosedHandler([this] { ended_ = true; });
    dialog_->SetTextHandledHandler([this] {
        if (!queuedTexts_.empty())
            queuedTexts_.pop_front();
    });
}

// The popup that owns this run connects its sources to the dialog and takes
// them off again before the run ends: only it knows which sources still exist.
CProgressPopupThread::~CProgressPopupThread() = default;

void CProgressPopupThread::Start()
{
    dialog_->CreateAndBind();
    CenterOnScreen(*dialog_);
    if (dialog_->IsShowable()) {
        dialog_->show();
        dialog_->raise();
        dialog_->activateWindow();
    }
}

bool CProgressPopupThread::PostThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (ended_ || !dialog_)
        return false;
    return dialog_->PostMessage(msg, wParam, lParam);
}

bool CProgressPopupThread::PostText(std::u16string_view text)
{
    if (ended_ || !dialog_)
        return false;
    lastText_.assign(text);
    const std::u16string& queued = queuedTexts_.emplace_back(text);
    if (dialog_->PostMessage(WM_PROGRESS_SETTEXT, reinterpret_cast<WPARAM>(queued.c_str()), 0))
        return true;
    queuedTexts_.pop_back();
    return false;
}

void CProgressPopupThread::WaitUntilEnded()
{
    if (!QCoreApplication::instance()) {
        ended_ = true;
        return;
    }
    QEventLoop loop;
    while (!ended_ && dialog_) {
        // The close is a posted message; everything queued before it is handled first.
        loop.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
}

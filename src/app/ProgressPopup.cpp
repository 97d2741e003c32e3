// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressPopup.h"

#include "device/ProgressMessenger.h"

#include <algorithm>

CProgressPopup::CProgressPopup() = default;

CProgressPopup::~CProgressPopup()
{
    Close();
}

void CProgressPopup::Show(std::u16string_view skinFile, int /*templateId*/, int progressItem, int textItem,
                          int buttonItem, QWidget* parent)
{
    if (thread_)
        return;
    thread_ = std::make_unique<CProgressPopupThread>(std::u16string(skinFile), progressItem, textItem, buttonItem,
                                                     &sources_, parent);
    thread_->Start();
}

void CProgressPopup::Attach(CProgressMessenger* source, const char16_t* text)
{
    if (!source)
        return;
    if (text)
        source->SetText(text);
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end())
        sources_.push_back(source);
    if (thread_ && thread_->Dialog())
        source->AddListener(thread_->Dialog());
}

void CProgressPopup::SetText(std::u16string_view text)
{
    if (!thread_)
        return;
    thread_->PostText(text);
}

void CProgressPopup::ShowPopup()
{
    if (thread_)
        thread_->PostThreadMessage(WM_PROGRESS_SHOW);
}

void CProgressPopup::HidePopup()
{
    if (thread_)
        thread_->PostThreadMessage(WM_PROGRESS_HIDE);
}

void CProgressPopup::Close()
{
    if (!thread_)
        return;
    if (CProgressPopupDlg* dialog = thread_->Dialog()) {
        for (CProgressMessenger* source : sources_)
            source->RemoveListener(dialog);
    }
    sources_.clear();
    if (thread_->PostThreadMessage(WM_PROGRESS_CLOSE))
        thread_->WaitUntilEnded();
    thread_.reset();
}

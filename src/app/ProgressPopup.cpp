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
    // Sources attached before the dialog existed are connected now.
    if (CProgressPopupDlg* dialog = thread_->Dialog())
        ForEachLiveSource([&](CProgressMessenger& source) { source.AddListener(dialog); });
}

void CProgressPopup::Attach(CProgressMessenger* source, const char16_t* text)
{
    if (!source)
        return;
    if (text)
        source->SetText(text);
    // Sources that are gone are forgotten; a new source may have the address of
    // one of them, so the address alone does not tell an attached source.
    for (size_t i = sources_.size(); i-- > 0;) {
        if (!lifetimes_[i]->Use([](CProgressMessenger&) {})) {
            sources_.erase(sources_.begin() + std::ptrdiff_t(i));
            lifetimes_.erase(lifetimes_.begin() + std::ptrdiff_t(i));
        }
    }
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) {
        sources_.push_back(source);
        lifetimes_.push_back(source->GetLifetime());
    }
    if (thread_ && thread_->Dialog())
        source->AddListener(thread_->Dialog());
}

void CProgressPopup::ForEachLiveSource(const std::function<void(CProgressMessenger&)>& use)
{
    for (const auto& lifetime : lifetimes_)
        lifetime->Use(use);
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
    if (CProgressPopupDlg* dialog = thread_->Dialog())
        ForEachLiveSource([&](CProgressMessenger& source) { source.RemoveListener(dialog); });
    sources_.clear();
    lifetimes_.clear();
    if (thread_->PostThreadMessage(WM_PROGRESS_CLOSE))
        thread_->WaitUntilEnded();
    thread_.reset();
}

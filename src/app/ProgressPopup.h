// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CProgressPopup`: the handle by which start-up and the main window drive a
// progress popup. Sources (the device's `CProgressMessenger`) may be attached
// before the popup is shown; they reach the dialog as soon as it exists. All
// operations are for the GUI thread; the sources may send from any thread.
#include "app/ProgressPopupThread.h"
#include "device/ProgressMessenger.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

class CProgressPopup {
public:
    CProgressPopup();
    virtual ~CProgressPopup();
    CProgressPopup(const CProgressPopup&) = delete;
    CProgressPopup& operator=(const CProgressPopup&) = delete;

    // Starts a popup from the skin file unless one runs already (then nothing
    // changes, not even the skin file). `templateId` is the window template of the
    // original design; the skin decides the size here.
    virtual void Show(std::u16string_view skinFile, int templateId, int progressItem, int textItem, int buttonItem,
                      QWidget* parent);

    // Remembers the source (once) and, when a text is given, makes it the source's
    // own text; connects it to the dialog when the dialog exists.
    void Attach(CProgressMessenger* source, const char16_t* text = nullptr);
    // Sets the popup's status text item; nothing without a popup.
    void SetText(std::u16string_view text);
    void ShowPopup();
    void HidePopup();
    // Disconnects the dialog from every source, forgets the sources, closes the
    // popup and waits until it is gone. Without a popup, only that is ensured.
    void Close();

    bool HasThread() const { return thread_ != nullptr; }
    CProgressPopupThread* Thread() const { return thread_.get(); }
    CProgressPopupDlg* Dialog() const { return thread_ ? thread_->Dialog() : nullptr; }
    const std::vector<CProgressMessenger*>& Sources() const { return sources_; }

private:
    // Reaches each live source; sources that are gone are skipped.
    void ForEachLiveSource(const std::function<void(CProgressMessenger&)>& use);

    std::unique_ptr<CProgressPopupThread> thread_;
    // The sources as the dialog knows them, and beside each (same position) the
    // way to reach it: a device object may be dropped while the popup lives on.
    std::vector<CProgressMessenger*> sources_;
    std::vector<std::shared_ptr<CProgressMessenger::Lifetime>> lifetimes_;
};

// The two popups of the program are of this class; it adds nothing.
class CTovikEliteProgressPopup : public CProgressPopup {};

// What both callers pass: window template 104 with the progress panel, status text
// and cancel button items.
constexpr int kProgressPopupTemplate = 104;

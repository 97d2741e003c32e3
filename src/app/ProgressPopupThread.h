// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CProgressPopupThread`: one run of a progress popup, from `Show` to `Close`. Qt
// keeps every window on the GUI thread, so the "thread" is the run's owner there:
// it owns the dialog and the status-text buffer, takes the popup's thread
// messages (posted to the dialog, so they are handled in order on a later turn of
// the event loop), and counts as ended once the dialog has handled its close.
#include "app/ProgressPopupDlg.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

class CProgressPopupThread {
public:
    CProgressPopupThread(std::u16string skinFile, int progressItem, int textItem, int buttonItem,
                         const std::vector<CProgressMessenger*>* sources, QWidget* parent);
    ~CProgressPopupThread();
    CProgressPopupThread(const CProgressPopupThread&) = delete;
    CProgressPopupThread& operator=(const CProgressPopupThread&) = delete;

    // Creates the dialog and shows it. The owning popup connects its sources.
    void Start();

    // Queues a popup message; false when the run has ended.
    bool PostThreadMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Keeps the GUI thread's events flowing until the dialog has handled
    // WM_PROGRESS_CLOSE (sends from worker threads are served meanwhile).
    void WaitUntilEnded();
    bool HasEnded() const { return ended_; }

    // Posts WM_PROGRESS_SETTEXT with a copy of the text that stays valid until the
    // dialog has handled it, however many texts are queued meanwhile.
    bool PostText(std::u16string_view text);
    // The last text given to PostText.
    const std::u16string& LastText() const { return lastText_; }

    CProgressPopupDlg* Dialog() const { return dialog_.get(); }

private:
    std::unique_ptr<CProgressPopupDlg> dialog_;
    std::list<std::u16string> queuedTexts_; // oldest first; nodes never move
    std::u16string lastText_;
    bool ended_ = false;
};

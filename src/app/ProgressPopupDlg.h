// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CProgressPopupDlg`: the skinned window of a progress popup. It lives on the GUI
// thread; the popup's owner drives it with the posted messages WM_PROGRESS_SHOW,
// WM_PROGRESS_HIDE, WM_PROGRESS_SETTEXT and WM_PROGRESS_CLOSE, and progress sources
// (on any thread) send it WM_DEVICE_PROGRESS and WM_DEVICE_PROGRESS_TEXT.
#include "controls/GUIPanel.h"

#include <functional>
#include <string>
#include <vector>

class CBitmapBtn;
class QLabel;
class QProgressBar;
class CProgressMessenger;
class CProgressPanelItem;
class CTextItem;

class CProgressPopupDlg : public CGUIPanel {
public:
    // `sources` is the owning popup's list of attached sources; only their progress
    // is shown. It must outlive the dialog.
    CProgressPopupDlg(std::u16string skinFile, int progressItem, int textItem, int buttonItem,
                      const std::vector<CProgressMessenger*>* sources, QWidget* parent);
    ~CProgressPopupDlg() override;

    // Loads the skin and finds the three controls; false when the skin did not load.
    // The dialog then stands in plainly at the progress template's size (the reason
    // is logged): a status line, a progress bar and the source's text, so the
    // user still sees that something runs.
    bool CreateAndBind();

    // Whether there is anything to show: the skin, or the plain stand-in.
    bool IsShowable() const { return IsLoaded() || plainBar_ != nullptr; }
    QProgressBar* PlainProgressBar() const { return plainBar_; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Called once the dialog has handled WM_PROGRESS_CLOSE.
    void SetClosedHandler(std::function<void()> handler) { closedHandler_ = std::move(handler); }

    // Called after each WM_PROGRESS_SETTEXT, once its text is no longer needed.
    void SetTextHandledHandler(std::function<void()> handler) { textHandledHandler_ = std::move(handler); }

    CProgressPanelItem* ProgressPanel() const { return progressPanel_; }
    CBitmapBtn* Button() const { return button_; }
    CTextItem* TextItem() const { return textItem_; }

private:
    bool IsAttached(const CProgressMessenger* source) const;
    void BuildPlainFallback();

    int progressItemId_;
    int textItemId_;
    int buttonItemId_;
    const std::vector<CProgressMessenger*>* sources_;
    CProgressPanelItem* progressPanel_ = nullptr;
    CBitmapBtn* button_ = nullptr;
    CTextItem* textItem_ = nullptr;
    QLabel* plainStatus_ = nullptr; // the popup's text
    QLabel* plainDetail_ = nullptr; // the source's text and its current step
    QProgressBar* plainBar_ = nullptr;
    std::function<void()> closedHandler_;
    std::function<void()> textHandledHandler_;
};

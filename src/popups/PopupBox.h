// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CPopupBox`: the base of every skinned modal popup. The caller builds one on the
// stack with a dialog template number, a skin file and a parent, hands it the data
// it edits, runs `DoModal` and reads the result (IDOK 1 or IDCANCEL 2) and the
// edited data afterwards. Subclasses bind their skin items in `BindItems` and handle
// their buttons in `OnCommand`; `BUTTON_POPUP_OK` (52) runs `OnOK` and
// `BUTTON_POPUP_CANCEL` (40) runs `OnCancel` in every popup.
#include <optional>
#include <string>

#include <QSize>

#include "controls/GUIPanel.h"
#include "skin/GUIItems.h"

// Dialog templates of the popups; their sizes are the window size when the skin
// has no background bitmap.
namespace PopupTemplate {
constexpr int Warning = 5;
constexpr int Progress = 104;
constexpr int Entry = 131;
constexpr int DpiStages = 135;
constexpr int Preview = 136;
constexpr int TempDpi = 137;
constexpr int SurfaceCalibration = 138;
} // namespace PopupTemplate

class CPopupBox : public CGUIPanel {
public:
    CPopupBox(int templateId, std::u16string skinFile, QWidget* parent);
    ~CPopupBox() override;

    // The template's size in pixels (dialog units of the 8-point dialog font at 96
    // dots per inch), or nothing for a number that is not a template.
    static std::optional<QSize> TemplatePixelSize(int templateId);

    // Creates the window (loads the skin), initialises it and runs it modally through
    // the modal seam, named by the skin file. Returns IDOK or IDCANCEL. When the skin
    // does not load (the reason is logged), a popup that asks a question shows a
    // plain window of the template's size instead: its text with OK and Cancel, so
    // a damaged installation never turns a question into a silent refusal. A popup
    // that needs its skin's fields to be answered answers IDCANCEL, which changes
    // nothing. A second run of the same popup answers IDCANCEL without showing anything.
    int DoModal();

    // Whether the run used the plain stand-in instead of the skin.
    bool IsPlainFallback() const { return plainFallback_; }

    int TemplateId() const { return templateId_; }
    // The name the modal run goes by (the skin file name).
    std::string RunName() const;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // Binds the items and then lets the subclass finish (focus, texts).
    virtual bool OnInitDialog();
    // Looks each needed item up by id, keeping it only when its kind matches.
    virtual void BindItems() {}
    // A click from one of the popup's items; true when handled. The item is null
    // when the sender is not one of the popup's items.
    virtual bool OnCommand(CGUIItem* sender);
    virtual void OnOK();
    virtual void OnCancel();
    // Called once the modal run is over, whatever ended it.
    virtual void OnRunEnded() {}
    // Whether OK and Cancel alone answer this popup (true for questions, false for
    // popups whose answer is typed or picked in the skin's fields).
    virtual bool OffersPlainFallback() const { return false; }
    // What the plain stand-in says: by default the popup's name, read from its skin
    // file's name. Subclasses add the text they were given.
    virtual std::u16string FallbackText() const;

    // The item of this id when it exists and is of this kind and type, else null.
    template <class T>
    T* BindItem(int id, int kind) const
    {
        return dynamic_cast<T*>(Items().FindById(id, kind));
    }

    // Escape cancels and Return confirms, as in any dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // Closing the window (the window manager's close) is a cancel, with everything
    // the popup's cancel does.
    void closeEvent(QCloseEvent* event) override;
    // Without a background bitmap the window is filled dark, so that the skin's
    // light texts stay readable.
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildPlainFallback();

    int templateId_;
    bool used_ = false;
    bool plainFallback_ = false;
};

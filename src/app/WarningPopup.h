#pragma once
// A skinned notice run modally ("NoMousePopup.xml", "ChangeMousePopup.xml"): its
// OK button ends the run with IDOK, its cancel button (when the skin has one) and
// Escape with IDCANCEL.
#include "controls/GUIPanel.h"

#include <string>

class CAppWarningDlg : public CGUIPanel {
public:
    CAppWarningDlg(std::u16string skinFile, QWidget* parent);

    // Loads the skin and runs the window modally through the modal seam (named by
    // the skin file); IDCANCEL when the skin does not load.
    int DoModal();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Runs the notice of `skinFile` over `parent` and returns its result.
int RunWarningPopup(std::u16string_view skinFile, QWidget* parent);

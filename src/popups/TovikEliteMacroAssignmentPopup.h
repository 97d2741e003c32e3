// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteMacroAssignmentPopup` ("SelectMacroPopup.xml"): chooses the macro a
// button plays and how it plays it. The drop-down `LIST_DROPDOWN_POPUP` holds the
// caller's macro names with the current one selected (the first when none matches);
// the four play-mode buttons act as radio buttons for modes 1 to 4. Wheel
// directions cannot hold a macro while pressed, so their caller hides the last two.
#include <array>
#include <string>
#include <vector>

#include "popups/PopupBox.h"

class CBitmapBtn;
class CDropdownListItem;

class CTovikEliteMacroAssignmentPopup : public CPopupBox {
public:
    static constexpr int kModeOnce = 1;
    static constexpr int kModeMultiple = 2;
    static constexpr int kModeWhilePressed = 3;
    static constexpr int kModeUntilPressed = 4;

    CTovikEliteMacroAssignmentPopup(std::u16string skinFile, QWidget* parent, std::vector<std::u16string> macroNames,
                                    std::u16string currentName, int playMode, bool hidePressModes,
                                    int templateId = PopupTemplate::Warning);

    // After OK: the chosen macro's name (empty when the list is empty) and play mode.
    const std::u16string& SelectedName() const { return selectedName_; }
    int PlayMode() const { return playMode_; }

    CDropdownListItem* List() const { return list_; }
    CBitmapBtn* ModeButton(int mode) const;

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    bool OnCommand(CGUIItem* sender) override;
    void OnOK() override;

private:
    void SetMode(int mode);
    // The caller's name behind the list's entry `index` (entries are shown
    // translated and may be sorted, so the shown text is not the name).
    const std::u16string* NameAt(int index) const;

    std::vector<std::u16string> names_;
    std::u16string currentName_;
    bool hidePressModes_;
    int mode_ = kModeOnce;
    CDropdownListItem* list_ = nullptr;
    std::array<CBitmapBtn*, 4> modeButtons_{};
    std::vector<int> entryToName_;
    std::u16string selectedName_;
    int playMode_ = kModeOnce;
};

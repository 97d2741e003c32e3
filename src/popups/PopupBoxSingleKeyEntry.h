// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-key popups ("SingleKeyPopup.xml", "EditSingleKeyPopup.xml"): the key
// field `EDITCTRL_POPUP_SINGLEKEYENTRY` shows the key the user presses, read through
// raw input registered for the popup while it runs. Escape and Return are keys one
// may want to record, so the OK or cancel that such a key-down would cause is
// ignored; a click on a button clears that mark. The field keeps every key while
// it has the focus, Tab included; Ctrl+Tab (Ctrl+Shift+Tab) leaves it, and so does
// a click elsewhere.
//
// OK hands the pressed key to the caller's record and closes, but only when a key
// was pressed or the record already holds one; with neither the popup stays open.
// Cancel clears the caller's record (its callers read an empty record as "nothing
// chosen") and closes.
#include <optional>

#include "platform/core/RawInput.h"
#include "popups/KeyFieldGate.h"
#include "popups/PopupBox.h"
#include "popups/SingleKeyRecord.h"

class CEditItemSingleKeyInput;
class CEditItemSingleKeyInputMMO;

// One key, read from an `EDITCTRLSK` field; the record keeps the caller's
// Ctrl/Shift/Alt bits. (A skin with a key-with-modifiers field needs the MMO popup
// below, which reads that field's own capture.)
class CPopupBoxSingleKeyEntry : public CPopupBox {
public:
    CPopupBoxSingleKeyEntry(std::u16string skinFile, QWidget* parent, SingleKeyRecord& record,
                            int templateId = PopupTemplate::Entry);
    ~CPopupBoxSingleKeyEntry() override;

    CEditItemSingleKeyInput* KeyField() const { return field_; }
    // Whether the next OK or cancel is taken as coming from the keyboard.
    bool IsKeyboardMarked() const { return keyboardMark_; }
    // The key pressed during this run, if any.
    const std::optional<SingleKeyRecord>& Captured() const { return captured_; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    bool OnCommand(CGUIItem* sender) override;
    void OnOK() override;
    void OnCancel() override;
    void OnRunEnded() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // What the field shows when the popup opens.
    virtual std::u16string InitialText() const { return record_.text; }
    // Reads what the field now holds after it was given a raw key record.
    virtual void OnKeyRead(const RawKeyboard& key);
    // Last touches to the record before OK hands it back.
    virtual void FinishRecord(SingleKeyRecord&) {}

    SingleKeyRecord& Record() { return record_; }
    const SingleKeyRecord& Record() const { return record_; }
    void SetCaptured(std::optional<SingleKeyRecord> captured) { captured_ = std::move(captured); }

private:
    void RegisterKeyboard();
    void RestoreKeyboard();
    // Keys are recorded only while the field has the focus; elsewhere they move
    // between and press the popup's buttons.
    bool KeyFieldHasFocus() const;
    void DeliverToField(WPARAM wParam, const RawInput& record);

    SingleKeyRecord& record_;
    CEditItemSingleKeyInput* field_ = nullptr;
    std::optional<SingleKeyRecord> captured_;
    bool keyboardMark_ = false;
    bool registered_ = false;
    CKeyFieldGate gate_;
    std::optional<RawInputDevice> previousKeyboard_;
};

// One key with the modifiers held when it was pressed (an `EDITCTRLSKMMO` field).
// The combination is kept as captured: releasing the modifiers afterwards does not
// take them out of it.
class CPopupBoxSingleKeyEntryMMO : public CPopupBoxSingleKeyEntry {
public:
    using CPopupBoxSingleKeyEntry::CPopupBoxSingleKeyEntry;

    CEditItemSingleKeyInputMMO* ModifierKeyField() const { return mmoField_; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void BindItems() override;
    void OnKeyRead(const RawKeyboard&) override {}
    // The field changed the key it shows.
    virtual void OnKeyChanged();

private:
    CEditItemSingleKeyInputMMO* mmoField_ = nullptr;
};

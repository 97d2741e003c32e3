// SPDX-License-Identifier: GPL-3.0-or-later
// The macros page's event work: recording, preview and editing the events of the
// selected macro.
#include "app/MacrosPage.h"

#include "app/MacroEventConversion.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/MacroDisplayItem.h"
#include "platform/core/KeyNames.h"
#include "platform/core/TextCase.h"
#include "popups/SingleKeyRecord.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "popups/TovikEliteWarningDlg.h"
#include "settings/Macro.h"
#include "settings/PredefinedMacroList.h"

#include <algorithm>

// --- recording and preview -------------------------------------------------------------

void CMacrosPage::ToggleRecording(CTovikEliteAppDlg& window)
{
    if (state_ == MacroPageState::Recording) {
        StopRecordingAndStore(window);
        return;
    }
    if (!SelectedMacro()) {
        CreateMacro(window);
        return;
    }
    if (!display_)
        return;
    const bool useDefault = useDefaultDelay_ && useDefaultDelay_->IsChecked();
    CMacroRecorder& recorder = display_->Recorder();
    if (useDefault) {
        const auto delay = ReadDelayBox(defaultDelayBox_);
        if (!delay || *delay == 0) {
            CTovikEliteWarningDlg(u"DefaultDelayWarningPopup.xml", &window).DoModal();
            return;
        }
        recorder.SetDefaultDelay(*delay);
    }
    recorder.SetUseDefaultDelay(useDefault);
    recorder.SetIgnoreDelays(ignoreDelays_ && ignoreDelays_->IsChecked());
    EndPreview();
    if (!display_->StartRecording(stopButton_))
        return;
    state_ = MacroPageState::Recording;
    EnableMacroControls();
    if (recordButton_)
        recordButton_->Blink(kBlinkPeriodMs);
}

void CMacrosPage::StopRecordingAndStore(CTovikEliteAppDlg& window)
{
    if (!display_ || state_ != MacroPageState::Recording)
        return;
    const std::vector<MacroDisplayEvent> events = display_->StopRecording();
    state_ = SelectedMacro() ? MacroPageState::Idle : MacroPageState::NoMacro;
    if (recordButton_) {
        recordButton_->Blink(0);
        recordButton_->SetTooltip(u"$Record");
    }
    if (CMacro* macro = SelectedMacro()) {
        macro->SetEvents(ToMacroEvents(events));
        window.SetSettingsChanged();
    }
    ShowMacroEvents();
    EnableMacroControls();
}

void CMacrosPage::Stop(CTovikEliteAppDlg& window)
{
    if (state_ == MacroPageState::Recording)
        StopRecordingAndStore(window);
    else if (state_ == MacroPageState::Previewing)
        EndPreview();
}

void CMacrosPage::Preview(CTovikEliteAppDlg& /*window*/)
{
    const CMacro* macro = SelectedMacro();
    if (!macro || !preview_ || state_ == MacroPageState::Recording)
        return;
    if (display_)
        display_->Show(0);
    preview_->Show(1);
    preview_->StartPreview(ToDisplayEvents(macro->GetEvents()));
    state_ = MacroPageState::Previewing;
    EnableMacroControls();
}

void CMacrosPage::EndPreview()
{
    if (state_ != MacroPageState::Previewing)
        return;
    if (preview_) {
        preview_->StopPreview();
        preview_->Show(0);
    }
    if (display_)
        display_->Show(1);
    state_ = SelectedMacro() ? MacroPageState::Idle : MacroPageState::NoMacro;
    EnableMacroControls();
}

// --- editing -----------------------------------------------------------------------------

void CMacrosPage::StoreDisplayedEvents(CTovikEliteAppDlg& window)
{
    CMacro* macro = SelectedMacro();
    if (!macro || !display_)
        return;
    macro->SetEvents(ToMacroEvents(display_->Events()));
    window.SetSettingsChanged();
}

void CMacrosPage::InsertDelay(CTovikEliteAppDlg& window)
{
    if (!SelectedMacro() || !display_ || state_ != MacroPageState::Idle)
        return;
    const auto delay = ReadDelayBox(delayBox_);
    if (!delay || *delay == 0)
        return;
    if (display_->InsertEvents(display_->Selected(), {MacroDisplayEvent::Delay(*delay)}) < 0)
        return;
    StoreDisplayedEvents(window);
}

bool CMacrosPage::InsertCommand(CTovikEliteAppDlg& window, std::u16string_view name)
{
    if (!SelectedMacro() || !display_ || state_ != MacroPageState::Idle)
        return false;
    const PredefinedMacro* command = CPredefinedMacroList::Instance().Find(name);
    if (!command)
        return false;
    if (display_->InsertEvents(display_->Selected(), ToDisplayEvents(command->events)) < 0)
        return false;
    StoreDisplayedEvents(window);
    return true;
}

void CMacrosPage::EditKeystroke(CTovikEliteAppDlg& window, int row)
{
    if (!display_ || row < 0 || row >= display_->Count() || state_ != MacroPageState::Idle)
        return;
    const MacroDisplayEvent event = display_->Event(row);
    if (event.kind != MacroDisplayEventKind::Key)
        return;
    SingleKeyRecord record;
    record.text = KeyNameForScanCode(event.scanCode, event.extended);
    record.scanCode = event.scanCode;
    record.virtualKey = event.virtualKey;
    record.modifiers = event.extended ? SingleKeyRecord::kExtended : 0;
    const SingleKeyRecord before = record;
    CTovikElitePopupBoxMacroSingleKeyEntry popup(u"EditSingleKeyPopup.xml", &window, record);
    if (popup.DoModal() != IDOK)
        return;
    const bool extended = (record.modifiers & SingleKeyRecord::kExtended) != 0;
    if (record.scanCode == 0 ||
        (record.scanCode == before.scanCode && record.virtualKey == before.virtualKey && extended == event.extended))
        return;
    display_->ReplaceEvent(row, MacroDisplayEvent::Key(record.scanCode, record.virtualKey, event.down, extended));
    StoreDisplayedEvents(window);
}

void CMacrosPage::DeleteEvent(CTovikEliteAppDlg& window, int row)
{
    if (!display_ || state_ != MacroPageState::Idle || !display_->RemoveEvent(row))
        return;
    StoreDisplayedEvents(window);
}

void CMacrosPage::SelectFirstEvent()
{
    if (display_)
        display_->Select(display_->Count() > 0 ? 0 : -1);
}

void CMacrosPage::SelectLastEvent()
{
    if (display_)
        display_->Select(display_->Count() - 1);
}

CListPanelItem* CMacrosPage::OptionsPanelFor(const MacroDisplayEvent& event) const
{
    switch (event.kind) {
    case MacroDisplayEventKind::Key:
        return keystrokeOptions_;
    case MacroDisplayEventKind::MouseButton:
        return mouseClickOptions_;
    case MacroDisplayEventKind::Delay:
        return delayOptions_;
    }
    return nullptr;
}

void CMacrosPage::OnEventOptions(CTovikEliteAppDlg& window, int row)
{
    if (!display_ || row < 0 || row >= display_->Count() || state_ != MacroPageState::Idle)
        return;
    CListPanelItem* panel = OptionsPanelFor(display_->Event(row));
    if (!panel)
        return;
    display_->Select(row);
    // The options open beside the event's row.
    const int y = std::clamp((row - display_->TopRow()) * display_->RowHeight(), 0, display_->height());
    const int choice = ShowListPanelPopup(0, display_, *panel, display_->width() / 3, y);
    OnEventOption(window, *panel, choice);
}

void CMacrosPage::OnEventOption(CTovikEliteAppDlg& window, const CListPanelItem& panel, int choice)
{
    if (!display_ || choice < 0 || choice >= panel.RowCount())
        return;
    const int row = display_->Selected();
    const std::u16string& key = panel.EntryAt(choice).key;
    if (EqualsIgnoringCase(key, u"$Editkey"))
        EditKeystroke(window, row);
    else if (EqualsIgnoringCase(key, u"$Deleteevent"))
        DeleteEvent(window, row);
}

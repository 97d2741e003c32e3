// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark's tour of the main window (milestones on and the tour asked
// for): once the first read is over, every page is shown as its tab shows it, so
// the memory of a window whose pages have all been made can be measured; then one
// setting changes and is applied as the Apply button applies it, while a watch
// measures how long the GUI thread is held up until the write is over.
#include "app/StartupMilestones.h"
#include "app/TovikEliteAppDlg.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"

#include <QTimer>
#include <array>

void CTovikEliteAppDlg::TourStep(size_t step)
{
    // The first page shown comes last, so the window ends as it started.
    static constexpr std::array kTabs{ItemId::BUTTON_ADJUSTPERFORMANCE, ItemId::BUTTON_MANAGEPROFILES,
                                      ItemId::BUTTON_MANAGEMACROS, ItemId::BUTTON_LIGHTINGMAINTENANCE,
                                      ItemId::BUTTON_ASSIGNBUTTONS};
    if (ended_)
        return;
    if (step < kTabs.size()) {
        OnMainItem(kTabs[step]);
        // Painted now: pictures a page decodes only when drawn count too.
        repaint();
        // The next page after the event loop has had its turn, as between two clicks.
        QTimer::singleShot(0, this, [this, step] { TourStep(step + 1); });
        return;
    }
    // The bench reads the memory now; the write below starts only 250 ms later.
    RecordMilestone("pages-visited");
    // The sleep time: a change of one group that every device and layout has.
    const unsigned sleep = config_->GetIdleTimeBeforeSleep();
    config_->SetIdleTimeBeforeSleep(sleep == 600 ? 900 : 600);
    SetSettingsChanged();
    StartStallWatch();
    tourApplyPending_ = true;
    OnMainItem(ItemId::BUTTON_APPLY);
    if (settingsChanged_)
        EndTourApply(false); // the device was busy: no write was started
}

void CTovikEliteAppDlg::EndTourApply(bool written)
{
    if (!tourApplyPending_)
        return;
    tourApplyPending_ = false;
    if (written) {
        RecordLongestStall("stall-apply");
    } else {
        // A stall of a write that did not happen would read as a good figure.
        RecordMilestone("apply-failed");
        StopStallWatch();
    }
}

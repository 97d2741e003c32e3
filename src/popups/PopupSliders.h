// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the single-thumb multi-stage sliders the sensitivity popups use: one
// thumb on its own track, shown and hidden together with the track.
#include "platform/core/WinTypes.h"

class CGUIItem;
class CSliderHMulti;

// Puts the slider's thumb on `value`; nothing without a slider or a thumb.
void PutSliderOn(CSliderHMulti* slider, int value);
// The value the slider's thumb stands for, or `fallback` without a thumb.
int SliderValueOr(const CSliderHMulti* slider, int fallback);
// Gives the slider's thumb the range and step.
void SetSliderRange(CSliderHMulti* slider, int min, int max, int step);
// Shows or hides the slider together with its track.
void ShowSliderAndTrack(CSliderHMulti* slider, CGUIItem* track, bool show);

// The popups' sliders notify with the ids of their thumbs (the `STAGE` names of the
// skin); this gives the slider the notification belongs to (260, 261 or 262), or
// the id unchanged when it is not one of those thumbs.
int PopupSliderOfNotification(LPARAM itemId);

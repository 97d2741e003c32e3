// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving the sensitivity stages of the active profile into the stages popup's set
// and back.
#include "popups/StageSet.h"

class IMouseConfig;

// The stages of the active profile, padded up to five with the generation's
// default stages (X and Y equal to the value, neither current, in use nor separate).
StageSet StageSetFromProfile(const IMouseConfig& config, bool currentGeneration);

// Stores a confirmed set in the active profile: the count in use, every stage, the
// current stage and the current sensitivity from it. Padding stages that are not in
// use are left out; when stages above the profile's number are in use, the profile
// grows to hold them.
void StoreStageSet(IMouseConfig& config, const StageSet& stages);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the profile preview says about one button: the kind's name and a detail
// (the key with its modifiers, the macro or profile it names, the temporary
// sensitivity), cut to fit the preview's line.
#include "settings/AssignmentRecord.h"

#include <string>

class IMouseConfig;

// Lines longer than this are cut to kPreviewCutLength characters followed by "...".
constexpr size_t kPreviewMaxLength = 32;
constexpr size_t kPreviewCutLength = 29;

// The detail of a record, without the ": " that joins it to the kind's name; empty
// for kinds that have none, or when the macro or profile it names is not there.
std::u16string PreviewDetail(const AssignmentRecord& record, const IMouseConfig& config);
// The kind's name (translated), ": " and the detail when there is one, cut to fit.
std::u16string PreviewButtonText(const AssignmentRecord& record, const IMouseConfig& config);
// `text` unchanged when it fits, else its first kPreviewCutLength units and "...".
std::u16string CutPreviewText(std::u16string text);

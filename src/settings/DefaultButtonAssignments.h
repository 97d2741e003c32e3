// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The factory assignment of each mouse button. Fixed for the life of the process.
#include "settings/AssignmentRecord.h"
#include "settings/MouseTypes.h"

#include <map>

const std::map<tMouseButton, AssignmentRecord>& DefaultButtonAssignments();

// The default of a button; a button without one gets an unset record (kind -1).
AssignmentRecord GetDefaultButtonAssignment(tMouseButton button);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads one skin file from the application's xml/ folder into an item collection.
// The file's root decides its role (KEYBOARD, GUIPANEL or ITEMLIST); its sections are
// read in a fixed order, and every element becomes one item: data items (fonts,
// languages, keyboard records) are built here, controls through the factories the
// controls library registered (skin/ControlRegistry.h).
#include <string>
#include <string_view>

#include "skin/GUIItems.h"

// What a load did, for callers and tests that want to know more than success.
struct SkinLoadStats {
    int itemsAdded = 0;
    int skippedUnknownName = 0; // elements with a missing or unknown `name`
    int missingFactory = 0;     // control elements no factory is registered for
    int factoryDeclined = 0;    // factories that built nothing, and items refused for their size
    int missingFiles = 0;       // named bitmaps, fonts, clips that could not be read
};

// Loads `fileName` (relative to xml/ below the application directory) into `items`.
// `owner` is stored in every item and is the parent of the controls (may be null).
// With `observable`, the load's progress notifier is published while it runs.
// Returns true when the root element was recognised and its sections were read.
// A file that cannot be opened or parsed, an unknown root, or a panel file without
// BACKGROUND or MASK returns false and adds nothing.
bool LoadSkinFile(CGUIItems& items, std::u16string_view fileName, CSkinWindow* owner, bool observable,
                  SkinLoadStats* stats = nullptr);

// The collection whose fonts every later load may name (start-up sets it to the
// application's items after "Language.xml", and clears it before they go). A `fontid`
// that no earlier item of the file's own collection answers is looked up there.
void SetSharedSkinItems(const CGUIItems* items);
const CGUIItems* SharedSkinItems();

// The same for a document already in memory (`displayName` is what the progress
// listeners are told).
bool LoadSkinFromMemory(CGUIItems& items, std::string_view xml, std::u16string_view displayName, CSkinWindow* owner,
                        bool observable, SkinLoadStats* stats = nullptr);

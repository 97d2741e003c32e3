// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary documents to the skin loader: whatever a skin file holds, loading
// it must fail cleanly or build items, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "RecordingFactories.h"
#include "skin/AppPaths.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    // An empty application directory: every named file is missing.
    static QTemporaryDir appDir;
    SetAppDirectory(appDir.path().toStdU16String());
    skintest::RecordAllElements();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CGUIItems items;
    SkinLoadStats stats;
    LoadSkinFromMemory(items, std::string_view(reinterpret_cast<const char*>(data), size), u"fuzz.xml", nullptr,
                       size % 2 == 0, &stats);
    items.Clear();
    ResetLanguages();
    CResourceCache::Instance().Clear();
    return 0;
}
